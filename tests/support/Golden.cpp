#include "Golden.h"

#include "CaseText.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace vyra::test {

void ExpectGolden(const std::string& name, const std::string& recording)
{
    const std::string path = std::string(VYRA_GOLDEN_DIR) + "/" + name + ".txt";
    const char* update = std::getenv("VYRA_UPDATE_GOLDEN");
    // Appended, not joined with "+": GCC 12 warns of an overlapping copy there in an optimised build.
    std::string names(",");
    names.append(update != nullptr ? update : "").append(",");
    if (update != nullptr && names.find(std::string(",").append(name).append(",")) != std::string::npos) {
        std::ofstream(path, std::ios::binary) << recording;
        return;
    }
    ASSERT_TRUE(std::ifstream(path)) << "no golden file " << path << " (VYRA_UPDATE_GOLDEN=" << name << " writes it)";
    const std::string golden = FileText(path);
    // The first line that differs, numbered, as each has it.
    std::istringstream was(golden), now(recording);
    std::string a, b;
    for (int line = 1; golden != recording; ++line) {
        const bool moreWas = static_cast<bool>(std::getline(was, a));
        const bool moreNow = static_cast<bool>(std::getline(now, b));
        if (!moreWas || !moreNow || a != b) {
            ADD_FAILURE() << name << ".txt differs at line " << line << "\n  golden: " << (moreWas ? a : "<end>")
                          << "\n  now:    " << (moreNow ? b : "<end>");
            return;
        }
    }
}

std::string FileText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

std::vector<CaseRow> ReadCaseTable(const std::string& name, std::size_t fields)
{
    const std::string path = std::string(VYRA_CASES_DIR) + "/" + name + ".txt";
    std::ifstream file(path, std::ios::binary);
    EXPECT_TRUE(file) << "no case table " << path;
    std::vector<CaseRow> rows;
    for (CaseRow& row : CaseRows(file)) {
        if (fields != 0 && row.size() != fields) {
            ADD_FAILURE() << name << ": " << row[0] << " has " << row.size() << " fields";
            continue;
        }
        rows.push_back(std::move(row));
    }
    // A loop over no rows would pass whatever the code does.
    EXPECT_FALSE(rows.empty()) << "case table " << name << " has no rows";
    return rows;
}

}  // namespace vyra::test
