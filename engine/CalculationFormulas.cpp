#include "CalculationRecord.h"

#include "Checks.h"
#include "Headroom.h"
#include "NumberText.h"
#include "Results1.h"
#include "Results2.h"
#include "RunState.h"

#include <fmt/format.h>

#include <cmath>
#include <initializer_list>

namespace vyra {

namespace {

// Writes the formulas of one model: each a line of symbols and one of its
// numbers, the result in the program's unit and, where the run shows it in
// another, converted by the run's own factor.
class FormulaWriter {
public:
    FormulaWriter(const RunState& state, std::vector<RecordLine>& lines) : m_state(state), m_lines(lines) { }

    void Write(std::string_view symbol, std::string_view formula, const std::string& substituted, double result,
               std::string_view unit, Quantity quantity = Quantity::Fixed)
    {
        Text(std::string(symbol) + " = " + std::string(formula));
        Text("    = " + substituted + " = " + Shown(result, unit));
        const ForceUnit run = m_state.forceUnit;
        if (InRunUnits(quantity, 1, run) == 1) {
            return;
        }
        const std::string op = run == kNewton ? " x " : " / ";
        const double factor = run == kNewton ? kNewtonsPerKgf : InProgramUnits(quantity, 1, run);
        Text("    = " + RecordNumber(result) + op + ShortestText(factor) + " = "
             + Shown(InRunUnits(quantity, result, run), UnitSymbol(quantity, run)));
    }

    void Text(std::string text) { m_lines.push_back({RecordLineKind::Text, std::move(text), {}}); }
    void Heading(std::string text) { m_lines.push_back({RecordLineKind::Heading, std::move(text), {}}); }

private:
    static std::string Shown(double value, std::string_view unit)
    {
        // Appended piece by piece: GCC 12 sees an overlapping copy in " " + unit.
        std::string shown = RecordNumber(value);
        if (!unit.empty()) {
            shown += ' ';
            shown += unit;
        }
        return shown;
    }

