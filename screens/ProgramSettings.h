#pragma once

#include <QSettings>
#include <QSize>
#include <QString>
#include <QStringList>

#include <string>

class QWidget;

namespace vyra::ui {

// What the program keeps between runs in the user's settings: the recent
// case files, the last folder a file was chosen in, the size of each
// window the user may resize, and whether exported and printed reports end
// with the calculation record.
class ProgramSettings {
public:
    ProgramSettings();

    QStringList RecentFiles() const;
    QString LastFolder() const;
    // The folder of path is the last one; a case file heads the recent list.
    void Remember(const QString& path, bool caseFile);
    // A case file that is gone leaves the recent list.
    void Forget(const QString& path);

    // The size the window named name had when it was last closed, or
    // nothing (an empty size).
    QSize WindowSize(const QString& name) const;
    void KeepWindowSize(const QString& name, QSize size);

    bool CalculationRecord() const;
    void KeepCalculationRecord(bool added);

private:
    QSettings m_settings;
};

// A file name to propose in the last folder: the case's name (a character
// that would make a folder of it replaced), else fallback, with suffix.
QString SuggestedPath(const std::string& caseName, const QString& fallback, const QString& suffix);

// Sizes a resizable window: its size of the last run, else the given one,
// no larger than the screen's available area, and centres it there.
void OpenFitting(QWidget& window, QSize tabled);

}  // namespace vyra::ui
