#include "RtfParser.h"

#include <algorithm>

namespace vyra::rtf::detail {
namespace {

constexpr std::string_view kNoBreakSpace = "\xC2\xA0";
constexpr std::string_view kNoBreakHyphen = "\xE2\x80\x91";

constexpr int kMaxFallbackSkip = 255;

// Destinations that some writers mark with \* although their text belongs
// to the sentence: a field's result, such as a hyperlink's words.
bool HoldsText(const Token& token) { return token.kind == TokenKind::ControlWord && token.word == "fldrslt"; }

}  // namespace

Parser::Parser(std::string_view bytes, const ReadLimits& limits)
    : m_tokens(bytes),
      m_limits(limits),
      m_builder(limits, m_tables),
      m_text(m_builder),
      m_headerTables(m_tables, m_text.Decoder(), m_documentCodePage)
{
}

Expected<Document> Parser::Read()
{
    for (Token token = m_tokens.Next(); token.kind != TokenKind::End; token = m_tokens.Next()) {
        if (!Step(token)) {
            break;
        }
    }
    // A document cut short ends where its bytes end.
    if (!m_failure && !m_stack.empty()) {
        SettleText();
        m_builder.Finish(State().paragraph);
    }
    if (!m_failure && m_builder.Failure()) {
        m_failure = m_builder.Failure();
    }
    if (m_failure) {
        return Failed(*m_failure);
    }
    return m_builder.TakeDocument();
}

// Returns false when reading stops: a failure, or the document's last brace.
bool Parser::Step(const Token& next)
{
    Token token = next;
    if (m_fallbackLeft > 0 && SkipFallback(token)) {
        return true;
    }
    if (m_starPending) {
        m_starPending = false;
        if (!HoldsText(token)) {
            State().destination = Destination::Skipped;
        }
    }
    switch (token.kind) {
    case TokenKind::GroupStart:
        OnGroupStart();
        break;
    case TokenKind::GroupEnd:
        if (!OnGroupEnd()) {
            return false;
        }
        break;
    case TokenKind::ControlWord:
        OnWord(token);
        break;
    case TokenKind::ControlSymbol:
        OnSymbol(token.symbol);
        break;
    case TokenKind::HexByte:
        OnBytes(std::string_view(reinterpret_cast<const char*>(&token.byte), 1));
        break;
    case TokenKind::Text:
        OnBytes(token.text);
        break;
    case TokenKind::End:
        return false;
    }
    return !m_failure && !m_builder.Failure();
}

// The characters after \uN that stand in for it in readers without Unicode:
// each byte of text, escape or control word counts as one; a brace ends the
// fallback early. Returns true when the token is used up.
bool Parser::SkipFallback(Token& token)
{
    switch (token.kind) {
    case TokenKind::GroupStart:
    case TokenKind::GroupEnd:
    case TokenKind::End:
        m_fallbackLeft = 0;
        return false;
    case TokenKind::Text: {
        const std::size_t skipped = std::min(token.text.size(), static_cast<std::size_t>(m_fallbackLeft));
        token.text.remove_prefix(skipped);
        m_fallbackLeft -= static_cast<int>(skipped);
        return token.text.empty();
    }
    case TokenKind::ControlWord:
        if (LookUpWord(token.word).word == Word::Binary) {
            m_tokens.SkipBinary(token.hasParameter ? token.parameter : 0);
        }
        [[fallthrough]];
    default:
        --m_fallbackLeft;
        return true;
    }
}

void Parser::OnGroupStart()
{
    const int maxDepth = std::max(m_limits.maxGroupDepth, 0);
    if (m_stack.size() >= static_cast<std::size_t>(maxDepth)) {
        m_failure = "groups are nested deeper than " + std::to_string(maxDepth) + " levels";
        return;
    }
    m_stack.push_back(m_stack.empty() ? GroupState{} : State());
}

bool Parser::OnGroupEnd()
{
    if (m_stack.empty()) {
        return false;
    }
    // An entry of the font table may end with its group instead of a ';'.
    if (State().destination == Destination::FontTable) {
        m_headerTables.EndFontGroup();
    }
    if (State().inLabel && (m_stack.size() == 1 || !m_stack[m_stack.size() - 2].inLabel)) {
        SettleText();
        m_builder.EndLabel();
    }
    if (m_stack.size() == 1) {
        SettleText();
        m_builder.Finish(State().paragraph);
        m_stack.pop_back();
        return false;
    }
    m_stack.pop_back();
    return true;
}

void Parser::OnWord(const Token& token)
{
    const WordInfo info = LookUpWord(token.word);
    if (info.word == Word::Binary) {
        m_tokens.SkipBinary(token.hasParameter ? token.parameter : 0);
        return;
    }
    GroupState& state = State();
    switch (state.destination) {
    case Destination::Skipped:
        return;
    case Destination::FontTable:
    case Destination::ColourTable:
        if (info.word == Word::SkippedDestination) {
            state.destination = Destination::Skipped;
        } else if (state.destination == Destination::FontTable) {
            m_headerTables.OnFontWord(info.word, token);
        } else {
            m_headerTables.OnColourWord(info.word, token);
        }
        return;
    case Destination::Body:
        OnBodyWord(info, token);
        return;
    }
}

void Parser::OnBodyWord(const WordInfo& info, const Token& token)
{
    GroupState& state = State();
    switch (info.word) {
    case Word::Paragraph:
        SettleText();
        m_builder.EndParagraph(state.paragraph, state.inTable);
        return;
    case Word::Line:
    case Word::NestedRow:
        EmitText("\n");
        return;
    case Word::Tab:
        EmitText("\t");
        return;
    case Word::NestedCell:
        EmitText(" ");
        return;
    case Word::FixedText:
        EmitText(info.text);
        return;
    case Word::ListLabel:
        if (!state.inLabel) {
            SettleText();
            m_builder.BeginLabel(state.inTable);
            state.inLabel = true;
        }
        return;
    case Word::Page:
    case Word::Section:
        SettleText();
        m_builder.BreakIfOpen(state.paragraph, state.inTable);
        return;
    case Word::Cell:
        SettleText();
        m_builder.EndCell(state.paragraph);
        return;
    case Word::Row:
        SettleText();
        m_builder.EndRow(m_rowDefinition);
        return;
    case Word::RowDefaults:
    case Word::CellEdge:
    case Word::CellBackground:
        OnRowDefinitionWord(info.word, token);
        return;
    default:
        if (!ApplyCharacterWord(info.word, token, m_defaultFont, state.chars)
            && !ApplyParagraphWord(info.word, token, state.paragraph, state.inTable)) {
            OnDocumentWord(info.word, token);
        }
        return;
    }
}

// Cell properties such as the background come before the \cellx of their
// cell.
void Parser::OnRowDefinitionWord(Word word, const Token& token)
{
    if (word == Word::RowDefaults) {
        m_rowDefinition = RowDefinition{};
        m_nextCellBackground.reset();
    } else if (word == Word::CellBackground) {
        const auto index = static_cast<std::size_t>(ClampedParameter(token, 0, 0, kParameterBound));
        m_nextCellBackground.reset();
        if (index < m_tables.colours.size() && !m_tables.colours[index].automatic) {
            m_nextCellBackground = m_tables.colours[index].rgb;
        }
    } else if (m_rowDefinition.cellEdges.size() < m_limits.maxCellsPerRow) {
        m_rowDefinition.cellEdges.push_back(ClampedParameter(token, 0, -kMaxTwips, kMaxTwips));
        m_rowDefinition.cellBackgrounds.push_back(m_nextCellBackground);
        m_nextCellBackground.reset();
    }
}

// Words about the text as a whole: Unicode and code pages, the default font,
// and the destinations that start the header's tables or hide a group.
void Parser::OnDocumentWord(Word word, const Token& token)
{
    GroupState& state = State();
    switch (word) {
    case Word::Unicode: {
        if (!token.hasParameter) {
            return;
        }
        // Values past 32767 are written as their 16-bit two's complement.
        const std::int32_t value =
            token.parameter < 0 && token.parameter >= -32768 ? token.parameter + 65536 : token.parameter;
        m_text.PushCodePoint(value < 0 || value > 0xFFFF ? 0xFFFD : static_cast<std::uint32_t>(value), state.chars,
                             state.inTable);
        m_fallbackLeft = state.unicodeSkip;
        return;
    }
    case Word::UnicodeSkip:
        state.unicodeSkip = ClampedParameter(token, 1, 0, kMaxFallbackSkip);
        return;
    case Word::AnsiCodePage:
        if (token.hasParameter && IsKnownCodePage(token.parameter)) {
            m_documentCodePage = token.parameter;
        }
        return;
    case Word::Ansi:
        m_documentCodePage = kWesternCodePage;
        return;
    case Word::Mac:
        m_documentCodePage = 10000;
        return;
    case Word::Pc:
        m_documentCodePage = 437;
        return;
    case Word::Pca:
        m_documentCodePage = 850;
        return;
    case Word::DefaultFont:
        m_defaultFont = ClampedParameter(token, 0, 0, kParameterBound);
        if (state.chars.font < 0) {
            state.chars.font = m_defaultFont;
        }
        return;
    case Word::FontTable:
        state.destination = Destination::FontTable;
        m_headerTables.StartFontTable();
        return;
    case Word::ColourTable:
        state.destination = Destination::ColourTable;
        m_headerTables.StartColourTable();
        return;
    case Word::SkippedDestination:
        state.destination = Destination::Skipped;
        return;
    default:
        return;
    }
}

void Parser::OnSymbol(char symbol)
{
    GroupState& state = State();
    if (symbol == '*') {
        m_starPending = true;
        return;
    }
    if (state.destination != Destination::Body) {
        return;
    }
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        // Bytes, not text: in a double-byte code page they may be the
        // second byte of a character.
        EmitBytes(std::string_view(&symbol, 1));
        return;
    case '~':
        EmitText(kNoBreakSpace);
        return;
    case '_':
        EmitText(kNoBreakHyphen);
        return;
    default:
        // \- (an optional hyphen) and the index symbols show nothing.
        return;
    }
}

void Parser::OnBytes(std::string_view bytes)
{
    switch (State().destination) {
    case Destination::Body:
        EmitBytes(bytes);
        return;
    case Destination::FontTable:
        m_headerTables.OnFontBytes(bytes);
        return;
    case Destination::ColourTable:
        m_headerTables.OnColourBytes(bytes);
        return;
    case Destination::Skipped:
        return;
    }
}

void Parser::EmitBytes(std::string_view bytes)
{
    const GroupState& state = State();
    m_text.PushBytes(bytes, CodePageOf(state.chars.font), state.chars, state.inTable);
}

void Parser::EmitText(std::string_view utf8) { m_text.PushText(utf8, State().chars, State().inTable); }

void Parser::SettleText() { m_text.Settle(State().chars, State().inTable); }

int Parser::CodePageOf(int font) const
{
    const auto found = m_tables.fonts.find(font);
    return found != m_tables.fonts.end() && found->second.codePage != 0 ? found->second.codePage : m_documentCodePage;
}

}  // namespace vyra::rtf::detail
