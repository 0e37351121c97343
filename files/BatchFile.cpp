#include "BatchFile.h"

#include "MaterialFile.h"
#include "NumberText.h"
#include "Ranges.h"
#include "ResultFormat.h"
#include "Utf8.h"

#include <csv.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <deque>
#include <utility>

namespace vyra {

namespace {

constexpr std::size_t kChunkBytes = 64 * 1024;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kIdColumn = "id";
constexpr std::array<std::string_view, 2> kRangeEnds{"-low", "-high"};
constexpr std::size_t kRangeColumns = [] {
    std::size_t columns = 0;
    for (int item = 0; item < kFieldCount; ++item) {
        columns += MayCarryRange(item) ? kRangeEnds.size() : 0;
    }
    return columns;
}();
// Every name a column may have; a header with more names repeats one.
constexpr std::size_t kMaxColumns =
    kFieldCount + kReportItemCount + kChoiceCount + 1 + kWebTextNames.size() + kRollerTextNames.size() + kRangeColumns;

enum class ColumnKind { Field, Choice, Report, Id, Web, Roller, Range };

// A range column's index is its field's times two, plus one for the high end.
struct Column {
    ColumnKind kind;
    int index;
};

std::string RangeColumnName(int item, std::size_t end) { return Joined({kFieldNames[item], kRangeEnds[end]}); }

std::optional<Column> RangeColumnNamed(std::string_view name)
{
    for (int item = 0; item < kFieldCount; ++item) {
        for (std::size_t end = 0; end < kRangeEnds.size(); ++end) {
            if (MayCarryRange(item) && name == RangeColumnName(item, end)) {
                return Column{ColumnKind::Range, 2 * item + static_cast<int>(end)};
            }
        }
    }
    return std::nullopt;
}

std::optional<Column> ColumnNamed(std::string_view name)
{
    const auto position = [name](const auto& names) {
        return static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin());
    };
    if (const int item = position(kFieldNames); item < kFieldCount) {
        return Column{ColumnKind::Field, item};
    }
    if (const int item = position(kReportNames); item < kReportItemCount) {
        return Column{ColumnKind::Report, item};
    }
    for (int choice = 0; choice < kChoiceCount; ++choice) {
        if (kChoices[choice].name == name) {
            return Column{ColumnKind::Choice, choice};
        }
    }
    if (name == kIdColumn) {
        return Column{ColumnKind::Id, 0};
    }
    for (std::size_t i = 0; i < kWebTextNames.size(); ++i) {
        if (kWebTextNames[i].name == name) {
            return Column{ColumnKind::Web, static_cast<int>(i)};
        }
    }
    for (std::size_t i = 0; i < kRollerTextNames.size(); ++i) {
        if (kRollerTextNames[i].name == name) {
            return Column{ColumnKind::Roller, static_cast<int>(i)};
        }
    }
    return RangeColumnNamed(name);
}

// A range with one end only would be no range, or a different one: the
// header has both columns of a range or neither.
std::optional<std::string> RangeColumnWithoutItsPair(const std::vector<std::string>& names)
{
    for (int item = 0; item < kFieldCount; ++item) {
        const auto named = [&](std::size_t end) {
            return std::find(names.begin(), names.end(), RangeColumnName(item, end)) != names.end();
        };
        if (named(0) != named(1)) {
            const std::size_t given = named(0) ? 0 : 1;
            return "the column \"" + RangeColumnName(item, given) + "\" needs \"" + RangeColumnName(item, 1 - given)
                   + "\" beside it";
        }
    }
    return std::nullopt;
}

// Both cells of a range empty: the row has no range of that input; one
// empty: the row is refused.
std::optional<std::string> RowRanges(Case& input)
{
    for (int item = 0; item < kFieldCount; ++item) {
        std::optional<RangeTexts>& range = input.ranges[static_cast<std::size_t>(item)];
        if (range && range->low.empty() && range->high.empty()) {
            range.reset();
        } else if (range && (range->low.empty() || range->high.empty())) {
            return "give " + RangeColumnName(item, 0) + " and " + RangeColumnName(item, 1) + " both, or neither";
        }
    }
    return std::nullopt;
}

std::string ParseProblem(int error)
{
    switch (error) {
    case CSV_EPARSE:
        return "a quote out of place (a field with quotes, commas or line breaks is quoted whole, its quotes "
               "doubled)";
    case CSV_ENOMEM:
        return "there is not enough memory for a field";
    default:
        return "a field is too large";
    }
}

// Fields are taken as they stand: blanks around them belong to the text.
int NoBlanks(unsigned char) { return 0; }

bool IsBlankLine(std::string_view segment) { return segment.find_first_not_of("\r\n") == std::string_view::npos; }

// The length of the first line of text with its line break: LF, CRLF, or a
// lone CR as older spreadsheets end lines.
std::size_t FirstLineLength(std::string_view text)
{
    const std::size_t lineBreak = text.find_first_of("\r\n");
    if (lineBreak == std::string_view::npos) {
        return text.size();
    }
    const bool crlf = text[lineBreak] == '\r' && lineBreak + 1 < text.size() && text[lineBreak + 1] == '\n';
    return lineBreak + (crlf ? 2 : 1);
}

// What a row's helper columns say, beside the entries they stand in for.
struct HelperCells {
    WebTexts web;
    RollerTexts roller;
    bool tensionTyped = false;
    bool rollerWeightTyped = false;
    GivenForEveryRow forEveryRow;
};

template <typename Texts>
bool AnyGiven(const Texts& texts, const auto& names)
{
    return std::any_of(names.begin(), names.end(), [&](const auto& name) { return !(texts.*name.member).empty(); });
}

// A row that describes its web or roller instead of giving the tension or
// roller weight gets them from the helpers, with the record of where they
// came from, the field's text with two decimals as the helper dialogs fill
// it. A description beside the field's own text, in the row or given for
// every row, is refused: one of the two would be ignored.
std::optional<std::string> ApplyHelpers(const HelperCells& cells, const MaterialTableSource& materials, Case& input)
{
    if (AnyGiven(cells.web, kWebTextNames)) {
        if (cells.tensionTyped) {
            return "give tension or the web's material, not both";
        }
        if (cells.forEveryRow.tension) {
            return "--tension is given for every row: give it or the web's material, not both";
        }
        const Expected<WebDescription> web = ReadWebDescription(cells.web);
        if (!web) {
            return web.Error().reason;
        }
        const Expected<MaterialTable>& table = materials();
        if (!table) {
            return table.Error().reason;
        }
        const Expected<TensionAdvice> advice = AdviseTension(*table, *web, std::nullopt, input.forceUnit);
        if (!advice) {
            return advice.Error().reason;
        }
        input.form.txtInput[kItemFS] = FormatPattern(advice->tension.typical, 2);
        input.tensionFrom = TensionOrigin{advice->web, TensionPick::Typical};
    }
    if (AnyGiven(cells.roller, kRollerTextNames)) {
        if (cells.rollerWeightTyped) {
            return "give roller-weight or the roller's drawing, not both";
        }
        if (cells.forEveryRow.rollerWeight) {
            return "--roller-weight is given for every row: give it or the roller's drawing, not both";
        }
        const Expected<RollerDrawing> drawing = ReadRollerDrawing(cells.roller);
        if (!drawing) {
            return drawing.Error().reason;
        }
        // The drawing is metric whatever the row's unit; the field is typed in it.
        const double kg = ComputeRollerLimits(*drawing, std::nullopt, std::nullopt)->weight;
        input.form.txtInput[kItemWr] = FormatPattern(InRunUnits(Quantity::Mass, kg, input.forceUnit), 2);
        input.rollerFrom = *drawing;
    }
    return std::nullopt;
}

}  // namespace

