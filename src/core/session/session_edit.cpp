// SPDX-License-Identifier: GPL-3.0-or-later
// The commands that edit the parameter list: Filter Patch, Amp A / Amp B, the list's
// keys and the Model Select pick; and the two that only report (Errors, Options).

#include <algorithm>
#include <limits>

#include "document/root_names.h"
#include "filter/amp_channel.h"
#include "filter/filter_recipes.h"
#include "filter/list_edits.h"
#include "session/history.h"
#include "session/messages.h"
#include "session/session.h"

namespace pw {

void Session::filter() {
    const HistoryStep step(*this, steps::kFilter);
    buttons_.reset = true;
    filtered_ = true;
    if (document::familyOf(target_->root) != document::Family::None) {
        const ParamList before = rows_;
        filter::FilterPatch(rows_, sourceRoot_, target_->root);
        std::vector<filter::ResolveChange> gone =
            filter::filterRemovals(before, rows_, target_->caption);
        removedBefore_.insert(removedBefore_.end(), gone.begin(), gone.end());
    }
    refreshCount();
    buttons_.filter = false;
}

bool Session::selectAmpChannel(char channel) {
    const HistoryStep step(*this, channel == 'B' ? steps::kAmpB : steps::kAmpA);
    if (sourceRoot_.empty()) return true;
    if (!document::isTwoChannelRoot(sourceRoot_)) {
        say(MessageId::AmpOnlyForBigModels, text::kAmpOnlyForBigModels, Icon::None);
        return false;
    }
    ampChosen_ = true;
    const ParamList before = rows_;
    filter::SelectAmpChannel(rows_, channel);
    std::vector<filter::ResolveChange> gone = filter::channelRemovals(before, rows_, channel);
    removedBefore_.insert(removedBefore_.end(), gone.begin(), gone.end());
    refreshCount();
    setPatchName(filter::channelPatchName(patchName_, channel));
    buttons_.ampA = buttons_.ampB = false;
    return true;
}

void Session::showErrors() {
    say(MessageId::ErrorCount, filter::errorCountMessage(rows_), Icon::Information);
}

void Session::showOptions() {
    say(MessageId::ReservedForFuture, text::kReservedForFuture, Icon::Information);
}

void Session::clickRow(long long number) {
    // Lists may hold more rows than a 16-bit number counts, and every row can be
    // selected; a number that names no row selects none.
    if (number < 0 || number > std::numeric_limits<int>::max()) number = 0;
    selectedIndex_ = static_cast<int>(number);
}

std::optional<std::string> Session::keyDown(Key key, bool ctrl) {
    std::optional<std::string> clipboard;
    const bool rowSelected = rows_.hasRow(selectedIndex_);
    if (ctrl && rowSelected && key == Key::Delete) {
        const HistoryStep step(*this, steps::kRemoveRow);
        rows_.remove(static_cast<std::size_t>(selectedIndex_));
    } else if (ctrl && rowSelected && key == Key::C) {
        const Row& row = rows_.row(static_cast<std::size_t>(selectedIndex_));
        std::string line;
        for (int c = 0; c < kColumnCount; ++c) {
            if (c > 0) line += ", ";
            line += row.cells[c];
        }
        clipboard = std::move(line);
    }
    refreshCount();
    return clipboard;
}

const catalogue::Block* Session::blockForDoubleClick() const {
    if (!rows_.hasRow(selectedIndex_)) return nullptr;
    const Row& row = rows_.row(static_cast<std::size_t>(selectedIndex_));
    return catalogue::blockOfRow(row.id(), row.position());
}

bool Session::UpdateListItem(const catalogue::Block& block, std::size_t index) {
    const HistoryStep step(*this, steps::kModelSelect);
    if (index >= block.entries.size()) return false;
    const bool written = rows_.hasRow(selectedIndex_);
    if (written) {
        Row& row = rows_.row(static_cast<std::size_t>(selectedIndex_));
        const catalogue::Entry& entry = block.entries[index];
        row.cells[kSetting] = std::string(entry.name);
        row.cells[kValue] = catalogue::valueText(entry);
        row.mark(kSetting, Mark::Change);
        row.mark(kValue, Mark::Change);
    }
    selectedIndex_ = 0;
    return written;
}

}  // namespace pw
