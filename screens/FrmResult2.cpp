#include "FrmResult2.h"

#include "ResultColumns.h"
#include "ResultFormat.h"
#include "Results2.h"

#include <QLabel>

#include <span>
#include <string>
#include <utility>

namespace vyra::ui {

namespace {

// Twips inside Picture1.
constexpr std::array<Rule, 10> kRules{{
    {0, 1080, 9240, 1080},
    {0, 5400, 9240, 5400},
    {2640, 360, 6960, 360},
    {1200, 0, 1200, 5880},
    {2640, 0, 2640, 5880},
    {4800, 0, 4800, 5880},
    {6960, 0, 6960, 5880},
    {8160, 0, 8160, 5880},
    {3720, 360, 3720, 5880},
    {5880, 360, 5880, 5880},
}};

constexpr double kToleranceTop = 5520;
constexpr double kTolerancePoints = 8.25;
constexpr Qt::Alignment kCentred = Qt::AlignHCenter;

// Headings sit in the cells between the rules; the two-line ones share the
// lines at 360 and 600 under the group headings at 120.
constexpr std::array<TableText, 18> kFixedTexts{{
    {nullptr, "Excitation", {1200, 360, 1440, 240}, kCentred, 0},
    {nullptr, "frequency", {1200, 600, 1440, 240}, kCentred, 0},
    {nullptr, "Resonant frequency", {2640, 120, 2160, 240}, kCentred, 0},
    {nullptr, " Two", {2640, 360, 1080, 240}, kCentred, 0},
    {nullptr, " sensors", {2640, 600, 1080, 240}, kCentred, 0},
    {nullptr, "One", {3720, 360, 1080, 240}, kCentred, 0},
    {nullptr, "sensor", {3720, 600, 1080, 240}, kCentred, 0},
    {nullptr, "Frequency ratios", {4800, 120, 2160, 240}, kCentred, 0},
    {nullptr, "Eccen-", {6960, 360, 1200, 240}, kCentred, 0},
    {nullptr, "tricity", {6960, 600, 1200, 240}, kCentred, 0},
    {nullptr, "Eccentric", {8160, 360, 1080, 240}, kCentred, 0},
    {nullptr, "force", {8160, 600, 1080, 240}, kCentred, 0},
    {nullptr, "ε[μm]", {6960, 840, 1200, 240}, kCentred, 0},
    // "ΔF" ends where lblTani begins, so that "ΔF[kgf]" reads as one
    // heading centred in its cell.
    {nullptr, "ΔF", {8160, 840, 378, 240}, Qt::AlignRight, 0},
    {"lblTani", "", {8538, 840, 702, 240}, Qt::AlignLeft, 0},
    {nullptr, "Tolerance", {120, kToleranceTop, 960, 255}, Qt::AlignLeft, kTolerancePoints},
    {nullptr, "F1/F2<0.7", {4890, kToleranceTop, 990, 255}, Qt::AlignLeft, kTolerancePoints},
    {nullptr, "F1/F3<0.7", {5970, kToleranceTop, 990, 255}, Qt::AlignLeft, kTolerancePoints},
}};

// The value labels of each column of result set 2, in the engine's column
// order, and the cell of the heading that is the column's symbol and unit
// (the last two have headings of their own above).
struct ValueColumn {
    const char* name;
    double left;
    double width;
    TwipBox heading{};
};

constexpr std::array<ValueColumn, 7> kColumns{{
    {"lblF1", 1560, 615, {1200, 840, 1440, 240}},
    {"lblF2", 2880, 615, {2640, 840, 1080, 240}},
    {"lblF3", 3960, 615, {3720, 840, 1080, 240}},
    {"lblF1F2", 5040, 615, {4800, 840, 1080, 240}},
    {"lblF1F3", 6120, 615, {5880, 840, 1080, 240}},
    {"lblE", 7200, 735},
    {"lblPB", 8400, 615},
}};

}  // namespace

FrmResult2::FrmResult2(ResultCommands commands)
    : ResultScreen(QStringLiteral("Selection result 2"), kRules, std::move(commands))
{
    static_assert(kColumns.size() == kColumnCount);
    ResultPicture& picture = Picture1();
    for (const TableText& text : kFixedTexts) {
        QLabel& label = picture.AddLabel(text);
        if (text.name != nullptr) {
            m_lblTani = &label;
        }
    }
    const std::span<const ResultColumn> columns = ResultSet2Columns();
    for (std::size_t c = 0; c < kColumns.size(); ++c) {
        const ValueColumn& column = kColumns[c];
        if (column.heading.width > 0) {
            const std::string heading = std::string(columns[c].symbol) + std::string(columns[c].unit);
            picture.AddLabel({nullptr, heading.c_str(), column.heading, kCentred, 0});
        }
        m_values[c] = picture.AddValueColumn(column.name, column.left, column.width);
    }
    m_lblName = picture.AddNameColumn();
    CentreOnDisplay(*this);
}

void FrmResult2::Fill(const RunState& selection)
{
    const std::string_view unitLabel = ForceUnitLabel(selection.forceUnit);
    m_lblTani->setText(QString::fromUtf8(unitLabel.data(), static_cast<qsizetype>(unitLabel.size())));
    const std::span<const ResultColumn> columns = ResultSet2Columns();
    std::array<bool, kModelCount> framed{};
    for (int i = 0; i < kModelCount; ++i) {
        const auto row = static_cast<std::size_t>(i);
        ShowModelName(*m_lblName[row], ModelLabel(selection, i));
        for (std::size_t c = 0; c < columns.size(); ++c) {
            ShowValue(*m_values[c][row], ShownText(columns[c], selection, i), Failed(columns[c], selection, i));
        }
        framed[row] = AssessResults2(selection, i).withinTolerance;
    }
    Picture1().SetFramedRows(framed);
}

}  // namespace vyra::ui