Expected<std::size_t> TextSource::Read(char* buffer, std::size_t size)
{
    const std::size_t count = std::min(size, m_text.size());
    std::memcpy(buffer, m_text.data(), count);
    m_text.remove_prefix(count);
    return count;
}

struct BatchReader::Parser {
    Parser(ByteSource& bytes, Case start, MaterialTableSource table, GivenForEveryRow given)
        : source(bytes), base(std::move(start)), materials(std::move(table)), forEveryRow(given)
    {
        csv_init(&csv, CSV_STRICT | CSV_STRICT_FINI);
        // The field buffer grows by this much at a time; the default of 128
        // bytes makes a long field cost the square of its length.
        csv_set_blk_size(&csv, kChunkBytes);
        csv_set_space_func(&csv, NoBlanks);
    }
    ~Parser() { csv_free(&csv); }

    // A row is refused at its first field too many or too long, so that
    // memory stays flat whatever the file holds.
    static void OnField(void* text, std::size_t size, void* self)
    {
        auto& parser = *static_cast<Parser*>(self);
        if (parser.fault) {
            return;
        }
        parser.OpenRow();
        if (size > kMaxBatchFieldBytes) {
            parser.Fail(parser.rowStart, "a field is longer than 1 MiB");
        } else if (!parser.headerRead && parser.fields.size() == kMaxColumns) {
            parser.Fail(parser.rowStart,
                        "the header has more columns than there are names (" + std::to_string(kMaxColumns) + ")", true);
        } else if (parser.headerRead && parser.fields.size() == parser.columns.size()) {
            parser.Fail(parser.rowStart,
                        "the row has more fields than the header's " + std::to_string(parser.columns.size()));
        } else {
            parser.fields.emplace_back(static_cast<const char*>(text), size);
        }
    }
    static void OnRowEnd(int, void* self)
    {
        auto& parser = *static_cast<Parser*>(self);
        if (parser.fault) {
            return;
        }
        parser.OpenRow();
        parser.rows.emplace_back(parser.rowStart, std::move(parser.fields));
        parser.fields.clear();
        parser.rowOpen = false;
    }

