#pragma once

#include <string_view>

namespace vyra {

// Well-formed UTF-8 only: no stray continuation bytes, no overlong forms,
// no surrogates, nothing past U+10FFFF.
bool IsUtf8(std::string_view text);

}  // namespace vyra
