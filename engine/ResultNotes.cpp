#include "ResultNotes.h"

#include "RunState.h"

namespace vyra {

// An empty line speed is a standing line, which no check refuses: every
// frequency ratio is then 0 and passes, which reads as a verdict on a
// running line unless it is said.
std::vector<std::string> ResultNotes(const RunState& state)
{
    std::vector<std::string> notes;
    if (state.inputs.V == 0) {
        notes.emplace_back("Line speed V is 0: result set 2 is that of a standing line.");
    }
    return notes;
}

}  // namespace vyra
