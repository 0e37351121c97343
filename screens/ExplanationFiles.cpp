#include "ExplanationFiles.h"

#include <QByteArray>
#include <QFile>

#include <array>
#include <cerrno>
#include <cstdint>
#include <new>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vyra::ui {

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return m_fd; }

private:
    int m_fd;
};

// ENOENT says only that some part of the path is missing: the file itself
// when its folder is there, else the folder.
int MissingCode(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray folder = slash < 0    ? QByteArrayLiteral(".")
                              : slash == 0 ? QByteArrayLiteral("/")
                                           : path.left(slash);
    struct stat status {};
    return ::stat(folder.constData(), &status) == 0 && S_ISDIR(status.st_mode) ? kFileNotFound : kPathNotFound;
}

int ErrorCode(int error, const QByteArray& path)
{
    switch (error) {
    case ENOENT:
        return MissingCode(path);
    case ENOTDIR:
        return kPathNotFound;
    case EACCES:
    case EPERM:
        return kPermissionDenied;
    case EIO:
        return kDeviceIoError;
    case EMFILE:
    case ENFILE:
        return kTooManyFiles;
    case ENXIO:
    case ENODEV:
        return kDeviceUnavailable;
#ifdef ENOMEDIUM
    case ENOMEDIUM:
        return kDiskNotReady;
#endif
    case ENOSPC:
        return kDiskFull;
    case EEXIST:
        return kFileAlreadyExists;
    case ENOMEM:
    case EFBIG:
    case EOVERFLOW:
        return kDocumentTooLarge;
    default:
        return kPathFileAccessError;
    }
}

// Reads on to the end of the file rather than to the size it had when it was
// opened, since it may change meanwhile; more than maxBytes is refused.
DocumentBytes ReadToEnd(int fd, std::size_t maxBytes, const QByteArray& path)
{
    std::string bytes;
    std::array<char, 64 * 1024> chunk{};
    try {
        for (;;) {
            const ssize_t got = ::read(fd, chunk.data(), chunk.size());
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got < 0) {
                return FileError{ErrorCode(errno, path)};
            }
            if (got == 0) {
                return bytes;
            }
            if (static_cast<std::size_t>(got) > maxBytes - bytes.size()) {
                return FileError{kDocumentTooLarge};
            }
            bytes.append(chunk.data(), static_cast<std::size_t>(got));
        }
    } catch (const std::bad_alloc&) {
        return FileError{kDocumentTooLarge};
    }
}

}  // namespace

DocumentBytes WorkingDirectoryFiles::ReadDocument(const QString& name) const
{
    const QByteArray path = QFile::encodeName(name);
    // Without O_NONBLOCK, opening a pipe of that name would wait for a writer.
    const FileDescriptor file(::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Get() < 0) {
        return FileError{ErrorCode(errno, path)};
    }
    struct stat status {};
    if (::fstat(file.Get(), &status) != 0) {
        return FileError{ErrorCode(errno, path)};
    }
    // A folder opens for reading here; it and every other kind of file that
    // is not a regular one is no document.
    if (!S_ISREG(status.st_mode)) {
        return FileError{kPathFileAccessError};
    }
    if (static_cast<std::uintmax_t>(status.st_size) > m_maxBytes) {
        return FileError{kDocumentTooLarge};
    }
    return ReadToEnd(file.Get(), m_maxBytes, path);
}

}  // namespace vyra::ui
