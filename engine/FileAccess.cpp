#include "FileAccess.h"

#include <array>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <random>
#include <variant>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vyra {

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) { }
    ~FileDescriptor()
    {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return m_fd; }
    // Closes now and tells whether the close succeeded.
    bool Close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

std::string SystemReason(int errorNumber) { return std::strerror(errorNumber); }

ReadResult ReadOpenFile(int fd, std::size_t maxBytes)
{
    std::string bytes;
    std::array<char, 64 * 1024> chunk{};
    try {
        for (;;) {
            // One byte past the limit is enough to know the file is too large.
            const std::size_t left = maxBytes - bytes.size();
            const std::size_t ask = left < chunk.size() ? left + 1 : chunk.size();
            const ssize_t got = ::read(fd, chunk.data(), ask);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got < 0) {
                return ReadError{ReadError::Kind::System, errno};
            }
            if (got == 0) {
                return bytes;
            }
            bytes.append(chunk.data(), static_cast<std::size_t>(got));
            if (bytes.size() > maxBytes) {
                return ReadError{ReadError::Kind::TooLarge, 0};
            }
        }
    } catch (const std::bad_alloc&) {
        return ReadError{ReadError::Kind::System, ENOMEM};
    }
}

// The file the write lands in: the target itself, or the regular file a
// link leads to.
struct Target {
    std::string path;
    bool exists = false;
    struct stat status { };
};

std::variant<Target, std::string> ResolveTarget(const std::string& path)
{
    if (path.empty()) {
        return std::string("no file name was given");
    }
    Target target{path, false, {}};
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

// Bytes, mode, owner, then the sync that makes them last.
std::optional<std::string> FillAndSync(int fd, const Target& target, std::string_view bytes, const FileCalls& calls)
{
    if (auto failure = WriteAll(fd, bytes, calls)) {
        return failure;
    }
    if (target.exists) {
        if (::fchmod(fd, target.status.st_mode & 07777) != 0) {
            return SystemReason(errno);
        }
        // Only a privileged writer can give the file back to its owner.
        if (::fchown(fd, target.status.st_uid, target.status.st_gid) != 0 && errno != EPERM) {
            return SystemReason(errno);
        }
    }
    if (calls.fsync(fd) != 0) {
        return SystemReason(errno);
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

// A file with no name until it is complete: a process killed while writing
// leaves nothing behind.
std::optional<std::string> WriteUnnamed(int fd, const Target& target, std::string_view bytes, const FileCalls& calls)
{
    if (auto failure = FillAndSync(fd, target, bytes, calls)) {
        return failure;
    }
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (;;) {
        const std::string temporary = TemporaryName(target.path);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temporary.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            return RenameInto(temporary, target.path);
        }
        if (errno != EEXIST) {
            return SystemReason(errno);
        }
    }
}

// For file systems without unnamed files: a named temporary, removed on failure.
std::optional<std::string> WriteNamed(const Target& target, std::string_view bytes, const FileCalls& calls)
{
    std::string temporary = FolderOf(target.path) + "/." + FileNameOf(target.path) + ".XXXXXX";
    FileDescriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
    if (file.Get() < 0) {
        return SystemReason(errno);
    }
    std::optional<std::string> failure;
    if (!target.exists && ::fchmod(file.Get(), 0666 & ~CurrentUmask()) != 0) {
        failure = SystemReason(errno);
    }
    if (!failure) {
        failure = FillAndSync(file.Get(), target, bytes, calls);
    }
    if (!failure && !file.Close()) {
        failure = SystemReason(errno);
    }
    if (failure) {
        ::unlink(temporary.c_str());
        return failure;
    }
    return RenameInto(temporary, target.path);
}

}  // namespace

ReadResult ReadRegularFile(const std::string& path, std::size_t maxBytes)
{
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Get() < 0) {
        return ReadError{ReadError::Kind::System, errno};
    }
    struct stat status { };
    if (::fstat(file.Get(), &status) != 0) {
        return ReadError{ReadError::Kind::System, errno};
    }
    // A folder opens for reading; it, a pipe and a device are no files to read.
    if (!S_ISREG(status.st_mode)) {
        return ReadError{ReadError::Kind::NotRegular, 0};
    }
    if (static_cast<std::uintmax_t>(status.st_size) > maxBytes) {
        return ReadError{ReadError::Kind::TooLarge, 0};
    }
    return ReadOpenFile(file.Get(), maxBytes);
}

std::string DescribeReadError(const ReadError& error)
{
    switch (error.kind) {
    case ReadError::Kind::NotRegular:
        return "it is not a regular file";
    case ReadError::Kind::TooLarge:
        return "it is too large";
    case ReadError::Kind::System:
        break;
    }
    return SystemReason(error.errorNumber);
}

FileCalls SystemFileCalls() { return {::write, ::fsync}; }

std::optional<std::string> WriteFileWhole(const std::string& path, std::string_view bytes, const FileCalls& calls)
{
    const auto resolved = ResolveTarget(path);
    if (const auto* reason = std::get_if<std::string>(&resolved)) {
        return *reason;
    }
    const Target& target = std::get<Target>(resolved);
    const int fd = ::open(FolderOf(target.path).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
        return WriteNamed(target, bytes, calls);
    }
    if (fd < 0) {
        return SystemReason(errno);
    }
    const FileDescriptor file(fd);
    return WriteUnnamed(file.Get(), target, bytes, calls);
}

}  // namespace vyra
