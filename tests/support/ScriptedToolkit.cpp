#include "ScriptedToolkit.h"

#include <QDialog>
#include <QPagedPaintDevice>

#include <gtest/gtest.h>

namespace vyra::test {

void ScriptedToolkit::ShowMessage(QWidget*, const QString& title, const QString& text, ui::BoxIcon icon)
{
    m_messages.push_back({title, text, icon});
}

void ScriptedToolkit::ShowModal(QDialog& screen)
{
    ++m_modalScreens;
    if (m_answers.empty()) {
        ADD_FAILURE() << "unexpected modal screen \"" << screen.windowTitle().toStdString() << '"';
        screen.reject();
        return;
    }
    const ModalAnswer answer = std::move(m_answers.front());
    m_answers.pop_front();
    screen.setModal(true);
    screen.show();
    answer(screen);
    if (screen.isVisible()) {
        ADD_FAILURE() << "modal screen \"" << screen.windowTitle().toStdString() << "\" was left open";
        screen.reject();
    }
}

ui::SaveAnswer ScriptedToolkit::AskSave(QWidget*, const QString& text)
{
    ++m_saveQuestions;
    if (m_saveAnswers.empty()) {
        ADD_FAILURE() << "unexpected question \"" << text.toStdString() << '"';
        return ui::SaveAnswer::Cancel;
    }
    const ui::SaveAnswer answer = m_saveAnswers.front();
    m_saveAnswers.pop_front();
    return answer;
}

QString ScriptedToolkit::NextFile(const ui::FileQuestion& question)
{
    m_fileQuestions.push_back(question);
    if (m_files.empty()) {
        ADD_FAILURE() << "unexpected file dialog \"" << question.caption.toStdString() << '"';
        return {};
    }
    QString path = std::move(m_files.front());
    m_files.pop_front();
    return path;
}

QString ScriptedToolkit::ChooseFileToOpen(QWidget*, const ui::FileQuestion& question) { return NextFile(question); }

QString ScriptedToolkit::ChooseFileToSave(QWidget*, const ui::FileQuestion& question) { return NextFile(question); }

std::unique_ptr<QPagedPaintDevice> ScriptedToolkit::DefaultPrinter() { return m_printer ? m_printer() : nullptr; }

}  // namespace vyra::test

namespace vyra::test {

std::unique_ptr<QPagedPaintDevice> ScriptedToolkit::ChoosePrinter(QWidget*) { return DefaultPrinter(); }

}  // namespace vyra::test
