// Arbitrary bytes as a batch file: the reader gives rows and then an end or
// a fault, never a row after a fault, and numbers its rows in order on
// lines no earlier than the last row's (a lone carriage return ends a row
// within a line).
#include "BatchFile.h"
#include "Require.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <variant>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    vyra::TextSource source(std::string_view(reinterpret_cast<const char*>(data), size));
    vyra::BatchReader reader(source, vyra::Case{});
    long lastLine = 0;
    long rows = 0;
    for (;;) {
        auto next = reader.Next();
        if (const auto* fault = std::get_if<vyra::BatchFault>(&next)) {
            REQUIRE(!fault->message.empty() && fault->fileLine >= 1);
            REQUIRE(std::holds_alternative<vyra::BatchFault>(reader.Next()));
            return 0;
        }
        if (std::holds_alternative<vyra::BatchEnd>(next)) {
            return 0;
        }
        const auto& row = std::get<vyra::BatchRow>(next);
        REQUIRE(row.number == ++rows);
        REQUIRE(row.fileLine >= lastLine);
        lastLine = row.fileLine;
    }
}
