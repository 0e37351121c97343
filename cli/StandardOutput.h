#pragma once

#include "Expected.h"

#include <array>
#include <functional>
#include <optional>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>

namespace vyra::cli {

// A stream buffer onto a file descriptor that keeps the reason of its first
// failed write, so that a program can say why its output was lost (a full
// disk, a closed descriptor) instead of only that it was.
class DescriptorOutput : public std::streambuf {
public:
    explicit DescriptorOutput(int fd) : m_fd(fd) { }
    DescriptorOutput(const DescriptorOutput&) = delete;
    DescriptorOutput& operator=(const DescriptorOutput&) = delete;

    // Writes what is buffered and closes the descriptor, or says why the
    // first write failed. A closed descriptor nothing was written to is no
    // failure.
    Expected<void> Close();
    const std::optional<std::string>& Failure() const { return m_failure; }
    // A failure that a message has named already is not named again at the end.
    void MarkTold() { m_told = true; }
    bool Told() const { return m_told; }

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* bytes, std::streamsize count) override;
    int sync() override;

private:
    bool Drain();
    void WriteOut(const char* bytes, std::size_t count);

    int m_fd;
    std::array<char, 64 * 1024> m_buffer{};
    std::size_t m_used = 0;
    bool m_wrote = false;
    bool m_told = false;
    std::optional<std::string> m_failure;
};

// Why writing to out failed, for a message that names it: the reason its
// DescriptorOutput kept, or that the stream failed.
std::string WriteFailureOf(std::ostream& out);

// A program's last guard: runs the program, turns an exception that would
// end it with an abort into a message and kInternalFailure.
int Guarded(std::string_view program, std::ostream& err, const std::function<int()>& run);

// The guard for what Guarded cannot catch: an exception that leaves a
// function which may not throw (a destructor of the drawing toolkit that
// runs out of memory while it unwinds) ends the program with the same
// message and kInternalFailure instead of an abort.
void GuardTermination(const char* program);

// Flushes and closes standard output; when that fails, says why on err and
// returns kOutputFailed, else status.
int FinishStandardOutput(DescriptorOutput& output, int status, std::string_view program, std::ostream& err);

}  // namespace vyra::cli
