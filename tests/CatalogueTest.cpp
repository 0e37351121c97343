#include "Catalogue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace vyra {
namespace {

struct RatedModel {
    const char* name;
    double outputSpringConstant, springConstant, leverLength, heightOffset, outputFactor, stopperFactor,
        stopperTolerance;
};

constexpr RatedModel kStandardTable[kModelCount] = {
    {"Vyra05B", 42.1, 42.1, 32.5, 20.25, 1.83, 2.46, 0.7},
    {"Vyra05A", 84.2, 84.2, 32.5, 20.25, 1.83, 2.46, 0.7},
    {"Vyra11B", 38.4, 38.4, 47.5, 23.75, 1.66, 2.03, 0.7},
    {"Vyra11A", 76.8, 76.8, 47.5, 23.75, 1.66, 2.03, 0.7},
    {"Vyra25B", 225, 225, 53, 44, 1.92, 2.42, 0.8},
    {"Vyra25A", 450, 450, 53, 44, 1.92, 2.42, 0.8},
    {"Vyra33B", 1400, 1180, 80, 64, 2.06, 2.44, 0.8},
    {"Vyra33A", 2200, 1850, 80, 64, 2.06, 2.44, 0.8},
    {"Vyra41", 4370, 4370, 100, 57, 2.63, 2.84, 0.65},
};

void ExpectModel(const SensorModel& m, const RatedModel& r, const std::string& name, double stopperFactor)
{
    SCOPED_TRACE(name);
    EXPECT_EQ(m.name, name);
    EXPECT_EQ(m.outputSpringConstant, r.outputSpringConstant);
    EXPECT_EQ(m.springConstant, r.springConstant);
    EXPECT_EQ(m.leverLength, r.leverLength);
    EXPECT_EQ(m.heightOffset, r.heightOffset);
    EXPECT_EQ(m.outputFactor, r.outputFactor);
    EXPECT_EQ(m.stopperFactor, stopperFactor);
    EXPECT_EQ(m.stopperTolerance, r.stopperTolerance);
}

TEST(Catalogue, StandardSeriesHoldsTheRatedConstants)
{
    const SensorCatalogue catalogue = InitCatalogue();
    const SensorSeries& series = catalogue[0];
    EXPECT_EQ(series.outputCoefficient, 714);
    for (int i = 0; i < kModelCount; ++i) {
        ExpectModel(series.models[i], kStandardTable[i], kStandardTable[i].name, kStandardTable[i].stopperFactor);
    }
}

TEST(Catalogue, SafeSeriesDiffersOnlyInNamesStopperFactorOf11ModelsAndCoefficient)
{
    const SensorCatalogue catalogue = InitCatalogue();
    const SensorSeries& series = catalogue[1];
    EXPECT_EQ(series.outputCoefficient, 594);
    for (int i = 0; i < kModelCount; ++i) {
        const double stopperFactor = (i == 2 || i == 3) ? 2.08 : kStandardTable[i].stopperFactor;
        ExpectModel(series.models[i], kStandardTable[i], std::string(kStandardTable[i].name) + "S", stopperFactor);
    }
}

TEST(Catalogue, PiIsFourTimesArctangentOfOne)
{
    EXPECT_EQ(Pi, 4 * std::atan(1.0));
}

}  // namespace
}  // namespace vyra
