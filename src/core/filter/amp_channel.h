// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keeping one amp channel of a two-channel (RP35x) patch.

#include <string>
#include <string_view>

#include "params/param_list.h"

namespace pw::filter {

// Whether a row of this Name belongs to amp channel `channel` ('A' or 'B'): the Name
// contains "Amp X ", "Cab X " or "EQ X " (X the channel), letter case ignored.
bool isOfChannel(std::string_view name, char channel);

// Removes the rows of the other channel.
void SelectAmpChannel(ParamList& list, char channel);

// The patch name after choosing `channel`: its first four characters, "_" and the
// channel. Characters are counted as characters, not bytes.
std::string channelPatchName(std::string_view patchName, char channel);

}  // namespace pw::filter
