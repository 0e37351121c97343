#include "MaterialFile.h"

#include "NumberText.h"
#include "Utf8.h"

#include <csv.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>

namespace vyra {

// The text of materials.csv, built in by CMake.
extern const std::string_view kBuiltInMaterialText;

namespace {

enum Column : int { kName, kBasis, kLow, kTypical, kHigh, kBreak, kYield, kSource, kColumnCount };
constexpr std::array<std::string_view, kColumnCount> kColumnNames{"name", "basis", "low",   "typical",
                                                                  "high", "break", "yield", "source"};
constexpr int kRequiredColumns = kHigh + 1;

// The fields of each row and the line it starts on; the last row is the
// open one, empty at the end.
struct Rows {
    std::vector<std::vector<std::string>> rows{1};
    std::vector<long> lines{1};
};

void OnField(void* text, std::size_t size, void* self)
{
    static_cast<Rows*>(self)->rows.back().emplace_back(static_cast<const char*>(text), size);
}

void OnRowEnd(int, void* self)
{
    auto& rows = *static_cast<Rows*>(self);
    rows.rows.emplace_back();
    rows.lines.push_back(rows.lines.back());
}

// Fed a line at a time, so that each row knows its line.
Expected<Rows> SplitRows(std::string_view text)
{
    Rows rows;
    csv_parser csv{};
    csv_init(&csv, CSV_STRICT | CSV_STRICT_FINI);
    // Blanks around a field are the hand-editing's, not the name's.
    csv_set_space_func(&csv, [](unsigned char c) { return c == ' ' || c == '\t' ? 1 : 0; });
    long line = 1;
    bool failed = false;
    for (std::size_t at = 0; at < text.size() && !failed; ++line) {
        const std::size_t end = std::min(text.find('\n', at), text.size() - 1) + 1;
        if (rows.rows.back().empty() && csv.entry_pos == 0) {
            rows.lines.back() = line;
        }
        failed = csv_parse(&csv, text.data() + at, end - at, OnField, OnRowEnd, &rows) != end - at;
        at = end;
    }
    failed = failed || csv_fini(&csv, OnField, OnRowEnd, &rows) != 0;
    csv_free(&csv);
    if (failed) {
        return Failed("line " + std::to_string(rows.lines.back()) + ": a quote out of place");
    }
    return rows;
}

Expected<std::array<int, kColumnCount>> ReadHeader(const std::vector<std::string>& names)
{
    std::array<int, kColumnCount> at;
    at.fill(-1);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const auto known = std::find(kColumnNames.begin(), kColumnNames.end(), names[i]);
        if (known == kColumnNames.end()) {
            return Failed("line 1: unknown column \"" + EscapedText(names[i], LineBreaks::Escape) + "\"");
        }
        int& column = at[static_cast<std::size_t>(known - kColumnNames.begin())];
        if (column >= 0) {
            return Failed("line 1: the column \"" + names[i] + "\" is named twice");
        }
        column = static_cast<int>(i);
    }
    for (int column = 0; column < kRequiredColumns; ++column) {
        if (at[column] < 0) {
            return Failed("line 1: no column \"" + std::string(kColumnNames[column]) + "\"");
        }
    }
    return at;
}

class RowReader {
public:
    RowReader(const std::vector<std::string>& fields, const std::array<int, kColumnCount>& at, long line)
        : m_fields(fields), m_at(at), m_line(line)
    {
    }

    std::string Text(Column column) const { return m_at[column] < 0 ? std::string() : m_fields[m_at[column]]; }

    Failure Problem(Column column, const std::string& what) const
    {
        return Failed("line " + std::to_string(m_line) + ": " + std::string(kColumnNames[column]) + " " + what);
    }

