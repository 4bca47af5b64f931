// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a Save or an export ended, for callers that act on it.

#include <filesystem>
#include <string>

#include "session/messenger.h"

namespace pw {

enum class WriteOutcome {
    Written,   // the file was replaced whole or created
    Declined,  // the user answered No (the save-as or the overwrite question)
    Refused,   // a check refused it before anything was written
    Failed,    // the file system failed the write; `detail` says why
};

struct WriteResult {
    WriteOutcome outcome = WriteOutcome::Refused;
    std::filesystem::path file;  // the file written or meant (empty when none was meant)
    MessageId message{};         // the message that told the user
    std::string detail;          // the file system's reason when Failed
};

}  // namespace pw
