// Arbitrary bytes as a case file: the reader refuses or returns a case, and
// a case it returns is written and read back unchanged.
#include "CaseFile.h"
#include "Require.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto read = vyra::ParseCaseFile(text);
    if (const auto* problem = std::get_if<std::string>(&read)) {
        REQUIRE(!problem->empty());
        return 0;
    }
    const vyra::Case& c = std::get<vyra::Case>(read);
    const auto again = vyra::ParseCaseFile(vyra::CaseFileText(c));
    REQUIRE(std::holds_alternative<vyra::Case>(again) && std::get<vyra::Case>(again) == c);
    return 0;
}