    Expected<std::optional<double>> Figure(Column column, bool required) const
    {
        const std::string text = Text(column);
        if (text.empty() && !required) {
            return std::optional<double>();
        }
        const std::optional<double> value = ParseWholeNumber(text);
        if (!value || !std::isfinite(*value) || *value < 0) {
            return Problem(column, "is a number, 0 or above, not \"" + EscapedText(text, LineBreaks::Escape) + "\"");
        }
        return value;
    }

private:
    const std::vector<std::string>& m_fields;
    const std::array<int, kColumnCount>& m_at;
    long m_line;
};

Expected<WebMaterial> ReadMaterial(const RowReader& row)
{
    WebMaterial m;
    m.name = row.Text(kName);
    if (m.name.empty()) {
        return row.Problem(kName, "is empty");
    }
    const std::optional<TensionBasis> basis = BasisNamed(row.Text(kBasis));
    if (!basis) {
        return row.Problem(kBasis, "is thickness, grammage, yield or layers, not \"" + row.Text(kBasis) + "\"");
    }
    m.basis = *basis;
    std::array<std::optional<double>, kColumnCount> figures;
    for (const Column column : {kLow, kTypical, kHigh, kBreak, kYield}) {
        Expected<std::optional<double>> figure = row.Figure(column, column <= kHigh);
        if (!figure) {
            return figure.Error();
        }
        figures[column] = *figure;
    }
    m.low = *figures[kLow];
    m.typical = *figures[kTypical];
    m.high = *figures[kHigh];
    if (m.low > m.typical || m.typical > m.high) {
        return row.Problem(kTypical, "lies between low and high");
    }
    m.breakStrength = figures[kBreak];
    m.yieldStrength = figures[kYield];
    if (m.basis == TensionBasis::Yield && !m.yieldStrength) {
        return row.Problem(kYield, "is needed for a yield basis");
    }
    m.source = row.Text(kSource);
    return m;
}

}  // namespace

Expected<std::vector<WebMaterial>> ParseMaterialFile(std::string_view text)
{
    if (text.size() > kMaxMaterialFileBytes) {
        return Failed("it is larger than 1 MiB");
    }
    if (!IsUtf8(text)) {
        return Failed("it is not valid UTF-8");
    }
    text.remove_prefix(text.starts_with("\xEF\xBB\xBF") ? 3 : 0);
    const Expected<Rows> rows = SplitRows(text);
    if (!rows) {
        return rows.Error();
    }
    if (rows->rows.size() < 2) {
        return Failed("it has no header row");
    }
    const Expected<std::array<int, kColumnCount>> at = ReadHeader(rows->rows.front());
    if (!at) {
        return at.Error();
    }
    std::vector<WebMaterial> materials;
    for (std::size_t i = 1; i + 1 < rows->rows.size(); ++i) {
        const std::vector<std::string>& fields = rows->rows[i];
        if (fields.size() != rows->rows.front().size()) {
            return Failed("line " + std::to_string(rows->lines[i]) + ": the row has " + std::to_string(fields.size())
                          + " fields, the header " + std::to_string(rows->rows.front().size()));
        }
        Expected<WebMaterial> material = ReadMaterial(RowReader(fields, *at, rows->lines[i]));
        if (!material) {
            return material.Error();
        }
        materials.push_back(*std::move(material));
    }
    return materials;
}

const MaterialTable& BuiltInMaterials()
{
    static const MaterialTable table = [] {
        MaterialTable built;
        // The shipped text is checked by the tests; should it ever fail to
        // read, the table is empty rather than the program ending.
        if (Expected<std::vector<WebMaterial>> rows = ParseMaterialFile(kBuiltInMaterialText)) {
            for (WebMaterial& m : *rows) {
                built.Put(std::move(m));
            }
        }
        return built;
    }();
    return table;
}

MaterialTableSource BuiltInMaterialSource()
{
    return []() -> const Expected<MaterialTable>& {
        static const Expected<MaterialTable> table = BuiltInMaterials();
        return table;
    };
}

}  // namespace vyra
