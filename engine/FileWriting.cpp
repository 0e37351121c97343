#include "FileAccess.h"

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

std::string FileNameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string TemporaryName(const std::string& target)
{
    static constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
    std::string name = FolderOf(target) + "/." + FileNameOf(target) + ".";
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
    // A file with no name until it is complete: a process killed while
    // writing leaves nothing behind.
    m_fd = ::open(FolderOf(m_target->path).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (m_fd >= 0) {
        return;
    }
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
        m_failure = SystemReason(errno);
        return;
    }
    // For file systems without unnamed files: a named temporary, removed
    // unless the write completes.
    m_temporary = FolderOf(m_target->path) + "/." + FileNameOf(m_target->path) + ".XXXXXX";
    m_fd = ::mkostemp(m_temporary.data(), O_CLOEXEC);
    if (m_fd < 0) {
        m_failure = SystemReason(errno);
        m_temporary.clear();
        return;
    }
    if (!m_target->exists && ::fchmod(m_fd, 0666 & ~CurrentUmask()) != 0) {
        m_failure = SystemReason(errno);
    }
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

// Mode, owner, the sync that makes the bytes last, then the name.
std::optional<std::string> WholeFileWriter::Finish()
{
    if (m_target->exists) {
        if (::fchmod(m_fd, m_target->status.st_mode & 07777) != 0) {
            return SystemReason(errno);
        }
        // Only a privileged writer can give the file back to its owner.
        if (::fchown(m_fd, m_target->status.st_uid, m_target->status.st_gid) != 0 && errno != EPERM) {
            return SystemReason(errno);
        }
    }
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

}  // namespace vyra
