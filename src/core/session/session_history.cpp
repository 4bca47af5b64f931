// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo of the session's commands; the steps themselves are in history.cpp.

#include "session/history.h"
#include "session/session.h"

namespace pw {

History* Session::newHistory() {
    return new History();
}

void Session::HistoryDeleter::operator()(History* history) const {
    delete history;
}

SessionSnapshot Session::snapshot() const {
    return SessionSnapshot{rows_,       target_,        sourceRoot_,   openedFile_, patchName_,
                           filtered_,   ampChosen_,     buttons_,      label4_,     label5_,
                           paramCount_, selectedIndex_, removedBefore_};
}

void Session::restore(const SessionSnapshot& state) {
    rows_ = state.rows;
    target_ = state.target;
    sourceRoot_ = state.sourceRoot;
    openedFile_ = state.openedFile;
    patchName_ = state.patchName;
    filtered_ = state.filtered;
    ampChosen_ = state.ampChosen;
    buttons_ = state.buttons;
    label4_ = state.label4;
    label5_ = state.label5;
    paramCount_ = state.paramCount;
    selectedIndex_ = state.selectedIndex;
    removedBefore_ = state.removedBefore;
}

bool Session::undo() {
    std::optional<SessionSnapshot> state = history_->undo(snapshot());
    if (state) restore(*state);
    return state.has_value();
}

bool Session::redo() {
    std::optional<SessionSnapshot> state = history_->redo(snapshot());
    if (state) restore(*state);
    return state.has_value();
}

std::string_view Session::undoName() const {
    return history_->undoName();
}

std::string_view Session::redoName() const {
    return history_->redoName();
}

void Session::endPatchNameEdit() {
    history_->endNameEdit();
}

}  // namespace pw
