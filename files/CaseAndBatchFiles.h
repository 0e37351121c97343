#pragma once

// The case and batch files on disk, read and written through FileAccess.
#include "BatchFile.h"
#include "CaseFile.h"

#include <memory>
#include <optional>
#include <string>
#include <variant>

namespace vyra {

// The case in the file at path, or the message naming the file and the problem.
std::variant<Case, std::string> ReadCaseFile(const std::string& path);

// Writes the case file whole or not at all; the message naming the file and
// the cause, or nothing.
std::optional<std::string> WriteCaseFile(const std::string& path, const Case& c);

// The file at path, or standard input for "-", or why it cannot be read:
// only a regular file is opened (a folder, pipe or device named as the file
// is refused without waiting on it); standard input is read as it comes.
std::variant<std::unique_ptr<ByteSource>, std::string> OpenBatchFile(const std::string& path);

}  // namespace vyra
