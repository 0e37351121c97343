#include "JsonOutput.h"

#include "Results1.h"
#include "Results2.h"

#include <nlohmann/json.hpp>

#include <cmath>

namespace vyra::cli {

namespace {

using Json = nlohmann::ordered_json;

Json Number(double value) { return std::isfinite(value) ? Json(value) : Json(nullptr); }

Json ModelJson(const RunState& state, int i)
{
    const ResultTables& t = state.tables;
    const Assessment1 a1 = AssessResults1(state, i);
    const Assessment2 a2 = AssessResults2(state, i);
    Json model;
    model["index"] = i;
    model["name"] = std::string(state.model(i).name);
    const std::pair<const char*, const ResultTable*> tables[] = {
        {"P1", &t.P1}, {"We", &t.We}, {"P", &t.P},   {"Zt", &t.Zt}, {"Zr", &t.Zr}, {"Zs", &t.Zs}, {"Vt", &t.Vt},
        {"Vr", &t.Vr}, {"S", &t.S},   {"F1", &t.F1}, {"F2", &t.F2}, {"F3", &t.F3}, {"E", &t.E},   {"PB", &t.PB},
    };
    for (const auto& [key, table] : tables) {
        model[key] = Number((*table)[i]);
    }
    model["fail1"] = {{"P1", a1.failP1}, {"Zr", a1.failZr}, {"Zs", a1.failZs}, {"Vr", a1.failVr}, {"S", a1.failS}};
    model["withinTolerance1"] = a1.withinTolerance;
    model["fail2"] = {{"F1F2", a2.failF1F2}, {"F1F3", a2.failF1F3}};
    model["withinTolerance2"] = a2.withinTolerance;
    return model;
}

}  // namespace

void WriteJsonResult(const RunState& state, std::ostream& out)
{
    Json document;
    document["status"] = "ok";
    document["unit"] = state.forceUnit == kNewton ? "N" : "kgf";
    document["type"] = state.seriesIndex == kStandardSeries ? "standard" : "safe";
    document["methodCode"] = state.inputs.methodCode;
    Json models = Json::array();
    for (int i = 0; i < kModelCount; ++i) {
        models.push_back(ModelJson(state, i));
    }
    document["models"] = std::move(models);
    out << document.dump() << '\n';
}

void WriteJsonRefusal(const CheckFailure& failure, std::ostream& out)
{
    Json document;
    document["status"] = "rejected";
    document["title"] = failure.title;
    document["message"] = failure.message;
    document["marked"] = failure.markedItems;
    document["fulcrumMarked"] = failure.fulcrumMarked;
    out << document.dump() << '\n';
}

}  // namespace vyra::cli
