// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands.h"

#include <algorithm>
#include <array>

namespace pw::cli {

// Defined in the command's own file.
extern const Command kCheckCommand;
extern const Command kFilterCommand;
extern const Command kConvertCommand;
extern const Command kExportCommand;
extern const Command kDiffCommand;
extern const Command kScanCommand;
extern const Command kMarkCommand;
extern const Command kPackCommand;
extern const Command kChainCommand;

namespace {

constexpr std::array kCommands = {
    &kCheckCommand, &kFilterCommand, &kConvertCommand, &kExportCommand, &kDiffCommand,
    &kScanCommand,  &kMarkCommand,   &kPackCommand,    &kChainCommand,
};

}  // namespace

std::span<const Command* const> commands() {
    return kCommands;
}

const Command* commandNamed(std::string_view name) {
    const auto* named = std::find_if(kCommands.begin(), kCommands.end(),
                                     [&](const Command* c) { return c->name == name; });
    return named == kCommands.end() ? nullptr : *named;
}

}  // namespace pw::cli
