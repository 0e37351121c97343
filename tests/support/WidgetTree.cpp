#include "WidgetTree.h"

#include "ResultPicture.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTextEdit>

namespace vyra::test {

namespace {

QString Shown(const QWidget& widget)
{
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        return label->text();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
        return button->text();
    }
    if (const auto* field = qobject_cast<const QLineEdit*>(&widget)) {
        return field->text();
    }
    if (const auto* frame = qobject_cast<const QGroupBox*>(&widget)) {
        return frame->title();
    }
    if (const auto* view = qobject_cast<const QTextEdit*>(&widget)) {
        return view->toPlainText().left(60);
    }
    return {};
}

QString States(const QWidget& widget)
{
    QString states;
    const QFont& font = widget.font();
    states += QStringLiteral(" %1 %2").arg(font.family()).arg(font.pointSizeF());
    if (font.bold()) {
        states += QStringLiteral(" bold");
    }
    if (font.strikeOut()) {
        states += QStringLiteral(" struck");
    }
    if (!widget.isEnabled()) {
        states += QStringLiteral(" disabled");
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget); button != nullptr && button->isChecked()) {
        states += QStringLiteral(" checked");
    }
    const QPalette::ColorRole role = qobject_cast<const QLineEdit*>(&widget) ? QPalette::Text : QPalette::WindowText;
    if (const QColor colour = widget.palette().color(role); colour != Qt::black) {
        states += QStringLiteral(" colour ") + colour.name();
    }
    if (const auto* picture = dynamic_cast<const ui::ResultPicture*>(&widget)) {
        states += QStringLiteral(" framed");
        for (std::size_t row = 0; row < picture->FramedRows().size(); ++row) {
            states += picture->FramedRows()[row] ? QStringLiteral(" %1").arg(row + 1) : QString();
        }
    }
    return states;
}

// The controls a screen is made of; the parts of a field, a button or a
// view are the toolkit's, not the screen's.
bool IsControl(const QWidget& widget)
{
    return !widget.objectName().isEmpty() || qobject_cast<const QLabel*>(&widget) != nullptr
           || qobject_cast<const QGroupBox*>(&widget) != nullptr;
}

// A menu's entries with their shortcuts and states, one line each.
void WalkMenu(const QWidget& menu, int depth, QString& tree)
{
    for (const QAction* action : menu.actions()) {
        tree += QString(2 * depth, ' ') + (action->isSeparator() ? QStringLiteral("-") : action->text());
        if (!action->shortcut().isEmpty()) {
            tree += QStringLiteral(" [%1]").arg(action->shortcut().toString());
        }
        tree += action->isEnabled() ? QString() : QStringLiteral(" disabled");
        tree += '\n';
        if (const QMenu* submenu = action->menu()) {
            WalkMenu(*submenu, depth + 1, tree);
        }
    }
}

void Walk(const QWidget& parent, int depth, QString& tree)
{
    for (const QObject* child : parent.children()) {
        const auto* widget = qobject_cast<const QWidget*>(child);
        if (widget == nullptr || widget->isWindow() || !IsControl(*widget)) {
            continue;
        }
        const QRect box = widget->geometry();
        tree += QString(2 * depth, ' ')
                + QStringLiteral("%1 %2 %3,%4 %5x%6 \"%7\"")
                      .arg(QString::fromLatin1(widget->metaObject()->className()), widget->objectName())
                      .arg(box.x())
                      .arg(box.y())
                      .arg(box.width())
                      .arg(box.height())
                      .arg(Shown(*widget))
                + States(*widget) + '\n';
        if (qobject_cast<const QMenuBar*>(widget) != nullptr) {
            WalkMenu(*widget, depth + 1, tree);
        } else if (qobject_cast<const QTextEdit*>(widget) == nullptr) {
            Walk(*widget, depth + 1, tree);
        }
    }
}

}  // namespace

std::string WidgetTree(const QWidget& screen)
{
    QString tree = QStringLiteral("%1 \"%2\" %3x%4\n")
                       .arg(screen.objectName(), screen.windowTitle())
                       .arg(screen.width())
                       .arg(screen.height());
    Walk(screen, 1, tree);
    return tree.toStdString();
}

}  // namespace vyra::test
