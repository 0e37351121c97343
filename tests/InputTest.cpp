// From entry texts to the record: reading numbers, rounding angles, the
// checks of "Select" and "Image chgange" in their order.
#include "Commands.h"
#include "NumberText.h"
#include "TestCases.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace vyra {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// Beyond a double a number reads as infinity of its sign, too small as a zero of it.
TEST(ParseLeadingNumber, ReadsTheLeadingNumberOnly)
{
    const std::vector<std::pair<std::string, double>> cases{
        {"12abc", 12},
        {"", 0},
        {"abc", 0},
        {"   20", 20},
        {"\t4", 4},
        {"-180", -180},
        {"+7", 7},
        {"-3.5e2x", -350},
        {".5", 0.5},
        {"-.5", -0.5},
        {"5.", 5},
        {".", 0},
        {"-", 0},
        {"- 5", 0},
        {"1 000", 1},
        {"1,5", 1},
        {"1e", 1},
        {"1e+", 1},
        {"1E-2", 0.01},
        {"2.5e3.7", 2500},
        {"inf", 0},
        {"nan", 0},
        {"0x10", 0},
        {"\xEF\xBC\x91\xEF\xBC\x92", 0},
        {"12\xEF\xBC\x93", 12},
        {"-0", -0.0},
        {"1.7976931348623157e308", std::numeric_limits<double>::max()},
        {"1e999", kInf},
        {"-1e400", -kInf},
        {"1.8e308", kInf},
        {std::string(400, '9'), kInf},
        {"1e99999999999999999999", kInf},
        {"1e-400", 0},
        {"-1e-400", -0.0},
        {"0e999", 0},
        {"0.001e309", 1e306},
        {"0." + std::string(400, '0') + "1", 0},
        {"0." + std::string(100000, '0') + "1e10000000000000000000", kInf},
        {"1" + std::string(100000, '0') + "e-10000000000000000000", 0}};
    for (const auto& [text, expected] : cases) {
        const double value = ParseLeadingNumber(text);
        EXPECT_EQ(value, expected) << '"' << text.substr(0, 30) << '"';
        EXPECT_EQ(std::signbit(value), std::signbit(expected)) << '"' << text.substr(0, 30) << '"';
    }
}

TEST(NegatedNumberText, FlipsTheSignOfTheLeadingNumberOnly)
{
    const std::pair<std::string, std::string> cases[] = {
        {"20", "-20"},        {"-7.5", "7.5"},     {"12abc", "-12"},        {"", "0"},
        {"abc", "0"},         {"-0", "0"},         {" +3", "-3"},           {"1e20", "-1e20"},
        {"0.00001", "-1e-5"}, {"1e999", "-1e999"}, {"-2.5E400x", "2.5E400"}};
    for (const auto& [text, negated] : cases) {
        EXPECT_EQ(NegatedNumberText(text), negated) << '"' << text << '"';
        EXPECT_EQ(ParseLeadingNumber(NegatedNumberText(negated)), ParseLeadingNumber(text)) << text;
    }
}

TEST(RoundToInt16, RoundsHalvesToEvenWithinSixteenBits)
{
    const std::pair<double, std::optional<std::int16_t>> cases[] = {
        {20.5, 20},
        {21.5, 22},
        {-20.5, -20},
        {-21.5, -22},
        {0.49, 0},
        {32767.4, 32767},
        {32767.5, std::nullopt},
        {-32768.5, -32768},
        {-32768.6, std::nullopt},
        {1e300, std::nullopt},
        {kInf, std::nullopt},
        {std::numeric_limits<double>::quiet_NaN(), std::nullopt}};
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(RoundToInt16(value), expected) << value;
    }
}

EntryForm Edited(const std::vector<std::pair<int, const char*>>& edits)
{
    EntryForm form = test::WorkedExampleForm();
    for (const auto& [item, text] : edits) {
        form.txtInput[item] = text;
    }
    return form;
}

const char* const kCheck1 = "Input values with half-size characters.";
const char* const kCheck2 = "Input positive numbers of Tension and\rRoller diameter,Roller weight and Line speed.";
const char* const kAlpha = "Input the value of alpha from -180 to 180.";
const char* const kBetaSelect = "Input the values of beta from -180 to 180.";
const char* const kBetaImage = "Input the value of beta from -180 to 180.";
const char* const kGamma = "Input the value of gamma from -32768 to 32767.";
const char* const kResultant = "The angle of the resultant force is not within the tolerance.";
const char* const kWrap = "The wrap angle is inapplicable.";

