#include "ChildRun.h"

#include <csignal>
#include <cstdlib>
#include <thread>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vyra::cli {

namespace {

constexpr std::chrono::milliseconds kPollInterval{20};

// Only async-signal-safe calls between fork and exec: the parent may have
// threads of the toolkit running.
[[noreturn]] void BecomeChild(std::vector<char*>& words, const char* marker)
{
    ::setenv(marker, "1", 1);
    const int null = ::open("/dev/null", O_WRONLY);
    if (null >= 0) {
        ::dup2(null, STDOUT_FILENO);
    }
    ::execv("/proc/self/exe", words.data());
    ::_exit(127);
}

}  // namespace

std::optional<int> RunSelfWithin(const std::vector<std::string>& argv, const char* marker,
                                 std::chrono::milliseconds limit)
{
    std::vector<char*> words;
    for (const std::string& word : argv) {
        words.push_back(const_cast<char*>(word.c_str()));
    }
    words.push_back(nullptr);
    const pid_t child = ::fork();
    if (child < 0) {
        return std::nullopt;
    }
    if (child == 0) {
        BecomeChild(words, marker);
    }
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    for (;;) {
        const pid_t done = ::waitpid(child, &status, WNOHANG);
        if (done == child) {
            return WIFEXITED(status) ? std::optional<int>(WEXITSTATUS(status)) : std::nullopt;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            return std::nullopt;
        }
        std::this_thread::sleep_for(kPollInterval);
    }
}

bool IsChildRun(const char* marker) { return std::getenv(marker) != nullptr; }

}  // namespace vyra::cli
