#include "ResultScreenTables.h"

#include "ResultFormat.h"

#include <array>
#include <string>

namespace vyra::ui {

namespace {

constexpr Qt::Alignment kCentred = Qt::AlignHCenter;
constexpr double kToleranceTop = 5520;
constexpr double kTolerancePoints = 8.25;

// Twips inside Picture1.
constexpr std::array<Rule, 7> kRules1{{
    {0, 960, 9240, 960},
    {1200, 360, 9240, 360},
    {0, 5400, 9240, 5400},
    {1200, 0, 1200, 5400},
    {3840, 0, 3840, 5400},
    {6360, 0, 6360, 5400},
    {8280, 0, 8280, 5400},
}};

constexpr std::array<TableText, 4> kHeadings1{{
    {nullptr, "Transmitted load", {1200, 120, 2640, 240}, kCentred, 0},
    {nullptr, "Stopper displacement", {3840, 120, 2520, 240}, kCentred, 0},
    {nullptr, "Sensor output", {6360, 120, 1920, 240}, kCentred, 0},
    {nullptr, "Gain", {8280, 120, 960, 240}, kCentred, 0},
}};

template <const Check& check>
std::string Tolerance(ForceUnit)
{
    return ToleranceText(check, Wording::Screen);
}

constexpr std::array<RunUnitText, 4> kNotes1{{
    {{nullptr, "Tolerance", {120, kToleranceTop, 960, 255}, Qt::AlignLeft, kTolerancePoints}},
    {{nullptr, "(Abusolute value)", {1080, kToleranceTop, 2760, 255}, Qt::AlignLeft, kTolerancePoints}},
    {{nullptr, "", {6780, kToleranceTop, 1500, 255}, Qt::AlignLeft, kTolerancePoints}, Tolerance<kVrCheck>},
    {{nullptr, "", {8400, kToleranceTop, 900, 255}, Qt::AlignLeft, kTolerancePoints}, Tolerance<kSCheck>},
}};

// The stopper limits in the run's unit. The line reaches to the next note,
// so that the longer limits in mil are not cut.
constexpr std::array<RunUnitText, 1> kRunUnitTexts1{{
    {{nullptr, "", {3900, kToleranceTop, 2880, 255}, Qt::AlignLeft, kTolerancePoints}, StopperToleranceLine},
}};

constexpr double kSymbolTop = 480;
constexpr double kSymbolPoints = 11.25;
constexpr double kUnitTop = 720;
// Symbol and unit headings are centred over their column in a box wider
// than the narrow columns, so that "[times]" fits.
constexpr double kHeadingWidth = 840;

consteval ValueColumn Centred(std::string_view symbol, const char* name, double left, double width,
                              const char* unitCaption = nullptr)
{
    const double headingLeft = left + (width - kHeadingWidth) / 2;
    return {ColumnNamed(symbol),
            name,
            left,
            width,
            {headingLeft, kSymbolTop, kHeadingWidth, 255},
            kSymbolPoints,
            {headingLeft, kUnitTop, kHeadingWidth, 240},
            unitCaption};
}

constexpr std::array<ValueColumn, 9> kColumns1{{
    Centred("P1", "lblP1", 1320, 735),
    Centred("We", "lblWe", 2160, 735),
    Centred("P", "lblP", 3000, 735),
    Centred("Zt", "lblZt", 3960, 615),
    Centred("Zr", "lblZr", 4800, 615),
    Centred("Zs", "lblZs", 5640, 615),
    Centred("Vt", "lblVt", 6480, 735, " [V]"),
    Centred("Vr", "lblVr", 7440, 735, " [V]"),
    Centred("S", "lblS", 8400, 615),
}};

static_assert(PlacesEveryColumnOnce(kColumns1, kResultSet1Columns));

// Below the centred frmResult2, so that its caption stays in sight.
constexpr double kBelowFrmResult2 = 205;

constexpr std::array<Rule, 10> kRules2{{
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

// Headings sit in the cells between the rules; the two-line ones share the
// lines at 360 and 600 under the group headings at 120.
constexpr std::array<TableText, 13> kHeadings2{{
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
    // "ΔF" ends where lblTani begins, so that "ΔF[kgf]" reads as one
    // heading centred in its cell.
    {nullptr, "ΔF", {8160, 840, 378, 240}, Qt::AlignRight, 0},
}};

std::string ForceUnitText(ForceUnit forceUnit) { return std::string(ForceUnitLabel(forceUnit)); }
std::string EccentricityText(ForceUnit forceUnit) { return std::string(EccentricityHeading(forceUnit)); }

constexpr std::array<RunUnitText, 2> kRunUnitTexts2{{
    {{"lblTani", "", {8538, 840, 702, 240}, Qt::AlignLeft, 0}, ForceUnitText},
    {{nullptr, "", {6960, 840, 1200, 240}, kCentred, 0}, EccentricityText},
}};

constexpr std::array<RunUnitText, 3> kNotes2{{
    {{nullptr, "Tolerance", {120, kToleranceTop, 960, 255}, Qt::AlignLeft, kTolerancePoints}},
    {{nullptr, "", {4890, kToleranceTop, 990, 255}, Qt::AlignLeft, kTolerancePoints}, Tolerance<kF1F2Check>},
    {{nullptr, "", {5970, kToleranceTop, 990, 255}, Qt::AlignLeft, kTolerancePoints}, Tolerance<kF1F3Check>},
}};

// A heading cell holds the column's symbol and unit as one text; the last
// two columns are headed by the fixed texts above.
constexpr std::array<ValueColumn, 7> kColumns2{{
    {ColumnNamed("F1"), "lblF1", 1560, 615, {1200, 840, 1440, 240}, 0, {}},
    {ColumnNamed("F2"), "lblF2", 2880, 615, {2640, 840, 1080, 240}, 0, {}},
    {ColumnNamed("F3"), "lblF3", 3960, 615, {3720, 840, 1080, 240}, 0, {}},
    {ColumnNamed("F1/F2"), "lblF1F2", 5040, 615, {4800, 840, 1080, 240}, 0, {}},
    {ColumnNamed("F1/F3"), "lblF1F3", 6120, 615, {5880, 840, 1080, 240}, 0, {}},
    {ColumnNamed("E"), "lblE", 7200, 735, {}, 0, {}},
    {ColumnNamed("PB"), "lblPB", 8400, 615, {}, 0, {}},
}};

static_assert(PlacesEveryColumnOnce(kColumns2, kResultSet2Columns));

}  // namespace

constexpr ResultScreenLayout kFrmResult1{
    .caption = "Selection result 1",
    .set = ResultSet1,
    .rules = kRules1,
    .headings = kHeadings1,
    .runUnitTexts = kRunUnitTexts1,
    .columns = kColumns1,
    .notes = kNotes1,
    .belowCentre = kBelowFrmResult2,
    .calculationId = {60, 5955, 3840, 435},
};

constexpr ResultScreenLayout kFrmResult2{
    .caption = "Selection result 2",
    .set = ResultSet2,
    .rules = kRules2,
    .headings = kHeadings2,
    .runUnitTexts = kRunUnitTexts2,
    .columns = kColumns2,
    .notes = kNotes2,
    .belowCentre = 0,
    .runNotes = {60, 5955, 3840, 435},
};

}  // namespace vyra::ui
