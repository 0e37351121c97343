#pragma once

#include "Expected.h"
#include "WebTension.h"

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

namespace vyra {

// A material file is at most this large.
inline constexpr std::size_t kMaxMaterialFileBytes = 1024 * 1024;

// A material table as CSV in UTF-8: a header naming the columns name,
// basis, low, typical and high, and optionally break, yield and source, in
// any order; one material a row. basis is thickness, grammage, yield or
// layers; the figures are numbers as WebMaterial has them, low <= typical
// <= high, break and yield empty when unknown. Refused, with the line and
// the column, at the first thing wrong.
Expected<std::vector<WebMaterial>> ParseMaterialFile(std::string_view text);

// The table shipped with the program (materials.csv, built in).
const MaterialTable& BuiltInMaterials();

// Where a reader gets the material table when it first needs one: the
// table, or why it could not be read.
using MaterialTableSource = std::function<const Expected<MaterialTable>&()>;
// The shipped table alone.
MaterialTableSource BuiltInMaterialSource();

}  // namespace vyra
