// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 25x family module (RP250 and RP255): which parameter ids and values the family
// knows, block by block. mod255::CheckPickup and the others answer from kFamily25x.

#include "models/family_module.h"

namespace pw::models {

extern const FamilyTables kFamily25x;

using mod255 = FamilyModule<kFamily25x>;

}  // namespace pw::models
