#include "Catalogue.h"

namespace vyra {

namespace {

constexpr SensorSeries kStandard{
    {{
        {"Vyra05B", 42.1, 42.1, 32.5, 20.25, 1.83, 2.46, 0.7},
        {"Vyra05A", 84.2, 84.2, 32.5, 20.25, 1.83, 2.46, 0.7},
        {"Vyra11B", 38.4, 38.4, 47.5, 23.75, 1.66, 2.03, 0.7},
        {"Vyra11A", 76.8, 76.8, 47.5, 23.75, 1.66, 2.03, 0.7},
        {"Vyra25B", 225, 225, 53, 44, 1.92, 2.42, 0.8},
        {"Vyra25A", 450, 450, 53, 44, 1.92, 2.42, 0.8},
        {"Vyra33B", 1400, 1180, 80, 64, 2.06, 2.44, 0.8},
        {"Vyra33A", 2200, 1850, 80, 64, 2.06, 2.44, 0.8},
        {"Vyra41", 4370, 4370, 100, 57, 2.63, 2.84, 0.65},
    }},
    714,
};

// The intrinsically safe series carries the same mechanics; only the names,
// the stopper factor of the 11 models and the output coefficient differ.
constexpr std::array<std::string_view, kModelCount> kSafeNames{
    "Vyra05BS", "Vyra05AS", "Vyra11BS", "Vyra11AS", "Vyra25BS", "Vyra25AS", "Vyra33BS", "Vyra33AS", "Vyra41S",
};
constexpr double kSafeStopperFactorOf11 = 2.08;
constexpr double kSafeOutputCoefficient = 594;

constexpr SensorSeries IntrinsicallySafeSeries()
{
    SensorSeries series = kStandard;
    for (int i = 0; i < kModelCount; ++i) {
        series.models[i].name = kSafeNames[i];
    }
    series.models[2].stopperFactor = kSafeStopperFactorOf11;
    series.models[3].stopperFactor = kSafeStopperFactorOf11;
    series.outputCoefficient = kSafeOutputCoefficient;
    return series;
}

}  // namespace

SensorCatalogue InitCatalogue() { return {kStandard, IntrinsicallySafeSeries()}; }

}  // namespace vyra
