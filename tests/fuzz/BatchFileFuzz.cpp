// Arbitrary bytes as a batch file: the reader gives rows and then an end or
// a fault, never a row after a fault, and numbers its rows in order on
// lines no earlier than the last row's. However the bytes arrive (all at
// once, or a few at a time as from a pipe) the reading comes out the same.
#include "BatchFile.h"
#include "Require.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace {

// Hands out the text in pieces of 1 to 7 bytes, as a pipe may.
class TrickleSource : public vyra::TextSource {
public:
    using TextSource::TextSource;
    vyra::Expected<std::size_t> Read(char* buffer, std::size_t size) override
    {
        m_piece = m_piece % 7 + 1;
        return TextSource::Read(buffer, std::min(size, m_piece));
    }

private:
    std::size_t m_piece = 0;
};

// Every row's number, line and id, then the fault or the end.
std::string ReadAll(vyra::ByteSource& source)
{
    vyra::BatchReader reader(source, vyra::Case{});
    std::string recording;
    long lastLine = 0;
    long rows = 0;
    for (;;) {
        auto next = reader.Next();
        if (const auto* fault = std::get_if<vyra::BatchFault>(&next)) {
            REQUIRE(!fault->message.empty() && fault->fileLine >= 1);
            REQUIRE(std::holds_alternative<vyra::BatchFault>(reader.Next()));
            return recording + "fault " + std::to_string(fault->fileLine) + " " + fault->message;
        }
        if (std::holds_alternative<vyra::BatchEnd>(next)) {
            return recording + "end";
        }
        const auto& row = std::get<vyra::BatchRow>(next);
        REQUIRE(row.number == ++rows);
        REQUIRE(row.fileLine >= lastLine);
        lastLine = row.fileLine;
        recording += std::to_string(row.fileLine) + " " + row.id + "\n";
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    vyra::TextSource whole(text);
    const std::string atOnce = ReadAll(whole);
    // Pipes hand out small pieces of small inputs only; a large one would
    // take too long a piece at a time.
    if (size <= 4096) {
        TrickleSource trickle(text);
        REQUIRE(ReadAll(trickle) == atOnce);
    }
    return 0;
}
