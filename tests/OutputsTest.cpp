// vyra-select and the desktop program as processes: the cases of
// tests/e2e/outputs.sh, each one's output and exit status recorded.
#include "Golden.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Runs the cases of one group of tests/e2e/outputs.sh and compares what
// they printed with its recording.
void ExpectRecorded(const std::string& group, const std::string& port)
{
    const std::string command = "S=" VYRA_SELECT_PATH " A=" VYRA_DESKTOP_PATH " C=" VYRA_CASES_DIR " V=" VYRA_VERSION
                                " PORT="
                                + port + " bash " VYRA_CASES_DIR "/../e2e/outputs.sh --record " + group;
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string recording;
    std::array<char, 4096> buffer{};
    for (std::size_t n = 0; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) {
        recording.append(buffer.data(), n);
    }
    ::pclose(pipe);
    vyra::test::ExpectGolden("cli_outputs_" + group, recording);
}

TEST(Outputs, FilesStatusesAndPrintingTrouble)
{
    // A print server that takes the connection and never answers: the
    // kernel completes the handshake, nothing reads.
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 16), 0);
    socklen_t length = sizeof address;
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    ExpectRecorded("files", std::to_string(ntohs(address.sin_port)));
    ::close(listener);
}

TEST(Outputs, PrintSendsBothPagesToTheDefaultQueue)
{
    if (std::system("lpstat -d 2>/dev/null | grep -q vyra-capture") != 0
        || !std::filesystem::exists("/var/spool/vyra-capture")) {
        GTEST_SKIP() << "the vyra-capture queue is not the default printer";
    }
    ExpectRecorded("queue", "");
}

}  // namespace
