// Runs the engine over the case tables that feed its computations and
// writes every figure, shown text and verdict, one "key<TAB>value" a line,
// numbers in their round-trip form. Built natively and as WebAssembly from
// this one source; compare-engines.mjs holds the two outputs side by side.
#include "CaseText.h"
#include "Commands.h"
#include "Headroom.h"
#include "LoadResolution.h"
#include "NumberText.h"
#include "ResultColumns.h"
#include "ResultFormat.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace vyra::test {
namespace {

std::vector<std::vector<std::string>> Rows(const std::string& folder, const std::string& table)
{
    std::ifstream file(folder + "/" + table + ".txt", std::ios::binary);
    return CaseRows(file);
}

void Put(const std::string& key, const std::string& value) { std::printf("%s\t%s\n", key.c_str(), value.c_str()); }
void PutNumber(const std::string& key, double value) { Put(key, std::string("=").append(RoundTripText(value))); }

void PutSelection(const std::string& key, const RunState& state)
{
    for (int i = 0; i < kModelCount; ++i) {
        const std::string model = key + " model " + std::to_string(i) + " ";
        for (const ResultSet& set : {ResultSet1(), ResultSet2()}) {
            for (const ResultColumn& column : set.columns) {
                const std::string name = model + std::string(column.symbol);
                PutNumber(name, column.value(state.tables, i));
                Put(name + " shown", ShownText(column, state, i) + (Failed(column, state, i) ? " fails" : ""));
            }
        }
        PutNumber(model + "maxSpeed", MaxSpeed(state, i));
        Put(model + "passes", std::string(PassedSets(state, i)));
    }
}

void PutOutcome(const std::string& key, const RunState& state, const CheckResult& failure)
{
    if (!failure) {
        PutSelection(key, state);
        return;
    }
    std::string marks;
    for (const int item : failure->markedItems) {
        marks += ' ' + std::to_string(item);
    }
    Put(key + " refused", failure->title + "|" + failure->message + "|" + marks + (failure->fulcrumMarked ? " F" : ""));
}

void DumpTables(const std::string& folder)
{
    for (const auto& row : Rows(folder, "engine_figures")) {
        RunState state;
        if (ReadFiguresRow(row, state)) {
            RunSelection(state);
        }
        PutSelection("figures " + row[0], state);
    }
    for (const auto& row : Rows(folder, "engine_commands")) {
        RunState state;
        EntryForm form = EditedWorkedExample(row[2]);
        const bool select = row[1] == "Select";
        form.opType = form.fulcrumIndex = select ? 0 : 1;  // as the command suite runs "Image chgange"
        PutOutcome("commands " + row[0], state,
                   select ? SelectCommand(state, form) : ImageChangeCommand(state, form, [] {}));
    }
    for (const auto& row : Rows(folder, "engine_lbf_proof")) {
        for (const ForceUnit unit : {kLbf, kKgf}) {
            RunState state;
            state.forceUnit = unit;
            PutOutcome("lbf proof " + row[0] + (unit == kLbf ? " in lbf" : " in kgf"), state,
                       SelectCommand(state, FormOf(row[1], row[unit == kLbf ? 2 : 3])));
        }
    }
    for (const auto& row : Rows(folder, "engine_leading_numbers")) {
        PutNumber("leading " + row[0], ParseLeadingNumber(Unescape(row[1])));
    }
    for (const auto& row : Rows(folder, "engine_patterns")) {
        const double value = std::strtod(row[1].c_str(), nullptr);
        const int decimals = std::stoi(row[2]);
        Put("pattern " + row[0],
            row[3] == "-" ? FormatPattern(value, decimals) : FormatPatternWithin(value, decimals, std::stoul(row[3])));
        Put("shortest " + row[0], ShortestText(value) + " " + NegatedNumberText(row[1]));
    }
}

}  // namespace
}  // namespace vyra::test

// Usage: engine-dump CASES_FOLDER
int main(int argc, char** argv)
{
    if (argc == 2) {
        vyra::test::DumpTables(argv[1]);
    }
    return argc == 2 ? 0 : 2;
}
