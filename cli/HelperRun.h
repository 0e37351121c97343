#pragma once

#include "HelperOptions.h"

#include <ostream>
#include <string>

namespace vyra::cli {

// Runs a helper: the advice, the table or the roller's figures as text or
// one JSON document on out; wrong words or a broken material file on err
// with the usage error's status. materialsFile is the user's table, empty
// for none.
int RunHelper(const HelperRequest& request, const std::string& materialsFile, std::ostream& out, std::ostream& err);

}  // namespace vyra::cli
