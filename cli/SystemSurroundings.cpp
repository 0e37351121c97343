// The real surroundings of a run, for the two programs' main functions
// only: the library code of vyra-select reads neither the clock nor the
// terminal, so that its tests hand in their own.
#include "SystemSurroundings.h"

#include "MaterialTableFile.h"
#include "ResultFormat.h"

#include <ctime>

#include <unistd.h>

namespace vyra::cli {

Surroundings SystemSurroundings()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {
        FormatDate(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1), static_cast<unsigned>(local.tm_mday)),
        ::isatty(STDERR_FILENO) == 1, FindUserMaterialFile()};
}

}  // namespace vyra::cli
