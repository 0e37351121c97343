#include "HelperOptions.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <array>
#include <string_view>

namespace vyra::cli {

namespace {

CLI::Option* AddText(CLI::App& app, std::vector<std::string>& textOptions, const char* name, std::string& target,
                     const char* help, const char* type)
{
    textOptions.emplace_back(name);
    return app.add_option(name, target, help)->expected(0, 1)->take_last()->type_name(type)->group("Helpers");
}

constexpr std::array<std::string_view, 5> kTensionWords{"--material", "--width", "--thickness", "--grammage",
                                                        "--layers"};
constexpr std::array<std::string_view, 8> kRollerWords{"--tube-od", "--tube-id", "--face",     "--roller-material",
                                                       "--density", "--modulus", "--journals", "--load"};

bool Among(std::string_view name, const auto& names)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

// The words a helper takes besides its own.
bool Takes(HelperKind kind, std::string_view name)
{
    switch (kind) {
    case HelperKind::AdviseTension:
        return Among(name, kTensionWords) || name == "--tension" || name == "--unit" || name == "--json";
    case HelperKind::RollerCalc:
        return Among(name, kRollerWords) || name == "--speed" || name == "--json";
    case HelperKind::Materials:
        return name == "--json";
    }
    return false;
}

}  // namespace

void AddHelperOptions(CLI::App& app, std::vector<std::string>& textOptions, HelperWords& words)
{
    HelperRequest& r = words.request;
    app.add_flag("--advise-tension", words.adviseTension,
                 "Print the running tension of a web from its material, width and thickness or grammage (or its "
                 "layers), and with --tension its share of the break load")
        ->group("Helpers");
    AddText(app, textOptions, "--material", r.web.material,
            "With --advise-tension: the material as --materials names it", "NAME");
    AddText(app, textOptions, "--width", r.web.width, "With --advise-tension: web width [mm]", "MM");
    AddText(app, textOptions, "--thickness", r.web.thickness, "With --advise-tension: thickness [um]", "UM");
    AddText(app, textOptions, "--grammage", r.web.grammage, "With --advise-tension: basis weight [g/m2]", "GSM");
    AddText(app, textOptions, "--layers", r.web.layers,
            "With --advise-tension: a laminate's layers as MATERIAL:UM,... (PET:12,PE:50)", "LAYERS");
    app.add_flag("--materials", words.materials, "List the material table (the shipped one and the user's file)")
        ->group("Helpers");
    app.add_flag("--roller-calc", words.rollerCalc,
                 "Print a roller's weight, sag and first critical speed from its drawing; --speed gives the line "
                 "speed's share of it")
        ->group("Helpers");
    AddText(app, textOptions, "--tube-od", r.roller.tubeOd, "With --roller-calc: tube outer diameter [mm]", "MM");
    AddText(app, textOptions, "--tube-id", r.roller.tubeId,
            "With --roller-calc: tube inner diameter [mm], 0 for a shaft", "MM");
    AddText(app, textOptions, "--face", r.roller.face, "With --roller-calc: face length [mm]", "MM");
    AddText(app, textOptions, "--roller-material", r.roller.material,
            "With --roller-calc: steel, aluminium or carbon (default steel)", "steel|aluminium|carbon");
    AddText(app, textOptions, "--density", r.roller.density, "With --roller-calc and --modulus: tube density [kg/m3]",
            "KG_M3");
    AddText(app, textOptions, "--modulus", r.roller.modulus, "With --roller-calc and --density: Young's modulus [GPa]",
            "GPA");
    AddText(app, textOptions, "--journals", r.roller.journals, "With --roller-calc: journals' weight added [kg]", "KG");
    AddText(app, textOptions, "--load", r.load, "With --roller-calc: a load spread over the face [kg]", "KG");
}

Expected<std::optional<HelperRequest>> FinishHelper(const CLI::App& app, const HelperWords& words,
                                                    const SharedWords& shared)
{
    const int asked = int(words.adviseTension) + int(words.materials) + int(words.rollerCalc);
    const auto given = [&app](std::string_view name) { return app.get_option(std::string(name))->count() > 0; };
    if (asked == 0) {
        for (const auto& names : {std::vector<std::string_view>(kTensionWords.begin(), kTensionWords.end()),
                                  std::vector<std::string_view>(kRollerWords.begin(), kRollerWords.end())}) {
            for (std::string_view name : names) {
                if (given(name)) {
                    return Failed(std::string(name) + " needs "
                                  + (Among(name, kTensionWords) ? "--advise-tension" : "--roller-calc"));
                }
            }
        }
        return std::optional<HelperRequest>();
    }
    if (asked > 1) {
        return Failed("--advise-tension, --materials and --roller-calc go one at a time");
    }
    HelperRequest request = words.request;
    request.kind = words.adviseTension ? HelperKind::AdviseTension
                   : words.rollerCalc  ? HelperKind::RollerCalc
                                       : HelperKind::Materials;
    const char* helper = words.adviseTension ? "--advise-tension" : words.rollerCalc ? "--roller-calc" : "--materials";
    for (const CLI::Option* option : app.get_options()) {
        const std::string name = option->get_name();
        if (option->count() > 0 && name != helper && !Takes(request.kind, name)) {
            return Failed(name + " cannot go with " + helper);
        }
    }
    request.tension = shared.tension;
    request.speed = shared.speed;
    request.forceUnit = shared.forceUnit;
    request.json = shared.json;
    return std::optional(request);
}

}  // namespace vyra::cli
