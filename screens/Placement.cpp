#include "Placement.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QWidget>

#include <cmath>
#include <utility>

namespace vyra::ui {

int TwipsToPixels(double twips, const QWidget& widget)
{
    return static_cast<int>(std::lround(twips * widget.logicalDpiX() / 1440.0));
}

QRect TwipsRect(const TwipBox& box, const QWidget& widget)
{
    return {TwipsToPixels(box.left, widget), TwipsToPixels(box.top, widget), TwipsToPixels(box.width, widget),
            TwipsToPixels(box.height, widget)};
}

void Place(QWidget& control, const TwipBox& box) { control.setGeometry(TwipsRect(box, control)); }

QFont CourierNew(double points, bool bold)
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// The size is the client area's: the window frame is not known before the
// screen is first shown.
void CentreOnDisplay(QWidget& screen, double downTwips)
{
    const QScreen* display = screen.screen() != nullptr ? screen.screen() : QGuiApplication::primaryScreen();
    const QRect area = display->geometry();
    screen.move(area.x() + (area.width() - screen.width()) / 2,
                area.y() + (area.height() - screen.height()) / 2 + TwipsToPixels(downTwips, screen));
}

void BringToFront(QWidget& screen)
{
    screen.setWindowState(screen.windowState() & ~Qt::WindowMinimized);
    screen.show();
    screen.raise();
    screen.activateWindow();
}

namespace {

class ReturnPressesButton : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        const int key = static_cast<QKeyEvent*>(event)->key();
        auto* button = qobject_cast<QPushButton*>(watched);
        if (button == nullptr || (key != Qt::Key_Return && key != Qt::Key_Enter)) {
            return false;
        }
        button->click();
        return true;
    }
};

}  // namespace

void PressButtonsOnReturn(QWidget& window)
{
    auto* filter = new ReturnPressesButton(&window);
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        button->installEventFilter(filter);
    }
}

void AddKey(QWidget& window, const QKeySequence& key, std::function<void()> command)
{
    auto* shortcut = new QShortcut(key, &window);
    QObject::connect(shortcut, &QShortcut::activated, &window, std::move(command));
}

}  // namespace vyra::ui
