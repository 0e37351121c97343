#pragma once

#include "Expected.h"
#include "ForceUnit.h"

#include <optional>
#include <string>
#include <string_view>

namespace vyra {

// A roller's weight and limits from its drawing: a tube (or a solid shaft,
// inner diameter 0) simply supported at the ends of its face. Millimetres,
// kilograms, m/min in and out; standard gravity, 9.80665 m/s², for the
// deflection, since it is a length rather than a force read by a sensor.

struct RollerDrawing {
    double tubeOd = 0;  // mm
    double tubeId = 0;  // mm, 0 for a solid shaft
    double face = 0;  // mm
    std::string material;  // "steel", "aluminium", "carbon", or "" for the figures below
    double density = 0;  // kg/m³
    double modulus = 0;  // GPa
    double journals = 0;  // kg added to the weight, not to the bending tube

    bool operator==(const RollerDrawing&) const = default;
};

// The texts as typed, named as vyra-select's options and the batch columns
// name them; an empty text is not given.
struct RollerTexts {
    std::string tubeOd{};
    std::string tubeId{};
    std::string face{};
    std::string material{};  // steel when neither it nor density and modulus are given
    std::string density{};
    std::string modulus{};
    std::string journals{};
};

// The texts that read back as the drawing, each number in the form that
// reads back as the same double: density and modulus only without a
// material. Lengths and the journals in the run's units (in and lb in an
// lbf run).
RollerTexts TextsOf(const RollerDrawing& drawing, ForceUnit shownIn = kKgf);

// The drawing, density and modulus filled from the material's; or a failure
// whose reason begins with the field's name ("tube-id: ..."), also when
// the roller's own figures (weight, sag, critical speed) cannot be
// computed. Lengths and the journals are typed in the run's units, density
// and modulus in kg/m³ and GPa in every run.
Expected<RollerDrawing> ReadRollerDrawing(const RollerTexts& texts, ForceUnit typedIn = kKgf);

// The common guide for a roller's sag: 2 mil per foot of face, which rounds
// to this many mm per metre.
inline constexpr double kDeflectionGuide = 0.17;
// Past this share of its first critical speed a roller runs too near
// resonance.
inline constexpr double kCriticalSpeedShareLimit = 70.0;

struct RollerLimits {
    double weight = 0;  // kg, tube and journals: the roller weight Wr
    double deflection = 0;  // mm at mid-face under the tube's own weight
    std::optional<double> loadedDeflection;  // mm, own weight and the load spread over the face
    double deflectionGuide = 0;  // mm, kDeflectionGuide per metre of face
    bool pastGuide = false;  // the larger deflection past deflectionGuide
    double criticalHz = 0;  // first bending mode
    double criticalRpm = 0;
    double criticalSurface = 0;  // m/min at the tube's outer diameter
    std::optional<double> speedShare;  // percent of criticalSurface the line speed is
    bool pastSpeedShare = false;  // speedShare above kCriticalSpeedShareLimit
};

// loadKg is spread evenly over the face; speed is the line speed in m/min.
// Refused, naming load or speed, when the figures they give cannot be
// computed.
Expected<RollerLimits> ComputeRollerLimits(const RollerDrawing& drawing, std::optional<double> loadKg,
                                           std::optional<double> speed);

// The report's line: "Roller: steel tube 100/90 × 1000 mm, 11.7 kg", lengths
// and weights in the run's units as the drawing is typed in them ("4/3.5 ×
// 52 in, 43.4 lb" in an lbf run); density and modulus as every run types them.
std::string RollerOriginLine(const RollerDrawing& drawing, ForceUnit shownIn = kKgf);

}  // namespace vyra
