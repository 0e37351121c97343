#pragma once

#include "Canvas.h"
#include "InputReading.h"
#include "RunState.h"

#include <array>
#include <functional>
#include <string>

namespace vyra::gfx {

// The customer block of the report, read when printing.
struct ReportCustomer {
    std::string customer;  // txtFNmame
    std::string orderNo;   // txtOrderNo
    std::string machine;   // txtMName
    std::string date;      // txtDate
    std::string name;      // txtName
};

// The specifications block as the input screen showed it at the last
// successful "Select", so that the report describes the case its results
// come from.
struct ReportSpecification {
    std::string typeCaption = "Type";                // frType
    std::string fulcrumCaption = "Fulcrum";          // frFurclum
    std::string methodCaption = "Detection method";  // frMethod
    bool standardSelected = true;                    // OpType item 0
    bool rightSelected = true;                       // OpFulcrum item 0
    std::array<std::string, kFieldCount> fieldCaptions;  // lblTitle
    std::array<std::string, kFieldCount> fieldTexts;     // txtInput, as typed
    std::array<std::string, kFieldCount> unitLabels;     // lblTani
};

// Everything the two report pages and the printed sketch read.
struct ReportRecord {
    ReportCustomer customer;
    ReportSpecification specification;
    // The run state of the last successful "Select": its inputs (the sketch's
    // angles, position and fulcrum and methodCode), series, unit and tables.
    RunState selection;
};

// The captions and unit labels of the ten entry fields, as the input screen
// shows them for the given unit of force.
std::array<std::string, kFieldCount> FieldCaptions();
std::array<std::string, kFieldCount> UnitLabels(std::int16_t forceUnit);

// Fills the specification from the entry form, as the input screen holds it.
ReportSpecification SpecificationOf(const EntryForm& form, std::int16_t fulcrumIndex, std::int16_t forceUnit);

// Shows a message box with an OK button and no icon: (title, message).
using MessageSink = std::function<void(const std::string& title, const std::string& message)>;

inline constexpr const char* kPrinterTrouble = "The printer has any troubles.";
inline constexpr const char* kProgramTitle = "VyraSensorSelector";

// The last n characters of b blanks followed by the text.
std::string FixedField(const std::string& text, int blanks, int width);

// The print job: page 1, the printed sketch onto it, a new page, page 2 and
// the end of the document. Each of the three parts reports its own printer
// trouble through the sink and the job goes on.
void PrintReport(Canvas& page, const ReportRecord& record, const MessageSink& sink);
void PrintReportPage1(Canvas& page, const ReportRecord& record, const MessageSink& sink);
void PrintReportPage2(Canvas& page, const ReportRecord& record, const MessageSink& sink);

}  // namespace vyra::gfx
