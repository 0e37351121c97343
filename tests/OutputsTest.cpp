// vyra-select and the desktop program as processes: the cases of
// tests/e2e/outputs.sh, each one's output and exit status recorded.
#include "Golden.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

namespace {

// Runs the cases of one group of tests/e2e/outputs.sh and compares what
// they printed with its recording.
void ExpectRecorded(const std::string& group)
{
    const std::string command = "S=" VYRA_SELECT_PATH " A=" VYRA_DESKTOP_PATH " C=" VYRA_CASES_DIR " V=" VYRA_VERSION
                                " bash " VYRA_CASES_DIR "/../e2e/outputs.sh --record "
                                + group;
    const std::string file = ::testing::TempDir() + "outputs-" + std::to_string(::getpid()) + ".txt";
    ASSERT_EQ(std::system((command + " >" + file).c_str()), 0) << command;
    vyra::test::ExpectGolden("cli_outputs_" + group, vyra::test::FileText(file));
}

TEST(Outputs, FilesStatusesAndPrintingTrouble) { ExpectRecorded("files"); }

TEST(Outputs, PrintSendsBothPagesToTheDefaultQueue)
{
    if (std::system("lpstat -d 2>/dev/null | grep -q vyra-capture") != 0
        || !std::filesystem::exists("/var/spool/vyra-capture")) {
        GTEST_SKIP() << "the vyra-capture queue is not the default printer";
    }
    ExpectRecorded("queue");
}

}  // namespace
