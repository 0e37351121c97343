#include "CsvOutput.h"

#include "Utf8.h"

namespace vyra::cli {

// A cell in RFC 4180 quoting. A text a spreadsheet would take for a formula
// starts with an apostrophe, so that opening the output runs nothing.
void AppendCsvCell(std::string& out, std::string_view text, bool userText)
{
    std::string cell;
    if (userText && !text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos) {
        cell = "'";
    }
    // A NUL or an escape in a cell would cut or garble the line in the tools
    // that read it.
    cell += userText ? EscapedText(text, LineBreaks::Keep) : std::string(text);
    if (cell.find_first_of(",\"\r\n") == std::string::npos
        && (cell.empty() || (cell.front() != ' ' && cell.back() != ' '))) {
        out += cell;
        return;
    }
    out += '"';
    for (const char c : cell) {
        out += c == '"' ? "\"\"" : std::string(1, c);
    }
    out += '"';
}

}  // namespace vyra::cli
