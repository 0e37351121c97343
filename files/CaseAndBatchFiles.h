#pragma once

// The case and batch files on disk, read and written through FileAccess.
#include "BatchFile.h"
#include "CaseFile.h"

#include <memory>
#include <string>

namespace vyra {

// The case in the file at path, or the failure whose reason names the file
// and the problem.
Expected<Case> ReadCaseFile(const std::string& path);

// Writes the case file whole or not at all; a failure's reason names the
// file and the cause.
Expected<void> WriteCaseFile(const std::string& path, const Case& c);

// The file at path, or standard input for "-", or why it cannot be read:
// only a regular file is opened (a folder, pipe or device named as the file
// is refused without waiting on it); standard input is read as it comes.
Expected<std::unique_ptr<ByteSource>> OpenBatchFile(const std::string& path);

}  // namespace vyra
