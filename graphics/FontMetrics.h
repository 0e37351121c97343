#pragma once

#include "Canvas.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace vyra::gfx {

// The Liberation faces the desktop draws every font name in.
enum class FontFace { Mono, Sans, Serif };

// Consecutive code points the table holds, first and last included.
struct CharacterRange {
    char32_t first;
    char32_t last;
};

// One face in one weight, in font units: the advance of each character of
// CoveredCharacters() in order, the line's ascent and descent (their sum is
// the line height the desktop measures), and the advance of the box the face
// shows for a character that none of the program's faces has.
struct FaceMetrics {
    FontFace face;
    bool bold;
    int unitsPerEm;
    int ascent;
    int descent;
    int missing;
    std::span<const std::uint16_t> advances;
};

// The generated table (FontMetricsTable.cpp).
std::span<const CharacterRange> CoveredCharacters();
std::span<const FaceMetrics> FaceMetricsTable();

// The face a font name is drawn in: Courier New (and its Central European
// name) and Symbol in the mono face, as the desktop substitutes them; Arial,
// Helvetica and Times New Roman in the faces of their metrics; any other
// name in the mono face, as the program's font set falls back to it.
FontFace FontFaceOf(std::string_view name);

const FaceMetrics& MetricsOf(const CanvasFont& font);

// A font-family list for a browser: the face, then faces of the same
// metrics, then the generic family.
std::string_view FontFamilies(FontFace face);

// The width of the UTF-8 text in ems, as a device with pixelsPerEm pixels
// to the em lays it out: each character's advance in whole pixels, as the
// desktop's fonts measure with hinting. A character outside the table
// counts as the missing-character box.
double TextWidthEm(const FaceMetrics& metrics, std::string_view text, double pixelsPerEm);

}  // namespace vyra::gfx
