#include "Case.h"

namespace vyra {

int ChoiceCode(const Case& c, int choice)
{
    switch (choice) {
    case kUnitChoice:
        return c.forceUnit;
    case kTypeChoice:
        return c.form.opType;
    case kFulcrumChoice:
        return c.form.fulcrumIndex;
    case kSensorsChoice:
        return c.form.opMethod1;
    case kSideChoice:
        return c.form.opMethod2;
    default:
        return c.form.opMethod3;
    }
}

void SetChoiceCode(Case& c, int choice, int code)
{
    switch (choice) {
    case kUnitChoice:
        c.forceUnit = static_cast<std::int16_t>(code);
        return;
    case kTypeChoice:
        c.form.opType = code;
        return;
    case kFulcrumChoice:
        c.form.fulcrumIndex = static_cast<std::int16_t>(code);
        return;
    case kSensorsChoice:
        c.form.opMethod1 = code;
        return;
    case kSideChoice:
        c.form.opMethod2 = code;
        return;
    default:
        c.form.opMethod3 = code;
    }
}

}  // namespace vyra
