// The calculation record read as a checker reads it: every substituted line
// evaluated again from its own numbers, and each result against the tables.
#include "CalculationRecord.h"
#include "Commands.h"
#include "RunState.h"
#include "TestCases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <numbers>
#include <optional>
#include <set>

namespace vyra {
namespace {

// A value and how far the 6 significant digits of its numbers may have
// moved it, carried through each operation to first order.
struct Bounded {
    double v = 0;
    double e = 0;
};

// The numbers of a substituted line: numbers, pi, + - x / ^, brackets, sqrt,
// and cos and sin of degrees. Empty for anything else, a symbol included.
class Expression {
public:
    explicit Expression(std::string text) : m_text(std::move(text)) { }

    std::optional<Bounded> Value()
    {
        const Bounded b = Sum();
        Skip();
        return m_ok && m_at == m_text.size() ? std::optional(b) : std::nullopt;
    }

private:
    void Skip() { m_at = std::min(m_text.find_first_not_of(' ', m_at), m_text.size()); }
    bool Take(std::string_view token)
    {
        Skip();
        const bool found = std::string_view(m_text).substr(m_at).starts_with(token);
        m_at += found ? token.size() : 0;
        return found;
    }
    Bounded Sum()
    {
        for (Bounded a = Product();;) {
            const bool plus = Take("+ ");
            if (!plus && !Take("- ")) {
                return a;
            }
            const Bounded b = Product();
            a = {plus ? a.v + b.v : a.v - b.v, a.e + b.e};
        }
    }
    Bounded Product()
    {
        for (Bounded a = Power();;) {
            const bool times = Take("x ");
            if (!times && !Take("/ ")) {
                return a;
            }
            const Bounded b = Power();
            a = times ? Bounded{a.v * b.v, std::fabs(a.v) * b.e + std::fabs(b.v) * a.e}
                      : Bounded{a.v / b.v, (a.e + std::fabs(a.v / b.v) * b.e) / std::fabs(b.v)};
        }
    }
    // A negative number raised to a power comes in brackets, so a sign binds first.
    Bounded Power()
    {
        const bool negative = Take("-");
        Bounded a = negative ? Power() : Primary();
        a.v = negative ? -a.v : a.v;
        if (!negative && Take("^")) {
            const double n = Power().v;  // a whole exponent, written exactly
            a = {std::pow(a.v, n), std::fabs(n * std::pow(a.v, n - 1)) * a.e};
        }
        return a;
    }
    Bounded Bracketed()
    {
        const Bounded b = Sum();
        m_ok = m_ok && Take(")");
        return b;
    }
    Bounded Primary()
    {
        constexpr double kDegree = std::numbers::pi / 180;
        if (Take("(")) {
            return Bracketed();
        }
        if (Take("sqrt(")) {
            const Bounded b = Bracketed();
            return {std::sqrt(b.v), b.e / (2 * std::sqrt(b.v))};
        }
        const bool cosine = Take("cos(");
        if (cosine || Take("sin(")) {
            const Bounded b = Bracketed();
            return {cosine ? std::cos(b.v * kDegree) : std::sin(b.v * kDegree), b.e * kDegree};
        }
        if (Take("pi")) {
            return {std::numbers::pi, 0};
        }
        Skip();
        const char* first = m_text.c_str() + m_at;
        char* end = nullptr;
        const double v = std::strtod(first, &end);
        m_ok = m_ok && end != first;
        m_at += static_cast<std::size_t>(end - first);
        // Any number may be rounded to its sixth significant digit.
        return {v, std::fabs(v) * 5e-6};
    }

