// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The check lists that the 15x and 35x modules keep for themselves, where their models
// know something other than the 25x models. Everything else those modules check
// against is one of the shared lists in tables25x.h.

#include "models/check_table.h"

namespace pw::models::lists155 {

extern const List distortionValuesRp150;
extern const List distortionValuesRp155;
extern const List distortionIdsRp150;
extern const List distortionIdsRp155;
extern const List ampValuesRp150;
extern const List cabinetValues;
extern const List modulationValues;
extern const List modulationIds;

}  // namespace pw::models::lists155

namespace pw::models::lists355 {

extern const List compressorValues;
extern const List compressorIds;
extern const List distortionValuesRp350;
extern const List distortionValuesRp355;
extern const List distortionIdsRp350;
extern const List distortionIdsRp355;
extern const List ampValuesRp350;
extern const List ampValuesRp355;
extern const List cabinetValues;
extern const List modulationValues;
extern const List modulationIds;
extern const List delayValues;
extern const List delayIds;
extern const List pedalValues;
extern const List lfoValues;
extern const List lfoIds;
extern const List eqIds;

}  // namespace pw::models::lists355
