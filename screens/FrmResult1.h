#pragma once

#include "ResultPicture.h"
#include "RunState.h"

#include <array>

class QLabel;

namespace vyra::ui {

// "Selection result 1": transmitted load, stopper displacement, sensor
// output and gain of the nine models, failing values struck through and the
// rows that pass every check framed in light red. Placed 205 twips below
// the centred frmResult2.
class FrmResult1 : public ResultScreen {
public:
    explicit FrmResult1(ResultCommands commands);

    // Writes the unit headings and every row from the selection's tables and
    // AssessResults1, replacing whatever the screen showed before.
    void Fill(const RunState& selection);

private:
    static constexpr std::size_t kColumnCount = 9;

    // The unit headings of the three load columns.
    std::array<QLabel*, 3> m_lblTani{};
    std::size_t m_taniCount = 0;
    std::array<QLabel*, kModelCount> m_lblName{};
    std::array<std::array<QLabel*, kModelCount>, kColumnCount> m_values{};
};

}  // namespace vyra::ui
