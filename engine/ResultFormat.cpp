#include "ResultFormat.h"

#include "NumberText.h"
#include "Units.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace vyra {

namespace {

bool IsNegativeZeroText(std::string_view text)
{
    return text.size() > 1 && text.front() == '-' && text.substr(1).find_first_not_of("0.") == std::string_view::npos;
}

}  // namespace

std::string FormatPattern(double value, int decimals)
{
    if (!std::isfinite(value)) {
        return "---";
    }
    std::string text = FixedText(value, decimals);
    if (IsNegativeZeroText(text)) {
        text.erase(0, 1);
    }
    return text;
}

std::string FormatPatternWithin(double value, int decimals, std::size_t width)
{
    std::string text = FormatPattern(value, decimals);
    for (int digits = static_cast<int>(width); text.size() > width && digits >= 0; --digits) {
        text = ExponentText(value, digits);
    }
    return text;
}

double ShownForce(double kgf, ForceUnit forceUnit) { return InRunUnits(Quantity::Force, kgf, forceUnit); }

std::string_view ForceUnitLabel(ForceUnit forceUnit) { return UnitCaption(Quantity::Force, forceUnit); }

std::string FormatDate(int year, unsigned month, unsigned day)
{
    static constexpr std::array<const char*, 12> kMonths{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const char* monthName = month >= 1 && month <= 12 ? kMonths[month - 1] : "???";
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%s %02u,%04d", monthName, day % 100, year);
    return text.data();
}

std::string_view MethodWording(std::int16_t methodCode)
{
    static constexpr std::array<std::string_view, 5> kWordings{
        "Two sensors",
        "One sensor,One side,Both ch.",
        "One sensor,One side,One ch.",
        "One sensor,Independent,Both ch.",
        "One sensor,Independent,One ch.",
    };
    return methodCode >= 0 && methodCode < 5 ? kWordings[methodCode] : std::string_view{};
}

}  // namespace vyra
