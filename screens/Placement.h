#pragma once

#include <QFont>
#include <QKeySequence>
#include <QRect>

#include <functional>

class QWidget;

namespace vyra::ui {

// Screen positions and sizes are laid out in twips (1/1440 inch) and shown
// at the screen's logical resolution.
struct TwipBox {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

int TwipsToPixels(double twips, const QWidget& widget);
QRect TwipsRect(const TwipBox& box, const QWidget& widget);
// Places a control at its twip box inside its parent.
void Place(QWidget& control, const TwipBox& box);

// Courier New in the given size, as the screens' texts are set.
QFont CourierNew(double points, bool bold = false);

// The screen centred on its display, then moved down by downTwips.
void CentreOnDisplay(QWidget& screen, double downTwips = 0);

// A screen that is open already comes to the front, out of the taskbar.
void BringToFront(QWidget& screen);

// Return or Enter on a focused button of window presses it, as Space does;
// dialogs do so by themselves, plain windows do not.
void PressButtonsOnReturn(QWidget& window);

// key runs command while window (or a child) has the focus.
void AddKey(QWidget& window, const QKeySequence& key, std::function<void()> command);

}  // namespace vyra::ui
