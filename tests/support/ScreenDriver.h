#pragma once

#include "FrmExSub.h"
#include "FrmExplanation.h"
#include "Golden.h"
#include "ResultPicture.h"
#include "Toolkit.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

namespace vyra::test {

// The control of that object name on the screen.
template <class Control = QWidget>
Control& Child(const QWidget& parent, const QString& name)
{
    auto* control = parent.findChild<Control*>(name);
    return control != nullptr ? *control : throw std::runtime_error("no control " + name.toStdString());
}

inline QString ShownAndStates(const QWidget& widget)
{
    const auto* view = qobject_cast<const QTextEdit*>(&widget);
    const char* property = qobject_cast<const QGroupBox*>(&widget) != nullptr ? "title" : "text";
    QString line = '"' + (view != nullptr ? view->toPlainText().left(60) : widget.property(property).toString()) + '"';
    const QFont& font = widget.font();
    line += QStringLiteral(" %1 %2").arg(font.family()).arg(font.pointSizeF()) + (font.bold() ? " bold" : "")
            + (font.strikeOut() ? " struck" : "") + (widget.isEnabled() ? "" : " disabled");
    const auto* button = qobject_cast<const QAbstractButton*>(&widget);
    line += button != nullptr && button->isChecked() ? " checked" : "";
    const QPalette::ColorRole role = qobject_cast<const QLineEdit*>(&widget) ? QPalette::Text : QPalette::WindowText;
    if (const QColor colour = widget.palette().color(role); colour != Qt::black) {
        line += " colour " + colour.name();
    }
    if (const auto* picture = dynamic_cast<const ui::ResultPicture*>(&widget)) {
        line += " framed";
        for (std::size_t row = 0; row < picture->FramedRows().size(); ++row) {
            line += picture->FramedRows()[row] ? QStringLiteral(" %1").arg(row + 1) : QString();
        }
    }
    return line;
}

// A menu's entries with their shortcuts and states, one line each.
inline void WalkMenu(const QWidget& menu, int depth, QString& tree)
{
    for (const QAction* action : menu.actions()) {
        tree += QString(2 * depth, ' ') + (action->isSeparator() ? QStringLiteral("-") : action->text())
                + (action->shortcut().isEmpty() ? QString() : " [" + action->shortcut().toString() + "]")
                + (action->isEnabled() ? "" : " disabled") + '\n';
        if (const QMenu* submenu = action->menu()) {
            WalkMenu(*submenu, depth + 1, tree);
        }
    }
}

inline void Walk(const QWidget& parent, int depth, QString& tree)
{
    for (const QObject* child : parent.children()) {
        const auto* widget = qobject_cast<const QWidget*>(child);
        // A field's, a button's or a view's parts are the toolkit's.
        if (widget == nullptr || widget->isWindow()
            || (widget->objectName().isEmpty() && !qobject_cast<const QLabel*>(widget)
                && !qobject_cast<const QGroupBox*>(widget))) {
            continue;
        }
        const QRect box = widget->geometry();
        tree += QString(2 * depth, ' ') + widget->metaObject()->className() + ' ' + widget->objectName()
                + QString::asprintf(" %d,%d %dx%d ", box.x(), box.y(), box.width(), box.height())
                + ShownAndStates(*widget) + '\n';
        if (qobject_cast<const QMenuBar*>(widget) != nullptr) {
            WalkMenu(*widget, depth + 1, tree);
        } else if (qobject_cast<const QTextEdit*>(widget) == nullptr) {
            Walk(*widget, depth + 1, tree);
        }
    }
}

// A screen as text: its caption and size, then a line per control in
// creation order, children indented: kind, name, box in pixels, text, font
// and the unusual states (disabled, checked, struck, not black, framed rows).
inline std::string WidgetTree(const QWidget& screen)
{
    QString tree = QStringLiteral("%1 \"%2\" ").arg(screen.objectName(), screen.windowTitle())
                   + QStringLiteral("%1x%2\n").arg(screen.width()).arg(screen.height());
    Walk(screen, 1, tree);
    return tree.toStdString();
}

// The text of a PDF, each page ended by a form feed.
inline QString PdfText(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), path, QStringLiteral("-")});
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The working folder for the guard's scope, put back however the scope ends.
struct WorkingFolder {
    const QString previous = QDir::currentPath();
    explicit WorkingFolder(const QString& folder) { QDir::setCurrent(folder); }
    ~WorkingFolder() { QDir::setCurrent(previous); }
};

