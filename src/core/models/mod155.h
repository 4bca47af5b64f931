// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 15x family module (RP150 and RP155): which parameter ids and values the family
// knows, block by block. mod155::CheckPickup and the others answer from kFamily15x.

#include "models/family_module.h"

namespace pw::models {

extern const FamilyTables kFamily15x;

using mod155 = FamilyModule<kFamily15x>;

}  // namespace pw::models
