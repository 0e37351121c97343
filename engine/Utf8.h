#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace vyra {

// Well-formed UTF-8 only: no stray continuation bytes, no overlong forms,
// no surrogates, nothing past U+10FFFF.
bool IsUtf8(std::string_view text);

// What a text shows: its code points, each byte of a sequence that is not
// well-formed read as U+FFFD, the replacement character.
constexpr char32_t kReplacementCharacter = U'\uFFFD';
std::u32string CodePoints(std::string_view text);

// The code point (at most U+10FFFF, no surrogate) in UTF-8 after the text.
void AppendUtf8(std::string& text, char32_t point);

// A text as a message or a table cell can show it: control bytes, and every
// byte past ASCII of a text that is not UTF-8, as \xHH; tab, carriage return
// and line feed stay when kept.
enum class LineBreaks { Escape, Keep };
std::string EscapedText(std::string_view text, LineBreaks lineBreaks);

// The parts one after another. A message joined with "+" from a literal
// makes GCC 12 see an overlapping copy in an optimised build (-Wrestrict, a
// false positive); appended in order, the text is the same and the build
// stays clean with warnings as errors.
std::string Joined(std::initializer_list<std::string_view> parts);

}  // namespace vyra
