// Cases side by side: what counts as a difference from the first case,
// and the table's verdicts, marks and notes against the engine's own runs.
#include "Comparison.h"
#include "Answer.h"
#include "Commands.h"
#include "Results1.h"
#include "Results2.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vyra {
namespace {

// A film roller: 20 kgf, 100 mm, 10 kg, 20/80/20 degree, l 20, h 40, Wp 2, 300 m/min.
const EntryForm kFilm{{"20", "100", "10", "20", "80", "20", "20", "40", "2", "300"}};

Case Edited(ForceUnit unit, std::vector<std::pair<int, std::string>> texts, int type = 0)
{
    Case c;
    c.form = kFilm;
    c.forceUnit = unit;
    for (const auto& [item, text] : texts) {
        c.form.txtInput[static_cast<std::size_t>(item)] = text;
    }
    c.form.opType = type;
    return c;
}

// The film roller typed in lbf, lb, in and ft/min, each to the last digit.
Case InLbf()
{
    return Edited(kLbf, {{kItemFS, "44.09245243697551"},
                         {kItemD, "3.937007874015748"},
                         {kItemWr, "22.046226218487757"},
                         {kItemL, "0.7874015748031497"},
                         {kItemH, "1.5748031496062993"},
                         {kItemWp, "4.409245243697551"},
                         {kItemV, "984.251968503937"}});
}

TEST(Comparison, DifferencesAreOfWhatIsComputed)
{
    const std::vector<std::tuple<const char*, Case, std::vector<std::string_view>>> cases{
        {"the same case", Edited(kKgf, {}), {}},
        {"the same roller in lbf", InLbf(), {"unit"}},
        {"the same tension in N", Edited(kNewton, {{kItemFS, "196"}}), {"unit"}},
        {"an angle that rounds to the same degree", Edited(kKgf, {{kItemGamma, "20.4"}}), {}},
        {"an angle that rounds to the next", Edited(kKgf, {{kItemGamma, "20.6"}}), {"gamma"}},
        {"a length within 1e-9", Edited(kKgf, {{kItemD, "100.00000000001"}}), {}},
        {"a length beyond 1e-9", Edited(kKgf, {{kItemD, "100.000001"}}), {"diameter"}},
        {"an empty field and 0", Edited(kKgf, {{kItemL, "0"}, {kItemH, ""}}), {"position", "height"}},
        {"a word", Edited(kKgf, {{kItemV, "fast"}}), {"speed"}},
        {"the other series and a lighter roller", Edited(kKgf, {{kItemWr, "4"}}, 1), {"type", "roller-weight"}},
    };
    Case zeroHeight = Edited(kKgf, {{kItemH, "0"}});
    EXPECT_TRUE(Differences(zeroHeight, Edited(kKgf, {{kItemH, " "}})).empty()) << "a blank field reads as 0";
    EXPECT_EQ(Differences(Edited(kKgf, {{kItemV, "fast"}}), Edited(kKgf, {{kItemV, "fast"}})).size(), 0U);
    for (const auto& [name, other, expected] : cases) {
        EXPECT_EQ(Differences(Edited(kKgf, {}), other), expected) << name;
    }
}

TEST(Comparison, ACaseWithItselfAndInAnotherUnitShowsTheSameVerdicts)
{
    const ComparedCase base = SelectCompared("base", Edited(kKgf, {}));
    for (const ComparedCase& other : {SelectCompared("again", Edited(kKgf, {})), SelectCompared("lbf", InLbf())}) {
        const std::vector<ComparedCase> cases{base, other};
        const Comparison comparison = CompareCases(cases);
        const bool lbf = other.file == "lbf";
        EXPECT_EQ(comparison.differences,
                  lbf ? std::vector<std::string_view>{"unit"} : std::vector<std::string_view>{});
        for (const ComparisonRow& row : comparison.rows) {
            const bool differs = lbf && (row.label == "unit" || row.label == "calculation ID");
            EXPECT_EQ(row.differs, (std::vector<bool>{false, differs})) << other.file << " " << row.label;
            EXPECT_EQ(row.best, (std::vector<bool>{false, false})) << row.label;
            if (row.kind == RowKind::SafeSpeed) {
                EXPECT_TRUE(row.cells[0].ends_with(" m/min") && row.cells[1].ends_with(lbf ? " ft/min" : " m/min"));
            }
        }
        EXPECT_EQ(comparison.rows[6].cells,
                  (std::vector<std::string>{"20 kgf", lbf ? "44.09245243697551 lbf" : "20 kgf"}));
        EXPECT_EQ(ComparisonNotes(comparison),
                  std::vector<std::string>{lbf ? "Differences: unit" : "Differences: none"});
    }
}

// Each model's verdict, nearest check and marks in a lighter roller of the
// other series, and a refused case's column.
TEST(Comparison, VerdictsAndTheBestOfEachModel)
{
    const std::vector<ComparedCase> cases{SelectCompared("base", Edited(kKgf, {})),
                                          SelectCompared("lighter", Edited(kKgf, {{kItemWr, "4"}}, 1)),
                                          SelectCompared("refused", Edited(kKgf, {{kItemAlpha, "200"}}))};
    const Comparison comparison = CompareCases(cases);
    int verdicts = 0;
    int best = 0;
    for (std::size_t r = 0; r < comparison.rows.size(); ++r) {
        const ComparisonRow& row = comparison.rows[r];
        if (row.kind != RowKind::Verdict) {
            continue;
        }
        const int model = verdicts++;
        std::vector<int> passed;
        for (std::size_t k = 0; k < 2; ++k) {
            const RunState& state = cases[k].selection;
            const bool one = AssessResults1(state, model).withinTolerance;
            const bool two = AssessResults2(state, model).withinTolerance;
            passed.push_back(one + two);
            EXPECT_EQ(row.cells[k], one && two ? "passes both"
                                    : one      ? "passes 1 only"
                                    : two      ? "passes 2 only"
                                               : "fails both");
            const NearestCheck nearest = NearestCheckOf(state, model);
            EXPECT_TRUE(comparison.rows[r + 1].cells[k].starts_with(std::string(kChecks[nearest.check]->symbol) + " "));
        }
        EXPECT_EQ(row.label, std::string(cases[0].selection.model(model).name) + "/"
                                 + std::string(cases[1].selection.model(model).name));
        EXPECT_EQ(row.best, (std::vector<bool>{passed[0] > passed[1], passed[1] > passed[0], false}));
        EXPECT_EQ(row.differs[1], passed[0] != passed[1]);
        best += passed[0] != passed[1];
        for (std::size_t k = r; k < r + 3; ++k) {
            EXPECT_EQ(comparison.rows[k].cells[2], "");
            EXPECT_FALSE(comparison.rows[k].differs[2]);
        }
    }
    EXPECT_EQ(verdicts, kModelCount);
    EXPECT_EQ(best, 2) << "the lighter roller passes set 2 with two more models";
    EXPECT_EQ(ComparisonNotes(comparison),
              (std::vector<std::string>{"Differences: type, roller-weight, alpha",
                                        "Case 3 (refused) refused: Inapplicable values: Input the value of alpha from "
                                        "-180 to 180."}));
}

}  // namespace
}  // namespace vyra
