#include "FileAccess.h"

#include "CaseAndBatchFiles.h"
#include "FileDescriptor.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <new>
#include <utility>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vyra {

namespace detail {

std::string SystemReason(int errorNumber) { return std::strerror(errorNumber); }

Failure SystemFailure(int errorNumber)
{
    return Failure{SystemReason(errorNumber), Failure::Kind::System, errorNumber};
}

}  // namespace detail

namespace {

using detail::FileDescriptor;
using detail::SystemFailure;

Failure NotRegular() { return Failure{"it is not a regular file", Failure::Kind::NotRegular}; }

Failure TooLarge() { return Failure{"it is too large", Failure::Kind::TooLarge}; }

class DescriptorSource : public ByteSource {
public:
    explicit DescriptorSource(int fd, bool owned) : m_fd(owned ? fd : -1), m_read(fd) { }
    // A standard input left non-blocking by the program before is waited on.
    Expected<std::size_t> Read(char* buffer, std::size_t size) override
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
                return SystemFailure(errno);
            }
        }
    }

private:
    FileDescriptor m_fd;
    int m_read;
};

Expected<std::string> ReadOpenFile(int fd, std::size_t maxBytes)
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
                return SystemFailure(errno);
            }
            if (got == 0) {
                return bytes;
            }
            bytes.append(chunk.data(), static_cast<std::size_t>(got));
            if (bytes.size() > maxBytes) {
                return TooLarge();
            }
        }
    } catch (const std::bad_alloc&) {
        return SystemFailure(ENOMEM);
    }
}

}  // namespace

Expected<std::string> ReadRegularFile(const std::string& path, std::size_t maxBytes)
{
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Get() < 0) {
        return SystemFailure(errno);
    }
    struct stat status { };
    if (::fstat(file.Get(), &status) != 0) {
        return SystemFailure(errno);
    }
    // A folder opens for reading; it, a pipe and a device are no files to read.
    if (!S_ISREG(status.st_mode)) {
        return NotRegular();
    }
    if (static_cast<std::uintmax_t>(status.st_size) > maxBytes) {
        return TooLarge();
    }
    return ReadOpenFile(file.Get(), maxBytes);
}

Expected<Case> ReadCaseFile(const std::string& path)
{
    Expected<std::string> read = ReadRegularFile(path, kMaxCaseFileBytes);
    if (!read) {
        const bool tooLarge = read.Error().kind == Failure::Kind::TooLarge;
        return Failed(path + ": " + (tooLarge ? std::string("it is larger than 1 MiB") : read.Error().reason));
    }
    Expected<Case> parsed = ParseCaseFile(*read);
    if (!parsed) {
        return Failed(path + ": " + parsed.Error().reason);
    }
    return parsed;
}

Expected<std::unique_ptr<ByteSource>> OpenBatchFile(const std::string& path)
{
    if (path == "-") {
        return std::unique_ptr<ByteSource>(std::make_unique<DescriptorSource>(STDIN_FILENO, false));
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return SystemFailure(errno);
    }
    auto source = std::make_unique<DescriptorSource>(fd, true);
    struct stat status { };
    if (::fstat(fd, &status) != 0) {
        return SystemFailure(errno);
    }
    if (!S_ISREG(status.st_mode)) {
        return NotRegular();
    }
    return std::unique_ptr<ByteSource>(std::move(source));
}

}  // namespace vyra
