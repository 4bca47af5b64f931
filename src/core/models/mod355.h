// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 35x family module (RP350 and RP355): which parameter ids and values the family
// knows, block by block. mod355::CheckPickup and the others answer from kFamily35x.

#include "models/family_module.h"

namespace pw::models {

extern const FamilyTables kFamily35x;

using mod355 = FamilyModule<kFamily35x>;

}  // namespace pw::models
