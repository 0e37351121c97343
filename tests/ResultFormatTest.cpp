// The result tables' patterns and columns, the report's words.
#include "ResultFormat.h"
#include "Commands.h"
#include "NumberText.h"
#include "ResultColumns.h"
#include "TestCases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>

namespace vyra {
namespace {

// A test weight of 1e-300 kg gives gains of 300 digits; tables give them a
// width, past which a figure takes the exponent form.
TEST(FormatPattern, FixedDecimalsWithALeadingDigit)
{
    for (const auto& row : test::ReadCaseTable("engine_patterns", 5)) {
        const double value = test::Number(row[1]);
        const int decimals = std::stoi(row[2]);
        EXPECT_EQ(row[3] == "-" ? FormatPattern(value, decimals)
                                : FormatPatternWithin(value, decimals, std::stoul(row[3])),
                  row[4])
            << row[0];
    }
}

// JSON's numbers: the fewest digits that read back, fixed or exponent form
// whichever is shorter (fixed on a tie), a long whole number exactly; told
// when it is digits alone, which JSON gives ".0".
TEST(RoundTripText, ShortestFormAsTheJsonDocumentsWriteIt)
{
    const std::pair<double, const char*> cases[] = {
        {0.1, "0.1"},         {1e5, "1e+05"},
        {120000.0, "120000"}, {123456789012345683968.0, "123456789012345683968"},
        {1e21, "1e+21"},      {1234567890123456789012.0, "1234567890123456774144"},
        {2.5e-7, "2.5e-07"},  {0.001, "0.001"},
        {0.0001, "1e-04"},    {-0.0, "-0"},
        {-7.5, "-7.5"},       {5e-324, "5e-324"},
        {-1.0 / 0.0, "-inf"}, {1.7976931348623157e308, "1.7976931348623157e+308"},
        {123456.0, "123456"}, {-12.0, "-12"}};
    for (const auto& [value, text] : cases) {
        std::array<char, kRoundTripTextMax> written{};
        const WrittenNumber number = WriteRoundTripText(written.data(), value);
        EXPECT_EQ(std::string(written.data(), number.end), text);
        EXPECT_EQ(number.digitsOnly, std::string_view(text).find_first_not_of("-0123456789") == std::string::npos)
            << text;
    }
}

TEST(ResultColumns, AFigureNextToItsLimitTellsItsSide)
{
    const std::map<std::string, ForceUnit> units{{"kgf", kKgf}, {"N", kNewton}, {"lbf", kLbf}};
    for (const auto& row : test::ReadCaseTable("engine_limit_texts", 6)) {
        RunState state;
        state.forceUnit = units.at(row[3]);
        const int model = std::stoi(row[2]);
        for (const auto& [symbol, table] : test::kTables) {
            (state.tables.*table)[model] = symbol == row[1] ? test::Number(row[4]) : 1.0;
        }
        state.tables.F1[model] = row[1].starts_with("F1/") ? test::Number(row[4]) : 0.0;
        const auto columns = row[1].starts_with("F1/") ? ResultSet2Columns() : ResultSet1Columns();
        const auto column = std::find_if(columns.begin(), columns.end(), [&](auto& c) { return c.symbol == row[1]; });
        ASSERT_NE(column, columns.end()) << row[0];
        EXPECT_EQ(ShownText(*column, state, model), row[5]) << row[0];
    }
}

// Every column of the worked example's first model in both units, a failing
// Vr of 1500 mV on it and a failing F1/F2 on the second: loads to 0.1 kgf or
// 1 N, outputs held in mV shown in V, PB to 0.01 kgf or 0.1 N; the checks
// mark exactly their own columns.
TEST(ResultColumns, ShowFiguresAndWordsAsTheTablesAndReportDo)
{
    RunState state;
    ASSERT_FALSE(SelectCommand(state, test::WorkedExampleForm()));
    state.tables.Vr[0] = 1500;
    state.tables.F1[1] = 0.7 * state.tables.F2[1];
    std::string recording = "# column | heading kgf, N | model 1 in kgf, in N | marks on models 1, 2\n";
    for (const auto columns : {ResultSet1Columns(), ResultSet2Columns()}) {
        for (const ResultColumn& column : columns) {
            RunState newton = state;
            newton.forceUnit = kNewton;
            recording += std::string(column.symbol) + " | " + std::string(UnitHeading(column, kKgf)) + " "
                         + std::string(UnitHeading(column, kNewton)) + " | " + ShownText(column, state, 0) + " "
                         + ShownText(column, newton, 0) + " | " + (Failed(column, state, 0) ? "x" : "-")
                         + (Failed(column, state, 1) ? "x" : "-") + "\n";
        }
    }
    recording += "# model labels of both series\n";
    for (const std::int16_t series : {kStandardSeries, kIntrinsicallySafeSeries}) {
        state.seriesIndex = series;
        for (int model = 0; model < kModelCount; ++model) {
            recording += ModelLabel(state, model) + "\n";
        }
    }
    recording += "# dates\n" + FormatDate(2026, 12, 5) + "\n" + FormatDate(2027, 1, 31) + "\n" + FormatDate(999, 7, 4)
                 + "\n# detection methods\n";
    for (std::int16_t method = kTwoSensors; method <= kIndependentOne; ++method) {
        recording += std::string(MethodWording(method)) + "\n";
    }
    test::ExpectGolden("engine_result_format", recording);
}

}  // namespace
}  // namespace vyra
