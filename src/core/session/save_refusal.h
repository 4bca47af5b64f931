// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The message each refusal of Save's checks shows.

#include "convert/save_check.h"
#include "session/messenger.h"

namespace pw {

Message saveRefusalMessage(convert::SaveRefusal refusal);

}  // namespace pw
