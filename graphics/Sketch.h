#pragma once

#include "Canvas.h"
#include "ForceUnit.h"
#include "SelectionInputs.h"
#include "SketchGeometry.h"

#include <array>

namespace vyra {
struct RunState;
}

namespace vyra::gfx {

// The sketch area of the input screen is a white square of this side, in twips.
inline constexpr double kSketchAreaTwips = 4185;

// A named line element of the sketch area: endpoints in twips, whether it
// shows, and the pen it is shown with. Named lines are black.
struct SketchLine {
    double X1 = 0;
    double Y1 = 0;
    double X2 = 0;
    double Y2 = 0;
    bool visible = true;
    int drawWidth = 1;
    DrawStyle style = DrawStyle::Solid;

    SketchPoint First() const { return {X1, Y1}; }
    SketchPoint Second() const { return {X2, Y2}; }
    void Place(SketchSegment segment);
};

// The roller element: its bounding square in twips.
struct SketchCircle {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    int drawWidth = 2;
};

// The elements the sketch area keeps between drawings. Only the axes have
// a meaningful design position, because the centre of the sketch is read
// from them; every drawing places all the others before they are shown.
struct SketchElements {
    SketchLine Lx{.X1 = 0, .Y1 = 2040, .X2 = 4080, .Y2 = 2040, .style = DrawStyle::Dot};
    SketchLine Ly{.X1 = 2040, .Y1 = 0, .X2 = 2040, .Y2 = 4080, .style = DrawStyle::DashDot};
    SketchLine Ly1{.style = DrawStyle::Dot};
    SketchLine lnCenter{.style = DrawStyle::Dot};
    SketchCircle Roll;
    SketchLine SensorHigh{.drawWidth = 2};
    SketchLine SensorLow{.drawWidth = 2};
    SketchLine SensorLeft{.drawWidth = 2};
    SketchLine SensorRight{.drawWidth = 2};
    SketchLine lnX1;
    SketchLine lnX2;
    SketchLine WebRight{.drawWidth = 2};
    SketchLine WebLeft{.drawWidth = 2};
    SketchLine Lt{.drawWidth = 2};
    SketchLine Lar{.drawWidth = 2};
    SketchLine Lal{.drawWidth = 2};
};

// The centre of the sketch in whole twips.
struct SketchCentre {
    double X0 = 0;
    double Y0 = 0;
};

// The x of the first end of Ly and the y of the first end of Lx, rounded to
// whole twips with halves to even. Read once, before the first drawing:
// drawing moves both axes.
SketchCentre ReadSketchCentre(const SketchElements& elements);

// Draws the arrangement on the sketch area, which is in twips with its
// origin at the top-left corner, erasing what was drawn before, and moves
// the named elements. With annotate (the drawing when the input screen
// opens) it adds the sign-convention marks and labels and hides the force
// arrow; without, it shows the arrow and marks the quarters about the roller.
void DrawSketch(Canvas& area, SketchElements& elements, const SketchCentre& centre, const SelectionInputs& inputs,
                bool annotate);

}  // namespace vyra::gfx
