#pragma once

#include "Commands.h"
#include "ReportRecord.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace vyra::test {

// The report record of a "Select" of the form, in the given unit, with a
// customer block.
inline gfx::ReportRecord SelectedRecord(const EntryForm& form, ForceUnit forceUnit = kKgf)
{
    gfx::ReportRecord record;
    record.selection.forceUnit = forceUnit;
    EXPECT_FALSE(SelectCommand(record.selection, form).has_value());
    record.specifications = gfx::SpecificationsOf(Case{form, forceUnit, {}});
    record.customer = {"Northmill Paper", "A-1", "Coater 2", "Dec 06,2026", "J. Doe"};
    return record;
}

}  // namespace vyra::test
