#pragma once

#include "RunState.h"

#include <cstdint>

namespace vyra::test {

// The record fields the sketch reads; everything else stays zero.
inline SelectionInputs SketchInputs(std::int16_t alpha, std::int16_t beta, std::int16_t gamma, double l,
                                    std::int16_t fulcrum)
{
    SelectionInputs in;
    in.alpha = alpha;
    in.beta = beta;
    in.gamma = gamma;
    in.l = l;
    in.fulcrumIndex = fulcrum;
    return in;
}

// The values the input screen opens with.
inline SelectionInputs StartingInputs() { return SketchInputs(20, 80, 20, 20, 0); }

}  // namespace vyra::test