    void OpenRow()
    {
        if (!rowOpen) {
            rowOpen = true;
            rowStart = line;
        }
    }

    void Fail(long at, std::string message, bool usage = false)
    {
        if (!fault) {
            fault = BatchFault{at, std::move(message), usage};
        }
    }

    // Feeds the parser one line at a time, so that a row's line is known,
    // until a row is complete, the file ends or a fault is found.
    void Feed()
    {
        while (rows.empty() && !fault && !finished) {
            if (begin == end) {
                Refill();
                continue;
            }
            const std::string_view rest(chunk.data() + begin, end - begin);
            const std::string_view segment = rest.substr(0, FirstLineLength(rest));
            if (!IsBlankLine(segment)) {
                OpenRow();
            }
            if (csv_parse(&csv, segment.data(), segment.size(), OnField, OnRowEnd, this) != segment.size()) {
                Fail(rowStart, ParseProblem(csv_error(&csv)));
            } else if (csv.entry_pos > kMaxBatchFieldBytes) {
                Fail(rowStart, "a field is longer than 1 MiB");
            }
            // The LF of a CRLF split between two reads ends no second line.
            const char last = segment.back();
            const bool secondHalf = segment == "\n" && afterCarriageReturn;
            line += (last == '\n' || last == '\r') && !secondHalf ? 1 : 0;
            afterCarriageReturn = last == '\r';
            begin += segment.size();
        }
    }

    // The first bytes are gathered until a byte-order mark can be told.
    void Refill()
    {
        if (sourceDone) {
            if (csv_fini(&csv, OnField, OnRowEnd, this) != 0 && !fault) {
                Fail(rowStart, "a quoted field is not closed");
            }
            finished = true;
            return;
        }
        begin = 0;
        end = 0;
        do {
            const Expected<std::size_t> read = source.Read(chunk.data() + end, chunk.size() - end);
            if (!read) {
                Fail(line, "cannot read the file: " + read.Error().reason);
                return;
            }
            const std::size_t got = *read;
            sourceDone = got == 0;
            end += got;
        } while (!markChecked && !sourceDone && end < kByteOrderMark.size());
        if (!markChecked && std::string_view(chunk.data(), end).starts_with(kByteOrderMark)) {
            begin = kByteOrderMark.size();
        }
        markChecked = true;
    }

    void ReadHeader(long at, const std::vector<std::string>& names)
    {
        for (const std::string& name : names) {
            const std::optional<Column> column = ColumnNamed(name);
            if (!IsUtf8(name) || !column) {
                Fail(at, "unknown column \"" + EscapedText(name, LineBreaks::Escape) + "\"", true);
                return;
            }
            if (std::find(columnNames.begin(), columnNames.end(), name) != columnNames.end()) {
                Fail(at, "the column \"" + name + "\" is named twice", true);
                return;
            }
            columnNames.push_back(name);
            columns.push_back(*column);
            hasId = hasId || column->kind == ColumnKind::Id;
            hasRanges = hasRanges || column->kind == ColumnKind::Range;
        }
        if (const std::optional<std::string> unpaired = RangeColumnWithoutItsPair(columnNames)) {
            Fail(at, *unpaired, true);
            return;
        }
        headerRead = true;
    }

