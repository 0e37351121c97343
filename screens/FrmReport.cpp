#include "FrmReport.h"

#include "Placement.h"
#include "ProgramSettings.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vyra::ui {

namespace {

constexpr double kPoints = 9;

QPushButton* AddButton(QHBoxLayout& row, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption);
    button->setObjectName(QString::fromLatin1(name));
    row.addWidget(button);
    return button;
}

}  // namespace

QPageSize::PageSizeId LocalPaper(const QLocale& locale)
{
    switch (locale.territory()) {
    case QLocale::UnitedStates:
    case QLocale::Canada:
        return QPageSize::Letter;
    default:
        return QPageSize::A4;
    }
}

FrmReport::FrmReport(const QString& caption, const ReportChoice& start, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmReport"));
    setWindowTitle(caption);
    setFont(CourierNew(kPoints));
    auto* paper = new QGroupBox(QStringLiteral("Paper"));
    paper->setObjectName(QStringLiteral("frPaper"));
    auto* optA4 = new QRadioButton(QStringLiteral("A4 (210 × 297 mm)"));
    optA4->setObjectName(QStringLiteral("optA4"));
    m_optLetter = new QRadioButton(QStringLiteral("Letter (8.5 × 11 in)"));
    m_optLetter->setObjectName(QStringLiteral("optLetter"));
    (start.paper == QPageSize::Letter ? m_optLetter : optA4)->setChecked(true);
    auto* options = new QVBoxLayout(paper);
    options->addWidget(optA4);
    options->addWidget(m_optLetter);
    m_chkRecord = new QCheckBox(QStringLiteral("Add the calculation record"));
    m_chkRecord->setObjectName(QStringLiteral("chkRecord"));
    m_chkRecord->setChecked(start.calculationRecord);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    QPushButton* ok = AddButton(*buttons, "cmdOK", QStringLiteral("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(AddButton(*buttons, "cmdCancel", QStringLiteral("Cancel")), &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(paper);
    layout->addWidget(m_chkRecord);
    layout->addLayout(buttons);
}

ReportChoice FrmReport::Choice() const
{
    return {m_optLetter->isChecked() ? QPageSize::Letter : QPageSize::A4, m_chkRecord->isChecked()};
}

// The paper is asked each time from the locale: a report sent abroad is
// the exception, and the next one goes home again.
std::optional<ReportChoice> AskReportChoice(Toolkit& toolkit, QWidget* owner, const QString& caption)
{
    FrmReport dialog(caption, {LocalPaper(QLocale()), ProgramSettings().CalculationRecord()}, owner);
    toolkit.ShowModal(dialog);
    if (dialog.result() != QDialog::Accepted) {
        return std::nullopt;
    }
    const ReportChoice choice = dialog.Choice();
    ProgramSettings().KeepCalculationRecord(choice.calculationRecord);
    return choice;
}

}  // namespace vyra::ui
