// Arbitrary bytes as a user's material table: refused with a reason, or
// rows the advisor can use, each found again by its name in their table.
#include "MaterialFile.h"
#include "Require.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto rows = vyra::ParseMaterialFile(std::string_view(reinterpret_cast<const char*>(data), size));
    REQUIRE(rows || !rows.Error().reason.empty());
    vyra::MaterialTable table;
    for (const vyra::WebMaterial& m : rows ? *rows : std::vector<vyra::WebMaterial>()) {
        REQUIRE(!m.name.empty() && std::isfinite(m.high) && 0 <= m.low && m.low <= m.typical && m.typical <= m.high);
        REQUIRE(m.basis != vyra::TensionBasis::Yield || m.yieldStrength);
        table.Put(m);
    }
    for (const vyra::WebMaterial& m : table.Rows()) {
        REQUIRE(table.Find(m.name) == &m);
    }
    return 0;
}
