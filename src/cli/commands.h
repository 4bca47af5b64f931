// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The commands. Each returns the exit status.

#include "options.h"
#include "terminal.h"

namespace pw::cli {

int runCheck(const Options& options, const Console& console);
int runFilter(const Options& options, const Console& console);
int runConvert(const Options& options, const Console& console);
int runExport(const Options& options, const Console& console);
int runDiff(const Options& options, const Console& console);
int runScan(const Options& options, const Console& console);
int runChain(const Options& options, const Console& console);

}  // namespace pw::cli
