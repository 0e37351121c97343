#pragma once

#include "Expected.h"
#include "RollerDrawing.h"
#include "WebTension.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace vyra::cli {

// The helpers that give a tension or a roller weight instead of a
// selection: their options stay in mm, µm, kg and m/min in every run.
enum class HelperKind { AdviseTension, Materials, RollerCalc };

struct HelperRequest {
    HelperKind kind = HelperKind::Materials;
    WebTexts web;
    RollerTexts roller;
    // --tension (run unit), --load (kg), --speed (m/min): empty when not given.
    std::string tension;
    std::string load;
    std::string speed;
    ForceUnit forceUnit = kKgf;
    bool json = false;
};

// The helpers' words, as vyra-select's own options, so that --help lists them.
struct HelperWords {
    bool adviseTension = false;
    bool materials = false;
    bool rollerCalc = false;
    HelperRequest request;
};
void AddHelperOptions(CLI::App& app, std::vector<std::string>& textOptions, HelperWords& words);

// After parsing: no helper asked for, the request, or the usage error of
// a helper's words (one given without its helper, or a selection's words
// beside a helper). tension, speed, unit and json are vyra-select's own
// options, read here from their texts.
struct SharedWords {
    std::string tension;
    std::string speed;
    ForceUnit forceUnit = kKgf;
    bool json = false;
};
Expected<std::optional<HelperRequest>> FinishHelper(const CLI::App& app, const HelperWords& words,
                                                    const SharedWords& shared);

}  // namespace vyra::cli
