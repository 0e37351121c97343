#pragma once

#include "SelectorCli.h"

namespace vyra::cli {

// Today in the local time zone, whether standard error is a terminal, and
// the user's material file.
Surroundings SystemSurroundings();

}  // namespace vyra::cli
