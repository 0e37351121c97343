// vyra-select --batch --output: the file holds what standard output would
// have, and a batch that fails keeps the older file as it was.
#include "SelectorCli.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace vyra::cli {
namespace {

int RunWords(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    return RunSelector(ParseSelectorOptions(args), out, err, {});
}

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

TEST(BatchOutput, WrittenWholeOrNotAtAll)
{
    const std::string rows = VYRA_CASES_DIR "/cli_batch_formula.csv";
    const std::string target = ::testing::TempDir() + "cli-batch-out.csv";
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(RunWords({"--batch", rows}, out, err), kComputed);
    std::ostringstream none;
    EXPECT_EQ(RunWords({"--batch", rows, "--output", target}, none, err), kComputed);
    EXPECT_EQ(none.str(), "");
    EXPECT_EQ(ReadFile(target), out.str());
    EXPECT_EQ(RunWords({"--batch", VYRA_CASES_DIR "/cli_batch_short_row.csv", "--output", target}, none, err),
              kUsageError);
    EXPECT_EQ(ReadFile(target), out.str());
}

}  // namespace
}  // namespace vyra::cli
