// From entry texts to the record: reading numbers, rounding angles, the
// checks of "Select" and "Image chgange" in their order.
#include "CalculationId.h"
#include "Commands.h"
#include "NumberText.h"
#include "Sha256.h"
#include "TestCases.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <regex>
#include <sstream>
#include <tuple>

namespace vyra {
namespace {

TEST(ParseLeadingNumber, ReadsTheLeadingNumberOnly)
{
    for (const auto& row : test::ReadCaseTable("engine_leading_numbers", 3)) {
        const double value = ParseLeadingNumber(test::Unescape(row[1]));
        EXPECT_EQ(value, test::Number(row[2])) << row[0];
        EXPECT_EQ(std::signbit(value), std::signbit(test::Number(row[2]))) << row[0];
    }
}

// The leading number with the other sign, in its shortest form.
TEST(NegatedNumberText, FlipsTheSignOfTheLeadingNumberOnly)
{
    const std::pair<const char*, const char*> cases[] = {
        {"20", "-20"},     {"-7.5", "7.5"},      {"12abc", "-12"},    {"-0", "0"},
        {"1e20", "-1e20"}, {"0.00001", "-1e-5"}, {"1e999", "-1e999"}, {"-2.5E400x", "2.5E400"}};
    for (const auto& [text, negated] : cases) {
        EXPECT_EQ(NegatedNumberText(text), negated) << text;
        EXPECT_EQ(ParseLeadingNumber(NegatedNumberText(negated)), ParseLeadingNumber(text)) << text;
    }
}

// Halves go to the even neighbour; nothing fits outside 16 bits.
TEST(RoundToInt16, RoundsHalvesToEvenWithinSixteenBits)
{
    const std::pair<double, const char*> cases[] = {{20.5, "20"},         {21.5, "22"},       {-21.5, "-22"},
                                                    {0.49, "0"},          {32767.4, "32767"}, {32767.5, "none"},
                                                    {-32768.5, "-32768"}, {-32768.6, "none"}, {NAN, "none"}};
    for (const auto& [value, expected] : cases) {
        const std::optional<std::int16_t> rounded = RoundToInt16(value);
        EXPECT_EQ(rounded ? std::to_string(*rounded) : "none", expected) << value;
    }
}

// What a text reads as is the same in every front end: one number with
// blanks around it, or a refusal that names and marks its field.
TEST(TypedText, IsOneNumberOrRefusedWithItsFieldMarked)
{
    const std::map<std::string, std::string> titles{{"not a number", "Inapplicable values"},
                                                    {"zero", "Inapplicable values"},
                                                    {"negative", "Input error"}};
    for (const auto& row : test::ReadCaseTable("typed_texts", 4)) {
        const int item = std::stoi(row[1]);
        RunState state;
        const CheckResult failure = SelectCommand(state, test::TypedForm(row));
        const SelectionInputs& in = state.inputs;
        const double record[] = {in.FS,          in.d, in.Wr, 1.0 * in.alpha, 1.0 * in.beta,
                                 1.0 * in.gamma, in.l, in.h,  in.Wp,          in.V};
        if (row[3].starts_with("read ")) {
            EXPECT_FALSE(failure) << row[0];
            EXPECT_EQ(record[item], test::Number(row[3].substr(5))) << row[0];
            continue;
        }
        ASSERT_TRUE(failure) << row[0];
        EXPECT_EQ(std::tuple(failure->title, failure->markedItems), std::tuple(titles.at(row[3]), std::vector{item}))
            << row[0];
        if (row[3] == "not a number") {
            EXPECT_EQ(failure->message, "The value of " + std::string(FieldSymbol(item)) + ", \""
                                            + test::Unescape(row[2])
                                            + "\", is not a number.\rType a plain number, with \".\" for decimals "
                                              "and no unit or thousands separator.")
                << row[0];
        }
    }
}

// A pasted text is quoted in part, its control bytes written out.
TEST(TypedText, RefusalQuotesALongTextInPart)
{
    RunState state;
    const CheckResult failure = SelectCommand(state, test::EditedWorkedExample("9=\\x07\\(100)9\\xC3\\xA9"));
    ASSERT_TRUE(failure);
    const std::string quoted = "The value of V, \"\\x07" + std::string(39, '9') + "...\",";
    EXPECT_EQ(failure->message.substr(0, quoted.size()), quoted);
}

TEST(CalculationId, IsTheDigestOfTheInputsAsRead)
{
    EXPECT_EQ(Sha256Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    for (const auto& row : test::ReadCaseTable("engine_calculation_ids", 4)) {
        Case c;
        std::istringstream words(row[1]), texts(row[2]);
        std::string word;
        for (int choice = 0; choice < kChoiceCount && words >> word; ++choice) {
            SetChoiceCode(c, choice, *ChoiceCodeOf(kChoices[static_cast<std::size_t>(choice)], word));
        }
        for (std::string& text : c.form.txtInput) {
            texts >> text;
            text = text == "_" ? "" : text;
        }
        EXPECT_EQ(CalculationId(c).value_or("none"), row[3]) << row[0];
    }
}

// The message box and the marks of a refusal, or "accepted"; a line break shows as \r.
std::string Outcome(const CheckResult& failure)
{
    if (!failure) {
        return "accepted\n";
    }
    std::string text = failure->title
                       + (failure->icon == MessageIcon::Exclamation ? " (exclamation)" : " (information)")
                       + (failure->fulcrumMarked ? ", fulcrum marked" : "") + "\n  "
                       + std::regex_replace(failure->message, std::regex("\r"), "\\r") + "\n  marked:";
    for (const int item : failure->markedItems) {
        text += ' ' + std::to_string(item);
    }
    return text + "\n";
}

TEST(Commands, FirstFailingCheckWinsWithItsMessage)
{
    std::string recording;
    for (const auto& row : test::ReadCaseTable("engine_commands", 3)) {
        RunState state;
        EntryForm form = test::EditedWorkedExample(row[2]);
        recording += "# " + row[1] + ": " + row[0] + "\n";
        if (row[1] == "Select") {
            recording += Outcome(SelectCommand(state, form));
            continue;
        }
        form.opType = 1;
        form.fulcrumIndex = 1;
        int redraws = 0;
        const CheckResult failure = ImageChangeCommand(state, form, [&redraws] { ++redraws; });
        recording += "redraws: " + std::to_string(redraws) + "\n" + Outcome(failure);
        EXPECT_EQ(std::tuple(state.inputs.FS, state.seriesIndex, state.inputs.fulcrumIndex),
                  std::tuple(0, kStandardSeries, 1))
            << row[0] << ": only the sketch's fields and the fulcrum are read";
    }
    test::ExpectGolden("engine_commands", recording);
}

// A refused "Select" still writes the record, never the tables; the options
// give the series, the fulcrum and the detection method.
TEST(SelectCommand, ReadsTheRecordEvenWhenRefused)
{
    RunState state;
    ASSERT_FALSE(SelectCommand(state, test::WorkedExampleForm()));
    const ResultTables before = state.tables;
    EntryForm form = test::EditedWorkedExample("0=-5 3=30 4=21.5abc 5=-0.5");
    form.opType = 1;
    form.fulcrumIndex = 1;
    ASSERT_TRUE(SelectCommand(state, form));
    EXPECT_EQ(std::tuple(state.seriesIndex, state.inputs.fulcrumIndex, state.inputs.FS, state.inputs.alpha,
                         state.inputs.beta, state.inputs.gamma),
              std::tuple(kIntrinsicallySafeSeries, 1, -5, 30, 22, 0));
    EXPECT_EQ(state.tables.P1, before.P1);
    // Options of sensors, side and channel, and the method code they give.
    const int methods[][4] = {{0, 1, 1, 0}, {1, 0, 0, 1}, {1, 0, 1, 2}, {1, 1, 0, 3}, {1, 1, 1, 4}};
    for (const auto& [sensors, side, channel, code] : methods) {
        std::tie(form.opMethod1, form.opMethod2, form.opMethod3) = std::tuple(sensors, side, channel);
        ReadSelectionInputs(state, form);
        EXPECT_EQ(state.inputs.methodCode, code);
    }
}

}  // namespace
}  // namespace vyra
