#pragma once

#include "ResultPicture.h"
#include "RunState.h"

#include <array>

class QLabel;

namespace vyra::ui {

// "Selection result 2": excitation and resonant frequencies, their ratios,
// eccentricity and eccentric force of the nine models, failing ratios struck
// through and the rows whose ratios both pass framed in light red. Placed
// centred on the display.
class FrmResult2 : public ResultScreen {
public:
    explicit FrmResult2(ResultCommands commands);

    // Writes the unit heading and every row from the selection's tables and
    // AssessResults2, replacing whatever the screen showed before.
    void Fill(const RunState& selection);

private:
    // Value columns, in the order of the table.
    static constexpr std::size_t kColumnCount = 7;

    QLabel* m_lblTani = nullptr;
    std::array<QLabel*, kModelCount> m_lblName{};
    std::array<std::array<QLabel*, kModelCount>, kColumnCount> m_values{};
};

}  // namespace vyra::ui
