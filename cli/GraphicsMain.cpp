#include "QtGraphicsOutputs.h"
#include "SelectorCli.h"
#include "StandardOutput.h"
#include "SystemSurroundings.h"

#include <csignal>
#include <iostream>

#include <unistd.h>

int main(int argc, char** argv)
{
    // A file-size limit then fails the write with a message instead of
    // ending the program halfway.
    std::signal(SIGXFSZ, SIG_IGN);
    vyra::cli::GuardTermination("vyra-select");
    vyra::cli::DescriptorOutput output(STDOUT_FILENO);
    std::ostream out(&output);
    const int status = vyra::cli::Guarded("vyra-select", std::cerr, [&] {
        vyra::cli::QtGraphicsOutputs graphics(std::vector<std::string>(argv, argv + argc));
        return vyra::cli::RunSelector(vyra::cli::ParseSelectorOptions(std::vector<std::string>(argv + 1, argv + argc)),
                                      out, std::cerr, vyra::cli::SystemSurroundings(), &graphics);
    });
    return vyra::cli::FinishStandardOutput(output, status, "vyra-select", std::cerr);
}
