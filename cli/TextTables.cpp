#include "TextTables.h"

#include "Answer.h"
#include "ResultColumns.h"
#include "ResultFormat.h"
#include "ResultNotes.h"
#include "Results1.h"
#include "Results2.h"
#include "RunState.h"
#include "Utf8.h"

#include <algorithm>
#include <array>
#include <functional>
#include <iomanip>
#include <span>
#include <string>
#include <vector>

namespace vyra::cli {

namespace {

constexpr int kNameWidth = 10;
constexpr int kValueWidth = 9;

// A right-aligned column's width: at least least, and one more than its
// widest text, so that a figure of any width keeps a blank before it.
int ColumnWidth(int least, const std::vector<std::string>& texts)
{
    std::size_t widest = 0;
    for (const std::string& text : texts) {
        widest = std::max(widest, text.size());
    }
    return std::max(least, static_cast<int>(widest) + 1);
}

// The heading and each model's text of a column, in that order.
std::vector<std::string> ColumnTexts(const std::string& heading, const std::function<std::string(int)>& text)
{
    std::vector<std::string> texts{heading};
    for (int i = 0; i < kModelCount; ++i) {
        texts.push_back(text(i));
    }
    return texts;
}

void WriteTable(const RunState& state, std::span<const ResultColumn> columns, const std::function<bool(int)>& passes,
                std::ostream& out)
{
    std::vector<std::vector<std::string>> texts;
    std::vector<int> widths;
    for (const ResultColumn& column : columns) {
        texts.push_back(ColumnTexts(std::string(column.symbol) + std::string(UnitHeading(column, state.forceUnit)),
                                    [&](int i) { return ShownText(column, state, i); }));
        widths.push_back(ColumnWidth(kValueWidth, texts.back()));
    }
    out << std::left << std::setw(kNameWidth) << "  Model" << std::right;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        out << std::setw(widths[c]) << texts[c].front() << ' ';
    }
    out << " Pass\n";
    for (int i = 0; i < kModelCount; ++i) {
        out << std::left << std::setw(kNameWidth) << ModelLabel(state, i) << std::right;
        for (std::size_t c = 0; c < columns.size(); ++c) {
            out << std::setw(widths[c]) << texts[c][i + 1] << (Failed(columns[c], state, i) ? '*' : ' ');
        }
        out << (passes(i) ? " yes" : " no") << '\n';
    }
}

}  // namespace

void WriteTextTables(const RunState& state, std::ostream& out)
{
    out << ResultSetHeading(state, 1) << '\n';
    WriteTable(
        state, ResultSet1Columns(), [&state](int i) { return AssessResults1(state, i).withinTolerance; }, out);
    out << ToleranceSentence(1, state.forceUnit) << ". * marks a value out of tolerance.\n\n";
    out << ResultSetHeading(state, 2) << '\n';
    WriteTable(
        state, ResultSet2Columns(), [&state](int i) { return AssessResults2(state, i).withinTolerance; }, out);
    out << ToleranceSentence(2, state.forceUnit) << ". * marks a value out of tolerance.\n";
    for (const std::string& note : ResultNotes(state)) {
        out << note << '\n';
    }
    out << '\n';
    out << AnswerSentence(state) << '\n';
}

void WriteRemedies(const RunState& state, const Remedies& remedies, std::ostream& out)
{
    out << "\nRemedies: one input changed, every other entry as given\n";
    const std::vector<int> order = RemedyOrder(state);
    if (order.empty()) {
        out << "Every model passes both result sets as given\n";
    }
    for (const int model : order) {
        out << RemedySentence(state, model, remedies[model]) << '\n';
    }
}

void WriteHeadroomTable(const RunState& state, const PassingGamma& passing, std::ostream& out)
{
    out << "\nSafe speed and mounting angles: maxSpeed, where F1/F2 reaches " << LimitText(kF1F2Check)
        << ", and the whole degrees of gamma\n"
           "at which each model passes result set 1, every other entry as given\n";
    const std::vector<std::string> speeds =
        ColumnTexts("maxSpeed" + std::string(UnitCaption(Quantity::Speed, state.forceUnit)),
                    [&state](int i) { return MaxSpeedText(state, i); });
    const int width = ColumnWidth(2 * kValueWidth, speeds);
    out << std::left << std::setw(kNameWidth) << "  Model" << std::right << std::setw(width) << speeds.front()
        << "  passing gamma[degree]\n";
    for (int i = 0; i < kModelCount; ++i) {
        std::string angles;
        for (const GammaInterval& interval : passing[i]) {
            angles +=
                Joined({angles.empty() ? "" : " ", std::to_string(interval.from), "..", std::to_string(interval.to)});
        }
        out << std::left << std::setw(kNameWidth) << ModelLabel(state, i) << std::right << std::setw(width)
            << speeds[i + 1] << "  " << (angles.empty() ? "none" : angles) << '\n';
    }
}

void WriteCalibrationTable(const RunState& state, const Calibration& calibration, std::ostream& out)
{
    out << "\nCalibration with a test weight of " << calibration.weight << ' '
        << UnitSymbol(Quantity::Mass, state.forceUnit) << " hung along the web path\n";
    if (calibration.refusal) {
        out << calibration.refusal->title << ": " << calibration.refusal->message << '\n';
        return;
    }
    const std::array<std::vector<std::string>, 3> texts{
        ColumnTexts("Vt[mV]", [&](int i) { return FormatPatternWithin(calibration.Vt[i], 1, kValueWidth); }),
        ColumnTexts("Vt[V]", [&](int i) { return FormatPatternWithin(calibration.Vt[i] / 1000, 3, kValueWidth); }),
        ColumnTexts("S[times]", [&](int i) { return FormatPatternWithin(calibration.S[i], 1, kValueWidth); })};
    // The blank between two columns is the second one's.
    constexpr std::array<int, 3> kLeast{kValueWidth, kValueWidth + 1, kValueWidth + 1};
    for (int row = 0; row <= kModelCount; ++row) {
        out << std::left << std::setw(kNameWidth) << (row == 0 ? "  Model" : ModelLabel(state, row - 1)) << std::right;
        for (std::size_t c = 0; c < texts.size(); ++c) {
            out << std::setw(ColumnWidth(kLeast[c], texts[c])) << texts[c][row];
        }
        out << '\n';
    }
}

}  // namespace vyra::cli
