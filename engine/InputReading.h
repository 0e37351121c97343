#pragma once

#include "SelectionInputs.h"
#include "Units.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vyra {

struct RunState;

inline constexpr int kFieldCount = 10;

// Items of txtInput, the ten entry fields of the input screen.
enum FieldItem : int {
    kItemFS = 0,
    kItemD = 1,
    kItemWr = 2,
    kItemAlpha = 3,
    kItemBeta = 4,
    kItemGamma = 5,
    kItemL = 6,
    kItemH = 7,
    kItemWp = 8,
    kItemV = 9,
};

// What a field measures: the tension a force, d, l and h lengths, the two
// weights masses, V a speed, the angles Fixed.
Quantity FieldQuantity(int item);

// What the input screen shows: the entry texts and, per option group, the
// item that is selected (0 is the first option of the group).
struct EntryForm {
    std::array<std::string, kFieldCount> txtInput;
    int opType = 0;  // 0 "Standard", 1 "Intrinsically safe"
    // 0 "Right(R)", 1 "Left(L)": the side the fulcrum handler keeps, which
    // the sketch, the load and the report all follow.
    std::int16_t fulcrumIndex = 0;
    int opMethod1 = 0;  // 0 "Two sensors", 1 "One sensor"
    int opMethod2 = 0;  // 0 "One side", 1 "Independent"
    int opMethod3 = 0;  // 0 "Both", 1 "One"

    bool operator==(const EntryForm&) const = default;
};

// What reading the texts found that the record itself cannot hold.
struct EntryReading {
    // The field holds text other than one number with blanks around it; an
    // empty or blank field reads as 0 and is not marked here.
    std::array<bool, kFieldCount> notANumber{};
    // The field's leading number, in the program's units, lies beyond the
    // range of a double.
    std::array<bool, kFieldCount> tooLarge{};
    // The rounded angle does not fit 16 bits; the record then holds the
    // nearest 16-bit value.
    bool alphaBeyond16 = false;
    bool betaBeyond16 = false;
    bool gammaBeyond16 = false;
};

// First step of "Select": the options and all ten fields into the record,
// seriesIndex and methodCode included, in the program's units (an lbf run's
// entries converted, a newton run's tension into kgf). Writes the record
// even when a later check refuses the case.
EntryReading ReadSelectionInputs(RunState& state, const EntryForm& form);

// First step of "Image chgange": only alpha, beta, gamma, l and h (and the
// fulcrum side, as both commands do).
EntryReading ReadSketchInputs(RunState& state, const EntryForm& form);

// The fulcrum option clicked: on a change of side the wrap angles change
// places and the mounting angle its sign (an empty one stays empty), so that
// the arrangement drawn and computed stays the same roller seen from the
// other side.
void ChangeFulcrum(EntryForm& form, std::int16_t fulcrumIndex);

// The symbol of a field as a page names it: "FS", "d", "Wr", "alpha" ... "V".
std::string_view FieldSymbol(int item);

// The value "Select" takes from a field's text, written as ShortestText
// writes it: "12" for "12abc", "20" for the angle "20.5".
std::string ValueReadText(int item, std::string_view text);

// Whether the text says exactly the value "Select" takes from it: one number
// and nothing else, for an angle a whole one. A page that shows any other
// text as typed says beside it what was read.
bool ReadsAsTyped(int item, std::string_view text);

}  // namespace vyra
