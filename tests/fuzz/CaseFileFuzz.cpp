// Arbitrary bytes as a case file: the reader refuses or returns a case, and
// a case it returns is written and read back unchanged, and again as written.
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
    const vyra::Expected<vyra::Case> read = vyra::ParseCaseFile(text);
    if (!read) {
        REQUIRE(!read.Error().reason.empty());
        return 0;
    }
    const vyra::Expected<vyra::Case> again = vyra::ParseCaseFile(vyra::CaseFileText(*read));
    REQUIRE(again && *again == *read && vyra::CaseFileText(*again) == vyra::CaseFileText(*read));
    return 0;
}
