#include "FrmResult1.h"

#include "ResultColumns.h"
#include "ResultFormat.h"
#include "Results1.h"

#include <QLabel>

#include <span>
#include <string>
#include <utility>

namespace vyra::ui {

namespace {

// Twips inside Picture1.
constexpr std::array<Rule, 7> kRules{{
    {0, 960, 9240, 960},
    {1200, 360, 9240, 360},
    {0, 5400, 9240, 5400},
    {1200, 0, 1200, 5400},
    {3840, 0, 3840, 5400},
    {6360, 0, 6360, 5400},
    {8280, 0, 8280, 5400},
}};

constexpr double kToleranceTop = 5520;
constexpr Qt::Alignment kCentred = Qt::AlignHCenter;
constexpr double kTolerancePoints = 8.25;

constexpr std::array<TableText, 9> kFixedTexts{{
    {nullptr, "Transmitted load", {1200, 120, 2640, 240}, kCentred, 0},
    {nullptr, "Stopper displacement", {3840, 120, 2520, 240}, kCentred, 0},
    {nullptr, "Sensor output", {6360, 120, 1920, 240}, kCentred, 0},
    {nullptr, "Gain", {8280, 120, 960, 240}, kCentred, 0},
    {nullptr, "Tolerance", {120, kToleranceTop, 960, 255}, Qt::AlignLeft, kTolerancePoints},
    {nullptr, "(Abusolute value)", {1080, kToleranceTop, 2760, 255}, Qt::AlignLeft, kTolerancePoints},
    {nullptr, "Zs< 0.65 or 0.7 or 0.8", {3900, kToleranceTop, 2460, 255}, Qt::AlignLeft, kTolerancePoints},
    {nullptr, "Vr< 0.260", {6780, kToleranceTop, 1500, 255}, Qt::AlignLeft, kTolerancePoints},
    {nullptr, "12<S<80", {8400, kToleranceTop, 900, 255}, Qt::AlignLeft, kTolerancePoints},
}};

// The value labels of each column of result set 1, in the engine's column
// order; unitCaption is the screen's own wording of a unit heading.
struct ValueColumn {
    const char* name;
    double left;
    double width;
    const char* unitCaption = nullptr;
};

constexpr std::array<ValueColumn, 9> kColumns{{
    {"lblP1", 1320, 735},
    {"lblWe", 2160, 735},
    {"lblP", 3000, 735},
    {"lblZt", 3960, 615},
    {"lblZr", 4800, 615},
    {"lblZs", 5640, 615},
    {"lblVt", 6480, 735, " [V]"},
    {"lblVr", 7440, 735, " [V]"},
    {"lblS", 8400, 615},
}};

constexpr double kSymbolTop = 480;
constexpr double kSymbolPoints = 11.25;
constexpr double kUnitTop = 720;
// Symbol and unit headings are centred over their column in a box wider
// than the narrow columns, so that "[times]" fits.
constexpr double kHeadingWidth = 840;

// Below the centred frmResult2, so that its caption stays in sight.
constexpr double kBelowFrmResult2 = 205;

TwipBox HeadingBox(const ValueColumn& column, double top, double height)
{
    return {column.left + (column.width - kHeadingWidth) / 2, top, kHeadingWidth, height};
}

}  // namespace

FrmResult1::FrmResult1(ResultCommands commands)
    : ResultScreen(QStringLiteral("Selection result 1"), kRules, std::move(commands))
{
    static_assert(kColumns.size() == kColumnCount);
    ResultPicture& picture = Picture1();
    for (const TableText& text : kFixedTexts) {
        picture.AddLabel(text);
    }
    const std::span<const ResultColumn> columns = ResultSet1Columns();
    for (std::size_t c = 0; c < kColumns.size(); ++c) {
        const ValueColumn& column = kColumns[c];
        const std::string symbol(columns[c].symbol);
        picture.AddLabel({nullptr, symbol.c_str(), HeadingBox(column, kSymbolTop, 255), kCentred, kSymbolPoints});
        const TwipBox unitBox = HeadingBox(column, kUnitTop, 240);
        if (columns[c].unit == kForceUnit) {
            const QByteArray name = ItemName("lblTani", static_cast<int>(c)).toLatin1();
            m_lblTani[m_taniCount++] = &picture.AddLabel({name.constData(), "", unitBox, kCentred, 0});
        } else {
            const std::string unit = column.unitCaption != nullptr ? column.unitCaption : std::string(columns[c].unit);
            picture.AddLabel({nullptr, unit.c_str(), unitBox, kCentred, 0});
        }
        m_values[c] = picture.AddValueColumn(column.name, column.left, column.width);
    }
    m_lblName = picture.AddNameColumn();
    CentreOnDisplay(*this, kBelowFrmResult2);
}

void FrmResult1::Fill(const RunState& selection)
{
    const std::string_view unitLabel = ForceUnitLabel(selection.forceUnit);
    for (QLabel* tani : m_lblTani) {
        tani->setText(QString::fromUtf8(unitLabel.data(), static_cast<qsizetype>(unitLabel.size())));
    }
    const std::span<const ResultColumn> columns = ResultSet1Columns();
    std::array<bool, kModelCount> framed{};
    for (int i = 0; i < kModelCount; ++i) {
        const auto row = static_cast<std::size_t>(i);
        ShowModelName(*m_lblName[row], ModelLabel(selection, i));
        for (std::size_t c = 0; c < columns.size(); ++c) {
            ShowValue(*m_values[c][row], ShownText(columns[c], selection, i), Failed(columns[c], selection, i));
        }
        framed[row] = AssessResults1(selection, i).withinTolerance;
    }
    Picture1().SetFramedRows(framed);
}

}  // namespace vyra::ui
