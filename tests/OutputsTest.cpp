// vyra-select and the desktop program as processes: the cases of
// tests/e2e/outputs.sh, each one's output and exit status recorded.
#include "Golden.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// Runs the cases of one group of tests/e2e/outputs.sh and compares what
// they printed with its recording.
void ExpectRecorded(const std::string& group)
{
    const std::string command = "S=" VYRA_SELECT_PATH " A=" VYRA_DESKTOP_PATH " C=" VYRA_CASES_DIR " V=" VYRA_VERSION
                                " bash " VYRA_CASES_DIR "/../e2e/outputs.sh --record "
                                + group;
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string recording;
    for (int c = 0; (c = std::fgetc(pipe)) != EOF;) {
        recording += static_cast<char>(c);
    }
    ::pclose(pipe);
    vyra::test::ExpectGolden("cli_outputs_" + group, recording);
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
