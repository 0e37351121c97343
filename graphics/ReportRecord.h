#pragma once

#include "Case.h"
#include "Charts.h"
#include "InputReading.h"
#include "PageTrace.h"
#include "RunState.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vyra::gfx {

// The specifications block as the input screen showed it at the last
// successful "Select", so that the report describes the case its results
// come from.
struct ReportSpecifications {
    std::string typeCaption = "Type";  // frType
    std::string fulcrumCaption = "Fulcrum";  // frFurclum
    std::string methodCaption = "Detection method";  // frMethod
    bool standardSelected = true;  // OpType item 0
    bool rightSelected = true;  // OpFulcrum item 0
    std::array<std::string, kFieldCount> fieldCaptions;  // lblTitle
    std::array<std::string, kFieldCount> fieldTexts;  // txtInput, as typed
    std::array<std::string, kFieldCount> unitLabels;  // lblTani
    // Where the tension or the roller weight came from, a line each
    // ("Tension from: PET 12 µm, 1000 mm, typical"); none when typed.
    std::vector<std::string> origins;
    // One ID for the inputs as read; empty when a text is no number.
    std::string calculationId;
};

// Everything the two report pages and the printed sketch read.
struct ReportRecord {
    ReportCustomer customer;
    // The name of the case file the case came from or was saved to, without
    // its folder; empty when there is none.
    std::string caseFile;
    ReportSpecifications specifications;
    // The run state of the last successful "Select": its inputs (the sketch's
    // angles, position and fulcrum and methodCode), series, unit and tables.
    RunState selection;
    // When given, a third page with both charts and the margin table, and a
    // fourth when what the charts add does not fit below them.
    std::optional<ChartContent> charts;
    // When set, the calculation record follows the report's pages.
    bool calculationRecord = false;
};

// Fills the specifications block from the case, as the input screen holds
// it, in the run's unit of force.
ReportSpecifications SpecificationsOf(const Case& c);

// The customer block of a case.
ReportCustomer CustomerOf(const Case& c);

}  // namespace vyra::gfx
