#include "ReportResultTables.h"

#include <array>

namespace vyra::gfx::report {

namespace {

using enum ColumnHeading;

constexpr double kRight1 = 90;

constexpr std::array<double, 4> kGroupRules1{20, 44, 65, 81};
constexpr std::array<double, 5> kColumnRules1{28, 36, 51, 58, 73};

constexpr std::array<PlacedText, 4> kGroupHeadings1{{
    {24, 37, "Transmitted load", 20, 44},
    {45, 37, "Stopper displacement", 44, 65},
    {67, 37, "Sensor output", 65, 81},
    {83, 37, "Gain", 81, kRight1},
}};

constexpr std::array<ColumnPlace, 9> kColumnPlaces1{{
    {ColumnNamed("P1"), SymbolOverUnit, 23, 22, 21, 20, 28, 3, 6, 4, 5},
    {ColumnNamed("We"), SymbolOverUnit, 31, 30, 29, 28, 36, 3, 6, 4, 5},
    {ColumnNamed("P"), SymbolOverUnit, 39, 38, 37, 36, 44, 3, 6, 4, 5},
    {ColumnNamed("Zt"), SymbolOverUnit, 46, 45, 45, 44, 51, 1, 5, 1, 5},
    {ColumnNamed("Zr"), SymbolOverUnit, 53, 52, 52, 51, 58, 1, 5, 1, 5},
    {ColumnNamed("Zs"), SymbolOverUnit, 60, 59, 59, 58, 65, 1, 5, 1, 5},
    {ColumnNamed("Vt"), SymbolOverUnit, 68, 67, 66, 65, 73, 1, 6, 1, 6},
    {ColumnNamed("Vr"), SymbolOverUnit, 76, 75, 74, 73, 81, 1, 6, 1, 6},
    {ColumnNamed("S"), SymbolOverUnit, 85, 82, 83, 81, kRight1, 2, 5, 2, 5},
}};

static_assert(PlacesEveryColumnOnce(kColumnPlaces1, kResultSet1Columns));

// The output's and the gain's limits below their columns, two blanks or more
// apart, so that neither reads as part of the other.
constexpr std::array<NoteText, 4> kNotes1{{
    {12, "Tolerance(Absolute value)"},
    {45, "", StopperToleranceLine},
    {72, "", [](ForceUnit) { return ToleranceText(kVrCheck, Wording::Report); }},
    {81.5, "", [](ForceUnit) { return ToleranceText(kSCheck, Wording::Report); }},
}};

constexpr double kRight2 = 87;

constexpr std::array<double, 5> kGroupRules2{20, 32, 52, 66, 78};
constexpr std::array<double, 2> kColumnRules2{42, 59};

constexpr std::array<PlacedText, 11> kGroupHeadings2{{
    {21, 6, "Excitation", 20, 32},
    {37, 6, "Resonant", 32, 52},
    {55, 6, "Frequency", 52, 66},
    {67, 6, "Eccentricity", 66, 78},
    {79, 6, "Eccentric", 78, kRight2, LineEnd::End},
    {21, 7, "frequency", 20, 32},
    {37, 7, "frequency", 32, 52},
    {55, 7, "ratios", 52, 66},
    {79, 7, "force", 78, kRight2, LineEnd::End},
    {32, 8.2, "Two sensors", 32, 42},
    {43, 8.2, "One sensor", 42, 52},
}};

// The frequencies and ratios are headed by their symbol and unit; the last
// two columns come with the tolerance note. No field changes with the unit
// of force.
constexpr std::array<ColumnPlace, 7> kColumnPlaces2{{
    {ColumnNamed("F1"), SymbolWithUnit, 23, 0, 23, 20, 32, 2, 5, 2, 5},
    {ColumnNamed("F2"), SymbolWithUnit, 34, 0, 34, 32, 42, 2, 5, 2, 5},
    {ColumnNamed("F3"), SymbolWithUnit, 44, 0, 44, 42, 52, 2, 5, 2, 5},
    {ColumnNamed("F1/F2"), SymbolWithUnit, 53, 0, 53, 52, 59, 1, 5, 1, 5},
    {ColumnNamed("F1/F3"), SymbolWithUnit, 60, 0, 60, 59, 66, 1, 5, 1, 5},
    {ColumnNamed("E"), OfItsOwn, 71, 0, 70, 66, 78, 2, 6, 2, 6},
    {ColumnNamed("PB"), OfItsOwn, 80, 0, 79, 78, kRight2, 2, 5, 2, 5},
}};

static_assert(PlacesEveryColumnOnce(kColumnPlaces2, kResultSet2Columns));

constexpr std::array<NoteText, 2> kNotes2{{
    {12, "Tolerance"},
    {51, "",
     [](ForceUnit) {
         return ToleranceText(kF1F2Check, Wording::Report) + " " + ToleranceText(kF1F3Check, Wording::Report);
     }},
}};

constexpr double kHeadingY2 = 9.2;

}  // namespace

constexpr ResultTable kResultTable1{
    .set = ResultSet1,
    .places = kColumnPlaces1,
    .top = 36.5,
    .groupBottom = 38.5,
    .bottom = 59.5,
    .right = kRight1,
    .firstRow = 41.5,
    .groupRules = kGroupRules1,
    .columnRules = kColumnRules1,
    .groupLineLeft = 20,
    .groupLineRight = kRight1,
    .groupLinePen = 2,
    .groupHeadings = kGroupHeadings1,
    .headingPoints = 10,
    .symbolY = 39,
    .unitY = 40,
    .noteY = 60,
    .notes = kNotes1,
};

// A running line over a resonance of 0 Hz has no finite ratio: it prints
// "---" and is crossed out, never shown as a passing 0.00. A standing line
// prints 0.00 whatever the resonance.
constexpr ResultTable kResultTable2{
    .set = ResultSet2,
    .places = kColumnPlaces2,
    .top = 5.5,
    .groupBottom = 8,
    .bottom = 28.5,
    .right = kRight2,
    .firstRow = 10.5,
    .groupRules = kGroupRules2,
    .columnRules = kColumnRules2,
    .groupLineLeft = 32,
    .groupLineRight = 66,
    .groupLinePen = 1,
    .groupHeadings = kGroupHeadings2,
    .headingPoints = 9,
    .symbolY = kHeadingY2,
    .unitY = kHeadingY2,
    .noteY = 29,
    .notes = kNotes2,
};

}  // namespace vyra::gfx::report
