#pragma once

#include "Expected.h"
#include "ForceUnit.h"
#include "Units.h"

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vyra {

// The running tension a web is usually given, from what it is made of.
// Widths and thicknesses in mm and µm as the engineer reads them off the
// order; tensions per width in N/m (true newtons: 1 pli = 175.127 N/m);
// tensions in the run's unit, kgf counted as N / 9.8 as everywhere else.

// How a material's running tension grows with the web.
enum class TensionBasis {
    Thickness,  // N/m per µm of thickness (which is MPa)
    Grammage,  // N/m per g/m² of basis weight
    Yield,  // percent of the yield strength over the cross-section
    Layers,  // N/m added to the sum of a laminate's layers
};

// One row of the material table. low, typical and high are per the basis;
// breakStrength is MPa for Thickness and Yield, the tensile index in N·m/g
// (N/m per g/m²) for Grammage.
struct WebMaterial {
    std::string name;
    TensionBasis basis = TensionBasis::Thickness;
    double low = 0;
    double typical = 0;
    double high = 0;
    std::optional<double> breakStrength;
    std::optional<double> yieldStrength;  // MPa, the Yield basis needs it
    std::string source;

    bool operator==(const WebMaterial&) const = default;
};

// The word the table writes for a basis, and back.
std::string_view BasisWord(TensionBasis basis);
std::optional<TensionBasis> BasisNamed(std::string_view word);

// Names are matched with ASCII case ignored; a later row of the same name
// replaces an earlier one, which is how a user's file overrides the
// shipped table.
class MaterialTable {
public:
    void Put(WebMaterial material);
    const WebMaterial* Find(std::string_view name) const;
    const std::vector<WebMaterial>& Rows() const { return m_rows; }

private:
    std::vector<WebMaterial> m_rows;
    // Each row's place by its name in lower case, so that a table of many
    // rows is built and searched in linear time.
    std::unordered_map<std::string, std::size_t> m_places;
};

inline constexpr std::string_view kLaminate = "laminate";

struct WebLayer {
    std::string material;
    double thickness = 0;  // µm

    bool operator==(const WebLayer&) const = default;
};

// The web as the engineer describes it: a material with its thickness or
// grammage, or a laminate's layers (material then "laminate").
struct WebDescription {
    std::string material;
    double width = 0;  // mm
    std::optional<double> thickness;  // µm
    std::optional<double> grammage;  // g/m²
    std::vector<WebLayer> layers;

    bool operator==(const WebDescription&) const = default;
};

// The same as typed, named as vyra-select's options and the batch columns
// name them; an empty text is not given.
struct WebTexts {
    std::string material{};
    std::string width{};
    std::string thickness{};
    std::string grammage{};
    std::string layers{};  // "PET:12,PE:50"
};

// The texts that read back as the description, each number in the form
// that reads back as the same double; the width in the run's unit of
// length (in in an lbf run).
WebTexts TextsOf(const WebDescription& web, ForceUnit shownIn = kKgf);

// Whether two material names are the same word, ASCII case ignored
// ("PET" and "pet", "Steel" and "steel").
bool SameName(std::string_view a, std::string_view b);

// The description, or a failure whose reason begins with the field's name
// ("width: ..."). Whether the material is in the table is not looked at.
// The width is typed in the run's unit of length; thicknesses stay in µm
// and grammages in g/m², the measures the material table rates webs by.
Expected<WebDescription> ReadWebDescription(const WebTexts& texts, ForceUnit typedIn = kKgf);

enum class TensionPick { Low, Typical, High };
std::string_view PickWord(TensionPick pick);
std::optional<TensionPick> PickNamed(std::string_view word);

struct TensionRange {
    double low = 0;
    double typical = 0;
    double high = 0;

    double At(TensionPick pick) const;
};

struct TensionAdvice {
    std::string material;  // as the table spells it
    WebDescription web;  // the web with its materials as the table spells them
    TensionRange perWidth;  // N/m
    TensionRange tension;  // run unit
    std::optional<double> breakLoad;  // run unit, when every part's strength is known
    std::optional<double> shareOfBreak;  // percent of breakLoad the entered tension is
    bool pastBreakShare = false;  // shareOfBreak above kBreakShareLimit
};

// A web runs at 10 to 25% of its break load; past that it creeps or tears.
inline constexpr double kBreakShareLimit = 25.0;

// The advice for the web, with the share of the break load the entered
// tension (run unit) is when both are known. Refused, with the field's name
// first, for a material the table lacks or given by the wrong measure.
Expected<TensionAdvice> AdviseTension(const MaterialTable& table, const WebDescription& web,
                                      std::optional<double> tension, ForceUnit forceUnit);

// "Tension per width [N/m]: low 30.0, typical 60.0, high 90.0", in an lbf
// run in pounds-force per inch of width, "[pli]", counted as the run's lbf
// is, so that the pli times the width in inches is the tension shown.
std::string TensionPerWidthLine(const TensionRange& perWidth, ForceUnit forceUnit);

// Where a tension field's value came from, kept with the case.
struct TensionOrigin {
    WebDescription web;
    TensionPick pick = TensionPick::Typical;

    bool operator==(const TensionOrigin&) const = default;
};

// "PET 12 µm", "paper 80 g/m²", "laminate PET 12 µm + PE 50 µm".
std::string WebWording(const WebDescription& web);
// The report's line: "Tension from: PET 12 µm, 1000 mm, typical", the width
// in the run's unit of length ("48 in" in an lbf run).
std::string TensionOriginLine(const TensionOrigin& origin, ForceUnit shownIn = kKgf);

// An input of the figures that came out too large (or too small) to be
// computed: its name and its figure in the unit it is rated by. The one
// furthest in size from 1 is named; it is where a value past reason lies.
struct InputSize {
    std::string field;
    double size = 0;
    std::string wording = "the value";
};
Failure PastComputing(const std::vector<InputSize>& inputs);
// Whether each figure and its conversion into any of the run's units (the
// largest factor 39.4, mm to mil) is finite.
bool Computable(std::initializer_list<double> figures);

// A measure as typed: one number, finite and above 0 (or at least 0 when
// zeroAllowed), else a reason that names the field and the unit.
Expected<double> ReadMeasure(std::string_view field, std::string_view text, std::string_view unit,
                             bool zeroAllowed = false);
// The same for a length or a weight typed in the run's unit ("in", "lb" in
// an lbf run), in the program's mm or kg; refused when it is too large to
// be held in them.
Expected<double> ReadMeasureIn(std::string_view field, std::string_view text, Quantity quantity, ForceUnit typedIn,
                               bool zeroAllowed = false);

}  // namespace vyra
