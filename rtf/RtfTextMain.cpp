// rtf-text FILE: prints the plain text the reader extracts, in UTF-8: one
// line per paragraph, table cells separated by a tab, each row on its own
// line. Exit status 0, or 1 with a one-line message when the file cannot be
// read or is not RTF.

#include "RtfReader.h"

#include <cerrno>
#include <cstring>
#include <exception>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

namespace {

// The C++ library reports some read errors, such as reading a folder, by
// throwing from inside the stream buffer. Returns false with errno set.
bool ReadFile(const char* path, std::string& bytes)
{
    errno = 0;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    try {
        bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    } catch (const std::exception&) {
        return false;
    }
    return !file.bad();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: rtf-text FILE\n";
        return 1;
    }
    std::string bytes;
    if (!ReadFile(argv[1], bytes)) {
        const int error = errno;
        std::cerr << "rtf-text: cannot read " << argv[1] << (error != 0 ? ": " : "")
                  << (error != 0 ? std::strerror(error) : "") << '\n';
        return 1;
    }
    const auto result = vyra::rtf::ReadRtf(bytes);
    if (const auto* failure = std::get_if<vyra::rtf::ReadFailure>(&result)) {
        std::cerr << "rtf-text: " << argv[1] << ": " << failure->reason << '\n';
        return 1;
    }
    std::cout << vyra::rtf::PlainText(std::get<vyra::rtf::Document>(result));
    std::cout.flush();
    return std::cout ? 0 : 1;
}
