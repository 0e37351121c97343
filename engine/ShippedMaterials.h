#pragma once

#include "WebTension.h"

namespace vyra {

// The material table every program ships with, as data: the same rows as
// the table the desktop and vyra-select read from their CSV text, for a
// build that has no CSV reader.
const MaterialTable& ShippedMaterialTable();

}  // namespace vyra
