#include "TextTables.h"

#include "ResultFormat.h"
#include "Results1.h"
#include "Results2.h"

#include <functional>
#include <iomanip>
#include <string>
#include <vector>

namespace vyra::cli {

namespace {

constexpr int kNameWidth = 10;
constexpr int kValueWidth = 9;

struct Column {
    std::string heading;
    std::function<std::string(int)> text;
    std::function<bool(int)> fails;
};

std::string RowName(const RunState& state, int i)
{
    return std::to_string(i + 1).back() + std::string(" ") + std::string(state.model(i).name);
}

std::string_view SeriesWording(const RunState& state)
{
    return state.seriesIndex == kStandardSeries ? "Standard" : "Intrinsically safe";
}

void WriteTable(const RunState& state, const std::vector<Column>& columns, const std::function<bool(int)>& passes,
                std::ostream& out)
{
    out << std::left << std::setw(kNameWidth) << "  Model" << std::right;
    for (const Column& column : columns) {
        out << std::setw(kValueWidth) << column.heading << ' ';
    }
    out << " Pass\n";
    for (int i = 0; i < kModelCount; ++i) {
        out << std::left << std::setw(kNameWidth) << RowName(state, i) << std::right;
        for (const Column& column : columns) {
            out << std::setw(kValueWidth) << column.text(i) << (column.fails(i) ? '*' : ' ');
        }
        out << (passes(i) ? " yes" : " no") << '\n';
    }
}

std::vector<Column> Set1Columns(const RunState& state)
{
    const ResultTables& t = state.tables;
    const std::int16_t unit = state.forceUnit;
    const std::string force(ForceUnitLabel(unit));
    auto a = [&state](int i) { return AssessResults1(state, i); };
    auto never = [](int) { return false; };
    return {
        {"P1" + force, [&t, unit](int i) { return FormatLoad(t.P1[i], unit); }, [a](int i) { return a(i).failP1; }},
        {"We" + force, [&t, unit](int i) { return FormatLoad(t.We[i], unit); }, never},
        {"P" + force, [&t, unit](int i) { return FormatLoad(t.P[i], unit); }, never},
        {"Zt[mm]", [&t](int i) { return FormatPattern(t.Zt[i], 2); }, never},
        {"Zr[mm]", [&t](int i) { return FormatPattern(t.Zr[i], 2); }, [a](int i) { return a(i).failZr; }},
        {"Zs[mm]", [&t](int i) { return FormatPattern(t.Zs[i], 2); }, [a](int i) { return a(i).failZs; }},
        {"Vt[V]", [&t](int i) { return FormatPattern(t.Vt[i] / 1000, 3); }, never},
        {"Vr[V]", [&t](int i) { return FormatPattern(t.Vr[i] / 1000, 3); }, [a](int i) { return a(i).failVr; }},
        {"S[times]", [&t](int i) { return FormatPattern(t.S[i], 1); }, [a](int i) { return a(i).failS; }},
    };
}

std::vector<Column> Set2Columns(const RunState& state)
{
    const ResultTables& t = state.tables;
    const std::int16_t unit = state.forceUnit;
    auto a = [&state](int i) { return AssessResults2(state, i); };
    auto never = [](int) { return false; };
    return {
        {"F1[Hz]", [&t](int i) { return FormatPattern(t.F1[i], 1); }, never},
        {"F2[Hz]", [&t](int i) { return FormatPattern(t.F2[i], 1); }, never},
        {"F3[Hz]", [&t](int i) { return FormatPattern(t.F3[i], 1); }, never},
        {"F1/F2", [&t](int i) { return FormatPattern(FrequencyRatio(t.F1[i], t.F2[i]), 2); }, [a](int i) { return a(i).failF1F2; }},
        {"F1/F3", [&t](int i) { return FormatPattern(FrequencyRatio(t.F1[i], t.F3[i]), 2); }, [a](int i) { return a(i).failF1F3; }},
        {"E[um]", [&t](int i) { return FormatPattern(t.E[i], 2); }, never},
        {"PB" + std::string(ForceUnitLabel(unit)), [&t, unit](int i) { return FormatEccentricForce(t.PB[i], unit); },
         never},
    };
}

}  // namespace

void WriteTextTables(const RunState& state, std::ostream& out)
{
    out << "Selection result 1 (" << SeriesWording(state) << " series, " << MethodWording(state.inputs.methodCode)
        << ")\n";
    WriteTable(state, Set1Columns(state), [&state](int i) { return AssessResults1(state, i).withinTolerance; }, out);
    out << "Tolerance (absolute values): Zr and Zs below the model's limit (0.65, 0.7 or 0.8 mm),"
           " Vr < 0.260 V, 12 < S < 80;\nP1 not negative for models 7 to 9. * marks a value out of tolerance.\n\n";
    out << "Selection result 2 (" << SeriesWording(state) << " series, " << MethodWording(state.inputs.methodCode)
        << ")\n";
    WriteTable(state, Set2Columns(state), [&state](int i) { return AssessResults2(state, i).withinTolerance; }, out);
    out << "Tolerance: F1/F2 < 0.7, F1/F3 < 0.7. * marks a value out of tolerance.\n";
}

}  // namespace vyra::cli
