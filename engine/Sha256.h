#pragma once

#include <string>
#include <string_view>

namespace vyra {

// The SHA-256 digest of the bytes (FIPS 180-4) in lower-case hexadecimal,
// 64 digits.
std::string Sha256Hex(std::string_view bytes);

}  // namespace vyra
