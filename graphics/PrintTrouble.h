#pragma once

#include <functional>
#include <string>

namespace vyra::gfx {

// Shows a message box with an OK button and no icon: (title, message).
using MessageSink = std::function<void(const std::string& title, const std::string& message)>;

inline constexpr const char* kPrinterTrouble = "The printer has any troubles.";

// Tells the printer trouble through the sink, if there is one, under the
// program's title.
void ReportTrouble(const MessageSink& sink);

}  // namespace vyra::gfx
