#include "Commands.h"
#include "InputChecks.h"
#include "TestCases.h"

#include <gtest/gtest.h>

#include <vector>

namespace vyra {
namespace {

using test::WorkedExampleForm;

const char* const kCheck1 = "Input values with half-size characters.";
const char* const kCheck2 = "Input positive numbers of Tension and\rRoller diameter,Roller weight and Line speed.";
const char* const kAlphaRange = "Input the value of alpha from -180 to 180.";
const char* const kBetaRangeSelect = "Input the values of beta from -180 to 180.";
const char* const kBetaRangeImage = "Input the value of beta from -180 to 180.";
const char* const kGammaRange = "Input the value of gamma from -32768 to 32767.";
const char* const kResultant = "The angle of the resultant force is not within the tolerance.";

struct FieldEdit {
    int item;
    const char* text;
};

struct SelectCase {
    const char* what;
    std::vector<FieldEdit> edits;
    const char* message;  // nullptr: the case is computed
    std::vector<int> marked;
};

void PrintTo(const SelectCase& c, std::ostream* os) { *os << c.what; }

EntryForm Edited(const std::vector<FieldEdit>& edits)
{
    EntryForm form = WorkedExampleForm();
    for (const FieldEdit& edit : edits) {
        form.txtInput[edit.item] = edit.text;
    }
    return form;
}

class SelectChecksTest : public ::testing::TestWithParam<SelectCase> {};

TEST_P(SelectChecksTest, FirstFailingCheckWins)
{
    const SelectCase& c = GetParam();
    RunState state;
    const CheckResult failure = SelectCommand(state, Edited(c.edits));
    if (c.message == nullptr) {
        EXPECT_FALSE(failure.has_value()) << failure->message;
        return;
    }
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->message, c.message);
    EXPECT_EQ(failure->markedItems, c.marked);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SelectChecksTest,
    ::testing::Values(
        SelectCase{"worked example", {}, nullptr, {}},
        SelectCase{"empty tension", {{0, ""}}, kCheck1, {}},
        SelectCase{"zero diameter", {{1, "0"}}, kCheck1, {}},
        SelectCase{"letters for roller weight", {{2, "ten"}}, kCheck1, {}},
        SelectCase{"full-width digits", {{0, "\xEF\xBC\x91\xEF\xBC\x90"}}, kCheck1, {}},
        SelectCase{"zero tension beats negative diameter", {{0, "0"}, {1, "-1"}}, kCheck1, {}},
        SelectCase{"negative tension", {{0, "-10"}}, kCheck2, {}},
        SelectCase{"negative line speed", {{9, "-1"}}, kCheck2, {}},
        SelectCase{"negative diameter", {{1, "-100"}}, kCheck2, {}},
        SelectCase{"negative roller weight", {{2, "-1"}}, kCheck2, {}},
        SelectCase{"empty line speed", {{9, ""}}, nullptr, {}},
        SelectCase{"zero line speed", {{9, "0"}}, nullptr, {}},
        SelectCase{"negative position, height and bearing weight", {{6, "-5"}, {7, "-5"}, {8, "-1"}}, nullptr, {}},
        SelectCase{"alpha 180", {{3, "180"}, {4, "-180"}}, nullptr, {}},
        SelectCase{"alpha 181", {{3, "181"}}, kAlphaRange, {3}},
        SelectCase{"alpha 180.5 rounds to 180", {{3, "180.5"}, {4, "-180"}}, nullptr, {}},
        SelectCase{"alpha 181.5 rounds to 182", {{3, "181.5"}}, kAlphaRange, {3}},
        SelectCase{"alpha -181", {{3, "-181"}}, kAlphaRange, {3}},
        SelectCase{"beta 181", {{4, "181"}}, kBetaRangeSelect, {4}},
        SelectCase{"alpha beats beta", {{3, "200"}, {4, "200"}}, kAlphaRange, {3}},
        SelectCase{"negative speed beats alpha", {{3, "200"}, {9, "-1"}}, kCheck2, {}},
        // Values that a 16-bit angle cannot hold.
        SelectCase{"alpha beyond 16 bits", {{3, "40000"}}, kAlphaRange, {3}},
        SelectCase{"beta beyond 16 bits", {{4, "-40000"}}, kBetaRangeSelect, {4}},
        SelectCase{"gamma beyond 16 bits", {{5, "32768"}}, kGammaRange, {5}},
        SelectCase{"gamma at the 16-bit limit computes", {{3, "-180"}, {4, "-180"}, {5, "32767"}}, nullptr, {}},
        SelectCase{"alpha beats gamma beyond 16 bits", {{3, "181"}, {5, "99999"}}, kAlphaRange, {3}},
        SelectCase{"zero tension beats gamma beyond 16 bits", {{0, ""}, {5, "99999"}}, kCheck1, {}},
        // Numbers beyond a double come first, in item order.
        SelectCase{"tension too large", {{0, "1e999"}}, "The value of FS is too large.", {0}},
        SelectCase{"too large beats empty tension", {{0, ""}, {3, "-1e400"}}, "The value of alpha is too large.", {3}},
        SelectCase{"first too large field wins", {{9, "1e999"}, {6, "2e999"}}, "The value of l is too large.", {6}},
        SelectCase{"speed too large", {{9, "-1e999x"}}, "The value of V is too large.", {9}},
        SelectCase{"bearing weight too large", {{8, "1e400"}}, "The value of Wp is too large.", {8}},
        // The angle checks of the arrangement follow the input checks.
        SelectCase{"resultant angle 5", {{3, "10"}}, kResultant, {3, 4, 5}},
        SelectCase{"wrap angle 180", {{3, "90"}, {4, "90"}}, "The wrap angle is inapplicable.", {3, 4}},
        SelectCase{"resultant beats wrap", {{3, "100"}, {4, "80"}}, kResultant, {3, 4, 5}}),
    [](const auto& testInfo) {
        std::string name;
        for (const char c : std::string(testInfo.param.what)) {
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name;
    });

TEST(SelectChecks, MessagesCarryTheirTitlesAndIcons)
{
    RunState state;
    const CheckResult tooLarge = SelectCommand(state, Edited({{1, "1e999"}}));
    ASSERT_TRUE(tooLarge);
    EXPECT_EQ(tooLarge->title, "Inapplicable values");
    EXPECT_EQ(tooLarge->icon, MessageIcon::Information);
    EXPECT_EQ(tooLarge->message, "The value of d is too large.");

    const CheckResult negative = SelectCommand(state, Edited({{0, "-1"}}));
    ASSERT_TRUE(negative);
    EXPECT_EQ(negative->title, "Input error");
    EXPECT_EQ(negative->icon, MessageIcon::Information);
    EXPECT_FALSE(negative->fulcrumMarked);

    const CheckResult resultant = SelectCommand(state, Edited({{3, "10"}}));
    ASSERT_TRUE(resultant);
    EXPECT_EQ(resultant->title, "The resultant force angle's error");
    EXPECT_EQ(resultant->icon, MessageIcon::Exclamation);
    EXPECT_TRUE(resultant->fulcrumMarked);

    const CheckResult wrap = SelectCommand(state, Edited({{3, "90"}, {4, "90"}}));
    ASSERT_TRUE(wrap);
    EXPECT_EQ(wrap->title, "Wrap angle's error");
    EXPECT_EQ(wrap->icon, MessageIcon::Exclamation);
    EXPECT_FALSE(wrap->fulcrumMarked);
}

TEST(SelectChecks, RefusedCaseStillUpdatesRecordButNotTables)
{
    RunState state;
    ASSERT_FALSE(SelectCommand(state, WorkedExampleForm()));
    const ResultTables before = state.tables;

    EntryForm form = Edited({{0, "-5"}, {3, "30"}});
    form.opType = 1;
    ASSERT_TRUE(SelectCommand(state, form));
    EXPECT_EQ(state.seriesIndex, kIntrinsicallySafeSeries);
    EXPECT_EQ(state.inputs.FS, -5);
    EXPECT_EQ(state.inputs.alpha, 30);
    EXPECT_EQ(state.tables.P1, before.P1);
    EXPECT_EQ(state.tables.PB, before.PB);
}

struct MethodCase {
    int opMethod1, opMethod2, opMethod3;
    std::int16_t methodCode;
};

TEST(ReadSelectionInputs, MethodCodeFollowsTheThreeOptionGroups)
{
    const MethodCase cases[] = {
        {0, 0, 0, 0}, {0, 1, 1, 0}, {1, 0, 0, 1}, {1, 0, 1, 2}, {1, 1, 0, 3}, {1, 1, 1, 4},
    };
    for (const MethodCase& c : cases) {
        EntryForm form = WorkedExampleForm();
        form.opMethod1 = c.opMethod1;
        form.opMethod2 = c.opMethod2;
        form.opMethod3 = c.opMethod3;
        RunState state;
        ReadSelectionInputs(state, form);
        EXPECT_EQ(state.inputs.methodCode, c.methodCode) << c.opMethod1 << c.opMethod2 << c.opMethod3;
    }
}

TEST(ReadSelectionInputs, AnglesAreRoundedAndFulcrumIsLeftAlone)
{
    RunState state;
    state.inputs.fulcrumIndex = 1;
    ReadSelectionInputs(state, Edited({{3, "20.5"}, {4, "21.5abc"}, {5, "-0.5"}}));
    EXPECT_EQ(state.inputs.alpha, 20);
    EXPECT_EQ(state.inputs.beta, 22);
    EXPECT_EQ(state.inputs.gamma, 0);
    EXPECT_EQ(state.inputs.fulcrumIndex, 1);
}

// "Image chgange" reads only its five fields and checks only those.
TEST(ImageChange, ReadsOnlyTheSketchFields)
{
    RunState state;
    EntryForm form = Edited({{0, "1e999"}, {1, "-1"}, {3, "30"}, {4, "60"}, {5, "-120"}, {6, "15"}, {7, "5"}});
    form.opType = 1;
    int redraws = 0;
    const CheckResult failure = ImageChangeCommand(state, form, [&redraws] { ++redraws; });
    EXPECT_FALSE(failure.has_value());
    EXPECT_EQ(redraws, 1);
    EXPECT_EQ(state.inputs.alpha, 30);
    EXPECT_EQ(state.inputs.beta, 60);
    EXPECT_EQ(state.inputs.gamma, -120);
    EXPECT_EQ(state.inputs.l, 15);
    EXPECT_EQ(state.inputs.h, 5);
    EXPECT_EQ(state.inputs.FS, 0);
    EXPECT_EQ(state.inputs.d, 0);
    EXPECT_EQ(state.seriesIndex, kStandardSeries);
}

struct ImageCase {
    std::vector<FieldEdit> edits;
    const char* message;
    std::vector<int> marked;
    int redraws;
};

TEST(ImageChange, RangeFailuresComeBeforeTheRedrawAngleFailuresAfter)
{
    const ImageCase cases[] = {
        {{{3, "200"}}, kAlphaRange, {3}, 0},
        {{{4, "181"}}, kBetaRangeImage, {4}, 0},
        {{{5, "40000"}}, kGammaRange, {5}, 0},
        {{{7, "1e999"}, {3, "200"}}, "The value of h is too large.", {7}, 0},
        {{{6, "-1e999"}}, "The value of l is too large.", {6}, 0},
        {{{3, "10"}}, kResultant, {3, 4, 5}, 1},
        {{{3, "-90"}, {4, "-90"}}, "The wrap angle is inapplicable.", {3, 4}, 1},
    };
    for (const ImageCase& c : cases) {
        RunState state;
        int redraws = 0;
        const CheckResult failure = ImageChangeCommand(state, Edited(c.edits), [&redraws] { ++redraws; });
        ASSERT_TRUE(failure.has_value()) << c.message;
        EXPECT_EQ(failure->message, c.message);
        EXPECT_EQ(failure->markedItems, c.marked);
        EXPECT_EQ(redraws, c.redraws) << c.message;
    }
}

}  // namespace
}  // namespace vyra
