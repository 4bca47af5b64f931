// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text of --help and --version.

#include <string>

namespace pw::cli {

std::string helpText();
std::string versionText();
// The two lines that follow a usage error.
std::string usageHint();

}  // namespace pw::cli
