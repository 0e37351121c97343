#include "RtfReader.h"

#include "RtfParser.h"

namespace vyra::rtf {
namespace {

// Inside a cell, breaks and tabs would split the row's line or its cells.
void AppendCellText(const std::vector<Run>& runs, std::string& out)
{
    for (const Run& run : runs) {
        for (const char c : run.text) {
            out += (c == '\n' || c == '\t') ? ' ' : c;
        }
    }
}

}  // namespace

Expected<Document> ReadRtf(std::string_view bytes, const ReadLimits& limits)
{
    if (bytes.size() > limits.maxInputBytes) {
        return Failed("the file is larger than " + std::to_string(limits.maxInputBytes) + " bytes");
    }
    if (!bytes.starts_with("{\\rtf")) {
        return Failed("not an RTF document: it does not start with {\\rtf");
    }
    return detail::Parser(bytes, limits).Read();
}

std::string PlainText(const Document& document)
{
    std::string out;
    for (const Paragraph& paragraph : document.paragraphs) {
        if (paragraph.cells.empty()) {
            for (const Run& run : paragraph.runs) {
                out += run.text;
            }
        } else {
            for (std::size_t cell = 0; cell < paragraph.cells.size(); ++cell) {
                if (cell > 0) {
                    out += '\t';
                }
                AppendCellText(paragraph.cells[cell], out);
            }
        }
        out += '\n';
    }
    return out;
}

}  // namespace vyra::rtf