    const RunState& m_state;
    std::vector<RecordLine>& m_lines;
};

// The pattern with each '#' replaced by the next value; a negative value
// raised to a power in brackets, so that "-30^2" is never read as -900.
std::string Numbers(std::string_view pattern, std::initializer_list<double> values)
{
    std::string text;
    auto value = values.begin();
    for (std::size_t at = 0; at < pattern.size(); ++at) {
        if (pattern[at] != '#' || value == values.end()) {
            text += pattern[at];
            continue;
        }
        const std::string number = RecordNumber(*value++);
        const bool bracketed = number.starts_with('-') && pattern.substr(at + 1).starts_with('^');
        text += bracketed ? "(" + number + ")" : number;
    }
    return text;
}

void WriteLoad(FormulaWriter& w, const RunState& s, int i)
{
    const SelectionInputs& in = s.inputs;
    const SensorModel& model = s.model(i);
    const LoadTerms k = LoadTermsOf(s, i);
    const ResultTables& t = s.tables;
    w.Write("theta1", "alpha - gamma", Numbers("# - #", {double(in.alpha), double(in.gamma)}), k.theta1, "deg");
    w.Write("theta2", "beta + gamma", Numbers("# + #", {double(in.beta), double(in.gamma)}), k.theta2, "deg");
    if (in.methodCode == kTwoSensors) {
        w.Write("W", "2 x Wp + Wr", Numbers("2 x # + #", {in.Wp, in.Wr}), k.W, "kg");
    } else {
        w.Write("W", "Wp + Wr", Numbers("# + #", {in.Wp, in.Wr}), k.W, "kg");
    }
    w.Write("Lx", "l + a", Numbers("# + #", {in.l, model.leverLength}), k.Lx, "mm");
    w.Write("Ly", "h + h0", Numbers("# + #", {in.h, model.heightOffset}), k.Ly, "mm");
    w.Write("A", "(Lx cos(theta1) - Ly sin(theta1) + Lx cos(theta2) + Ly sin(theta2)) / (2 a)",
            Numbers("(# x cos(#) - # x sin(#) + # x cos(#) + # x sin(#)) / (2 x #)",
                    {k.Lx, double(k.theta1), k.Ly, double(k.theta1), k.Lx, double(k.theta2), k.Ly, double(k.theta2),
                     model.leverLength}),
            k.A, "");
    w.Write("B", "(Lx cos(gamma) + Ly sin(gamma)) / (2 a)",
            Numbers("(# x cos(#) + # x sin(#)) / (2 x #)",
                    {k.Lx, double(in.gamma), k.Ly, double(in.gamma), model.leverLength}),
            k.B, "");
    w.Text(Numbers("m = #: 2 where one sensor alone carries the load of the roller, else 1", {k.m}));
    w.Write("P1", "m x T x A", Numbers("# x # x #", {k.m, k.T, k.A}), t.P1[i], "kgf", Quantity::Force);
    w.Write("We", "m x W x B", Numbers("# x # x #", {k.m, k.W, k.B}), t.We[i], "kgf", Quantity::Force);
    w.Write("P", "P1 + We", Numbers("# + #", {t.P1[i], t.We[i]}), t.P[i], "kgf", Quantity::Force);
}

void WriteOutputs(FormulaWriter& w, const RunState& s, int i)
{
    const SensorModel& model = s.model(i);
    const ResultTables& t = s.tables;
    const double c = StopperCompliance(s, i);
    w.Write("c", "fs / Ks", Numbers("# / #", {model.stopperFactor, model.springConstant}), c, "mm/kgf");
    w.Write("Zt", "c x P1", Numbers("# x #", {c, t.P1[i]}), t.Zt[i], "mm", Quantity::Displacement);
    w.Write("Zr", "c x We", Numbers("# x #", {c, t.We[i]}), t.Zr[i], "mm", Quantity::Displacement);
    w.Write("Zs", "Zr + Zt", Numbers("# + #", {t.Zr[i], t.Zt[i]}), t.Zs[i], "mm", Quantity::Displacement);
    const double C = s.series().outputCoefficient;
    w.Write("Vt", "C x fo x P1 / Ko",
            Numbers("# x # x # / #", {C, model.outputFactor, t.P1[i], model.outputSpringConstant}), t.Vt[i], "mV");
    w.Write("Vr", "C x fo x We / Ko",
            Numbers("# x # x # / #", {C, model.outputFactor, t.We[i], model.outputSpringConstant}), t.Vr[i], "mV");
    const double n = ChannelCount(s);
    w.Text(Numbers("n = #: the channels read", {n}));
    w.Write("S", "10 / (10^-3 x n x Vt)", Numbers("10 / (10^-3 x # x #)", {n, t.Vt[i]}), t.S[i], "");
}

void WriteFrequencies(FormulaWriter& w, const RunState& s, int i)
{
    const SelectionInputs& in = s.inputs;
    const SensorModel& model = s.model(i);
    const FrequencyTerms k = FrequencyTermsOf(s, i);
    const ResultTables& t = s.tables;
    w.Write("F1", "V / (60 x pi x d x 10^-3)", Numbers("# / (60 x pi x # x 10^-3)", {in.V, in.d}), t.F1[i], "Hz");
    w.Write("b", "h + h0", Numbers("# + #", {in.h, model.heightOffset}), k.b, "mm");
    w.Write("K", "a^2 x Ks x 9800", Numbers("#^2 x # x 9800", {k.a, model.springConstant}), k.K, "N mm^2/m");
    w.Write("L2", "(l + a)^2 + b^2", Numbers("(# + #)^2 + #^2", {in.l, k.a, k.b}), k.L2, "mm^2");
    w.Write("F0", "sqrt(K / (Wr x L2)) / (2 x pi)", Numbers("sqrt(# / (# x #)) / (2 x pi)", {k.K, in.Wr, k.L2}), k.F0,
            "Hz");
    w.Write("F2", "sqrt(2) x F0", Numbers("sqrt(2) x #", {k.F0}), t.F2[i], "Hz");
    w.Write("F3", "sqrt(3) x F0", Numbers("sqrt(3) x #", {k.F0}), t.F3[i], "Hz");
    if (in.V == 0) {
        w.Text("E = 0 um: a standing line has no eccentricity to excite");
    } else {
        w.Write("E", "10^4 x pi x d / (10^3 x V)", Numbers("10^4 x pi x # / (10^3 x #)", {in.d, in.V}), t.E[i], "um",
                Quantity::Eccentricity);
    }
    w.Write("L", "sqrt((l + a)^2 + b^2)", Numbers("sqrt((# + #)^2 + #^2)", {in.l, k.a, k.b}), k.L, "mm");
    w.Write("PB", "(2 x pi x F1)^2 x Wr x E x L / (19.6 x 10^6 x a)",
            Numbers("(2 x pi x #)^2 x # x # x # / (19.6 x 10^6 x #)", {t.F1[i], in.Wr, t.E[i], k.L, k.a}), t.PB[i],
            "kgf", Quantity::Force);
    if (t.F1[i] == 0) {
        w.Text("F1/F2 = F1/F3 = 0: a standing line excites no resonance");
        return;
    }
    w.Write("F1/F2", "F1 / F2", Numbers("# / #", {t.F1[i], t.F2[i]}), FrequencyRatio(t.F1[i], t.F2[i]), "");
    w.Write("F1/F3", "F1 / F3", Numbers("# / #", {t.F1[i], t.F3[i]}), FrequencyRatio(t.F1[i], t.F3[i]), "");
}

constexpr std::array<std::string_view, kMarginCount> kHeldUnits{"kgf", "mm", "mm", "mV", "", "", ""};

std::string WithUnit(const std::string& figure, std::string_view unit)
{
    return unit.empty() ? figure : figure + " " + std::string(unit);
}

// "|Zr| < Zlim: |0.730404| < 0.7 mm, margin 104%, fails".
std::string LimitLine(const RunState& s, int i, int k, const CheckMargin& margin)
{
    const Check& check = *kChecks[static_cast<std::size_t>(k)];
    const std::string sym(check.symbol);
    const std::string unit(kHeldUnits[static_cast<std::size_t>(k)]);
    const std::string figure = RecordNumber(check.figure(s.tables, i));
    const std::string upper = WithUnit(RecordNumber(UpperLimit(check, s, i)), unit);
    const std::string lower = RecordNumber(check.lower);
    std::string text;
    switch (check.side) {
    case PassingSide::NotNegative:
        text = sym + " >= 0: " + WithUnit(figure, unit) + " >= 0";
        break;
    case PassingSide::AbsoluteBelow:
        text = "|" + sym + "| < " + (check.modelsOwnLimit ? "Zlim" : upper) + ": |" + WithUnit(figure, unit) + "| < "
               + upper;
        break;
    case PassingSide::AbsoluteBetween:
        text = lower + " < |" + sym + "| < " + upper + ": " + lower + " < |" + figure + "| < " + upper;
        break;
    case PassingSide::Below:
        text = sym + " < " + upper + ": " + figure + " < " + upper;
        break;
    }
    const std::string shown = MarginText(margin, static_cast<MarginCheck>(k));
    return "  " + text + (k == kMarginP1 ? "" : ", margin " + shown) + (margin.fails ? ", fails" : ", passes");
}

}  // namespace

std::string RecordNumber(double value) { return fmt::format("{:.6g}", value); }

std::vector<RecordLine> ModelFormulas(const RunState& state, int model)
{
    std::vector<RecordLine> lines;
    FormulaWriter w(state, lines);
    w.Heading("Result set 1");
    WriteLoad(w, state, model);
    WriteOutputs(w, state, model);
    w.Heading("Result set 2");
    WriteFrequencies(w, state, model);
    w.Heading("Limits and margins");
    const CheckMargins margins = MarginsOf(state, model);
    for (int k = 0; k < kMarginCount; ++k) {
        if (margins[k].applies) {
            w.Text(LimitLine(state, model, k, margins[k]));
        }
    }
    return lines;
}

}  // namespace vyra
