#include "FileAccess.h"

#include "CaseAndBatchFiles.h"
#include "FileDescriptor.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <new>
#include <variant>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vyra {

namespace detail {

std::string SystemReason(int errorNumber) { return std::strerror(errorNumber); }

}  // namespace detail

namespace {

using detail::FileDescriptor;
using detail::SystemReason;

class DescriptorSource : public ByteSource {
public:
    explicit DescriptorSource(int fd, bool owned) : m_fd(owned ? fd : -1), m_read(fd) { }
    // A standard input left non-blocking by the program before is waited on.
    std::variant<std::size_t, std::string> Read(char* buffer, std::size_t size) override
    {
        for (;;) {
            const ssize_t got = ::read(m_read, buffer, size);
            if (got >= 0) {
                return static_cast<std::size_t>(got);
            }
            if (errno == EAGAIN || errno == EWOULDBLOCK) {
                pollfd ready{m_read, POLLIN, 0};
                ::poll(&ready, 1, -1);
            } else if (errno != EINTR) {
                return detail::SystemReason(errno);
            }
        }
    }

private:
    detail::FileDescriptor m_fd;
    int m_read;
};

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

std::variant<Case, std::string> ReadCaseFile(const std::string& path)
{
    ReadResult read = ReadRegularFile(path, kMaxCaseFileBytes);
    if (const auto* error = std::get_if<ReadError>(&read)) {
        const bool tooLarge = error->kind == ReadError::Kind::TooLarge;
        return path + ": " + (tooLarge ? std::string("it is larger than 1 MiB") : DescribeReadError(*error));
    }
    auto parsed = ParseCaseFile(std::get<std::string>(read));
    if (const auto* problem = std::get_if<std::string>(&parsed)) {
        return path + ": " + *problem;
    }
    return parsed;
}

std::variant<std::unique_ptr<ByteSource>, std::string> OpenBatchFile(const std::string& path)
{
    if (path == "-") {
        return std::make_unique<DescriptorSource>(STDIN_FILENO, false);
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return detail::SystemReason(errno);
    }
    auto source = std::make_unique<DescriptorSource>(fd, true);
    struct stat status { };
    if (::fstat(fd, &status) != 0) {
        return detail::SystemReason(errno);
    }
    if (!S_ISREG(status.st_mode)) {
        return DescribeReadError(ReadError{ReadError::Kind::NotRegular, 0});
    }
    return source;
}

}  // namespace vyra