struct CheckCase {
    const char* name;
    std::vector<std::pair<int, const char*>> edits;
    const char* message;  // nullptr: accepted
    std::vector<int> marked;
};

// The first failing check of "Select" wins: numbers too large, zeros,
// negatives, angle ranges, gamma's 16 bits, then the arrangement's angles.
TEST(SelectCommand, FirstFailingCheckWins)
{
    const CheckCase cases[] = {
        {"worked example", {}, nullptr, {}},
        {"empty tension", {{0, ""}}, kCheck1, {}},
        {"letters for roller weight", {{2, "ten"}}, kCheck1, {}},
        {"full-width digits", {{1, "\xEF\xBC\x91\xEF\xBC\x90"}}, kCheck1, {}},
        {"zero tension beats negative diameter", {{0, "0"}, {1, "-1"}}, kCheck1, {}},
        {"negative tension", {{0, "-10"}}, kCheck2, {}},
        {"negative line speed", {{9, "-1"}}, kCheck2, {}},
        {"negative diameter", {{1, "-100"}}, kCheck2, {}},
        {"negative roller weight", {{2, "-1"}}, kCheck2, {}},
        {"empty and zero line speed", {{9, ""}}, nullptr, {}},
        {"negative position, height and bearing weight", {{6, "-5"}, {7, "-5"}, {8, "-1"}}, nullptr, {}},
        {"alpha 180, beta -180", {{3, "180"}, {4, "-180"}}, nullptr, {}},
        {"alpha 180.5 rounds to 180", {{3, "180.5"}, {4, "-180"}}, nullptr, {}},
        {"alpha 181", {{3, "181"}}, kAlpha, {3}},
        {"alpha 181.5 rounds to 182", {{3, "181.5"}}, kAlpha, {3}},
        {"alpha -181", {{3, "-181"}}, kAlpha, {3}},
        {"beta 181", {{4, "181"}}, kBetaSelect, {4}},
        {"alpha beats beta", {{3, "200"}, {4, "200"}}, kAlpha, {3}},
        {"negative speed beats alpha", {{3, "200"}, {9, "-1"}}, kCheck2, {}},
        {"alpha beyond 16 bits", {{3, "40000"}}, kAlpha, {3}},
        {"beta beyond 16 bits", {{4, "-40000"}}, kBetaSelect, {4}},
        {"gamma beyond 16 bits", {{5, "32768"}}, kGamma, {5}},
        {"gamma at the 16-bit limit", {{3, "-180"}, {4, "-180"}, {5, "32767"}}, nullptr, {}},
        {"alpha beats gamma beyond 16 bits", {{3, "181"}, {5, "99999"}}, kAlpha, {3}},
        {"tension too large", {{0, "1e999"}}, "The value of FS is too large.", {0}},
        {"too large beats empty tension", {{0, ""}, {3, "-1e400"}}, "The value of alpha is too large.", {3}},
        {"first too large field wins", {{9, "1e999"}, {6, "2e999"}}, "The value of l is too large.", {6}},
        {"speed too large", {{9, "-1e999x"}}, "The value of V is too large.", {9}},
        {"resultant angle 5", {{3, "10"}}, kResultant, {3, 4, 5}},
        {"wrap angle 180", {{3, "90"}, {4, "90"}}, kWrap, {3, 4}},
        {"resultant beats wrap", {{3, "100"}, {4, "80"}}, kResultant, {3, 4, 5}}};
    for (const CheckCase& c : cases) {
        RunState state;
        const CheckResult failure = SelectCommand(state, Edited(c.edits));
        EXPECT_EQ(failure ? failure->message : "accepted", c.message ? c.message : "accepted") << c.name;
        EXPECT_EQ(failure ? failure->markedItems : std::vector<int>{}, c.marked) << c.name;
    }
}

