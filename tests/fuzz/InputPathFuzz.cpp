// Arbitrary bytes through the path a user's typing takes: the number
// reading, "Select", "Image chgange" and the result patterns.
//
// Input layout, chosen so corpus files can be written by hand: the first
// line holds the option characters opType, opMethod1, opMethod2, opMethod3,
// forceUnit and fulcrumIndex, each read as its distance from '0' (so "0" and
// "1" mean what they say and any other byte is some other number); the
// following lines are the ten entry texts, FS to V, the tenth keeping any
// further line breaks.

#include "Commands.h"
#include "NumberText.h"
#include "ResultFormat.h"
#include "Results1.h"
#include "Results2.h"

#include <algorithm>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

// A broken invariant must stop the run so libFuzzer keeps the input.
#define REQUIRE(condition)                                                                           \
    do {                                                                                             \
        if (!(condition)) {                                                                          \
            std::fprintf(stderr, "invariant broken at %s:%d: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                            \
        }                                                                                            \
    } while (false)

namespace vyra {
namespace {

struct FuzzCase {
    EntryForm form;
    std::int16_t forceUnit = 0;
    std::int16_t fulcrumIndex = 0;
};

FuzzCase SplitInput(std::string_view data)
{
    FuzzCase c;
    const std::size_t optionsEnd = std::min(data.find('\n'), data.size());
    const std::string_view options = data.substr(0, optionsEnd);
    const auto option = [&](std::size_t at) { return at < options.size() ? options[at] - '0' : 0; };
    c.form.opType = option(0);
    c.form.opMethod1 = option(1);
    c.form.opMethod2 = option(2);
    c.form.opMethod3 = option(3);
    c.forceUnit = static_cast<std::int16_t>(option(4));
    c.fulcrumIndex = static_cast<std::int16_t>(option(5));

    std::string_view rest = data.substr(std::min(optionsEnd + 1, data.size()));
    for (int item = 0; item < kFieldCount && !rest.empty(); ++item) {
        const std::size_t end = item == kFieldCount - 1 ? rest.size() : std::min(rest.find('\n'), rest.size());
        c.form.txtInput[item] = std::string(rest.substr(0, end));
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    return c;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool SameBits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

// The C library's decimal reading is the reference. It also takes hex,
// "inf" and other blanks, so it only sees the text once the blanks the
// field skips are gone and only from where a decimal number starts, cut
// at the first character no decimal number contains.
void CheckParse(std::string_view text)
{
    const double value = ParseLeadingNumber(text);
    REQUIRE(!std::isnan(value));

    std::size_t pos = text.find_first_not_of(" \t");
    if (pos == std::string_view::npos) {
        REQUIRE(value == 0);
        return;
    }
    std::size_t digits = pos + ((text[pos] == '+' || text[pos] == '-') ? 1 : 0);
    if (digits < text.size() && text[digits] == '.') {
        ++digits;
    }
    if (digits >= text.size() || !IsDigit(text[digits])) {
        REQUIRE(value == 0);
        return;
    }
    const std::string_view number = text.substr(pos);
    const std::size_t numberEnd = std::min(number.find_first_not_of("0123456789.eE+-"), number.size());
    const std::string decimal(number.substr(0, numberEnd));
    const double reference = std::strtod(decimal.c_str(), nullptr);
    REQUIRE(SameBits(value, reference));
}

void CheckRounding(double value)
{
    const std::optional<std::int16_t> rounded = RoundToInt16(value);
    if (!rounded) {
        REQUIRE(!std::isfinite(value) || value < -32768 || value > 32767);
        return;
    }
    const double distance = std::fabs(*rounded - value);
    REQUIRE(distance <= 0.5);
    REQUIRE(distance != 0.5 || *rounded % 2 == 0);
}

// "0", "0.0", "0.00" or "0.000" with an optional minus, and close enough to
// the value to be its rounding.
void CheckPattern(double value, int decimals)
{
    const std::string text = FormatPattern(value, decimals);
    if (!std::isfinite(value)) {
        REQUIRE(text == "---");
        return;
    }
    const std::size_t digitsBegin = text.starts_with('-') ? 1 : 0;
    const std::size_t point = text.find('.');
    const std::size_t intEnd = point == std::string::npos ? text.size() : point;
    REQUIRE(intEnd > digitsBegin);
    REQUIRE(decimals == 0 ? point == std::string::npos
                          : text.size() - point - 1 == static_cast<std::size_t>(decimals));
    bool allZero = true;
    for (std::size_t i = digitsBegin; i < text.size(); ++i) {
        if (i == point) {
            continue;
        }
        REQUIRE(IsDigit(text[i]));
        allZero = allZero && text[i] == '0';
    }
    REQUIRE(!(allZero && digitsBegin == 1));
    const double halfUnit = 0.5 * std::pow(10.0, -decimals);
    const double readBack = std::strtod(text.c_str(), nullptr);
    REQUIRE(std::fabs(readBack - value) <= halfUnit * (1 + 1e-9) + std::fabs(value) * DBL_EPSILON);
}

void CheckAllPatterns(const RunState& state)
{
    const ResultTables& t = state.tables;
    for (const ResultTable* table : {&t.P1, &t.We, &t.P, &t.Zt, &t.Zr, &t.Zs, &t.Vt, &t.Vr, &t.S, &t.F1, &t.F2,
                                     &t.F3, &t.E, &t.PB}) {
        for (const double value : *table) {
            for (int decimals = 0; decimals <= 3; ++decimals) {
                CheckPattern(value, decimals);
            }
            CheckPattern(ShownForce(value, state.forceUnit), 0);
        }
    }
}

bool SameTables(const ResultTables& a, const ResultTables& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void CheckAccepted(const RunState& state)
{
    const SelectionInputs& in = state.inputs;
    REQUIRE(in.d > 0);
    REQUIRE(in.Wr > 0);
    REQUIRE(in.FS > 0);
    REQUIRE(in.V >= 0);
    REQUIRE(in.alpha >= -180 && in.alpha <= 180);
    REQUIRE(in.beta >= -180 && in.beta <= 180);
    for (const double value : {in.FS, in.d, in.Wr, in.l, in.h, in.Wp, in.V}) {
        REQUIRE(std::isfinite(value));
    }
    REQUIRE(state.seriesIndex == kStandardSeries || state.seriesIndex == kIntrinsicallySafeSeries);
    REQUIRE(in.methodCode >= kTwoSensors && in.methodCode <= kIndependentOne);

    const ResultTables& t = state.tables;
    for (int i = 0; i < kModelCount; ++i) {
        const Assessment1 first = AssessResults1(state, i);
        REQUIRE(i >= 6 || !first.failP1);
        REQUIRE(std::isfinite(t.Zr[i]) || first.failZr);
        REQUIRE(std::isfinite(t.Zs[i]) || first.failZs);
        REQUIRE(std::isfinite(t.Vr[i]) || first.failVr);
        REQUIRE(std::isfinite(t.S[i]) || first.failS);
        REQUIRE(first.withinTolerance
                == !(first.failP1 || first.failZr || first.failZs || first.failVr || first.failS));
        const Assessment2 second = AssessResults2(state, i);
        REQUIRE(second.withinTolerance == !(second.failF1F2 || second.failF1F3));
    }
}

void CheckRefusal(const CheckFailure& failure)
{
    REQUIRE(!failure.title.empty());
    REQUIRE(!failure.message.empty());
    for (const int item : failure.markedItems) {
        REQUIRE(item >= 0 && item < kFieldCount);
    }
}

// "Image chgange" reads only the sketch fields; whatever it decides, the
// other inputs, the series and the tables of the last selection stay.
void CheckImageChange(RunState& state, const EntryForm& form, bool selectAccepted)
{
    const RunState before = state;
    bool redrawn = false;
    const CheckResult failure = ImageChangeCommand(state, form, [&] { redrawn = true; });

    const SelectionInputs& in = state.inputs;
    const SelectionInputs& was = before.inputs;
    REQUIRE(SameBits(in.FS, was.FS) && SameBits(in.d, was.d) && SameBits(in.Wr, was.Wr) && SameBits(in.Wp, was.Wp)
            && SameBits(in.V, was.V));
    REQUIRE(in.methodCode == was.methodCode && in.fulcrumIndex == was.fulcrumIndex);
    REQUIRE(state.seriesIndex == before.seriesIndex && state.forceUnit == before.forceUnit);
    REQUIRE(SameTables(state.tables, before.tables));

    if (failure) {
        CheckRefusal(*failure);
    } else {
        REQUIRE(redrawn);
    }
    if (redrawn) {
        REQUIRE(in.alpha >= -180 && in.alpha <= 180);
        REQUIRE(in.beta >= -180 && in.beta <= 180);
    } else {
        REQUIRE(failure.has_value());
    }
    // Its checks are a subset of those of "Select" on the same texts.
    if (selectAccepted) {
        REQUIRE(!failure);
    }
}

}  // namespace
}  // namespace vyra

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    using namespace vyra;
    const std::string_view data(reinterpret_cast<const char*>(bytes), size);
    const FuzzCase c = SplitInput(data);

    for (const std::string& text : c.form.txtInput) {
        CheckParse(text);
        CheckRounding(ParseLeadingNumber(text));
    }
    // Bit patterns no text can produce: NaNs, subnormals, infinities.
    if (size >= sizeof(double)) {
        double raw = 0;
        std::memcpy(&raw, bytes, sizeof raw);
        CheckRounding(raw);
        for (int decimals = 0; decimals <= 3; ++decimals) {
            CheckPattern(raw, decimals);
        }
    }

    RunState state;
    state.forceUnit = c.forceUnit;
    state.inputs.fulcrumIndex = c.fulcrumIndex;
    const ResultTables untouched = state.tables;
    const CheckResult failure = SelectCommand(state, c.form);
    if (failure) {
        CheckRefusal(*failure);
        REQUIRE(SameTables(state.tables, untouched));
    } else {
        CheckAccepted(state);
        CheckAllPatterns(state);
    }
    CheckImageChange(state, c.form, !failure);
    return 0;
}
