// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rows a patch gains when it is filtered up to a bigger model, and the Pre/Post
// fix of a 35x patch filtered down.

#include <cstddef>

#include "params/param_list.h"

namespace pw::filter {

// Expression pedal rows after the last Position 18 row, V-Switch rows after the last
// Position 20 row (15x sources lack both blocks).
void AddPedalParams(ParamList& list);

// Presence, LFO and amp channel rows that a 35x target needs.
void AddLfoParams(ParamList& list);

// The most rows filtering adds to a patch: all of the above, as filtering a 15x patch up
// to a 35x model adds them.
extern const std::size_t kMostRowsAdded;

// Without a "Whammy" row, the first "Pre" row becomes "Post" (ID 770, Value 1544).
void FixPrePost(ParamList& list);

}  // namespace pw::filter
