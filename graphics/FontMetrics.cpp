#include "FontMetrics.h"

#include "Utf8.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <utility>

namespace vyra::gfx {

namespace {

// The advance of the character in font units, or none outside the table.
std::optional<int> AdvanceOf(const FaceMetrics& metrics, char32_t c)
{
    std::size_t offset = 0;
    for (const CharacterRange& range : CoveredCharacters()) {
        if (c >= range.first && c <= range.last) {
            return metrics.advances[offset + (c - range.first)];
        }
        offset += range.last - range.first + 1;
    }
    return std::nullopt;
}

}  // namespace

FontFace FontFaceOf(std::string_view name)
{
    static constexpr std::array<std::pair<std::string_view, FontFace>, 8> kNames{{
        {"Liberation Sans", FontFace::Sans},
        {"Arial", FontFace::Sans},
        {"Helvetica", FontFace::Sans},
        {"sans-serif", FontFace::Sans},
        {"Liberation Serif", FontFace::Serif},
        {"Times New Roman", FontFace::Serif},
        {"Times", FontFace::Serif},
        {"serif", FontFace::Serif},
    }};
    const auto found = std::find_if(kNames.begin(), kNames.end(), [name](const auto& n) { return n.first == name; });
    return found != kNames.end() ? found->second : FontFace::Mono;
}

const FaceMetrics& MetricsOf(const CanvasFont& font)
{
    const FontFace face = FontFaceOf(font.name);
    const std::span<const FaceMetrics> table = FaceMetricsTable();
    return *std::find_if(table.begin(), table.end(),
                         [&](const FaceMetrics& m) { return m.face == face && m.bold == font.bold; });
}

std::string_view FontFamilies(FontFace face)
{
    switch (face) {
    case FontFace::Sans:
        return "'Liberation Sans', Arimo, Arial, Helvetica, sans-serif";
    case FontFace::Serif:
        return "'Liberation Serif', Tinos, 'Times New Roman', Times, serif";
    case FontFace::Mono:
        break;
    }
    return "'Liberation Mono', Cousine, 'Courier New', monospace";
}

double TextWidthEm(const FaceMetrics& metrics, std::string_view text, double pixelsPerEm)
{
    double pixels = 0;
    for (const char32_t c : CodePoints(text)) {
        const int advance = AdvanceOf(metrics, c).value_or(metrics.missing);
        pixels += std::round(static_cast<double>(advance) / metrics.unitsPerEm * pixelsPerEm);
    }
    return pixels / pixelsPerEm;
}

}  // namespace vyra::gfx
