#include "RtfFormatWords.h"

namespace vyra::rtf::detail {
namespace {

// Font sizes in half-points: 1 to 1638 points.
constexpr int kMinHalfPoints = 2;
constexpr int kMaxHalfPoints = 3276;
constexpr int kDefaultHalfPoints = 24;

// \b, \b1 and \b5 switch on; \b0 switches off.
bool Switch(const Token& token) { return !token.hasParameter || token.parameter != 0; }

// A size of zero or less is meaningless and keeps the default.
int HalfPoints(const Token& token)
{
    if (token.hasParameter && token.parameter <= 0) {
        return kDefaultHalfPoints;
    }
    return ClampedParameter(token, kDefaultHalfPoints, kMinHalfPoints, kMaxHalfPoints);
}

int Twips(const Token& token, int low) { return ClampedParameter(token, 0, low, kMaxTwips); }

}  // namespace

bool ApplyCharacterWord(Word word, const Token& token, int defaultFont, CharState& chars)
{
    switch (word) {
    case Word::Bold:
        chars.bold = Switch(token);
        return true;
    case Word::Italic:
        chars.italic = Switch(token);
        return true;
    case Word::Underline:
        chars.underline = Switch(token);
        return true;
    case Word::UnderlineNone:
        chars.underline = false;
        return true;
    case Word::StrikeOut:
        chars.strikeOut = Switch(token);
        return true;
    case Word::FontSize:
        chars.halfPoints = HalfPoints(token);
        return true;
    case Word::Font:
        chars.font = ClampedParameter(token, 0, 0, kParameterBound);
        return true;
    case Word::Colour:
        chars.colour = ClampedParameter(token, 0, 0, kParameterBound);
        return true;
    case Word::Plain:
        chars = CharState{};
        chars.font = defaultFont;
        return true;
    default:
        return false;
    }
}

bool ApplyParagraphWord(Word word, const Token& token, ParagraphFormat& paragraph, bool& inTable)
{
    switch (word) {
    case Word::AlignLeft:
    case Word::AlignCentre:
    case Word::AlignRight:
    case Word::AlignJustify:
        paragraph.alignment = word == Word::AlignCentre    ? Alignment::Centre
                              : word == Word::AlignRight   ? Alignment::Right
                              : word == Word::AlignJustify ? Alignment::Justified
                                                           : Alignment::Left;
        return true;
    case Word::LeftIndent:
        paragraph.leftIndent = Twips(token, -kMaxTwips);
        return true;
    case Word::RightIndent:
        paragraph.rightIndent = Twips(token, -kMaxTwips);
        return true;
    case Word::FirstLineIndent:
        paragraph.firstLineIndent = Twips(token, -kMaxTwips);
        return true;
    case Word::SpaceBefore:
        paragraph.spaceBefore = Twips(token, 0);
        return true;
    case Word::SpaceAfter:
        paragraph.spaceAfter = Twips(token, 0);
        return true;
    case Word::InTable:
        inTable = true;
        return true;
    case Word::ParagraphDefaults:
        paragraph = ParagraphFormat{};
        inTable = false;
        return true;
    default:
        return false;
    }
}

}  // namespace vyra::rtf::detail
