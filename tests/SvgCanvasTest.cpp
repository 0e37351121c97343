#include "SvgCanvas.h"
#include "CaseText.h"
#include "PageDrawings.h"
#include "RecordingCanvas.h"
#include "Records.h"
#include "Report.h"
#include "Sketch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <regex>
#include <string>
#include <vector>

namespace vyra::gfx {
namespace {

constexpr double kPi = std::numbers::pi;

struct PlacedText {
    std::string text;
    double left, top, em;  // twips; in the SVG, top is the baseline
};

// The texts of a recording where they stand on the device.
struct PlacingCanvas : test::RecordingCanvas {
    using RecordingCanvas::RecordingCanvas;
    std::vector<PlacedText> placed;
    void PaintText(double x, double y, std::string_view text) override
    {
        placed.push_back({std::string(text), ToTwipsX(x), ToTwipsY(y), Font().size * 20});
    }
};

// The text elements, their content unescaped.
std::vector<PlacedText> TextElements(const std::string& svg)
{
    static const std::regex kText(R"re(<text x="([^"]*)" y="([^"]*)"[^>]* font-size="([^"]*)"[^>]*>([^<]*)</text>)re");
    std::vector<PlacedText> found;
    for (auto m = std::sregex_iterator(svg.begin(), svg.end(), kText); m != std::sregex_iterator(); ++m) {
        std::string text = (*m)[4];
        for (const auto& [entity, c] :
             {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}}) {
            text = std::regex_replace(text, std::regex(entity), c);
        }
        found.push_back({text, std::stod((*m)[1]), std::stod((*m)[2]), std::stod((*m)[3])});
    }
    return found;
}

// Why the document is not well-formed as far as its tags go, or "": no
// markup characters outside tags, one root, every element closed in order.
std::string TagTrouble(const std::string& svg)
{
    static const std::regex kTag(R"re(<(/?)([a-zA-Z]+)(?:\s+[a-zA-Z0-9:-]+="[^"<&]*(?:&[a-z]+;[^"<&]*)*")*\s*(/?)>)re");
    if (std::regex_search(std::regex_replace(svg, kTag, ""), std::regex("[<>]|&(?![a-z]+;)"))) {
        return "stray markup";
    }
    std::vector<std::string> open;
    for (auto m = std::sregex_iterator(svg.begin(), svg.end(), kTag); m != std::sregex_iterator(); ++m) {
        if ((open.empty() && m->position() > 0) || ((*m)[1] == "/" && (open.empty() || open.back() != (*m)[2]))) {
            return "out of place: " + m->str();
        }
        if ((*m)[1] == "/") {
            open.pop_back();
        } else if ((*m)[3] != "/") {
            open.push_back((*m)[2]);
        }
    }
    return open.empty() ? "" : "unclosed " + open.back();
}

// The whole report, sketch, charts and record: every page well-formed, every
// text where the recording canvas puts it, its baseline one ascent lower, at
// its size. At ten dots a twip no pixels round, but mono is 0.6001 em wide
// (the recording's 0.6) and 1.132813 em high (1.1328): under 2 twips a line,
// and under one text in ten fitted to its field a step (2%) smaller.
TEST(SvgCanvas, ReportTextsStandWhereTheRecordingPutsThem)
{
    const ReportRecord record = test::SelectedRecord(test::WorkedExampleForm());
    PlacingCanvas recording(11520, 15120);
    PrintReport(recording, record, {});
    SvgCanvas svg(11520, 15120, 14400);
    PrintReport(svg, record, {});
    EXPECT_FALSE(svg.EndDocument() || svg.NewPage());
    std::string pages;
    for (const std::string& page : svg.Pages()) {
        EXPECT_EQ(TagTrouble(page), "") << page;
        pages += page;
    }
    const std::vector<PlacedText> texts = TextElements(pages);
    ASSERT_EQ(texts.size(), recording.placed.size());
    int refitted = 0;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const PlacedText& e = recording.placed[i];
        EXPECT_EQ(texts[i].text, e.text) << i;
        if (std::fabs(texts[i].em - e.em) > e.em * 2e-4) {
            ++refitted;
            EXPECT_NEAR(texts[i].em, e.em * 0.99, e.em * 0.011) << e.text;
            continue;
        }
        EXPECT_NEAR(texts[i].left, e.left, 2.0) << e.text;
        EXPECT_NEAR(texts[i].top, e.top + e.em * 1705 / 2048, 0.1) << e.text;  // Liberation Mono's ascent
    }
    EXPECT_LT(refitted * 10, static_cast<int>(texts.size()));
    EXPECT_EQ(TagTrouble("<svg><g></svg>") + TagTrouble("<svg/><svg/>") + TagTrouble("<svg><text>a<b</text></svg>"),
              "out of place: </svg>out of place: <svg/>stray markup");
}

// One element a drawing: twips from any unit, a dot of 600 dpi, dashes on
// the thinnest pen only, arcs counter-clockwise as seen, a radius along x,
// the baseline an ascent (1854/2048 em in Sans) lower. A clip holds until
// ResetClip, in twips, and goes on to the next page under a new id; Clear
// drops the page. Typed texts stay text (entities, U+FFFD for what XML may
// not hold, blanks kept); at 10 pt, 83 pixels to the em at 600 dpi as in
// the PDF, a mono character takes 50 pixels (120 twips).
TEST(SvgCanvas, ElementsOfEachDrawing)
{
    SvgCanvas svg(11520, 15120, 600, "p");
    svg.Line(0, 0, 10, 10, PaletteColor(0));
    svg.Clear();
    svg.SetScaleMode(ScaleMode::Characters);
    svg.Line(1, 1, 3, 2, PaletteColor(12));
    svg.SetDrawStyle(DrawStyle::Dash);
    svg.Box(3, 2, 1, 1, PaletteColor(9));
    svg.SetDrawWidth(2);
    svg.FilledBox(0, 0, 0.5, 0.25, PaletteColor(10));
    svg.Circle(5, 5, 5, PaletteColor(0));
    svg.SetFontName("Arial");
    svg.SetFontBold(true);
    svg.SetFontSize(12);
    svg.WriteText("x", LineEnd::End);
    svg.SetScaleMode(ScaleMode::Millimetres);
    svg.ClipTo(10, 20, 0, 0);
    svg.NewPage();
    svg.SetScaleMode(ScaleMode::Twips);
    svg.SetDrawWidth(1);
    svg.SetDrawStyle(DrawStyle::Solid);
    svg.Arc(1000, 1000, 600, PaletteColor(0), 0, kPi / 2);
    svg.ResetClip();
    svg.Arc(1000, 1000, 600, PaletteColor(0), kPi, kPi / 2);
    svg.Arc(1000, 1000, 600, PaletteColor(0), 1, 1);
    svg.SetFontName("Courier New");
    svg.SetFontBold(false);
    svg.SetFontSize(10);
    svg.SetCurrentX(0);
    svg.SetCurrentY(0);
    for (const char* text :
         {R"(<Müller & "Söhne"> 'ä')", "\u0394F \u2264 \u00B5m\u2026", "a\x01\xFF", " two  blanks"}) {
        svg.WriteText(text, LineEnd::Keep);
    }
    svg.EndDocument();
    const std::string expected[] = {
        R"svg(<line x1="120" y1="240" x2="360" y2="480" fill="none" stroke="#ff0000" stroke-width="2.4"/>
<rect x="120" y="240" width="240" height="240" fill="none" stroke="#0000ff" stroke-width="2.4" stroke-dasharray="120 60" stroke-linecap="butt"/>
<rect x="0" y="0" width="60" height="60" fill="#00ff00"/>
<circle cx="600" cy="1200" r="600" fill="none" stroke="#000000" stroke-width="4.8"/>
<text x="600" y="1417.27" font-family="'Liberation Sans', Arimo, Arial, Helvetica, sans-serif" font-size="240" font-weight="bold">x</text>
<clipPath id="p-1"><rect x="0" y="0" width="566.93" height="1133.86"/></clipPath>
<g clip-path="url(#p-1)">
</g>
)svg",
        R"svg(<clipPath id="p-2"><rect x="0" y="0" width="566.93" height="1133.86"/></clipPath>
<g clip-path="url(#p-2)">
<path d="M 1600 1000 A 600 600 0 0 0 1000 400" fill="none" stroke="#000000" stroke-width="2.4"/>
</g>
<path d="M 400 1000 A 600 600 0 1 0 1000 400" fill="none" stroke="#000000" stroke-width="2.4"/>
<text x="0" y="165.84" font-family="'Liberation Mono', Cousine, 'Courier New', monospace" font-size="200">&lt;Müller &amp; &quot;Söhne&quot;&gt; &apos;ä&apos;</text>
<text x="2640" y="165.84" font-family="'Liberation Mono', Cousine, 'Courier New', monospace" font-size="200">ΔF ≤ µm…</text>
<text x="3600" y="165.84" font-family="'Liberation Mono', Cousine, 'Courier New', monospace" font-size="200">a��</text>
<text x="3960" y="165.84" font-family="'Liberation Mono', Cousine, 'Courier New', monospace" font-size="200"> two  blanks</text>
)svg"};
    ASSERT_EQ(svg.Pages().size(), 2U);
    for (std::size_t i = 0; i < 2; ++i) {
        const std::string& page = svg.Pages()[i];
        EXPECT_EQ(page.substr(page.find(">\n") + 2), expected[i] + "</svg>\n");
        EXPECT_EQ(TagTrouble(page), "");
    }
}

