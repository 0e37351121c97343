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

std::unique_ptr<QPagedPaintDevice> ScriptedToolkit::DefaultPrinter() { return m_printer ? m_printer() : nullptr; }

}  // namespace vyra::test
