#pragma once

#include "ResultColumns.h"
#include "ResultPicture.h"
#include "RunState.h"

#include <span>
#include <vector>

class QLabel;

namespace vyra::ui {

// Where a column of a result set stands on its screen: its value labels,
// named name(0) to name(8), and its headings.
struct ValueColumn {
    const char* name;
    double left;
    double width;
    TwipBox symbol;  // the symbol heading; width 0 for none
    double symbolPoints;  // 0 keeps the screen's own font
    TwipBox unit;  // the unit heading; width 0 when the symbol heading carries the unit
    const char* unitCaption = nullptr;  // the screen's own wording of a unit heading
};

// A result screen as data: what it shows of which result set, and where.
struct ResultScreenLayout {
    const char* caption;
    ResultSet (*set)();
    std::span<const Rule> rules;  // must outlive the screen
    std::span<const TableText> headings;
    // A heading that shows the run's unit of force; no name for none.
    TableText forceUnitHeading;
    // One a column of the set, in the engine's order.
    std::span<const ValueColumn> columns;
    std::span<const TableText> notes;
    double belowCentre;  // twips below the place centred on the display
};

// A result screen: the set's figures of the nine models, failing values
// struck through and the rows that pass every check of the set framed in
// light red.
class FrmResult : public ResultScreen {
public:
    FrmResult(const ResultScreenLayout& layout, ResultCommands commands);

    // Writes the unit headings and every row from the selection's tables and
    // the set's assessment, replacing whatever the screen showed before.
    void Fill(const RunState& selection);

private:
    void AddColumnHeadings(const ValueColumn& column, const ResultColumn& shown, int index);

    ResultSet m_set;
    // The unit headings of the force columns.
    std::vector<QLabel*> m_lblTani;
    ResultPicture::Column m_lblName{};
    std::vector<ResultPicture::Column> m_values;
};

}  // namespace vyra::ui
