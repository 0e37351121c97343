#pragma once

// What the file reading and writing share: an owned descriptor and the
// system's reason for an error number.
#include "Expected.h"

#include <string>

#include <unistd.h>

namespace vyra::detail {

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

std::string SystemReason(int errorNumber);
// The failure of a system call, with its reason.
Failure SystemFailure(int errorNumber);

}  // namespace vyra::detail
