#pragma once

#include "Case.h"
#include "RangeWords.h"
#include "Ranges.h"
#include "Toolkit.h"

#include <QDialog>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QLineEdit;

namespace vyra::ui {

// "Ranges": a low and a high end for each input that may carry one, in the
// run's unit; both empty for none. OK keeps them once check accepts them
// (nothing, or why not); a refusal is shown over the dialog, which stays
// open at the range it names.
class FrmRanges : public QDialog {
public:
    using Check = std::function<std::optional<std::string>(const CaseRanges&)>;
    FrmRanges(Toolkit& toolkit, const CaseRanges& start, ForceUnit forceUnit, Check check, QWidget* parent);

    const std::optional<CaseRanges>& Choice() const { return m_choice; }

private:
    void cmdOK_Click();
    void cmdClear_Click();
    // The ranges as typed, or the refusal of a range with one end only.
    Expected<CaseRanges> Typed() const;

    Toolkit& m_toolkit;
    Check m_check;
    std::array<QLineEdit*, kFieldCount> m_txtLow{};
    std::array<QLineEdit*, kFieldCount> m_txtHigh{};
    std::optional<CaseRanges> m_choice;
};

// Nothing when the case's ranges are accepted for its entries, else why
// not, naming the range.
std::optional<std::string> RangesRefusal(const Case& c);

// The case's ranges evaluated for a selection it passed "Select" with.
struct EvaluatedRanges {
    std::vector<InputRange> ranges;
    RangeVerdicts verdicts;
};

// More points than this show their progress, with Cancel.
inline constexpr double kPointsShowingProgress = 1e6;

// The case's ranges over every point, nothing when it has none, when they
// are refused (said in a box over owner) or when Cancel was pressed.
std::optional<EvaluatedRanges> EvaluateCaseRanges(Toolkit& toolkit, QWidget& owner, const Case& c);

}  // namespace vyra::ui
