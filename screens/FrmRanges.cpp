#include "FrmRanges.h"

#include "Captions.h"
#include "InputControls.h"
#include "NumberText.h"
#include "Placement.h"
#include "Utf8.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace vyra::ui {

namespace {

constexpr double kPoints = 9;
constexpr double kEndWidth = 1200;

QPushButton* AddButton(QHBoxLayout& row, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption);
    button->setObjectName(QString::fromLatin1(name));
    row.addWidget(button);
    return button;
}

QLineEdit* AddEnd(QGridLayout& grid, const QWidget& dialog, const QString& name, const std::string& text, int row,
                  int column)
{
    auto* field = new QLineEdit(ToQString(text));
    field->setObjectName(name);
    field->setFixedWidth(TwipsToPixels(kEndWidth, dialog));
    grid.addWidget(field, row, column);
    return field;
}

std::string Trimmed(const QLineEdit* field) { return field->text().trimmed().toStdString(); }

}  // namespace

FrmRanges::FrmRanges(Toolkit& toolkit, const CaseRanges& start, ForceUnit forceUnit, Check check, QWidget* parent)
    : QDialog(parent), m_toolkit(toolkit), m_check(std::move(check))
{
    setObjectName(QStringLiteral("frmRanges"));
    setWindowTitle(QStringLiteral("Ranges"));
    setFont(CourierNew(kPoints));
    auto* note = new QLabel(QStringLiteral("Each input known only between two values: its low and high end, which "
                                           "must hold its entry. Both empty: no range."));
    note->setWordWrap(true);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("low")), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("high")), 0, 2);
    const auto captions = FieldCaptions();
    const auto units = UnitLabels(forceUnit);
    int row = 1;
    for (int item = 0; item < kFieldCount; ++item) {
        if (!MayCarryRange(item)) {
            continue;
        }
        const auto index = static_cast<std::size_t>(item);
        grid->addWidget(new QLabel(ToQString(captions[index])), row, 0);
        const std::optional<RangeTexts>& texts = start[index];
        m_txtLow[index] = AddEnd(*grid, *this, QStringLiteral("txtLow%1").arg(item), texts ? texts->low : "", row, 1);
        m_txtHigh[index] =
            AddEnd(*grid, *this, QStringLiteral("txtHigh%1").arg(item), texts ? texts->high : "", row, 2);
        grid->addWidget(new QLabel(ToQString(units[index])), row, 3);
        ++row;
    }
    auto* buttons = new QHBoxLayout;
    QPushButton* clear = AddButton(*buttons, "cmdClear", QStringLiteral("C&lear all"));
    buttons->addStretch();
    QPushButton* ok = AddButton(*buttons, "cmdOK", QStringLiteral("OK"));
    QPushButton* cancel = AddButton(*buttons, "cmdCancel", QStringLiteral("Cancel"));
    ok->setDefault(true);
    connect(clear, &QPushButton::clicked, this, &FrmRanges::cmdClear_Click);
    connect(ok, &QPushButton::clicked, this, &FrmRanges::cmdOK_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addLayout(grid);
    layout->addLayout(buttons);
}

Expected<CaseRanges> FrmRanges::Typed() const
{
    CaseRanges typed;
    for (int item = 0; item < kFieldCount; ++item) {
        const auto index = static_cast<std::size_t>(item);
        if (!m_txtLow[index]) {
            continue;
        }
        const std::string low = Trimmed(m_txtLow[index]);
        const std::string high = Trimmed(m_txtHigh[index]);
        if (low.empty() && high.empty()) {
            continue;
        }
        if (low.empty() || high.empty()) {
            return Failed(Joined({"the ", kFieldNames[index], " range needs both its low and its high end"}));
        }
        typed[index] = RangeTexts{low, high};
    }
    return typed;
}

void FrmRanges::cmdOK_Click()
{
    const Expected<CaseRanges> typed = Typed();
    const std::optional<std::string> refusal = typed ? m_check(*typed) : typed.Error().reason;
    if (!refusal) {
        m_choice = *typed;
        accept();
        return;
    }
    m_toolkit.ShowMessage(this, windowTitle(), ToQString("The ranges were not kept: " + *refusal + "."),
                          BoxIcon::Exclamation);
    // The refusal names its input: the focus goes to that range.
    for (int item = 0; item < kFieldCount; ++item) {
        const auto index = static_cast<std::size_t>(item);
        if (m_txtLow[index] && refusal->starts_with(Joined({"the ", kFieldNames[index], " range"}))) {
            m_txtLow[index]->setFocus();
            m_txtLow[index]->selectAll();
        }
    }
}

void FrmRanges::cmdClear_Click()
{
    for (QLineEdit* field : m_txtLow) {
        if (field) {
            field->clear();
        }
    }
    for (QLineEdit* field : m_txtHigh) {
        if (field) {
            field->clear();
        }
    }
}

std::optional<std::string> RangesRefusal(const Case& c)
{
    const Expected<std::vector<InputRange>> ranges = CheckedRangesOf(c);
    return ranges ? std::nullopt : std::optional(ranges.Error().reason);
}

std::optional<EvaluatedRanges> EvaluateCaseRanges(Toolkit& toolkit, QWidget& owner, const Case& c)
{
    const Expected<std::vector<InputRange>> ranges = CheckedRangesOf(c);
    if (!ranges) {
        toolkit.ShowMessage(&owner, QStringLiteral("Ranges"),
                            ToQString("The results are for the entries alone; the ranges were not evaluated: "
                                      + ranges.Error().reason + "."),
                            BoxIcon::Exclamation);
        return std::nullopt;
    }
    if (ranges->empty()) {
        return std::nullopt;
    }
    const double points = RangePointCount(c.form, *ranges);
    if (points <= kPointsShowingProgress) {
        return EvaluatedRanges{*ranges, EvaluateRanges(c.form, c.forceUnit, *ranges)};
    }
    const std::unique_ptr<ProgressBox> progress = toolkit.ShowProgress(
        &owner, ToQString("Evaluating the ranges over " + ShortestText(points) + " points…"), points);
    std::optional<RangeVerdicts> verdicts =
        EvaluateRanges(c.form, c.forceUnit, *ranges, [&progress](double done) { return progress->Advance(done); });
    if (!verdicts) {
        return std::nullopt;
    }
    return EvaluatedRanges{*ranges, *verdicts};
}

}  // namespace vyra::ui
