#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QString>
#include <QWidget>

#include <stdexcept>

namespace vyra::test {

// The control of that object name on the screen.
template <class Control = QWidget>
Control& Child(const QWidget& parent, const QString& name)
{
    if (auto* control = parent.findChild<Control*>(name)) {
        return *control;
    }
    throw std::runtime_error("no control " + name.toStdString());
}

// The object name of item n of a control array: "txtInput(3)".
inline QString Item(const char* name, int item) { return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(item); }

// A left click as a user makes it, near the left end of the control, where
// an option has its indicator.
inline void Click(QWidget& control)
{
    const QPointF local(control.height() / 2.0, control.height() / 2.0);
    const QPointF global = control.mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&control, &press);
    QApplication::sendEvent(&control, &release);
}

// A key typed into the control.
inline void TypeKey(QWidget& control, Qt::Key key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(&control, &press);
    QApplication::sendEvent(&control, &release);
}

}  // namespace vyra::test