// Each message keeps its title, icon and fulcrum mark.
TEST(SelectCommand, MessagesCarryTheirTitlesAndIcons)
{
    const struct {
        std::vector<std::pair<int, const char*>> edits;
        const char* title;
        MessageIcon icon;
        bool fulcrumMarked;
    } cases[] = {{{{1, "1e999"}}, "Inapplicable values", MessageIcon::Information, false},
                 {{{0, ""}}, "Inapplicable values", MessageIcon::Information, false},
                 {{{0, "-1"}}, "Input error", MessageIcon::Information, false},
                 {{{3, "10"}}, "The resultant force angle's error", MessageIcon::Exclamation, true},
                 {{{3, "90"}, {4, "90"}}, "Wrap angle's error", MessageIcon::Exclamation, false}};
    for (const auto& c : cases) {
        RunState state;
        const CheckResult failure = SelectCommand(state, Edited(c.edits));
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->title, c.title) << failure->message;
        EXPECT_EQ(failure->icon, c.icon) << failure->message;
        EXPECT_EQ(failure->fulcrumMarked, c.fulcrumMarked) << failure->message;
    }
}

// A refused "Select" still writes the record, never the tables; the options
// give the series, the fulcrum and the detection method.
TEST(SelectCommand, ReadsTheRecordEvenWhenRefused)
{
    RunState state;
    ASSERT_FALSE(SelectCommand(state, test::WorkedExampleForm()));
    const ResultTables before = state.tables;
    EntryForm form = Edited({{0, "-5"}, {3, "30"}, {4, "21.5abc"}, {5, "-0.5"}});
    form.opType = 1;
    form.fulcrumIndex = 1;
    ASSERT_TRUE(SelectCommand(state, form));
    EXPECT_EQ(state.seriesIndex, kIntrinsicallySafeSeries);
    EXPECT_EQ(state.inputs.fulcrumIndex, 1);
    EXPECT_EQ(state.inputs.FS, -5);
    EXPECT_EQ(state.inputs.alpha, 30);
    EXPECT_EQ(state.inputs.beta, 22);
    EXPECT_EQ(state.inputs.gamma, 0);
    EXPECT_EQ(state.tables.P1, before.P1);
    const std::pair<std::array<int, 3>, std::int16_t> methods[] = {{{0, 1, 1}, 0},
                                                                   {{1, 0, 0}, 1},
                                                                   {{1, 0, 1}, 2},
                                                                   {{1, 1, 0}, 3},
                                                                   {{1, 1, 1}, 4}};
    for (const auto& [options, code] : methods) {
        form.opMethod1 = options[0];
        form.opMethod2 = options[1];
        form.opMethod3 = options[2];
        ReadSelectionInputs(state, form);
        EXPECT_EQ(state.inputs.methodCode, code);
    }
}

// "Image chgange" reads and checks only its five fields (and the fulcrum);
// its range checks come before the redraw, the angle checks after.
TEST(ImageChangeCommand, ChecksItsFieldsAroundTheRedraw)
{
    const struct {
        std::vector<std::pair<int, const char*>> edits;
        const char* message;
        std::vector<int> marked;
        int redraws;
    } cases[] = {{{{0, "1e999"}, {1, "-1"}, {3, "30"}, {4, "60"}, {5, "-120"}}, nullptr, {}, 1},
                 {{{3, "200"}}, kAlpha, {3}, 0},
                 {{{4, "181"}}, kBetaImage, {4}, 0},
                 {{{5, "40000"}}, kGamma, {5}, 0},
                 {{{7, "1e999"}, {3, "200"}}, "The value of h is too large.", {7}, 0},
                 {{{6, "-1e999"}}, "The value of l is too large.", {6}, 0},
                 {{{3, "10"}}, kResultant, {3, 4, 5}, 1},
                 {{{3, "-90"}, {4, "-90"}}, kWrap, {3, 4}, 1}};
    for (const auto& c : cases) {
        RunState state;
        EntryForm form = Edited(c.edits);
        form.opType = 1;
        form.fulcrumIndex = 1;
        int redraws = 0;
        const CheckResult failure = ImageChangeCommand(state, form, [&redraws] { ++redraws; });
        EXPECT_EQ(failure ? failure->message : "accepted", c.message ? c.message : "accepted");
        EXPECT_EQ(failure ? failure->markedItems : std::vector<int>{}, c.marked);
        EXPECT_EQ(redraws, c.redraws);
        EXPECT_EQ(state.inputs.FS, 0) << "only the sketch's fields are read";
        EXPECT_EQ(state.seriesIndex, kStandardSeries);
        EXPECT_EQ(state.inputs.fulcrumIndex, 1);
    }
}

}  // namespace
}  // namespace vyra
