#pragma once

#include "Toolkit.h"

#include <QDialog>
#include <QLocale>
#include <QPageSize>

#include <optional>

class QCheckBox;
class QRadioButton;

namespace vyra::ui {

// How File > Export… and File > Print… make the report: on which paper, and
// whether the calculation record follows its pages.
struct ReportChoice {
    QPageSize::PageSizeId paper = QPageSize::A4;
    bool calculationRecord = false;
};

// The paper the offices of the locale's country keep: Letter in the United
// States and Canada (in French as in English), A4 everywhere else.
QPageSize::PageSizeId LocalPaper(const QLocale& locale);

// The question before the file or the printer is chosen: "A4" or "Letter",
// "Add the calculation record", "OK" and "Cancel".
class FrmReport : public QDialog {
public:
    FrmReport(const QString& caption, const ReportChoice& start, QWidget* parent);

    ReportChoice Choice() const;

private:
    QRadioButton* m_optLetter = nullptr;
    QCheckBox* m_chkRecord = nullptr;
};

// Asks over owner, starting from the paper of the locale and the record as
// last chosen; an OK keeps the record's choice for the next time, in this
// run and the next. Nothing when cancelled.
std::optional<ReportChoice> AskReportChoice(Toolkit& toolkit, QWidget* owner, const QString& caption);

}  // namespace vyra::ui
