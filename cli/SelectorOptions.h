#pragma once

#include "InputReading.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

namespace vyra::cli {

// The customer block of the report, kept for the printed report.
struct ReportFields {
    std::string customer;
    std::string order;
    std::string machine;
    std::string date;
    std::string name;
};

enum class Paper { A4, Letter };

// What is drawn beside the tables: the report as PDF or on the default
// printer, and the sketch as an image.
struct GraphicsRequest {
    std::string reportPath;
    Paper paper = Paper::A4;
    bool print = false;
    std::string sketchPath;

    bool Any() const { return !reportPath.empty() || print || !sketchPath.empty(); }
};

// One case as the input screen would hold it.
struct SelectorOptions {
    EntryForm form;
    std::int16_t forceUnit = 0;
    ReportFields report;
    bool json = false;
    GraphicsRequest graphics;
};

// --help or --version: the text to print, and nothing else is done.
struct TextRequested {
    std::string text;
};

// One line saying what is wrong with the words.
struct UsageError {
    std::string message;
};

using ParsedCommandLine = std::variant<SelectorOptions, TextRequested, UsageError>;

// args excludes the program name.
ParsedCommandLine ParseSelectorOptions(const std::vector<std::string>& args);

}  // namespace vyra::cli
