// SPDX-License-Identifier: GPL-3.0-or-later
// Tools > Resolve Conflicts.

#include <iterator>

#include "document/root_names.h"
#include "session/history.h"
#include "session/messages.h"
#include "session/session.h"

namespace pw {

bool Session::resolveEnabled() const {
    if (openedFile_.empty()) return false;
    const document::Family source = document::familyOf(sourceRoot_);
    return filtered_ || (source != document::Family::None && source == target_->family);
}

std::optional<filter::ResolveReport> Session::resolveConflicts() {
    const HistoryStep step(*this, steps::kResolveConflicts);
    if (!resolveEnabled()) {
        if (openedFile_.empty())
            say(MessageId::LoadFileFirst, text::kLoadFileFirst, Icon::Exclamation);
        else
            say(MessageId::ClickFilter, text::kClickFilter, Icon::Exclamation);
        return std::nullopt;
    }
    filter::ResolveReport report = filter::ResolveConflicts(rows_, *target_);
    // What Filter Patch and the amp channel took comes first, told once.
    report.removedBefore = removedBefore_.size();
    report.changes.insert(report.changes.begin(), std::make_move_iterator(removedBefore_.begin()),
                          std::make_move_iterator(removedBefore_.end()));
    removedBefore_.clear();
    refreshCount();
    say(MessageId::ResolveSummary, text::resolveSummary(report), Icon::Information);
    return report;
}

}  // namespace pw
