#pragma once

// Files on disk: reading with limits and the whole-file writer.

#include <cstddef>
#include <memory>
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

// A file written whole or not at all, piece by piece, for outputs too large
// to hold: the pieces go into a file beside the target that has no name
// until Commit has written and synced them all, then it is renamed over the
// target. Destroyed without Commit, or after a failure, it leaves the target
// as it was and no temporary file behind. The target rules are those of
// WriteFileWhole.
class WholeFileWriter {
public:
    explicit WholeFileWriter(const std::string& path, const FileCalls& calls = SystemFileCalls());
    ~WholeFileWriter();
    WholeFileWriter(const WholeFileWriter&) = delete;
    WholeFileWriter& operator=(const WholeFileWriter&) = delete;

    // Does nothing once a failure is known.
    void Write(std::string_view bytes);
    // Names the file; the reason of the first failure, or nothing.
    std::optional<std::string> Commit();
    // The first failure so far: the target cannot be written, or a write failed.
    const std::optional<std::string>& Failure() const { return m_failure; }

private:
    struct Target;

    std::optional<std::string> OpenTemporary();
    std::optional<std::string> TakeTargetsOwnerAndMode();
    std::optional<std::string> Finish();
    void Abandon();

    FileCalls m_calls;
    std::unique_ptr<Target> m_target;
    int m_fd = -1;
    // The named temporary where unnamed files are not supported.
    std::string m_temporary;
    std::optional<std::string> m_failure;
};

// Writes the bytes to path whole or not at all: into a file beside the
// target that has no name until every byte is written and synced, then
// renamed over the target. Only a regular file that its user may write is
// replaced, keeping its mode, owner and group; a link to one is written
// through and stays a link. A folder, pipe, device, socket, dangling link, a
// file with other hard links or one whose owner could not be kept is refused
// and left as it was. Returns the reason of a failure (one line, without the file
// name), or nothing; after a failure the target is as it was and no
// temporary file is left.
std::optional<std::string> WriteFileWhole(const std::string& path, std::string_view bytes,
                                          const FileCalls& calls = SystemFileCalls());

}  // namespace vyra
