#include "Captions.h"

#include "ResultFormat.h"

namespace vyra {

std::array<std::string_view, kFieldCount> FieldCaptions()
{
    return {
        "Tension           FS", "Roller diameter    d", "Roller weight     Wr", "Wrap angle     alpha",
        "Wrap angle      beta", "Mounting angle gamma", "Roller position    l", "Bearing hight      h",
        "Bearing weight    Wp", "Line speed(Max)    V",
    };
}

std::array<std::string_view, kFieldCount> UnitLabels(std::int16_t forceUnit)
{
    return {
        ForceUnitLabel(forceUnit),
        "[mm]",
        "[kg]",
        "[degree]",
        "[degree]",
        "[degree]",
        "[mm]",
        "[mm]",
        "[kg]",
        "[m/min]",
    };
}

}  // namespace vyra
