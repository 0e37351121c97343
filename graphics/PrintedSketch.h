#pragma once

#include "Canvas.h"
#include "ForceUnit.h"
#include "PrintTrouble.h"
#include "SelectionInputs.h"

namespace vyra {
struct RunState;
}

namespace vyra::gfx {

// Draws the arrangement, as the sketch area shows it after "Image chgange",
// into an 80 mm frame on page 1 of the report; reports printer trouble
// through the sink.
void PrintSketch(Canvas& page, const SelectionInputs& inputs, const MessageSink& sink);

}  // namespace vyra::gfx
