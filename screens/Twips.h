#pragma once

#include <QRect>

class QWidget;

namespace vyra::ui {

// Screen positions and sizes are laid out in twips (1/1440 inch) and shown
// at the screen's logical resolution.
int TwipsToPixels(double twips, const QWidget& widget);
QRect TwipsRect(double left, double top, double width, double height, const QWidget& widget);
// Places a control at its twip box inside its parent.
void PlaceInTwips(QWidget& control, double left, double top, double width, double height);

}  // namespace vyra::ui
