#pragma once

#include "CaseText.h"
#include "Expected.h"
#include "Golden.h"
#include "InputReading.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace vyra::test {

// A roller of a line specified in US customary units, typed in an lbf run:
// 50 lbf, 4 in, 30 lb, l 1 in, h 0.5 in, Wp 2 lb, 500 ft/min.
inline EntryForm LbfForm() { return {{"50", "4", "30", "20", "80", "20", "1", "0.5", "2", "500"}}; }

// Intrinsically safe, one sensor independently on one channel, fulcrum left,
// the web pulling the roller off its stopper: negative loads on the large
// models, a line fast enough that most ratios fail.
inline EntryForm HarshForm()
{
    return {{"300", "60", "40", "170", "170", "0", "50", "200", "5", "360"}, 1, 1, 1, 1, 1};
}

// The record fields the sketch reads; everything else stays zero.
inline SelectionInputs SketchInputs(std::int16_t alpha, std::int16_t beta, std::int16_t gamma, double l,
                                    std::int16_t fulcrum)
{
    return {.l = l, .alpha = alpha, .beta = beta, .gamma = gamma, .fulcrumIndex = fulcrum};
}

// The reason of a failure, or "" for a success.
template <typename T>
std::string ReasonOf(const Expected<T>& result)
{
    return result ? std::string() : result.Error().reason;
}

// A number of a case table as strtod reads it, "inf", "-inf" and "nan" too.
inline double Number(const std::string& field) { return std::strtod(field.c_str(), nullptr); }

// The worked example with a typed_texts row's text in its field (the table says what it reads as).
inline EntryForm TypedForm(const CaseRow& row) { return EditedWorkedExample(row[1] + "=" + row[2]); }

// The result tables by their figures' symbols, in the order of the columns.
inline const std::vector<std::pair<std::string, ResultTable ResultTables::*>> kTables{
    {"P1", &ResultTables::P1}, {"We", &ResultTables::We}, {"P", &ResultTables::P},   {"Zt", &ResultTables::Zt},
    {"Zr", &ResultTables::Zr}, {"Zs", &ResultTables::Zs}, {"Vt", &ResultTables::Vt}, {"Vr", &ResultTables::Vr},
    {"S", &ResultTables::S},   {"F1", &ResultTables::F1}, {"F2", &ResultTables::F2}, {"F3", &ResultTables::F3},
    {"E", &ResultTables::E},   {"PB", &ResultTables::PB}};

}  // namespace vyra::test
