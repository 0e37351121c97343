#pragma once

#include "InputReading.h"
#include "RunState.h"

#include <string>

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

}  // namespace vyra::test
