// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/save_check.h"

#include "convert/name_check.h"
#include "document/root_names.h"
#include "filter/list_edits.h"

namespace pw::convert {

using document::Family;

bool needsNoFilter(std::string_view sourceRoot, const document::Target& target) {
    const Family source = document::familyOf(sourceRoot);
    return source != Family::None && source == target.family;
}

std::optional<SaveRefusal> saveCheck(const SaveState& state) {
    for (std::string_view refused : text::kRefusedNameCharacters)
        if (state.patchName.find(refused) != std::string_view::npos)
            return SaveRefusal::BadFileName;
    // A character a preset cannot hold would give a file that cannot be opened again.
    if (!isWritablePatchName(state.patchName)) return SaveRefusal::BadFileName;
    if (!state.fileOpen) return SaveRefusal::LoadFileFirst;
    bool filtered = state.filtered;
    if (needsNoFilter(state.sourceRoot, *state.target))
        filtered = true;
    else if (document::familyOf(state.sourceRoot) == Family::F35x && !state.ampChosen)
        return SaveRefusal::SelectAmpChannel;
    if (!filtered) return SaveRefusal::ClickFilter;
    if (state.rows && filter::HasConflicts(*state.rows) == 1) return SaveRefusal::TooManyConflicts;
    return std::nullopt;
}

}  // namespace pw::convert
