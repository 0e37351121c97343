#pragma once

#include <array>
#include <numbers>
#include <string_view>

namespace vyra {

// 4 x atan(1) in double precision is the double nearest to pi, which is what
// std::numbers::pi holds.
inline constexpr double Pi = std::numbers::pi;

inline constexpr int kModelCount = 9;

// The revision of the rated constants below: a calculation record names the
// data it used by it, so it changes with any constant.
inline constexpr std::string_view kCatalogueRevision = "VC-2026.1";
inline constexpr int kSeriesCount = 2;

// One sensor model: its name and the seven rated constants.
// Spring constants in kgf/mm, lengths in mm, factors dimensionless.
struct SensorModel {
    std::string_view name;
    double outputSpringConstant;  // for the sensor output
    double springConstant;  // for the stopper displacement and resonance
    double leverLength;
    double heightOffset;  // added to the bearing height h
    double outputFactor;
    double stopperFactor;
    double stopperTolerance;  // limit of the stopper displacement, mm
};

struct SensorSeries {
    std::array<SensorModel, kModelCount> models;
    double outputCoefficient;  // turns the output term into millivolts
};

// Indexed by seriesIndex: 0 standard, 1 intrinsically safe.
using SensorCatalogue = std::array<SensorSeries, kSeriesCount>;

// Both series with the rated constants, in catalogue order.
SensorCatalogue InitCatalogue();

}  // namespace vyra
