// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/history.h"

#include <algorithm>
#include <exception>

namespace pw {
namespace {

bool sameRows(const ParamList& a, const ParamList& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const Row& x, const Row& y) {
        return x.cells == y.cells && x.marks == y.marks;
    });
}

}  // namespace

bool samePatch(const SessionSnapshot& a, const SessionSnapshot& b) {
    return a.target == b.target && a.sourceRoot == b.sourceRoot && a.openedFile == b.openedFile &&
           a.patchName == b.patchName && a.filtered == b.filtered && a.ampChosen == b.ampChosen &&
           a.buttons == b.buttons && a.label4 == b.label4 && a.label5 == b.label5 &&
           a.paramCount == b.paramCount && sameRows(a.rows, b.rows);
}

void History::commit(std::string_view name, SessionSnapshot before, const SessionSnapshot& after,
                     bool nameEdit) {
    redo_.clear();
    if (nameEdit && nameEditOpen_ && !undo_.empty() && undo_.back().name == name) {
        // The same name edit goes on; typing back to where it began leaves no step.
        if (samePatch(undo_.back().state, after)) {
            undo_.pop_back();
            nameEditOpen_ = false;
        }
        return;
    }
    undo_.push_back(Step{std::string(name), std::move(before)});
    std::size_t held = 0;
    for (const Step& step : undo_)
        held += step.state.rows.count();
    while (undo_.size() > kDepth || (held > kRowBudget && undo_.size() > 1)) {
        held -= undo_.front().state.rows.count();
        undo_.pop_front();
    }
    nameEditOpen_ = nameEdit;
}

std::optional<SessionSnapshot> History::undo(SessionSnapshot current) {
    nameEditOpen_ = false;
    if (undo_.empty()) return std::nullopt;
    Step step = std::move(undo_.back());
    undo_.pop_back();
    redo_.push_back(Step{step.name, std::move(current)});
    return std::move(step.state);
}

// There is something to redo only after an Undo, which closed any name edit, and before
// the next step.
std::optional<SessionSnapshot> History::redo(SessionSnapshot current) {
    if (redo_.empty()) return std::nullopt;
    Step step = std::move(redo_.back());
    redo_.pop_back();
    undo_.push_back(Step{step.name, std::move(current)});
    return std::move(step.state);
}

// A name edit goes on only from the last step, so an emptied history holds none open.
void History::clear() {
    undo_.clear();
    redo_.clear();
}

std::string_view History::undoName() const {
    return undo_.empty() ? std::string_view() : std::string_view(undo_.back().name);
}

std::string_view History::redoName() const {
    return redo_.empty() ? std::string_view() : std::string_view(redo_.back().name);
}

HistoryStep::HistoryStep(Session& session, std::string_view name, Kind kind)
    : session_(session),
      name_(name),
      kind_(kind),
      outermost_(session.history_->depth_++ == 0),
      exceptions_(std::uncaught_exceptions()) {
    if (outermost_ && kind_ != Kind::Opening) before_ = session_.snapshot();
}

HistoryStep::~HistoryStep() {
    History& history = *session_.history_;
    --history.depth_;
    if (!outermost_) return;
    if (kind_ == Kind::Opening) {
        history.clear();
        return;
    }
    // A command cut short by an exception is no step; its partial change stays
    // undoable through the step before it.
    if (std::uncaught_exceptions() > exceptions_) return;
    try {
        SessionSnapshot after = session_.snapshot();
        if (!samePatch(*before_, after))
            history.commit(name_, std::move(*before_), after, kind_ == Kind::NameEdit);
    } catch (...) {
        history.clear();  // out of memory: the history goes, the patch stays
    }
}

}  // namespace pw
