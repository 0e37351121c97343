#include "FileAccess.h"

#include "CaseAndBatchFiles.h"
#include "FileDescriptor.h"

#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <random>
#include <utility>
#include <variant>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vyra {

namespace {

using detail::FileDescriptor;
using detail::SystemReason;

// The file the write lands in: the target itself, or the regular file a
// link leads to.
struct TargetFile {
    std::string path;
    bool exists = false;
    struct stat status { };
};

std::variant<TargetFile, std::string> ResolveTarget(const std::string& path)
{
    if (path.empty()) {
        return std::string("no file name was given");
    }
    TargetFile target{path, false, {}};
    if (::lstat(path.c_str(), &target.status) != 0) {
        if (errno == ENOENT) {
            return target;
        }
        return SystemReason(errno);
    }
    if (S_ISLNK(target.status.st_mode)) {
        std::array<char, PATH_MAX> resolved{};
        if (::realpath(path.c_str(), resolved.data()) == nullptr) {
            return errno == ENOENT ? std::string("it is a link to a file that does not exist") : SystemReason(errno);
        }
        target.path = resolved.data();
        if (::stat(target.path.c_str(), &target.status) != 0) {
            return SystemReason(errno);
        }
    }
    if (S_ISDIR(target.status.st_mode)) {
        return std::string("it is a folder");
    }
    if (!S_ISREG(target.status.st_mode)) {
        return std::string("it is not a regular file (a device, pipe or socket is never replaced)");
    }
    // The shell's ">" refuses a file its user may not write; so does this.
    if (::faccessat(AT_FDCWD, target.path.c_str(), W_OK, AT_EACCESS) != 0) {
        return errno == EACCES ? std::string("permission denied") : SystemReason(errno);
    }
    // Replacing the file would part it from its other names, which would
    // keep the old bytes; writing it in place would give up whole-or-nothing.
    if (target.status.st_nlink > 1) {
        return "it has " + std::to_string(target.status.st_nlink - 1)
               + " other name(s) (hard links), which a whole write would part from it";
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

std::optional<std::string> WriteAll(int fd, std::string_view bytes, const FileCalls& calls)
{
    while (!bytes.empty()) {
        const ssize_t written = calls.write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written < 0) {
            return SystemReason(errno);
        }
        if (written == 0) {
            return SystemReason(ENOSPC);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return std::nullopt;
}

// The rename is the moment the target changes; the folder's own sync only
// makes that last, so its failure no longer undoes the write.
std::optional<std::string> RenameInto(const std::string& temporary, const std::string& target)
{
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return SystemReason(error);
    }
    const FileDescriptor folder(::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() >= 0) {
        ::fsync(folder.Get());
    }
    return std::nullopt;
}

}  // namespace

struct WholeFileWriter::Target : TargetFile { };

WholeFileWriter::WholeFileWriter(const std::string& path, const FileCalls& calls) : m_calls(calls)
{
    auto resolved = ResolveTarget(path);
    if (auto* reason = std::get_if<std::string>(&resolved)) {
        m_failure = std::move(*reason);
        return;
    }
    m_target = std::make_unique<Target>(Target{std::get<TargetFile>(std::move(resolved))});
    m_failure = OpenTemporary();
    if (!m_failure) {
        m_failure = TakeTargetsOwnerAndMode();
    }
}

// A file with no name until it is complete: a process killed while writing
// leaves nothing behind. Where the file system has no unnamed files, a named
// temporary, removed unless the write completes.
std::optional<std::string> WholeFileWriter::OpenTemporary()
{
    const std::string folder = FolderOf(m_target->path);
    m_fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (m_fd >= 0) {
        return std::nullopt;
    }
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
        return SystemReason(errno);
    }
    m_temporary = folder + std::string(kTemporaryPrefix) + "XXXXXX";
    m_fd = ::mkostemp(m_temporary.data(), O_CLOEXEC);
    if (m_fd < 0) {
        m_temporary.clear();
        return SystemReason(errno);
    }
    return std::nullopt;
}

WholeFileWriter::~WholeFileWriter() { Abandon(); }

void WholeFileWriter::Write(std::string_view bytes)
{
    if (!m_failure) {
        m_failure = WriteAll(m_fd, bytes, m_calls);
    }
}

std::optional<std::string> WholeFileWriter::Commit()
{
    if (!m_failure) {
        m_failure = Finish();
    }
    Abandon();
    return m_failure;
}

// Before any byte is written, so that a long output learns at once that it
// could not replace the target: a replacement that would hand another
// user's file to this one is refused.
std::optional<std::string> WholeFileWriter::TakeTargetsOwnerAndMode()
{
    if (!m_target->exists) {
        return m_temporary.empty() || ::fchmod(m_fd, 0666 & ~CurrentUmask()) == 0 ? std::nullopt
                                                                                  : std::optional(SystemReason(errno));
    }
    if (::fchown(m_fd, m_target->status.st_uid, m_target->status.st_gid) != 0) {
        return errno == EPERM ? std::string("its owner and group could not be kept (it belongs to another user)")
                              : SystemReason(errno);
    }
    // After the owner: a change of owner may clear the set-id bits.
    if (::fchmod(m_fd, m_target->status.st_mode & 07777) != 0) {
        return SystemReason(errno);
    }
    return std::nullopt;
}

// The sync that makes the bytes last, then the name.
std::optional<std::string> WholeFileWriter::Finish()
{
    if (m_calls.fsync(m_fd) != 0) {
        return SystemReason(errno);
    }
    if (!m_temporary.empty()) {
        const int fd = std::exchange(m_fd, -1);
        if (::close(fd) != 0) {
            return SystemReason(errno);
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
            return SystemReason(errno);
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

std::optional<std::string> WriteFileWhole(const std::string& path, std::string_view bytes, const FileCalls& calls)
{
    WholeFileWriter writer(path, calls);
    writer.Write(bytes);
    return writer.Commit();
}

std::optional<std::string> WriteCaseFile(const std::string& path, const Case& c)
{
    if (auto failure = WriteFileWhole(path, CaseFileText(c))) {
        return path + ": " + *failure;
    }
    return std::nullopt;
}

}  // namespace vyra
