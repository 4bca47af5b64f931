// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text of --help and --version.

#include <string>
#include <string_view>

namespace pw::cli {

std::string helpText();
// The help of one command ("convert"): its usage, what it does and its options, as the
// whole help words them.
std::string commandHelp(std::string_view command);
std::string versionText();
// The two lines that follow a usage error.
std::string usageHint();

}  // namespace pw::cli
