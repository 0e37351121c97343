#pragma once

#include "Canvas.h"

#include <optional>
#include <string>
#include <vector>

namespace vyra::gfx {

// The canvas as SVG documents, one a page, for a browser: the coordinates
// in twips (the viewBox), the size in points, nothing drawn where the
// drawing leaves blank. Text measures with the table of the Liberation faces
// the desktop draws in, so that lines break and shrink where they do on
// paper; the documents name those faces first, then faces of the same
// metrics. Nothing is written anywhere: Pages() holds the documents.
class SvgCanvas : public Canvas {
public:
    // dotsPerInch: the resolution that DrawWidth counts in and text measures
    // at (the report's PDF draws at 600, a screen at 96). The clip paths' ids start with idPrefix,
    // so that documents of two canvases can stand in one page.
    SvgCanvas(double widthTwips, double heightTwips, double dotsPerInch, std::string idPrefix = "clip");

    // Drops what the page has drawn so far.
    void Clear() override;
    // Finishes the page and starts the next one; false once the document
    // has ended.
    bool NewPage() override;
    // Finishes the last page; false when the document had ended before.
    // A drawing after the end is dropped.
    bool EndDocument() override;

    // The finished pages, each a complete SVG document.
    const std::vector<std::string>& Pages() const { return m_pages; }

protected:
    void PaintLine(double x1, double y1, double x2, double y2, Rgb colour) override;
    void PaintBox(double x1, double y1, double x2, double y2, Rgb colour) override;
    void PaintFilledBox(double x1, double y1, double x2, double y2, Rgb colour) override;
    void PaintArc(double x, double y, double radius, Rgb colour, double start, double sweep) override;
    void PaintText(double x, double y, std::string_view text) override;
    double MeasureTextWidthTwips(std::string_view text) const override;
    double MeasureTextHeightTwips(std::string_view text) const override;
    void ApplyClip(const std::optional<TwipRect>& clip) override;

private:
    double DeviceEmTwips() const;
    // The stroke attributes of the current pen in the colour.
    std::string Stroke(Rgb colour) const;
    // The element, unless the document has ended.
    void Add(const std::string& element);
    // Starts a group clipped to m_clip, with its clip path, when there is one.
    void OpenClip();
    void CloseClip();
    void FinishPage();

    double m_widthTwips;
    double m_heightTwips;
    double m_twipsPerDot;
    std::string m_idPrefix;
    std::string m_body;  // the elements of the page being drawn
    std::vector<std::string> m_pages;
    std::optional<TwipRect> m_clip;
    bool m_clipOpen = false;
    int m_clipPaths = 0;  // over all pages, so that every id is unique
    bool m_ended = false;
};

}  // namespace vyra::gfx
