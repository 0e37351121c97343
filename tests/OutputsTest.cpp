// vyra-select and the desktop program as processes: the cases of
// tests/e2e/outputs.sh, each one's output and exit status recorded.
#include "Golden.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <utility>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// The output of a shell command and its exit status.
std::pair<std::string, int> Shell(const std::string& command)
{
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    std::array<char, 4096> buffer{};
    for (std::size_t n = 0; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) {
        out.append(buffer.data(), n);
    }
    const int status = ::pclose(pipe);
    return {out, WEXITSTATUS(status)};
}

// Runs the cases of one group of tests/e2e/outputs.sh, each in a fresh
// folder, and records them.
void ExpectRecorded(const std::string& group, const std::string& port)
{
    const std::string script = VYRA_CASES_DIR "/../e2e/outputs.sh";
    const fs::path folder = fs::temp_directory_path() / ("cli-outputs-" + std::to_string(::getpid()));
    std::istringstream names(Shell("bash " + script + " --list " + group).first);
    std::string recording;
    for (std::string name; std::getline(names, name);) {
        fs::remove_all(folder);
        fs::create_directories(folder);
        auto [out, status] = Shell("cd " + folder.string()
                                   + " && S=" VYRA_SELECT_PATH " A=" VYRA_DESKTOP_PATH " C=" VYRA_CASES_DIR " PORT="
                                   + port + " bash " + script + " '" + name + "' 2>&1");
        for (const auto& [from, to] :
             {std::pair<std::string, std::string>{folder.string(), "{dir}"}, {VYRA_VERSION, "{version}"}}) {
            for (std::size_t at = out.find(from); at != std::string::npos; at = out.find(from, at + to.size())) {
                out.replace(at, from.size(), to);
            }
        }
        recording += "# " + name + "\n" + out + "-- exit " + std::to_string(status) + "\n\n";
    }
    fs::remove_all(folder);
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
    if (Shell("lpstat -d 2>/dev/null | grep -q vyra-capture").second != 0 || !fs::exists("/var/spool/vyra-capture")) {
        GTEST_SKIP() << "the vyra-capture queue is not the default printer";
    }
    ExpectRecorded("queue", "");
}

}  // namespace
