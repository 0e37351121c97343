// rtf-text FILE: prints the plain text the reader extracts, in UTF-8: one
// line per paragraph, table cells separated by a tab, each row on its own
// line. Exit status 0, or 1 with a one-line message when the file cannot be
// read or is not RTF.

#include "FileAccess.h"
#include "RtfReader.h"

#include <exception>
#include <iostream>
#include <string>
#include <variant>

namespace {

int RunRtfText(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: rtf-text FILE\n";
        return 1;
    }
    // Never more than the reader takes, and never a pipe or device, which
    // could block or never end.
    const vyra::Expected<std::string> read = vyra::ReadRegularFile(argv[1], vyra::rtf::ReadLimits{}.maxInputBytes);
    if (!read) {
        std::cerr << "rtf-text: cannot read " << argv[1] << ": " << read.Error().reason << '\n';
        return 1;
    }
    const vyra::Expected<vyra::rtf::Document> result = vyra::rtf::ReadRtf(*read);
    if (!result) {
        std::cerr << "rtf-text: " << argv[1] << ": " << result.Error().reason << '\n';
        return 1;
    }
    std::cout << vyra::rtf::PlainText(*result);
    std::cout.flush();
    return std::cout ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        return RunRtfText(argc, argv);
    } catch (const std::exception& failure) {
        std::cerr << "rtf-text: unexpected failure: " << failure.what() << '\n';
    }
    return 1;
}
