#include "ReportRecord.h"

#include "CalculationId.h"
#include "Captions.h"

namespace vyra::gfx {

ReportSpecifications SpecificationsOf(const Case& c)
{
    const EntryForm& form = c.form;
    ReportSpecifications shown;
    shown.calculationId = CalculationId(c).value_or("");
    shown.standardSelected = form.opType == 0;
    shown.rightSelected = form.fulcrumIndex == 0;
    const auto captions = FieldCaptions();
    const auto units = UnitLabels(c.forceUnit);
    for (int k = 0; k < kFieldCount; ++k) {
        shown.fieldCaptions[k] = captions[k];
        shown.unitLabels[k] = units[k];
    }
    shown.fieldTexts = form.txtInput;
    if (c.tensionFrom) {
        shown.origins.push_back(TensionOriginLine(*c.tensionFrom, c.forceUnit));
    }
    if (c.rollerFrom) {
        shown.origins.push_back(RollerOriginLine(*c.rollerFrom, c.forceUnit));
    }
    return shown;
}

ReportCustomer CustomerOf(const Case& c)
{
    const auto& r = c.report;
    return {r[kCustomer], r[kOrder], r[kMachine], r[kDate], r[kName]};
}

}  // namespace vyra::gfx
