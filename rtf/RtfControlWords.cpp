#include "RtfControlWords.h"

#include <string_view>
#include <unordered_map>

namespace vyra::rtf::detail {
namespace {

struct NamedWord {
    std::string_view name;
    Word word;
};

constexpr NamedWord kWords[] = {
    {"par", Word::Paragraph},
    {"line", Word::Line},
    {"tab", Word::Tab},
    {"page", Word::Page},
    {"sect", Word::Section},
    {"cell", Word::Cell},
    {"row", Word::Row},
    {"nestcell", Word::NestedCell},
    {"nestrow", Word::NestedRow},
    {"trowd", Word::RowDefaults},
    {"cellx", Word::CellEdge},
    {"clcbpat", Word::CellBackground},
    {"intbl", Word::InTable},
    {"listtext", Word::ListLabel},
    {"pntext", Word::ListLabel},

    {"b", Word::Bold},
    {"i", Word::Italic},
    {"ulnone", Word::UnderlineNone},
    {"fs", Word::FontSize},
    {"f", Word::Font},
    {"cf", Word::Colour},
    {"plain", Word::Plain},
    {"strike", Word::StrikeOut},
    {"striked", Word::StrikeOut},
    // Every underline style shows as a plain underline.
    {"ul", Word::Underline},
    {"uld", Word::Underline},
    {"uldash", Word::Underline},
    {"uldashd", Word::Underline},
    {"uldashdd", Word::Underline},
    {"uldb", Word::Underline},
    {"ulhwave", Word::Underline},
    {"ulldash", Word::Underline},
    {"ulth", Word::Underline},
    {"ulthd", Word::Underline},
    {"ulthdash", Word::Underline},
    {"ulthdashd", Word::Underline},
    {"ulthdashdd", Word::Underline},
    {"ulthldash", Word::Underline},
    {"ululdbwave", Word::Underline},
    {"ulw", Word::Underline},
    {"ulwave", Word::Underline},

    {"ql", Word::AlignLeft},
    {"qc", Word::AlignCentre},
    {"qr", Word::AlignRight},
    {"qj", Word::AlignJustify},
    {"li", Word::LeftIndent},
    {"ri", Word::RightIndent},
    {"fi", Word::FirstLineIndent},
    {"sb", Word::SpaceBefore},
    {"sa", Word::SpaceAfter},
    {"pard", Word::ParagraphDefaults},

    {"uc", Word::UnicodeSkip},
    {"u", Word::Unicode},
    {"bin", Word::Binary},
    {"ansicpg", Word::AnsiCodePage},
    {"ansi", Word::Ansi},
    {"mac", Word::Mac},
    {"pc", Word::Pc},
    {"pca", Word::Pca},
    {"deff", Word::DefaultFont},

    {"fonttbl", Word::FontTable},
    {"colortbl", Word::ColourTable},
    {"fcharset", Word::FontCharset},
    {"cpg", Word::FontCodePage},
    {"red", Word::Red},
    {"green", Word::Green},
    {"blue", Word::Blue},
};

// Destinations that hold no document text: metadata, pictures and objects,
// page furniture, notes, field instructions, and tables of the header this
// reader has no use for. Writers mark most newer ones with \*, which skips
// them anyway.
constexpr std::string_view kSkipped[] = {
    "stylesheet",
    "info",
    "pict",
    "header",
    "headerl",
    "headerr",
    "headerf",
    "footer",
    "footerl",
    "footerr",
    "footerf",
    "footnote",
    "annotation",
    "atnid",
    "atnauthor",
    "atndate",
    "atnicn",
    "atnref",
    "atntime",
    "atrfstart",
    "atrfend",
    "bkmkstart",
    "bkmkend",
    "fldinst",
    "xe",
    "tc",
    "txe",
    "rxe",
    "objdata",
    "objclass",
    "objname",
    "objalias",
    "objsect",
    "objtime",
    "themedata",
    "colorschememapping",
    "latentstyles",
    "datastore",
    "xmlnstbl",
    "listtable",
    "listoverridetable",
    "revtbl",
    "rsidtbl",
    "filetbl",
    "generator",
    "template",
    "docvar",
    "nonshppict",
    "shpinst",
    "pn",
    "pntxta",
    "pntxtb",
    "ftnsep",
    "ftnsepc",
    "ftncn",
    "aftnsep",
    "aftnsepc",
    "aftncn",
    "pgdsctbl",
    "userprops",
    "private",
    "do",
    "comment",
    "listpicture",
    "mmathPr",
    "keycode",
    "falt",
    "panose",
    "fname",
    "title",
    "author",
};

struct FixedWord {
    std::string_view name;
    std::string_view text;
};

constexpr FixedWord kFixed[] = {
    {"emdash", "\xE2\x80\x94"},    {"endash", "\xE2\x80\x93"},  {"bullet", "\xE2\x80\xA2"},
    {"lquote", "\xE2\x80\x98"},    {"rquote", "\xE2\x80\x99"},  {"ldblquote", "\xE2\x80\x9C"},
    {"rdblquote", "\xE2\x80\x9D"}, {"emspace", "\xE2\x80\x83"}, {"enspace", "\xE2\x80\x82"},
    {"qmspace", "\xE2\x80\x85"},   {"zwj", "\xE2\x80\x8D"},     {"zwnj", "\xE2\x80\x8C"},
    {"zwbo", "\xE2\x80\x8B"},      {"ltrmark", "\xE2\x80\x8E"}, {"rtlmark", "\xE2\x80\x8F"},
};

using WordTable = std::unordered_map<std::string_view, WordInfo>;

WordTable BuildTable()
{
    WordTable table;
    for (const NamedWord& entry : kWords) {
        table.emplace(entry.name, WordInfo{entry.word, {}});
    }
    for (const std::string_view name : kSkipped) {
        table.emplace(name, WordInfo{Word::SkippedDestination, {}});
    }
    for (const FixedWord& entry : kFixed) {
        table.emplace(entry.name, WordInfo{Word::FixedText, entry.text});
    }
    return table;
}

}  // namespace

WordInfo LookUpWord(std::string_view name)
{
    static const WordTable table = BuildTable();
    const auto found = table.find(name);
    return found == table.end() ? WordInfo{} : found->second;
}

}  // namespace vyra::rtf::detail
