// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The message each refusal of Save's checks shows.

#include <string_view>

#include "convert/name_check.h"
#include "convert/save_check.h"
#include "session/messenger.h"

namespace pw {

// The message of `refusal` for a patch named `patchName` (a refused name says which
// character `rules` refused in the message's detail).
Message saveRefusalMessage(convert::SaveRefusal refusal, std::string_view patchName,
                           NameRules rules = NameRules::Save);

}  // namespace pw
