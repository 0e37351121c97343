#pragma once

// Files on disk: reading with limits and the whole-file writer.
#include "Expected.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include <sys/types.h>

namespace vyra {

// The whole content of a regular file of at most maxBytes. Opens without
// blocking, so a pipe with no writer is refused at once; reads at most
// maxBytes + 1 bytes, so a file that grows while it is read is refused
// as too large instead of filling memory.
// A failure says which kind it was: Failure::Kind System, NotRegular or
// TooLarge.
Expected<std::string> ReadRegularFile(const std::string& path, std::size_t maxBytes);

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
    // Names the file; or the first failure.
    Expected<void> Commit();
    // The first failure so far: the target cannot be written, or a write failed.
    const std::optional<Failure>& FirstFailure() const { return m_failure; }

private:
    struct Target;

    Expected<void> OpenTemporary();
    Expected<void> TakeTargetsOwnerAndMode();
    Expected<void> Finish();
    void Fail(const Expected<void>& step);
    void Abandon();

    FileCalls m_calls;
    std::unique_ptr<Target> m_target;
    int m_fd = -1;
    // The named temporary where unnamed files are not supported.
    std::string m_temporary;
    std::optional<Failure> m_failure;
};

// Writes the bytes to path whole or not at all: into a file beside the
// target that has no name until every byte is written and synced, then
// renamed over the target. Only a regular file that its user may write is
// replaced, keeping its mode, owner and group; a link to one is written
// through and stays a link. A folder, pipe, device, socket, dangling link, a
// file with other hard links or one whose owner could not be kept is refused
// and left as it was. A failure's reason is one line, without the file
// name; after a failure the target is as it was and no
// temporary file is left.
Expected<void> WriteFileWhole(const std::string& path, std::string_view bytes,
                              const FileCalls& calls = SystemFileCalls());

}  // namespace vyra
