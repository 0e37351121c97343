// Batch files: CSV rows read one at a time into cases, and every way a file
// can be unreadable, with the line it is found on.
#include "BatchFile.h"
#include "TestCases.h"

#include <gtest/gtest.h>

namespace vyra {
namespace {

// Every row read, its case as a case file, then "end" or "line N: message".
std::string ReadAll(ByteSource&& source, Case base = {})
{
    BatchReader reader(source, std::move(base));
    std::string recording;
    auto next = reader.Next();
    for (; const auto* row = std::get_if<BatchRow>(&next); next = reader.Next()) {
        recording += "row " + std::to_string(row->number) + " from line " + std::to_string(row->fileLine) + ", id ["
                     + row->id + "]\n" + CaseFileText(row->input) + "problem: " + row->problem.value_or("none") + "\n";
    }
    const auto* fault = std::get_if<BatchFault>(&next);
    return recording
           + (fault
                  ? "line " + std::to_string(fault->fileLine) + ": " + fault->message + (fault->usage ? " (usage)" : "")
                  : "end");
}

// A source whose text ends in a read error.
class BrokenSource : public TextSource {
public:
    BrokenSource() : TextSource("tension\n1\n2") { }
    Expected<std::size_t> Read(char* buffer, std::size_t size) override
    {
        const Expected<std::size_t> read = TextSource::Read(buffer, size);
        return *read > 0 ? read : Failed("Input/output error");
    }
};

// Missing columns and empty choices keep the base case's entries; a read
// error ends the reading on the line it is found on.
TEST(BatchFile, ReadsRowsAsCases)
{
    Case base;
    base.report[kDate] = "Dec 06,2026";
    base.form.txtInput[kItemV] = "50";
    test::ExpectGolden("engine_batch_rows", ReadAll(TextSource("\xEF\xBB\xBFid,tension,unit,fulcrum,customer,alpha\r\n"
                                                               "R1,10,N,left,\"Müller, \"\"Papier\"\"\",-180\r\n"
                                                               "\r\n"
                                                               "\"R2\nunwind\", 10 ,,,\"\",\r\n"
                                                               "R3,,kN,Left,x,\n"
                                                               "R4,5,kgf,right,,1"),
                                                    base)
                                                + "\n" + ReadAll(BrokenSource()) + "\n");
}

TEST(BatchFile, FaultsNameTheLine)
{
    for (const auto& row : test::ReadCaseTable("engine_batch_faults", 3)) {
        const std::string text = test::Unescape(row[1]);
        const std::string recording = ReadAll(TextSource(text));
        EXPECT_EQ(recording.substr(recording.rfind('\n') + 1), row[2]) << row[0];
    }
}

}  // namespace
}  // namespace vyra
