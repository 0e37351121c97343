#include "FileAccess.h"

#include "CaseAndBatchFiles.h"
#include "FileDescriptor.h"

#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <random>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vyra {

namespace {

using detail::FileDescriptor;
using detail::SystemFailure;

// The file the write lands in: the target itself, or the regular file a
// link leads to.
struct TargetFile {
    std::string path;
    bool exists = false;
    struct stat status { };
};

Expected<TargetFile> ResolveTarget(const std::string& path)
{
    if (path.empty()) {
        return Failed("no file name was given");
    }
    TargetFile target{path, false, {}};
    if (::lstat(path.c_str(), &target.status) != 0) {
        if (errno == ENOENT) {
            return target;
        }
        return SystemFailure(errno);
    }
    if (S_ISLNK(target.status.st_mode)) {
        std::array<char, PATH_MAX> resolved{};
        if (::realpath(path.c_str(), resolved.data()) == nullptr) {
            return errno == ENOENT ? Failed("it is a link to a file that does not exist") : SystemFailure(errno);
        }
        target.path = resolved.data();
        if (::stat(target.path.c_str(), &target.status) != 0) {
            return SystemFailure(errno);
        }
    }
    if (S_ISDIR(target.status.st_mode)) {
        return Failed("it is a folder");
    }
    if (!S_ISREG(target.status.st_mode)) {
        return Failure{"it is not a regular file (a device, pipe or socket is never replaced)",
                       Failure::Kind::NotRegular};
    }
    // The shell's ">" refuses a file its user may not write; so does this.
    if (::faccessat(AT_FDCWD, target.path.c_str(), W_OK, AT_EACCESS) != 0) {
        return errno == EACCES ? Failed("permission denied") : SystemFailure(errno);
    }
    // Replacing the file would part it from its other names, which would
    // keep the old bytes; writing it in place would give up whole-or-nothing.
    if (target.status.st_nlink > 1) {
        return Failed("it has " + std::to_string(target.status.st_nlink - 1)
                      + " other name(s) (hard links), which a whole write would part from it");
    }
    target.exists = true;
    return target;
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The temporary's name does not grow with the target's, so that any name
// the target may have leaves room for it.
constexpr std::string_view kTemporaryPrefix = "/.vyra-write.";

std::string TemporaryName(const std::string& target)
{
    static constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
    std::string name = FolderOf(target) + std::string(kTemporaryPrefix);
    for (int i = 0; i < 6; ++i) {
        name += kLetters[pick(random)];
    }
    return name;
}

mode_t CurrentUmask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

Expected<void> WriteAll(int fd, std::string_view bytes, const FileCalls& calls)
{
    while (!bytes.empty()) {
        const ssize_t written = calls.write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written < 0) {
            return SystemFailure(errno);
        }
        if (written == 0) {
            return SystemFailure(ENOSPC);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
}

// The rename is the moment the target changes; the folder's own sync only
// makes that last, so its failure no longer undoes the write.
Expected<void> RenameInto(const std::string& temporary, const std::string& target)
{
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return SystemFailure(error);
    }
    const FileDescriptor folder(::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() >= 0) {
        ::fsync(folder.Get());
    }
    return {};
}

}  // namespace

struct WholeFileWriter::Target : TargetFile { };

WholeFileWriter::WholeFileWriter(const std::string& path, const FileCalls& calls) : m_calls(calls)
{
    Expected<TargetFile> resolved = ResolveTarget(path);
    if (!resolved) {
        m_failure = resolved.Error();
        return;
    }
    m_target = std::make_unique<Target>(Target{*std::move(resolved)});
    Fail(OpenTemporary());
    if (!m_failure) {
        Fail(TakeTargetsOwnerAndMode());
    }
}

void WholeFileWriter::Fail(const Expected<void>& step)
{
    if (!step && !m_failure) {
        m_failure = step.Error();
    }
}

// A file with no name until it is complete: a process killed while writing
// leaves nothing behind. Where the file system has no unnamed files, a named
// temporary, removed unless the write completes.
Expected<void> WholeFileWriter::OpenTemporary()
{
    const std::string folder = FolderOf(m_target->path);
    m_fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (m_fd >= 0) {
        return {};
    }
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
        return SystemFailure(errno);
    }
    m_temporary = folder + std::string(kTemporaryPrefix) + "XXXXXX";
    m_fd = ::mkostemp(m_temporary.data(), O_CLOEXEC);
    if (m_fd < 0) {
        m_temporary.clear();
        return SystemFailure(errno);
    }
    return {};
}

WholeFileWriter::~WholeFileWriter() { Abandon(); }

void WholeFileWriter::Write(std::string_view bytes)
{
    if (!m_failure) {
        Fail(WriteAll(m_fd, bytes, m_calls));
    }
}

Expected<void> WholeFileWriter::Commit()
{
    if (!m_failure) {
        Fail(Finish());
    }
    Abandon();
    if (m_failure) {
        return *m_failure;
    }
    return {};
}

// Before any byte is written, so that a long output learns at once that it
// could not replace the target: a replacement that would hand another
// user's file to this one is refused.
Expected<void> WholeFileWriter::TakeTargetsOwnerAndMode()
{
    if (!m_target->exists) {
        if (!m_temporary.empty() && ::fchmod(m_fd, 0666 & ~CurrentUmask()) != 0) {
            return SystemFailure(errno);
        }
        return {};
    }
    if (::fchown(m_fd, m_target->status.st_uid, m_target->status.st_gid) != 0) {
        return errno == EPERM ? Failed("its owner and group could not be kept (it belongs to another user)")
                              : SystemFailure(errno);
    }
    // After the owner: a change of owner may clear the set-id bits.
    if (::fchmod(m_fd, m_target->status.st_mode & 07777) != 0) {
        return SystemFailure(errno);
    }
    return {};
}

// The sync that makes the bytes last, then the name.
Expected<void> WholeFileWriter::Finish()
{
    if (m_calls.fsync(m_fd) != 0) {
        return SystemFailure(errno);
    }
    if (!m_temporary.empty()) {
        const int fd = std::exchange(m_fd, -1);
        if (::close(fd) != 0) {
            return SystemFailure(errno);
        }
        return RenameInto(std::exchange(m_temporary, std::string()), m_target->path);
    }
    const std::string self = "/proc/self/fd/" + std::to_string(m_fd);
    for (;;) {
        const std::string temporary = TemporaryName(m_target->path);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temporary.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            return RenameInto(temporary, m_target->path);
        }
        if (errno != EEXIST) {
            return SystemFailure(errno);
        }
    }
}

void WholeFileWriter::Abandon()
{
    if (m_fd >= 0) {
        ::close(std::exchange(m_fd, -1));
    }
    if (!m_temporary.empty()) {
        ::unlink(std::exchange(m_temporary, std::string()).c_str());
    }
}

FileCalls SystemFileCalls() { return {::write, ::fsync}; }

Expected<void> WriteFileWhole(const std::string& path, std::string_view bytes, const FileCalls& calls)
{
    WholeFileWriter writer(path, calls);
    writer.Write(bytes);
    return writer.Commit();
}

Expected<void> WriteCaseFile(const std::string& path, const Case& c)
{
    if (auto written = WriteFileWhole(path, CaseFileText(c)); !written) {
        return Failed(path + ": " + written.Error().reason);
    }
    return {};
}

}  // namespace vyra
