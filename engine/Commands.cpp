#include "Commands.h"

#include "InputChecks.h"
#include "LoadResolution.h"
#include "RunState.h"

namespace vyra {

namespace {

CheckResult CheckAngles(const SelectionInputs& inputs)
{
    if (CheckResult resultant = CheckResultantAngle(inputs)) {
        return resultant;
    }
    return CheckWrapAngle(inputs);
}

}  // namespace

CheckResult SelectCommand(RunState& state, const EntryForm& form)
{
    const EntryReading reading = ReadSelectionInputs(state, form);
    if (CheckResult failure = CheckSelectionInputs(state.inputs, form, reading)) {
        return failure;
    }
    if (CheckResult failure = CheckAngles(state.inputs)) {
        return failure;
    }
    RunSelection(state);
    return std::nullopt;
}

CheckResult ImageChangeCommand(RunState& state, const EntryForm& form, const std::function<void()>& redraw)
{
    const EntryReading reading = ReadSketchInputs(state, form);
    if (CheckResult failure = CheckSketchInputs(state.inputs, form, reading)) {
        return failure;
    }
    redraw();
    return CheckAngles(state.inputs);
}

}  // namespace vyra
