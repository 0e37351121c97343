#pragma once

#include "InputReading.h"

#include <cstdint>

namespace vyra::test {

// The worked example of the first standard model: FS 10 kgf, d 100 mm,
// Wr 10 kg, all angles 0, l = h = 0, Wp 1 kg, V 100 m/min.
inline EntryForm WorkedExampleForm() { return {{"10", "100", "10", "0", "0", "0", "0", "0", "1", "100"}}; }

// Intrinsically safe series, one sensor read independently on one channel,
// fulcrum left, web pulling the roller off its stopper: negative loads on
// the large models and a line fast enough that most ratios fail.
inline EntryForm HarshForm()
{
    return {{"300", "60", "40", "170", "170", "0", "50", "200", "5", "360"}, 1, 1, 1, 1, 1};
}

// The record fields the sketch reads; everything else stays zero.
inline SelectionInputs SketchInputs(std::int16_t alpha, std::int16_t beta, std::int16_t gamma, double l,
                                    std::int16_t fulcrum)
{
    return {.l = l, .alpha = alpha, .beta = beta, .gamma = gamma, .fulcrumIndex = fulcrum};
}

// The values the input screen opens with.
inline SelectionInputs StartingInputs() { return SketchInputs(20, 80, 20, 20, 0); }

}  // namespace vyra::test
