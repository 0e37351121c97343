#include "QtGraphicsOutputs.h"
#include "SelectorCli.h"

#include <iostream>

int main(int argc, char** argv)
{
    vyra::cli::QtGraphicsOutputs graphics;
    return vyra::cli::RunSelector(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr, &graphics);
}
