#pragma once

#include "Toolkit.h"

#include <QDate>
#include <QString>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace vyra::test {

// A message box the program showed.
struct ShownMessage {
    QString title;
    QString text;
    ui::BoxIcon icon = ui::BoxIcon::None;
};

// Answers every message box and modal screen at once, without a human:
// message boxes are recorded and dismissed; each modal screen is handed to
// the next queued answer, which must close it. A modal screen with no
// answer queued fails the test and is closed.
class ScriptedToolkit : public ui::Toolkit {
public:
    using ModalAnswer = std::function<void(QDialog&)>;

    void AnswerNextModal(ModalAnswer answer) { m_answers.push_back(std::move(answer)); }
    const std::vector<ShownMessage>& Messages() const { return m_messages; }
    void ClearMessages() { m_messages.clear(); }
    int ModalScreensShown() const { return m_modalScreens; }
    int EndProgramCalls() const { return m_endProgramCalls; }

    // The answers of the next questions about unsaved changes and of the
    // next file dialogs (a file name, or empty for Cancel); one not queued
    // fails the test and is cancelled.
    void AnswerNextSave(ui::SaveAnswer answer) { m_saveAnswers.push_back(answer); }
    void AnswerNextFile(QString path) { m_files.push_back(std::move(path)); }
    const std::vector<ui::FileQuestion>& FileQuestions() const { return m_fileQuestions; }
    int SaveQuestions() const { return m_saveQuestions; }

    void SetToday(QDate today) { m_today = today; }
    // The printer a job gets; none unless a test provides one.
    void SetPrinter(std::function<std::unique_ptr<QPagedPaintDevice>()> printer) { m_printer = std::move(printer); }

    void ShowMessage(QWidget* owner, const QString& title, const QString& text, ui::BoxIcon icon) override;
    void ShowModal(QDialog& screen) override;
    ui::SaveAnswer AskSave(QWidget* owner, const QString& text) override;
    QString ChooseFileToOpen(QWidget* owner, const ui::FileQuestion& question) override;
    QString ChooseFileToSave(QWidget* owner, const ui::FileQuestion& question) override;
    QDate Today() const override { return m_today; }
    std::unique_ptr<QPagedPaintDevice> DefaultPrinter() override;
    // The print dialog gets the same printer as a job on the default one.
    std::unique_ptr<QPagedPaintDevice> ChoosePrinter(QWidget* owner) override;
    void EndProgram() override { ++m_endProgramCalls; }

private:
    QString NextFile(const ui::FileQuestion& question);

    std::deque<ModalAnswer> m_answers;
    std::deque<ui::SaveAnswer> m_saveAnswers;
    std::deque<QString> m_files;
    std::vector<ui::FileQuestion> m_fileQuestions;
    int m_saveQuestions = 0;
    std::vector<ShownMessage> m_messages;
    int m_modalScreens = 0;
    int m_endProgramCalls = 0;
    QDate m_today{2026, 12, 5};
    std::function<std::unique_ptr<QPagedPaintDevice>()> m_printer;
};

}  // namespace vyra::test
