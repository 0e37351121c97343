#include "ReportRecord.h"

#include "Captions.h"

namespace vyra::gfx {

ReportSpecifications SpecificationsOf(const EntryForm& form, ForceUnit forceUnit)
{
    ReportSpecifications shown;
    shown.standardSelected = form.opType == 0;
    shown.rightSelected = form.fulcrumIndex == 0;
    const auto captions = FieldCaptions();
    const auto units = UnitLabels(forceUnit);
    for (int k = 0; k < kFieldCount; ++k) {
        shown.fieldCaptions[k] = captions[k];
        shown.unitLabels[k] = units[k];
    }
    shown.fieldTexts = form.txtInput;
    return shown;
}

ReportCustomer CustomerOf(const Case& c)
{
    const auto& r = c.report;
    return {r[kCustomer], r[kOrder], r[kMachine], r[kDate], r[kName]};
}

}  // namespace vyra::gfx
