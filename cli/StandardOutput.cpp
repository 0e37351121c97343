#include "StandardOutput.h"

#include "SelectorCli.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

#include <unistd.h>

namespace vyra::cli {

Expected<void> DescriptorOutput::Close()
{
    Drain();
    if (::close(m_fd) != 0 && !m_failure && !(errno == EBADF && !m_wrote)) {
        m_failure = std::strerror(errno);
    }
    if (m_failure) {
        return Failed(*m_failure);
    }
    return {};
}

DescriptorOutput::int_type DescriptorOutput::overflow(int_type c)
{
    if (m_used == m_buffer.size() && !Drain()) {
        return traits_type::eof();
    }
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        m_buffer[m_used++] = traits_type::to_char_type(c);
    }
    return traits_type::not_eof(c);
}

std::streamsize DescriptorOutput::xsputn(const char* bytes, std::streamsize count)
{
    const auto size = static_cast<std::size_t>(count);
    if (m_used + size <= m_buffer.size()) {
        std::memcpy(m_buffer.data() + m_used, bytes, size);
        m_used += size;
        return count;
    }
    if (!Drain()) {
        return 0;
    }
    WriteOut(bytes, size);
    return m_failure ? 0 : count;
}

int DescriptorOutput::sync() { return Drain() ? 0 : -1; }

bool DescriptorOutput::Drain()
{
    WriteOut(m_buffer.data(), m_used);
    m_used = 0;
    return !m_failure;
}

void DescriptorOutput::WriteOut(const char* bytes, std::size_t count)
{
    while (count > 0 && !m_failure) {
        m_wrote = true;
        const ssize_t written = ::write(m_fd, bytes, count);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            m_failure = std::strerror(written < 0 ? errno : ENOSPC);
            return;
        }
        bytes += written;
        count -= static_cast<std::size_t>(written);
    }
}

std::string WriteFailureOf(std::ostream& out)
{
    auto* descriptor = dynamic_cast<DescriptorOutput*>(out.rdbuf());
    if (descriptor != nullptr && descriptor->Failure()) {
        descriptor->MarkTold();
        return *descriptor->Failure();
    }
    return "the stream failed";
}

int Guarded(std::string_view program, std::ostream& err, const std::function<int()>& run)
{
    try {
        return run();
    } catch (const std::exception& failure) {
        err << program << ": unexpected failure: " << failure.what() << '\n';
    } catch (...) {
        err << program << ": unexpected failure\n";
    }
    return kInternalFailure;
}

namespace {

const char* g_terminatingProgram = "";

// Nothing here allocates: memory may be what ran out.
[[noreturn]] void EndWithMessage()
{
    try {
        if (const std::exception_ptr failure = std::current_exception()) {
            std::rethrow_exception(failure);
        }
        std::fprintf(stderr, "%s: unexpected failure\n", g_terminatingProgram);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "%s: unexpected failure: %s\n", g_terminatingProgram, failure.what());
    } catch (...) {
        std::fprintf(stderr, "%s: unexpected failure\n", g_terminatingProgram);
    }
    std::_Exit(kInternalFailure);
}

}  // namespace

void GuardTermination(const char* program)
{
    g_terminatingProgram = program;
    std::set_terminate(EndWithMessage);
}

int FinishStandardOutput(DescriptorOutput& output, int status, std::string_view program, std::ostream& err)
{
    if (const Expected<void> closed = output.Close(); !closed && !output.Told()) {
        err << program << ": cannot write standard output: " << closed.Error().reason << '\n';
        return kOutputFailed;
    }
    return output.Failure() ? kOutputFailed : status;
}

}  // namespace vyra::cli
