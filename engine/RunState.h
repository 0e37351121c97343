#pragma once

#include "Catalogue.h"
#include "ForceUnit.h"
#include "ResultTables.h"
#include "SelectionInputs.h"

#include <cstdint>

namespace vyra {

enum SeriesIndex : std::int16_t { kStandardSeries = 0, kIntrinsicallySafeSeries = 1 };

// The state of one run of the program: owned by the caller and handed to
// every command by reference, overwritten in place by each command.
struct RunState {
    SensorCatalogue catalogue = InitCatalogue();
    SelectionInputs inputs;
    std::int16_t seriesIndex = kStandardSeries;
    ForceUnit forceUnit = kKgf;
    ResultTables tables;

    const SensorSeries& series() const { return catalogue[seriesIndex]; }
    const SensorModel& model(int modelIndex) const { return series().models[modelIndex]; }
};

}  // namespace vyra
