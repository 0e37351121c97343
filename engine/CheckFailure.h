#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace vyra {

enum class MessageIcon { Information, Exclamation };

// A refused case: the message box to show (one OK button) and what to mark
// in light red once it is closed.
struct CheckFailure {
    std::string title;
    std::string message;
    MessageIcon icon = MessageIcon::Information;
    std::vector<int> markedItems;  // txtInput items, in marking order
    bool fulcrumMarked = false;  // the caption of the selected OpFulcrum option

    bool operator==(const CheckFailure&) const = default;
};

// Every check yields nothing when it passes, the failure otherwise.
using CheckResult = std::optional<CheckFailure>;

// A failure's texts break their lines at a carriage return, as a message box
// does; a terminal would write the second line over the first, so there
// each is a line feed.
inline std::string AsTerminalText(std::string text)
{
    std::replace(text.begin(), text.end(), '\r', '\n');
    return text;
}

}  // namespace vyra
