#pragma once

#include "Expected.h"
#include "Golden.h"
#include "RunState.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace vyra::test {

// The rows of a case table with the fields the test reads; another row fails.
inline std::vector<CaseRow> Rows(const std::string& table, std::size_t fields)
{
    std::vector<CaseRow> rows = ReadCaseTable(table);
    std::erase_if(rows, [&](const CaseRow& row) {
        EXPECT_EQ(row.size(), fields) << table << ": " << row[0];
        return row.size() != fields;
    });
    return rows;
}

// The reason of a failure, or "" for a success.
template <typename T>
std::string ReasonOf(const Expected<T>& result)
{
    return result ? std::string() : result.Error().reason;
}

// A number of a case table as strtod reads it, "inf", "-inf" and "nan" too.
inline double Number(const std::string& field) { return std::strtod(field.c_str(), nullptr); }

// A text of a case table with escapes for what a row cannot hold or would
// trim: \s a blank, \t, \n, \r, \xHH a byte, \(N)C N copies of C.
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
