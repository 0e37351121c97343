#pragma once

#include "SelectorCli.h"

namespace vyra::cli {

// Today in the local time zone, and whether standard error is a terminal.
Surroundings SystemSurroundings();

}  // namespace vyra::cli
