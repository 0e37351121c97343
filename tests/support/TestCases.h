#pragma once

#include "Expected.h"
#include "Golden.h"
#include "InputReading.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace vyra::test {

// The worked example of the first standard model: FS 10 kgf, d 100 mm,
// Wr 10 kg, all angles 0, l = h = 0, Wp 1 kg, V 100 m/min.
inline EntryForm WorkedExampleForm() { return {{"10", "100", "10", "0", "0", "0", "0", "0", "1", "100"}}; }

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

// A case table's text unescaped: \s a blank, \t, \n, \r, \xHH a byte, \(N)C N copies of C.
inline std::string Unescape(const std::string& field)
{
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        const char code = field[i] == '\\' && i + 1 < field.size() ? field[++i] : '\0';
        if (code == 'x') {
            text += static_cast<char>(std::stoi(field.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else if (code == '(') {
            const std::size_t close = field.find(')', i);
            text.append(std::stoul(field.substr(i + 1, close - i - 1)), field[close + 1]);
            i = close + 1;
        } else {
            text += code == 's' ? ' ' : code == 't' ? '\t' : code == 'n' ? '\n' : code == 'r' ? '\r' : field[i];
        }
    }
    return text;
}

// The result tables by their figures' symbols, in the order of the columns.
inline const std::vector<std::pair<std::string, ResultTable ResultTables::*>> kTables{
    {"P1", &ResultTables::P1}, {"We", &ResultTables::We}, {"P", &ResultTables::P},   {"Zt", &ResultTables::Zt},
    {"Zr", &ResultTables::Zr}, {"Zs", &ResultTables::Zs}, {"Vt", &ResultTables::Vt}, {"Vr", &ResultTables::Vr},
    {"S", &ResultTables::S},   {"F1", &ResultTables::F1}, {"F2", &ResultTables::F2}, {"F3", &ResultTables::F3},
    {"E", &ResultTables::E},   {"PB", &ResultTables::PB}};

}  // namespace vyra::test
