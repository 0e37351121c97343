#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace vyra {

// Well-formed UTF-8 only: no stray continuation bytes, no overlong forms,
// no surrogates, nothing past U+10FFFF.
bool IsUtf8(std::string_view text);

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
