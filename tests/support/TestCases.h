#pragma once

#include "InputReading.h"
#include "RunState.h"

#include <cstdint>

namespace vyra::test {

// The worked example of the first standard model: FS 10 kgf, d 100 mm,
// Wr 10 kg, all angles 0, l = h = 0, Wp 1 kg, V 100 m/min.
inline EntryForm WorkedExampleForm()
{
    EntryForm form;
    form.txtInput = {"10", "100", "10", "0", "0", "0", "0", "0", "1", "100"};
    return form;
}

// A state holding the worked example's inputs, ready for the compute steps.
inline RunState WorkedExampleState(std::int16_t methodCode = kTwoSensors)
{
    RunState state;
    SelectionInputs& in = state.inputs;
    in.FS = 10;
    in.d = 100;
    in.Wr = 10;
    in.Wp = 1;
    in.V = 100;
    in.methodCode = methodCode;
    return state;
}

// Intrinsically safe series, one sensor read independently on one channel,
// fulcrum left, web pulling the roller off its stopper: negative loads on
// the large models and a line fast enough that most ratios fail.
inline EntryForm HarshForm()
{
    EntryForm form;
    form.txtInput = {"300", "60", "40", "170", "170", "0", "50", "200", "5", "360"};
    form.opType = 1;
    form.fulcrumIndex = 1;
    form.opMethod1 = 1;
    form.opMethod2 = 1;
    form.opMethod3 = 1;
    return form;
}

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
