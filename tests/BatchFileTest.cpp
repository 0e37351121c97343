// Batch files: CSV rows read one at a time into cases, and every way a file
// can be unreadable, with the line it is found on.
#include "BatchFile.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace vyra {
namespace {

// Every row the reader gives, then what ended it: "end" or "line N: message".
struct Reading {
    std::vector<BatchRow> rows;
    std::string ending;
};

Reading ReadAll(const std::string& text, Case base = {})
{
    TextSource source(text);
    BatchReader reader(source, std::move(base));
    Reading reading;
    for (;;) {
        auto next = reader.Next();
        if (auto* row = std::get_if<BatchRow>(&next)) {
            reading.rows.push_back(std::move(*row));
        } else if (auto* fault = std::get_if<BatchFault>(&next)) {
            reading.ending =
                "line " + std::to_string(fault->fileLine) + ": " + fault->message + (fault->usage ? " (usage)" : "");
            return reading;
        } else {
            reading.ending = "end";
            return reading;
        }
    }
}

TEST(BatchFile, ReadsRowsAsCases)
{
    Case base;
    base.report[kDate] = "Dec 06,2026";
    base.form.txtInput[kItemV] = "50";
    const Reading reading = ReadAll("\xEF\xBB\xBFid,tension,unit,fulcrum,customer,alpha\r\n"
                                    "R1,10,N,left,\"Müller, \"\"Papier\"\"\",-180\r\n"
                                    "\r\n"
                                    "\"R2\nunwind\", 10 ,,,\"\",\r\n"
                                    "R3,,lbf,Left,x,\n"
                                    "R4,5,kgf,right,,1",
                                    base);
    EXPECT_EQ(reading.ending, "end");
    ASSERT_EQ(reading.rows.size(), 4u);
    const BatchRow& first = reading.rows[0];
    EXPECT_EQ(first.number, 1);
    EXPECT_EQ(first.fileLine, 2);
    EXPECT_EQ(first.id, "R1");
    EXPECT_EQ(first.input.form.txtInput[kItemFS], "10");
    EXPECT_EQ(first.input.form.txtInput[kItemAlpha], "-180");
    EXPECT_EQ(first.input.form.txtInput[kItemV], "50");
    EXPECT_EQ(first.input.forceUnit, kNewton);
    EXPECT_EQ(first.input.form.fulcrumIndex, 1);
    EXPECT_EQ(first.input.report[kCustomer], "Müller, \"Papier\"");
    EXPECT_EQ(first.input.report[kDate], "Dec 06,2026");
    const BatchRow& second = reading.rows[1];
    EXPECT_EQ(second.fileLine, 4);
    EXPECT_EQ(second.id, "R2\nunwind");
    EXPECT_EQ(second.input.form.txtInput[kItemFS], " 10 ");
    EXPECT_EQ(second.input.forceUnit, kKgf);
    EXPECT_FALSE(second.problem);
    EXPECT_EQ(reading.rows[2].fileLine, 6);
    EXPECT_EQ(reading.rows[2].problem, "\"unit\" must be kgf or N, not \"lbf\"");
    EXPECT_EQ(reading.rows[3].number, 4);
    EXPECT_EQ(reading.rows[3].input.form.txtInput[kItemAlpha], "1");
}

TEST(BatchFile, FaultsNameTheLine)
{
    const std::vector<std::pair<std::string, std::string>> files{
        {"", "line 1: the file is empty: it has no header row"},
        {"\r\n\n", "line 1: the file is empty: it has no header row"},
        {"tension,speed\n", "end"},
        {"tension,colour\n1,2\n", "line 1: unknown column \"colour\" (usage)"},
        {"tension,Speed\n", "line 1: unknown column \"Speed\" (usage)"},
        {"tension,tension\n", "line 1: the column \"tension\" is named twice (usage)"},
        {"tension,speed\n1,2\n3\n", "line 3: the row has 1 fields, the header 2"},
        {"tension,speed\n1,2\n3,4,5\n", "line 3: the row has 3 fields, the header 2"},
        {"tension,speed\n1,2\n\"a\nb\",\"c\nd\",e\n", "line 3: the row has 3 fields, the header 2"},
        {"tension\n1\"2\n",
         "line 2: a quote out of place (a field with quotes, commas or line breaks is quoted whole, its quotes "
         "doubled)"},
        {"tension\n\"1\n2\n", "line 2: a quoted field is not closed"},
        {"name\n\xC3\x28\n", "line 2: the row is not UTF-8 text (save the file as UTF-8)"},
        {"name\n\"" + std::string(10 * 1024 * 1024, 'x') + "\"\n", "line 2: a field is longer than 1 MiB"},
    };
    for (const auto& [text, ending] : files) {
        EXPECT_EQ(ReadAll(text).ending, ending) << text.substr(0, 40);
    }
}

// A source that fails after its first piece.
class BrokenSource : public ByteSource {
public:
    std::variant<std::size_t, std::string> Read(char* buffer, std::size_t size) override
    {
        if (m_done) {
            return std::string("Input/output error");
        }
        m_done = true;
        const std::string_view text = "tension\n1\n2";
        const std::size_t count = std::min(size, text.size());
        text.copy(buffer, count);
        return count;
    }

private:
    bool m_done = false;
};

TEST(BatchFile, AReadErrorEndsTheReading)
{
    BrokenSource source;
    BatchReader reader(source, Case{});
    EXPECT_TRUE(std::holds_alternative<BatchRow>(reader.Next()));
    const auto fault = reader.Next();
    ASSERT_TRUE(std::holds_alternative<BatchFault>(fault));
    EXPECT_EQ(std::get<BatchFault>(fault).message, "cannot read the file: Input/output error");
}

}  // namespace
}  // namespace vyra
