#pragma once

#include "ForceUnit.h"
#include "SelectionInputs.h"
#include "Sketch.h"

#include <QWidget>

#include <optional>

namespace vyra {
struct RunState;
}

namespace vyra::ui {

// Picture1, the white square on the input screen that shows the arrangement
// sketch. The area keeps the inputs of its last drawing and draws them again
// on every paint, so the sketch survives being covered and uncovered.
class SketchArea : public QWidget {
public:
    explicit SketchArea(QWidget* parent = nullptr);

    // Takes the centre from the axes as designed; must come before the first
    // drawing, which moves them.
    void ReadCentre();
    // Draws the sketch of the inputs: with annotate the sign-convention marks
    // of the first drawing, without it the force arrow and quarter arcs.
    void Draw(const SelectionInputs& inputs, bool annotate);

private:
    void paintEvent(QPaintEvent* event) override;

    struct Drawing {
        SelectionInputs inputs;
        bool annotate = false;
    };

    gfx::SketchElements m_elements;
    gfx::SketchCentre m_centre;
    std::optional<Drawing> m_drawing;
};

}  // namespace vyra::ui
