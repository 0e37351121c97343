#pragma once

#include "Expected.h"
#include "MaterialFile.h"
#include "WebTension.h"

#include <optional>
#include <string>

namespace vyra {

// The user's material file. A named one must be there; the settings
// folder's may be missing.
struct UserMaterialFile {
    std::string path;  // empty: none
    bool named = true;
};

// VYRA_MATERIALS_FILE when set (named), else materials.csv in the program's
// settings folder ($XDG_CONFIG_HOME/VyraSensorSelector,
// ~/.config/VyraSensorSelector), where the desktop program keeps its
// settings too. No path when neither the variable nor a home folder is
// known.
UserMaterialFile FindUserMaterialFile();

// The shipped table with the rows of the user's file added, a row of a
// shipped name replacing it. Only the settings folder's file may be
// missing (nothing at all at its path); a named file that is missing, a
// dangling link, or a file that cannot be read or is wrong is a failure
// naming it.
Expected<MaterialTable> LoadMaterialTable(const UserMaterialFile& file);

// The material table of a run: the user's file read the first time
// something needs a material, and kept for the rest of the run, so that a
// broken file stops only what needs a material and a large one is read
// once.
class RunMaterialTable {
public:
    explicit RunMaterialTable(UserMaterialFile file) : m_file(std::move(file)) { }

    const Expected<MaterialTable>& Get();
    // For a reader that asks when a row needs it.
    MaterialTableSource Source()
    {
        return [this]() -> const Expected<MaterialTable>& { return Get(); };
    }

private:
    UserMaterialFile m_file;
    std::optional<Expected<MaterialTable>> m_table;
};

}  // namespace vyra