// Answers at once: records messages as "message TITLE: TEXT icon N"
// (onMessage runs while one is up) and the questions asked; modal screens and
// questions (a file name, empty for Cancel) take the next queued answer. One
// not queued fails the test and is cancelled, as is a modal screen left open.
class ScriptedToolkit : public ui::Toolkit {
public:
    QStringList messages;
    QStringList asked;
    std::function<void()> onMessage;
    std::deque<std::function<void(QDialog&)>> modalAnswers;
    std::deque<ui::SaveAnswer> saveAnswers;
    std::deque<QString> files;
    int modalScreens = 0;
    int endProgramCalls = 0;
    // The printer a job gets; none unless a test provides one.
    std::function<std::unique_ptr<QPagedPaintDevice>()> printer;

    void ShowMessage(QWidget*, const QString& title, const QString& text, ui::BoxIcon icon) override
    {
        if (onMessage) {
            onMessage();
        }
        messages << QStringLiteral("message %1: %2 icon %3").arg(title, text).arg(static_cast<int>(icon));
    }
    void ShowModal(QDialog& screen) override
    {
        ++modalScreens;
        const auto answer = Next(modalAnswers, std::function<void(QDialog&)>([](QDialog&) {}));
        screen.setModal(true);
        screen.show();
        answer(screen);
        if (screen.isVisible()) {
            ADD_FAILURE() << "modal screen \"" << screen.windowTitle().toStdString() << "\" was left open";
            screen.reject();
        }
    }
    ui::SaveAnswer AskSave(QWidget*, const QString& text) override
    {
        asked << text;
        return Next(saveAnswers, ui::SaveAnswer::Cancel);
    }
    QString ChooseFileToOpen(QWidget*, const ui::FileQuestion& question) override { return File("open", question); }
    QString ChooseFileToSave(QWidget*, const ui::FileQuestion& question) override { return File("save", question); }
    QDate Today() const override { return {2026, 12, 5}; }
    // Recorded as "progress TEXT of TOTAL"; the box lets progressSteps
    // advances through and cancels the next one, or never cancels.
    std::optional<int> progressSteps;
    int progressAdvances = 0;
    std::unique_ptr<ui::ProgressBox> ShowProgress(QWidget*, const QString& text, double total) override
    {
        asked << QStringLiteral("progress %1 of %2").arg(text).arg(total, 0, 'f', 0);
        return std::make_unique<Progress>(*this);
    }
    std::unique_ptr<QPagedPaintDevice> DefaultPrinter() override { return printer ? printer() : nullptr; }
    // The print dialog as it opens: the printer of a job on the default one.
    std::unique_ptr<QPagedPaintDevice> ChoosePrinter(QWidget*, QPageSize::PageSizeId paper) override
    {
        asked << "print dialog on " + QPageSize(paper).key();
        return DefaultPrinter();
    }
    void EndProgram() override { ++endProgramCalls; }

private:
    struct Progress : ui::ProgressBox {
        explicit Progress(ScriptedToolkit& owner) : m_owner(owner) { }
        bool Advance(double) override
        {
            return !m_owner.progressSteps || m_owner.progressAdvances++ < *m_owner.progressSteps;
        }
        ScriptedToolkit& m_owner;
    };

    template <class Answer>
    static Answer Next(std::deque<Answer>& queue, Answer cancel)
    {
        if (queue.empty()) {
            ADD_FAILURE() << "a question or screen came that no answer was queued for";
            return cancel;
        }
        Answer answer = std::move(queue.front());
        queue.pop_front();
        return answer;
    }
    QString File(const char* dialog, const ui::FileQuestion& question)
    {
        asked << QStringLiteral("%1 file: %2 at %3").arg(dialog, question.caption, question.start);
        return Next(files, QString());
    }
};

// Presses a document button; what the viewer showed, then "Return".
inline std::string OpenDocument(ScriptedToolkit& toolkit, ui::FrmExplanation& menu, int item)
{
    std::string seen;
    toolkit.modalAnswers.push_back([&](QDialog& screen) {
        auto& viewer = dynamic_cast<ui::FrmExSub&>(screen);
        QApplication::processEvents();
        const QScrollBar& bar = *viewer.RichTextBox1().verticalScrollBar();
        seen = "viewer" + std::string(viewer.RichTextBox1().isReadOnly() ? " read-only" : "")
               + (bar.maximum() > 0 ? " scrolled to " + std::to_string(bar.value()) : "") + ": \""
               + viewer.RichTextBox1().toPlainText().left(40).replace('\n', '|').toStdString() + "\"";
        seen += toolkit.messages.isEmpty() ? "" : "\n  " + toolkit.messages.join("\n  ").toStdString();
        viewer.CmdReturn().click();
    });
    toolkit.messages.clear();
    menu.CmdExplain(item).click();
    return seen + "\n";
}

// Keys as a user presses them: to the focused control of window, once it is
// the active window.
inline void PressKeys(QWidget& window, const QKeySequence& keys)
{
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    QWidget* focus = QApplication::focusWidget();
    QTest::keySequence(focus != nullptr ? focus : &window, keys);
}

}  // namespace vyra::test
