#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include <sys/types.h>

namespace vyra {

// Why a file could not be read.
struct ReadError {
    enum class Kind {
        System,  // the system refused: errorNumber says why
        NotRegular,  // a folder, pipe, device or socket: never read, never waited on
        TooLarge,  // more bytes than the caller takes
    };
    Kind kind = Kind::System;
    int errorNumber = 0;  // errno, for Kind::System

    bool operator==(const ReadError&) const = default;
};

using ReadResult = std::variant<std::string, ReadError>;

// The whole content of a regular file of at most maxBytes. Opens without
// blocking, so a pipe with no writer is refused at once; reads at most
// maxBytes + 1 bytes, so a file that grows while it is read is refused
// as too large instead of filling memory.
ReadResult ReadRegularFile(const std::string& path, std::size_t maxBytes);

// A one-line reason for a read error, without the file name.
std::string DescribeReadError(const ReadError& error);

// The system calls the writer makes; tests hand in failing ones.
struct FileCalls {
    ssize_t (*write)(int fd, const void* data, std::size_t size);
    int (*fsync)(int fd);
};

// The real calls.
FileCalls SystemFileCalls();

// Writes the bytes to path whole or not at all: into a file beside the
// target that has no name until every byte is written and synced, then
// renamed over the target. Only a regular file is replaced, keeping its mode
// (and owner, where allowed); a link to a regular file is written through and
// stays a link. A folder, pipe, device, socket or dangling link is refused and
// left as it was. Returns the reason of a failure (one line, without the file
// name), or nothing; after a failure the target is as it was and no
// temporary file is left.
std::optional<std::string> WriteFileWhole(const std::string& path, std::string_view bytes,
                                          const FileCalls& calls = SystemFileCalls());

}  // namespace vyra
