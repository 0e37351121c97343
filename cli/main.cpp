#include "SelectorCli.h"
#include "StandardOutput.h"
#include "SystemSurroundings.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <unistd.h>

namespace {

// The report and the sketch need the drawing toolkit, whose libraries take
// longer to load than a whole selection; they live in a twin program, which
// takes the same words: beside this one in a build, in the package's own
// folder once installed.
constexpr const char* kGraphicsProgram = "vyra-select-graphics";
constexpr const char* kInstalledTwinFolder = "../lib/vyrasensorselector";

int RunGraphicsTwin(char** argv)
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        std::cerr << "vyra-select: cannot find " << kGraphicsProgram << ": " << error.message() << '\n';
        return vyra::cli::kOutputFailed;
    }
    std::filesystem::path twin = self.parent_path() / kGraphicsProgram;
    if (!std::filesystem::exists(twin, error)) {
        twin = (self.parent_path() / kInstalledTwinFolder / kGraphicsProgram).lexically_normal();
    }
    execv(twin.c_str(), argv);
    std::cerr << "vyra-select: cannot start " << twin.string() << ": " << std::strerror(errno) << '\n';
    return vyra::cli::kOutputFailed;
}

}  // namespace

int main(int argc, char** argv)
{
    // A file-size limit then fails a write with a message instead of ending
    // the program halfway.
    std::signal(SIGXFSZ, SIG_IGN);
    vyra::cli::GuardTermination("vyra-select");
    const std::vector<std::string> args(argv + 1, argv + argc);
    vyra::cli::DescriptorOutput output(STDOUT_FILENO);
    std::ostream out(&output);
    const int status = vyra::cli::Guarded("vyra-select", std::cerr, [&] {
        const vyra::cli::ParsedCommandLine parsed = vyra::cli::ParseSelectorOptions(args);
        if (vyra::cli::RequestsGraphics(parsed)) {
            return RunGraphicsTwin(argv);
        }
        return vyra::cli::RunSelector(parsed, out, std::cerr, vyra::cli::SystemSurroundings());
    });
    return vyra::cli::FinishStandardOutput(output, status, "vyra-select", std::cerr);
}
