// Arbitrary bytes through the path a user's typing takes: the number
// reading, "Select", "Image chgange" and the shown figures. Written by hand
// as: a line of the options opType, opMethod1 to 3, forceUnit, fulcrumIndex,
// each its distance from '0'; then the entry texts FS to V, one a line, the
// tenth keeping any further line breaks.
#include "Commands.h"
#include "NumberText.h"
#include "Require.h"
#include "ResultColumns.h"
#include "Results1.h"
#include "Results2.h"
#include "RunState.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <tuple>

namespace vyra {
namespace {

bool SameBits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

// The C library's decimal reading is the reference, from where a decimal
// number starts (past the blanks) to the first character none contains.
void CheckParse(std::string_view text)
{
    const double value = ParseLeadingNumber(text);
    const std::size_t pos = std::min(text.find_first_not_of(" \t"), text.size());
    std::size_t digit = pos + (pos < text.size() && (text[pos] == '+' || text[pos] == '-') ? 1 : 0);
    digit += digit < text.size() && text[digit] == '.' ? 1 : 0;
    if (digit >= text.size() || text[digit] < '0' || text[digit] > '9') {
        REQUIRE(value == 0);
        return;
    }
    const std::string_view number = text.substr(pos);
    const std::string decimal(number.substr(0, std::min(number.find_first_not_of("0123456789.eE+-"), number.size())));
    REQUIRE(SameBits(value, std::strtod(decimal.c_str(), nullptr)));
    const std::optional<std::int16_t> rounded = RoundToInt16(value);
    REQUIRE(rounded ? std::fabs(*rounded - value) <= 0.5 : !(std::fabs(value) <= 32767));
}

// Every accepted case holds finite, checked inputs, and every figure shows as
// a pattern or "---", marked exactly when its check fails.
void CheckAccepted(const RunState& state)
{
    const SelectionInputs& in = state.inputs;
    REQUIRE(in.d > 0 && in.Wr > 0 && in.FS > 0 && in.V >= 0);
    REQUIRE(in.alpha >= -180 && in.alpha <= 180 && in.beta >= -180 && in.beta <= 180);
    REQUIRE(std::isfinite(in.FS) && std::isfinite(in.l) && std::isfinite(in.h) && std::isfinite(in.Wp));
    for (int i = 0; i < kModelCount; ++i) {
        bool any1 = false;
        for (const ResultColumn& column : ResultSet1Columns()) {
            const std::string text = ShownText(column, state, i);
            REQUIRE(!text.empty() && (text == "---") == !std::isfinite(ShownValue(column, state, i)));
            any1 = any1 || Failed(column, state, i);
        }
        REQUIRE(AssessResults1(state, i).withinTolerance == !any1);
        bool any2 = false;
        for (const ResultColumn& column : ResultSet2Columns()) {
            any2 = any2 || Failed(column, state, i);
        }
        REQUIRE(AssessResults2(state, i).withinTolerance == !any2);
    }
}

// "Image chgange" reads only the sketch's fields, never touches the tables,
// and accepts whatever "Select" accepted.
void CheckImageChange(RunState& state, const EntryForm& form, bool selectAccepted)
{
    const RunState before = state;
    bool redrawn = false;
    const CheckResult failure = ImageChangeCommand(state, form, [&redrawn] { redrawn = true; });
    REQUIRE(SameBits(state.inputs.FS, before.inputs.FS) && SameBits(state.inputs.V, before.inputs.V));
    REQUIRE(state.inputs.methodCode == before.inputs.methodCode && state.seriesIndex == before.seriesIndex);
    REQUIRE(std::memcmp(&state.tables, &before.tables, sizeof state.tables) == 0);
    REQUIRE(redrawn || failure);
    REQUIRE(!selectAccepted || !failure);
}

}  // namespace
}  // namespace vyra

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    using namespace vyra;
    const std::string_view data(reinterpret_cast<const char*>(bytes), size);
    const std::size_t optionsEnd = std::min(data.find('\n'), data.size());
    const auto option = [&](std::size_t at) { return at < optionsEnd ? data[at] - '0' : 0; };
    EntryForm form;
    std::tie(form.opType, form.opMethod1, form.opMethod2, form.opMethod3) =
        std::tuple(option(0), option(1), option(2), option(3));
    form.fulcrumIndex = static_cast<std::int16_t>(option(5));
    std::string_view rest = data.substr(std::min(optionsEnd + 1, data.size()));
    for (int item = 0; item < kFieldCount && !rest.empty(); ++item) {
        const std::size_t end = item == kFieldCount - 1 ? rest.size() : std::min(rest.find('\n'), rest.size());
        form.txtInput[item] = std::string(rest.substr(0, end));
        rest.remove_prefix(std::min(end + 1, rest.size()));
        CheckParse(form.txtInput[item]);
    }
    RunState state;
    state.forceUnit = ForceUnitOf(option(4)).value_or(kKgf);
    const ResultTables untouched = state.tables;
    const CheckResult failure = SelectCommand(state, form);
    if (failure) {
        REQUIRE(!failure->title.empty() && !failure->message.empty());
        REQUIRE(std::memcmp(&state.tables, &untouched, sizeof untouched) == 0);
    } else {
        CheckAccepted(state);
        // Nothing but one number, or nothing at all, is ever computed.
        for (const std::string& text : form.txtInput) {
            REQUIRE(text.find_first_not_of(" \t") == std::string::npos || ParseWholeNumber(text));
        }
    }
    CheckImageChange(state, form, !failure);
    return 0;
}
