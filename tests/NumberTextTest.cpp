#include "NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace vyra {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct ParseCase {
    std::string text;
    double expected;
};

class ParseLeadingNumberTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseLeadingNumberTest, ReadsTheLeadingNumberOnly)
{
    const ParseCase& c = GetParam();
    const double value = ParseLeadingNumber(c.text);
    EXPECT_EQ(value, c.expected) << '"' << c.text << '"';
    EXPECT_EQ(std::signbit(value), std::signbit(c.expected)) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseLeadingNumberTest,
    ::testing::Values(
        ParseCase{"12abc", 12}, ParseCase{"", 0}, ParseCase{"abc", 0}, ParseCase{"   20", 20},
        ParseCase{"\t4", 4}, ParseCase{"-180", -180}, ParseCase{"+7", 7}, ParseCase{"-3.5e2x", -350},
        ParseCase{".5", 0.5}, ParseCase{"-.5", -0.5}, ParseCase{"5.", 5}, ParseCase{".", 0}, ParseCase{"-", 0},
        ParseCase{"- 5", 0}, ParseCase{"1 000", 1}, ParseCase{"1,5", 1}, ParseCase{"1e", 1}, ParseCase{"1e+", 1},
        ParseCase{"1E-2", 0.01}, ParseCase{"2.5e3.7", 2500}, ParseCase{"inf", 0}, ParseCase{"nan", 0},
        ParseCase{"Infinity", 0}, ParseCase{"0x10", 0}, ParseCase{"\xEF\xBC\x91\xEF\xBC\x92", 0},
        ParseCase{"12\xEF\xBC\x93", 12}, ParseCase{"1.7976931348623157e308", std::numeric_limits<double>::max()},
        ParseCase{"-0", -0.0},
        // Beyond the range of a double: infinity of the number's sign.
        ParseCase{"1e999", kInf}, ParseCase{"-1e400", -kInf}, ParseCase{"1.8e308", kInf},
        ParseCase{std::string(400, '9'), kInf}, ParseCase{"1e99999999999999999999", kInf},
        // Too small to represent: a zero, never "too large".
        ParseCase{"1e-400", 0}, ParseCase{"-1e-400", -0.0}, ParseCase{"0." + std::string(400, '0') + "1", 0},
        ParseCase{"0e999", 0}, ParseCase{"0.001e309", 1e306},
        // Orders of magnitude beyond any exponent bound keep their sign.
        ParseCase{"0." + std::string(100000, '0') + "1e10000000000000000000", kInf},
        ParseCase{"1" + std::string(100000, '0') + "e-10000000000000000000", 0}));

TEST(NegatedNumberText, FlipsTheSignOfTheLeadingNumberOnly)
{
    const std::pair<std::string, std::string> cases[] = {
        {"20", "-20"},       {"-7.5", "7.5"},        {"12abc", "-12"},        {"", "0"},
        {"abc", "0"},        {"0", "0"},             {"-0", "0"},             {" +3", "-3"},
        {"1e20", "-1e20"},   {"0.00001", "-1e-5"},   {"1e999", "-1e999"},     {"-2.5E400x", "2.5E400"},
    };
    for (const auto& [text, negated] : cases) {
        EXPECT_EQ(NegatedNumberText(text), negated) << '"' << text << '"';
        EXPECT_EQ(ParseLeadingNumber(NegatedNumberText(negated)), ParseLeadingNumber(text)) << text;
    }
}

struct RoundCase {
    double value;
    std::optional<std::int16_t> expected;
};

class RoundToInt16Test : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundToInt16Test, RoundsHalvesToEvenWithinSixteenBits)
{
    EXPECT_EQ(RoundToInt16(GetParam().value), GetParam().expected) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Values, RoundToInt16Test,
    ::testing::Values(RoundCase{20.5, 20}, RoundCase{21.5, 22}, RoundCase{-20.5, -20}, RoundCase{-21.5, -22},
                      RoundCase{180.5, 180}, RoundCase{181.5, 182}, RoundCase{0.49, 0}, RoundCase{-0.4, 0},
                      RoundCase{32767.4, 32767}, RoundCase{32767.5, std::nullopt}, RoundCase{-32768.5, -32768},
                      RoundCase{-32768.6, std::nullopt}, RoundCase{1e300, std::nullopt},
                      RoundCase{kInf, std::nullopt}, RoundCase{-kInf, std::nullopt},
                      RoundCase{std::numeric_limits<double>::quiet_NaN(), std::nullopt}));

}  // namespace
}  // namespace vyra
