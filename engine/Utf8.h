#pragma once

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

}  // namespace vyra