// The page's sketch is the input screen's drawing: a line, an arc and a text
// for each of the screen's, the texts the same, and a refusal draws nothing.
TEST(PageDrawings, SketchIsTheScreensDrawing)
{
    const Case angled{test::EditedWorkedExample("3=20 4=80 5=20 6=20"), kKgf, {}};
    const SketchDrawing drawn = SketchSvg(angled);
    ASSERT_FALSE(drawn.refusal);
    test::RecordingCanvas screen(kSketchAreaTwips, kSketchAreaTwips);
    SketchElements elements;
    RunState state;
    ASSERT_FALSE(SelectCommand(state, angled.form));
    DrawSketch(screen, elements, ReadSketchCentre(elements), state.inputs, false);
    const auto count = [&drawn](const std::string& element) {
        const std::regex found("<" + element + " ");
        return static_cast<std::size_t>(
            std::distance(std::sregex_iterator(drawn.svg.begin(), drawn.svg.end(), found), std::sregex_iterator()));
    };
    using Kind = test::CanvasCall::Kind;
    EXPECT_EQ(count("line"), screen.CallsOf(Kind::Line).size());
    EXPECT_EQ(count("path") + count("circle"), screen.CallsOf(Kind::Arc).size());
    std::vector<std::string> texts;
    for (const PlacedText& text : TextElements(drawn.svg)) {
        texts.push_back(text.text);
    }
    std::vector<std::string> shown;
    for (const test::CanvasCall& call : screen.CallsOf(Kind::Text)) {
        shown.push_back(call.text);
    }
    EXPECT_EQ(texts, shown);
    EXPECT_TRUE(SketchSvg({test::EditedWorkedExample("3=170 4=10"), kKgf, {}}).refusal);
}

}  // namespace
}  // namespace vyra::gfx
