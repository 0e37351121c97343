#pragma once

#include "ForceUnit.h"
#include "ResultColumns.h"
#include "ResultPicture.h"

#include <span>
#include <string>
#include <utility>
#include <vector>

class QLabel;

namespace vyra {
struct RunState;
}

namespace vyra::ui {

// Where a column of a result set stands on its screen: its value labels,
// named name(0) to name(8), and its headings.
struct ValueColumn {
    const ResultColumn* column;  // ColumnNamed("P1"): a place says what it shows
    const char* name;
    double left;
    double width;
    TwipBox symbol;  // the symbol heading; width 0 for none
    double symbolPoints;  // 0 keeps the screen's own font
    TwipBox unit;  // the unit heading; width 0 when the symbol heading carries the unit
    const char* unitCaption = nullptr;  // the screen's own wording of a unit heading
};

// A text of the screen that follows the run's unit: a unit heading or a
// tolerance line.
struct RunUnitText {
    TableText place;
    std::string (*text)(ForceUnit forceUnit) = nullptr;  // null for a fixed text
};

// A result screen as data: what it shows of which result set, and where.
struct ResultScreenLayout {
    const char* caption;
    ResultSet (*set)();
    std::span<const Rule> rules;  // must outlive the screen
    std::span<const TableText> headings;
    std::span<const RunUnitText> runUnitTexts;
    std::span<const ValueColumn> columns;  // one a column of the set
    std::span<const RunUnitText> notes;  // the tolerances, as the engine words them
    double belowCentre;  // twips below the place centred on the display
    // Where the sentences on the figures stand (a standing line), beside the
    // buttons; width 0 for a screen whose figures they do not concern.
    TwipBox runNotes = {};
    // Where the calculation ID stands beside the buttons; width 0 for none.
    TwipBox calculationId = {};
};

// A result screen: the set's figures of the nine models, failing values
// struck through and the rows that pass every check of the set framed in
// light red.
class FrmResult : public ResultScreen {
public:
    FrmResult(const ResultScreenLayout& layout, ResultCommands commands);

    // Writes the unit headings and every row from the selection's tables and
    // the set's assessment, replacing whatever the screen showed before.
    void Fill(const RunState& selection, std::string_view calculationId = {});

private:
    void AddColumnHeadings(const ValueColumn& column, int index);

    ResultSet m_set;
    // The texts written anew by each Fill: the run-unit texts, then the
    // columns' unit headings.
    std::vector<std::pair<QLabel*, const RunUnitText*>> m_runUnitTexts;
    std::vector<std::pair<QLabel*, const ResultColumn*>> m_unitHeadings;
    ResultPicture::Column m_lblName{};
    QLabel* m_lblNotes = nullptr;
    QLabel* m_lblCalculationId = nullptr;
    std::vector<std::pair<const ResultColumn*, ResultPicture::Column>> m_values;
};

}  // namespace vyra::ui
