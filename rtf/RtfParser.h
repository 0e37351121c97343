#pragma once

#include "RtfBuilder.h"
#include "RtfCodePage.h"
#include "RtfControlWords.h"
#include "RtfFormatWords.h"
#include "RtfHeaderTables.h"
#include "RtfReader.h"
#include "RtfTextSink.h"
#include "RtfTokenizer.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vyra::rtf::detail {

enum class Destination : std::uint8_t { Body, FontTable, ColourTable, Skipped };

// What a group saves on entry and restores on exit.
struct GroupState {
    CharState chars;
    ParagraphFormat paragraph;
    bool inTable = false;
    int unicodeSkip = 1;  // \uc: fallback characters that follow each \u
    Destination destination = Destination::Body;
    bool inLabel = false;  // inside \listtext or \pntext
};

// The group-state machine: one pass over the tokens, constant work per token
// apart from decoding, which is linear in the bytes decoded.
class Parser {
public:
    Parser(std::string_view bytes, const ReadLimits& limits);

    Expected<Document> Read();

private:
    bool Step(const Token& token);
    bool SkipFallback(Token& token);
    void OnGroupStart();
    bool OnGroupEnd();
    void OnWord(const Token& token);
    void OnBodyWord(const WordInfo& info, const Token& token);
    void OnDocumentWord(Word word, const Token& token);
    void OnRowDefinitionWord(Word word, const Token& token);
    void OnSymbol(char symbol);
    void OnBytes(std::string_view bytes);

    void EmitBytes(std::string_view bytes);
    void EmitText(std::string_view utf8);
    void SettleText();
    int CodePageOf(int font) const;

    GroupState& State() { return m_stack.back(); }

    Tokenizer m_tokens;
    const ReadLimits& m_limits;
    int m_documentCodePage = kWesternCodePage;
    int m_defaultFont = -1;
    int m_fallbackLeft = 0;  // characters after \u still to skip
    StyleTables m_tables;
    DocumentBuilder m_builder;
    TextSink m_text;
    HeaderTableReader m_headerTables;
    std::vector<GroupState> m_stack;
    std::optional<std::string> m_failure;
    // A \* was read: the group is skipped unless its destination is one
    // that holds text.
    bool m_starPending = false;
    RowDefinition m_rowDefinition;
    std::optional<std::uint32_t> m_nextCellBackground;  // for the next \cellx
};

}  // namespace vyra::rtf::detail
