// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The presets a conversion of the Library wrote take the marks of their sources, in the
// user's collection (when there is one).

#include "library/conversion.h"

namespace pw::ui {

void passOnMarks(const library::ConversionRun& run);

}  // namespace pw::ui
