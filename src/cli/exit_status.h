// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The exit statuses of patchwright-cli. 64 and 73 are the usual sysexits values.

namespace pw::cli {

enum ExitStatus : int {
    kExitOk = 0,             // done; for check: no conflict mark
    kExitConflicts = 1,      // check: at least one cell carries the conflict mark
    kExitDiffer = 1,         // diff: the two presets differ
    kExitNotLoadable = 2,    // the preset could not be loaded
    kExitRefused = 3,        // a click or a Save/export was refused, or declined
    kExitUsage = 64,         // bad command line
    kExitSoftware = 70,      // an unexpected internal error
    kExitCannotWrite = 73,   // a file could not be created or written
    kExitOutputFailed = 74,  // standard output could not be written (full disk, closed pipe)
    kExitInterrupted = 130,  // scan: interrupted (Ctrl+C) before its end
};

}  // namespace pw::cli
