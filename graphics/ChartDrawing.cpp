#include "ChartDrawing.h"

namespace vyra::gfx::chart {

void SetUp(Canvas& canvas)
{
    canvas.SetScaleMode(ScaleMode::Twips);
    canvas.SetFontName("Courier New");
    canvas.SetFontSize(kTextPoints);
    canvas.SetFontBold(false);
    canvas.SetDrawWidth(1);
    canvas.SetDrawStyle(DrawStyle::Solid);
}

void WriteAt(Canvas& canvas, double x, double y, std::string_view text)
{
    canvas.SetCurrentX(x);
    canvas.SetCurrentY(y);
    canvas.WriteText(text, LineEnd::Keep);
}

void WriteCentredAt(Canvas& canvas, double x, double y, std::string_view text)
{
    WriteAt(canvas, x - canvas.TextWidth(text) / 2, y, text);
}

void WriteEndingAt(Canvas& canvas, double x, double y, std::string_view text)
{
    WriteAt(canvas, x - canvas.TextWidth(text), y, text);
}

}  // namespace vyra::gfx::chart
