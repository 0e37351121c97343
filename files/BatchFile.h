#pragma once

#include "CaseFile.h"
#include "Expected.h"
#include "MaterialFile.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vyra {

// Where a batch file's bytes come from.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Up to size bytes into buffer: how many (0 at the end), or why reading
    // failed.
    virtual Expected<std::size_t> Read(char* buffer, std::size_t size) = 0;
};

// The bytes of a text held in memory.
class TextSource : public ByteSource {
public:
    explicit TextSource(std::string_view text) : m_text(text) { }
    Expected<std::size_t> Read(char* buffer, std::size_t size) override;

private:
    std::string_view m_text;
};

// One data row of a batch file, as the case it describes.
struct BatchRow {
    long number = 0;  // 1-based, data rows only
    long fileLine = 0;  // the line of the file the row starts on
    std::string id;  // the "id" column, empty without one
    Case input;
    // A choice word that is not one of its two; the row is refused with it.
    std::optional<std::string> problem;
};

// What ends the reading early: the line of the file and what is wrong. A
// usage fault (an unknown or repeated column) is the caller's mistake in
// the header rather than a damaged file.
struct BatchFault {
    long fileLine = 0;
    std::string message;
    bool usage = false;
};

// The fields given beside a batch, which every row keeps.
struct GivenForEveryRow {
    bool tension = false;
    bool rollerWeight = false;
};

// The end of the file, after the last row.
struct BatchEnd { };

// A field is at most this long; memory stays bounded whatever the file.
inline constexpr std::size_t kMaxBatchFieldBytes = 1024 * 1024;

// Reads a batch file row by row without holding it: CSV as RFC 4180 has it
// (quoted fields with commas, quotes and line breaks; CRLF or LF; blank lines
// skipped), a UTF-8 byte-order mark allowed, UTF-8 text only. The header row
// names the columns: the entry names of a case file (kFieldNames, the
// choices, kReportNames), "id", and the helpers' (kWebTextNames,
// kRollerTextNames) and a range's ends, "NAME-low" and "NAME-high" of an
// input that may carry one, always both. A range's two cells take the place
// of the base's range of that input, none when both are empty; one empty
// is the row's problem. A column that is missing, or a choice left empty,
// keeps the base case's entry. A row that describes its web gets the
// typical tension of the material table, one that describes its roller
// the roller's weight, each with its record; the row's problem says what
// is wrong with a description, with the material table (asked for only
// when a row describes its web), or that the field it fills is given too
// (in the row or for every row). A row's tension or roller-weight column
// drops the base's record of that field.
class BatchReader {
public:
    BatchReader(ByteSource& source, Case base, MaterialTableSource materials = BuiltInMaterialSource(),
                GivenForEveryRow given = {});
    ~BatchReader();
    BatchReader(const BatchReader&) = delete;
    BatchReader& operator=(const BatchReader&) = delete;

    std::variant<BatchRow, BatchEnd, BatchFault> Next();
    // Known once the header has been read.
    bool HasIdColumn() const;
    bool HasRangeColumns() const;

private:
    struct Parser;
    std::unique_ptr<Parser> m_parser;
};

}  // namespace vyra
