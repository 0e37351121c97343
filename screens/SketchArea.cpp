#include "SketchArea.h"

#include "PainterCanvas.h"

#include <QPainter>
#include <QPalette>

namespace vyra::ui {

SketchArea::SketchArea(QWidget* parent) : QWidget(parent)
{
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
}

void SketchArea::ReadCentre() { m_centre = gfx::ReadSketchCentre(m_elements); }

void SketchArea::Draw(const SelectionInputs& inputs, bool annotate)
{
    m_drawing = Drawing{inputs, annotate};
    update();
}

// Every drawing places all named elements from the inputs and the centre
// alone, so drawing the same inputs again gives the same picture.
void SketchArea::paintEvent(QPaintEvent*)
{
    if (!m_drawing) {
        return;
    }
    QPainter painter(this);
    gfx::PainterCanvas canvas(painter);
    gfx::DrawSketch(canvas, m_elements, m_centre, m_drawing->inputs, m_drawing->annotate);
}

}  // namespace vyra::ui