    std::string m_text;
    std::size_t m_at = 0;
    bool m_ok = true;
};

using enum Quantity;
const std::map<std::string, Quantity> kQuantities{{"P1", Force},        {"We", Force},        {"P", Force},
                                                  {"PB", Force},        {"Zt", Displacement}, {"Zr", Displacement},
                                                  {"Zs", Displacement}, {"E", Eccentricity}};

// The table's figure of the symbol in the unit the line gives it in; nothing
// for a symbol the tables do not hold.
std::optional<double> TableFigure(const RunState& s, int model, const std::string& symbol, const std::string& unit)
{
    const ResultTables& t = s.tables;
    if (symbol == "F1/F2" || symbol == "F1/F3") {
        return t.F1[model] / (symbol == "F1/F2" ? t.F2 : t.F3)[model];
    }
    for (const auto& [name, table] : test::kTables) {
        if (name == symbol) {
            const Quantity q = kQuantities.contains(symbol) ? kQuantities.at(symbol) : Fixed;
            const double held = (t.*table)[model];
            if (q == Fixed || unit == UnitSymbol(q, kKgf)) {
                return held;
            }
            EXPECT_EQ(unit, UnitSymbol(q, s.forceUnit)) << symbol;
            return InRunUnits(q, held, s.forceUnit);
        }
    }
    return std::nullopt;
}

struct Checked {
    std::vector<int> models;  // whose formulas the record writes
    std::vector<std::set<std::string>> tableSymbols;  // of each, checked against the tables
    int substituted = 0;
    long otherRows = 0;
};

// Each line "... = numbers = result unit": the numbers evaluated again
// against the result, within what their rounding allows, and in a model's
// section the result of a figure against its table.
void CheckLine(const RunState& s, const std::string& text, const std::string& symbol, int model, Checked& c)
{
    const std::size_t last = text.rfind(" = ");
    const std::size_t before = last == std::string::npos || last == 0 ? std::string::npos : text.rfind(" = ", last - 1);
    const std::size_t from = before == std::string::npos ? 0 : before + 3;
    const std::optional<Bounded> value =
        last == std::string::npos ? std::nullopt : Expression(text.substr(from, last - from)).Value();
    EXPECT_TRUE(value || !text.starts_with("    = ")) << text;
    if (!value) {
        return;
    }
    char* end = nullptr;
    const double printed = std::strtod(text.c_str() + last + 3, &end);
    const std::string rest(end);
    const std::size_t unitAt = std::min(rest.find_first_not_of(' '), rest.size());
    const std::string unit = rest.substr(unitAt, rest.find_first_of(" ,", unitAt) - unitAt);
    ++c.substituted;
    if (std::isfinite(printed)) {
        EXPECT_LE(std::fabs(value->v - printed), 1.5 * value->e + 6e-6 * std::fabs(printed)) << text;
    } else {
        EXPECT_TRUE(value->v == printed || (std::isnan(value->v) && std::isnan(printed))) << text;
    }
    const std::optional<double> figure = model < 0 ? std::nullopt : TableFigure(s, model, symbol, unit);
    if (figure) {
        c.tableSymbols.back().insert(symbol);
        EXPECT_NEAR(printed, *figure, 5.01e-6 * std::fabs(*figure)) << text;
    }
}

Checked CheckRecord(const RunState& s, const std::vector<RecordSection>& record)
{
    Checked c;
    for (const RecordSection& section : record) {
        int model = -1;
        if (section.title.starts_with("Model ")) {
            model = std::atoi(section.title.c_str() + section.title.find('(') + 1) - 1;
            c.models.push_back(model);
            c.tableSymbols.emplace_back();
        }
        if (section.title.starts_with("The other models")) {
            // A row of figures and one of margins each, under two heading rows.
            c.otherRows = (static_cast<long>(section.lines.size()) - 2) / 2;
        }
        std::string symbol;
        for (const RecordLine& line : section.lines) {
            if (!line.text.starts_with(" ")) {
                symbol = line.text.substr(0, line.text.find(" = "));
            }
            CheckLine(s, line.text, symbol, model, c);
        }
    }
    return c;
}

}  // namespace

TEST(CalculationRecord, EverySubstitutedLineComputesItsResultAndTheTablesFigure)
{
    struct Row {
        std::string name;
        EntryForm form;
        ForceUnit unit;
        std::vector<int> models;  // whose formulas the record writes
        int substituted;  // lines evaluated again, at least
    };
    const std::vector<Row> rows{
        {"worked example, two models pass", test::WorkedExampleForm(), kKgf, {1, 3}, 60},
        {"newton, three models pass", test::EditedWorkedExample("0=980"), kNewton, {5, 6, 7}, 102},
        {"lbf", test::LbfForm(), kLbf, {4, 5}, 83},
        {"nothing passes: the nearest, whose worst margin is smallest", test::HarshForm(), kKgf, {5}, 31},
        {"huge tension, bearing below the axis", test::EditedWorkedExample("0=1e300 7=-100"), kNewton, {8}, 33},
    };
    for (const Row& row : rows) {
        RunState state;
        state.forceUnit = row.unit;
        ASSERT_FALSE(SelectCommand(state, row.form)) << row.name;
        const Checked c = CheckRecord(state, CalculationRecord(state, {row.form.txtInput, {}, "", "", "", ""}));
        EXPECT_EQ(c.models, row.models) << row.name;
        for (const std::set<std::string>& symbols : c.tableSymbols) {
            EXPECT_EQ(symbols.size(), test::kTables.size() + 2) << row.name;
        }
        EXPECT_EQ(c.otherRows, kModelCount - static_cast<long>(c.models.size())) << row.name;
        EXPECT_GE(c.substituted, row.substituted) << row.name;
    }
}

}  // namespace vyra
