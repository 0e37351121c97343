#pragma once

#include "Expected.h"
#include "WebTension.h"

#include <string>

namespace vyra {

// The user's material file: VYRA_MATERIALS_FILE when set, else
// materials.csv in the program's settings folder
// ($XDG_CONFIG_HOME/VyraSensorSelector, ~/.config/VyraSensorSelector), where
// the desktop program keeps its settings too.
// Empty when neither the variable nor a home folder is known.
std::string UserMaterialFilePath();

// The shipped table with the rows of the user's file (empty path: none)
// added, a row of a shipped name replacing it. A missing file is no file;
// a file that cannot be read or is wrong is a failure naming it.
Expected<MaterialTable> LoadMaterialTable(const std::string& userPath);

}  // namespace vyra
