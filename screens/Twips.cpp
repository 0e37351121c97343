#include "Twips.h"

#include <QWidget>

#include <cmath>

namespace vyra::ui {

int TwipsToPixels(double twips, const QWidget& widget)
{
    return static_cast<int>(std::lround(twips * widget.logicalDpiX() / 1440.0));
}

QRect TwipsRect(double left, double top, double width, double height, const QWidget& widget)
{
    return {TwipsToPixels(left, widget), TwipsToPixels(top, widget), TwipsToPixels(width, widget),
            TwipsToPixels(height, widget)};
}

void PlaceInTwips(QWidget& control, double left, double top, double width, double height)
{
    control.setGeometry(TwipsRect(left, top, width, height, control));
}

}  // namespace vyra::ui
