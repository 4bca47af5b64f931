// SPDX-License-Identifier: GPL-3.0-or-later
#include "models/mod255.h"

#include "models/tables25x.h"

namespace pw::models {

const FamilyTables kFamily25x = tables25x::family();

}  // namespace pw::models
