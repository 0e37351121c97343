#include "Golden.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace vyra::test {

void ExpectGolden(const std::string& name, const std::string& recording)
{
    const std::string path = std::string(VYRA_GOLDEN_DIR) + "/" + name + ".txt";
    if (const char* update = std::getenv("VYRA_UPDATE_GOLDEN"); update != nullptr && std::string(update) == "1") {
        std::ofstream(path, std::ios::binary) << recording;
        return;
    }
    std::ifstream file(path, std::ios::binary);
    ASSERT_TRUE(file) << "no golden file " << path << " (VYRA_UPDATE_GOLDEN=1 writes it)";
    const std::string golden{std::istreambuf_iterator<char>(file), {}};
    if (golden == recording) {
        return;
    }
    std::istringstream expected(golden);
    std::istringstream actual(recording);
    std::string want;
    std::string got;
    for (int line = 1;; ++line) {
        const bool moreWanted = static_cast<bool>(std::getline(expected, want));
        const bool moreGot = static_cast<bool>(std::getline(actual, got));
        if (!moreWanted && !moreGot) {
            break;
        }
        if (!moreWanted || !moreGot || want != got) {
            ADD_FAILURE() << name << ".txt differs at line " << line << "\n  golden: " << (moreWanted ? want : "<end>")
                          << "\n  now:    " << (moreGot ? got : "<end>");
            return;
        }
    }
}

}  // namespace vyra::test