    std::variant<BatchRow, BatchEnd, BatchFault> DataRow(long at, std::vector<std::string>& values)
    {
        if (values.size() != columns.size()) {
            return BatchFault{at,
                              "the row has " + std::to_string(values.size()) + " fields, the header "
                                  + std::to_string(columns.size()),
                              false};
        }
        BatchRow row{++dataRows, at, {}, base, std::nullopt};
        HelperCells cells;
        cells.forEveryRow = forEveryRow;
        for (std::size_t i = 0; i < values.size(); ++i) {
            std::string& value = values[i];
            if (!IsUtf8(value)) {
                return BatchFault{at, "the row is not UTF-8 text (save the file as UTF-8)", false};
            }
            const Column& column = columns[i];
            if (column.kind == ColumnKind::Web) {
                cells.web.*kWebTextNames[column.index].member = std::move(value);
            } else if (column.kind == ColumnKind::Roller) {
                cells.roller.*kRollerTextNames[column.index].member = std::move(value);
            } else {
                cells.tensionTyped |= column.kind == ColumnKind::Field && column.index == kItemFS && !value.empty();
                cells.rollerWeightTyped |=
                    column.kind == ColumnKind::Field && column.index == kItemWr && !value.empty();
                SetEntry(row, column, std::move(value));
            }
        }
        if (auto problem = ApplyHelpers(cells, materials, row.input); problem && !row.problem) {
            row.problem = std::move(problem);
        }
        if (auto problem = RowRanges(row.input); problem && !row.problem) {
            row.problem = std::move(problem);
        }
        return row;
    }

    static void SetEntry(BatchRow& row, const Column& column, std::string value)
    {
        switch (column.kind) {
        case ColumnKind::Field:
            row.input.form.txtInput[column.index] = std::move(value);
            // The row types over the base's field, and with it its record.
            if (column.index == kItemFS) {
                row.input.tensionFrom.reset();
            } else if (column.index == kItemWr) {
                row.input.rollerFrom.reset();
            }
            return;
        case ColumnKind::Report:
            row.input.report[column.index] = std::move(value);
            return;
        case ColumnKind::Id:
            row.id = std::move(value);
            return;
        case ColumnKind::Choice:
            break;
        case ColumnKind::Range: {
            // The header has both of the range's columns: the row's two cells
            // take the place of the base's ends, in either order.
            std::optional<RangeTexts>& range = row.input.ranges[static_cast<std::size_t>(column.index / 2)];
            RangeTexts& texts = range ? *range : range.emplace();
            (column.index % 2 == 0 ? texts.low : texts.high) = std::move(value);
            return;
        }
        default:
            return;
        }
        const Choice& choice = kChoices[column.index];
        if (const std::optional<int> code = ChoiceCodeOf(choice, value)) {
            SetChoiceCode(row.input, column.index, *code);
        } else if (!value.empty() && !row.problem) {
            row.problem = Joined({"\"", choice.name, "\" must be ", ChoiceWording(choice), ", not \"", value, "\""});
        }
    }

    ByteSource& source;
    Case base;
    MaterialTableSource materials;
    GivenForEveryRow forEveryRow;
    csv_parser csv{};
    std::array<char, kChunkBytes> chunk{};
    std::size_t begin = 0;
    std::size_t end = 0;
    bool sourceDone = false;
    bool markChecked = false;
    bool afterCarriageReturn = false;
    bool finished = false;
    // The line of the next byte fed, and of the first byte of the open row.
    long line = 1;
    long rowStart = 1;
    bool rowOpen = false;
    std::vector<std::string> fields;
    std::deque<std::pair<long, std::vector<std::string>>> rows;
    std::optional<BatchFault> fault;
    bool headerRead = false;
    std::vector<std::string> columnNames;
    std::vector<Column> columns;
    bool hasId = false;
    bool hasRanges = false;
    long dataRows = 0;
};

BatchReader::BatchReader(ByteSource& source, Case base, MaterialTableSource materials, GivenForEveryRow given)
    : m_parser(std::make_unique<Parser>(source, std::move(base), std::move(materials), given))
{
}

BatchReader::~BatchReader() = default;

std::variant<BatchRow, BatchEnd, BatchFault> BatchReader::Next()
{
    Parser& p = *m_parser;
    for (;;) {
        p.Feed();
        if (p.fault) {
            return *p.fault;
        }
        if (p.rows.empty()) {
            if (!p.headerRead) {
                return BatchFault{1, "the file is empty: it has no header row", false};
            }
            return BatchEnd{};
        }
        auto [at, values] = std::move(p.rows.front());
        p.rows.pop_front();
        if (p.headerRead) {
            auto row = p.DataRow(at, values);
            if (auto* fault = std::get_if<BatchFault>(&row)) {
                p.Fail(fault->fileLine, fault->message);
            }
            return row;
        }
        p.ReadHeader(at, values);
    }
}

bool BatchReader::HasIdColumn() const { return m_parser->hasId; }

bool BatchReader::HasRangeColumns() const { return m_parser->hasRanges; }

}  // namespace vyra
