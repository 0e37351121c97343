#pragma once

#include "RtfBuilder.h"
#include "RtfControlWords.h"
#include "RtfDocument.h"
#include "RtfTokenizer.h"

namespace vyra::rtf::detail {

// Indents, spacing and cell edges in twips are kept within 22 inches, wider
// than any page.
inline constexpr int kMaxTwips = 31680;

// Applies a character-formatting word to the group's state; false when the
// word is not one. \plain returns to defaultFont (from \deff, -1 for none).
bool ApplyCharacterWord(Word word, const Token& token, int defaultFont, CharState& chars);

// Applies a paragraph-formatting word, \intbl and \pard included; false when
// the word is not one.
bool ApplyParagraphWord(Word word, const Token& token, ParagraphFormat& paragraph, bool& inTable);

}  // namespace vyra::rtf::detail
