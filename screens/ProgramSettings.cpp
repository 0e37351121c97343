#include "ProgramSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace vyra::ui {

namespace {

constexpr int kRecentCount = 8;
// Room for the window frame and title bar, which are not known before the
// window is first shown.
constexpr int kFrameAllowance = 48;

QString SizeKey(const QString& name) { return QStringLiteral("windows/%1/size").arg(name); }

const QString kCalculationRecordKey = QStringLiteral("report/calculationRecord");

}  // namespace

ProgramSettings::ProgramSettings()
    : m_settings(QStringLiteral("VyraSensorSelector"), QStringLiteral("VyraSensorSelector"))
{
}

QStringList ProgramSettings::RecentFiles() const
{
    return m_settings.value(QStringLiteral("recentCaseFiles")).toStringList();
}

QString ProgramSettings::LastFolder() const
{
    return m_settings.value(QStringLiteral("lastFolder"), QDir::homePath()).toString();
}

void ProgramSettings::Remember(const QString& path, bool caseFile)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_settings.setValue(QStringLiteral("lastFolder"), QFileInfo(absolute).absolutePath());
    if (!caseFile) {
        return;
    }
    QStringList recent = RecentFiles();
    recent.removeAll(absolute);
    recent.prepend(absolute);
    m_settings.setValue(QStringLiteral("recentCaseFiles"), recent.mid(0, kRecentCount));
}

void ProgramSettings::Forget(const QString& path)
{
    QStringList recent = RecentFiles();
    recent.removeAll(QFileInfo(path).absoluteFilePath());
    m_settings.setValue(QStringLiteral("recentCaseFiles"), recent);
}

QSize ProgramSettings::WindowSize(const QString& name) const { return m_settings.value(SizeKey(name)).toSize(); }

void ProgramSettings::KeepWindowSize(const QString& name, QSize size) { m_settings.setValue(SizeKey(name), size); }

bool ProgramSettings::CalculationRecord() const { return m_settings.value(kCalculationRecordKey, false).toBool(); }

void ProgramSettings::KeepCalculationRecord(bool added) { m_settings.setValue(kCalculationRecordKey, added); }

QString SuggestedPath(const std::string& caseName, const QString& fallback, const QString& suffix)
{
    QString base = QString::fromStdString(caseName);
    for (QChar& c : base) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control) {
            c = QLatin1Char('_');
        }
    }
    if (base.trimmed().isEmpty() || base.startsWith(QLatin1Char('.'))) {
        base = fallback;
    }
    return ProgramSettings().LastFolder() + QLatin1Char('/') + base + suffix;
}

void OpenFitting(QWidget& window, QSize tabled)
{
    const QSize kept = ProgramSettings().WindowSize(window.objectName());
    const QScreen* display = window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
    const QRect area = display->availableGeometry();
    const QSize room(std::max(area.width() - kFrameAllowance / 2, 1), std::max(area.height() - kFrameAllowance, 1));
    const QSize size = (kept.isValid() ? kept : tabled).boundedTo(room).expandedTo(window.minimumSize());
    window.resize(size);
    window.move(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2);
}

}  // namespace vyra::ui
