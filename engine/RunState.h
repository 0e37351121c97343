#pragma once

#include "Catalogue.h"
#include "ForceUnit.h"

#include <array>
#include <cstdint>

namespace vyra {

// Everything the user enters or chooses, as the engine reads it.
// Lengths mm, masses kg, speed m/min, angles whole degrees, FS kgf: a newton
// or an lbf run's entries are converted when they are read.
struct SelectionInputs {
    double FS = 0;
    double d = 0;
    double Wr = 0;
    double l = 0;
    double h = 0;
    double Wp = 0;
    double V = 0;
    std::int16_t alpha = 0;
    std::int16_t beta = 0;
    std::int16_t gamma = 0;
    std::int16_t fulcrumIndex = 0;  // 0 Right(R), 1 Left(L)
    std::int16_t methodCode = 0;  // 0..4, see MethodCode
};

// Detection methods: two sensors, or one sensor read on one side or
// independently, on both channels or one.
enum MethodCode : std::int16_t {
    kTwoSensors = 0,
    kOneSideBoth = 1,
    kOneSideOne = 2,
    kIndependentBoth = 3,
    kIndependentOne = 4,
};

// Forces are entered and shown in N or kgf but the engine works in kgf, with
// the 9.8 the catalogue was rated with (not standard gravity).
inline constexpr double kNewtonsPerKgf = 9.8;

enum SeriesIndex : std::int16_t { kStandardSeries = 0, kIntrinsicallySafeSeries = 1 };

using ResultTable = std::array<double, kModelCount>;

// The fourteen result tables, indexed by modelIndex. Forces kgf, lengths mm,
// outputs mV, gain dimensionless, frequencies Hz, eccentricity um. Values
// keep full precision and may be non-finite for degenerate inputs.
struct ResultTables {
    ResultTable P1{}, We{}, P{}, Zt{}, Zr{}, Zs{}, Vt{}, Vr{}, S{};
    ResultTable F1{}, F2{}, F3{}, E{}, PB{};
};

// The state of one run of the program: owned by the caller and handed to
// every command by reference, overwritten in place by each command.
struct RunState {
    SensorCatalogue catalogue = InitCatalogue();
    SelectionInputs inputs;
    std::int16_t seriesIndex = kStandardSeries;
    ForceUnit forceUnit = kKgf;
    ResultTables tables;

    const SensorSeries& series() const { return catalogue[seriesIndex]; }
    const SensorModel& model(int modelIndex) const { return series().models[modelIndex]; }
};

}  // namespace vyra
