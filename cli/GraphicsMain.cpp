#include "QtGraphicsOutputs.h"
#include "SelectorCli.h"

#include <csignal>
#include <iostream>

int main(int argc, char** argv)
{
    // A file-size limit then fails the write with a message instead of
    // ending the program halfway.
    std::signal(SIGXFSZ, SIG_IGN);
    vyra::cli::QtGraphicsOutputs graphics(std::vector<std::string>(argv, argv + argc));
    return vyra::cli::RunSelector(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr, &graphics);
}
