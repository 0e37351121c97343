#pragma once

#include "HelperOptions.h"
#include "MaterialTableFile.h"

#include <ostream>
#include <string>

namespace vyra::cli {

// Runs a helper: the advice, the table or the roller's figures as text or
// one JSON document on out; wrong words or a broken material file on err
// with the usage error's status. materialsFile is the user's table, read
// only by the helpers that need a material.
int RunHelper(const HelperRequest& request, const UserMaterialFile& materialsFile, std::ostream& out,
              std::ostream& err);

}  // namespace vyra::cli
