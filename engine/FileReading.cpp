#include "FileAccess.h"

#include "FileDescriptor.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <new>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vyra {

namespace detail {

std::string SystemReason(int errorNumber) { return std::strerror(errorNumber); }

}  // namespace detail

namespace {

using detail::FileDescriptor;
using detail::SystemReason;

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

}  // namespace vyra
