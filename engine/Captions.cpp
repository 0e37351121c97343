#include "Captions.h"

#include "Units.h"

namespace vyra {

std::array<std::string_view, kFieldCount> FieldCaptions()
{
    return {
        "Tension           FS", "Roller diameter    d", "Roller weight     Wr", "Wrap angle     alpha",
        "Wrap angle      beta", "Mounting angle gamma", "Roller position    l", "Bearing hight      h",
        "Bearing weight    Wp", "Line speed(Max)    V",
    };
}

std::array<std::string_view, kFieldCount> UnitLabels(ForceUnit forceUnit)
{
    std::array<std::string_view, kFieldCount> labels{};
    for (int item = 0; item < kFieldCount; ++item) {
        const Quantity quantity = FieldQuantity(item);
        labels[static_cast<std::size_t>(item)] =
            quantity == Quantity::Fixed ? "[degree]" : UnitCaption(quantity, forceUnit);
    }
    return labels;
}

}  // namespace vyra
