#pragma once

#include "Catalogue.h"

#include <array>

namespace vyra {

using ResultTable = std::array<double, kModelCount>;

// The fourteen result tables, indexed by modelIndex. Forces kgf, lengths mm,
// outputs mV, gain dimensionless, frequencies Hz, eccentricity um. Values
// keep full precision and may be non-finite for degenerate inputs.
struct ResultTables {
    ResultTable P1{}, We{}, P{}, Zt{}, Zr{}, Zs{}, Vt{}, Vr{}, S{};
    ResultTable F1{}, F2{}, F3{}, E{}, PB{};
};

}  // namespace vyra
