// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Undo and redo: a whole copy of what the window shows, taken before each command that
// changes the patch, kept in a bounded stack of named steps.
//
// A command marks itself as a step with one line at its start:
//     const HistoryStep step(*this, steps::kFilter);
// The step is kept only if the command changed the patch; a step inside another step
// (a command that calls another) belongs to the outer one.

#include <cstddef>
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "session/session.h"

namespace pw {

// The names the Edit menu shows for each kind of step ("Undo Remove Row").
namespace steps {
inline constexpr std::string_view kFilter = "Filter Patch";
inline constexpr std::string_view kAmpA = "Amp A";
inline constexpr std::string_view kAmpB = "Amp B";
inline constexpr std::string_view kReset = "Reset";
inline constexpr std::string_view kChangeTarget = "Change Target";
inline constexpr std::string_view kModelSelect = "Model Select";
inline constexpr std::string_view kRemoveRow = "Remove Row";
inline constexpr std::string_view kPatchName = "Patch Name";
inline constexpr std::string_view kResolveConflicts = "Resolve Conflicts";
inline constexpr std::string_view kExportUserText = "Export User Text";
inline constexpr std::string_view kExportCompleteText = "Export Complete Text";
}  // namespace steps

// Everything of the session that the window shows, and what the commands read back.
struct SessionSnapshot {
    ParamList rows;
    const document::Target* target = nullptr;
    std::string sourceRoot;
    std::filesystem::path openedFile;
    std::string patchName;
    bool filtered = false;
    bool ampChosen = false;
    ButtonStates buttons;
    std::string label4;
    std::string label5;
    std::string paramCount;
    int selectedIndex = 0;
    std::vector<filter::ResolveChange> removedBefore;
};

// Whether two snapshots hold the same patch. The row selection is not part of it: a
// command that only moved the selection changed nothing worth a step.
bool samePatch(const SessionSnapshot& a, const SessionSnapshot& b);

class History {
  public:
    static constexpr std::size_t kDepth = 100;  // the oldest steps go beyond this
    // ... or when the steps together hold more rows than this (100 steps of lists of
    // up to 5,000 rows; a patch has a few hundred).
    static constexpr std::size_t kRowBudget = 500'000;

    // A finished command changed the state from `before` to `after`. Consecutive
    // patch-name edits make one step, until endNameEdit() or any other step.
    void commit(std::string_view name, SessionSnapshot before, const SessionSnapshot& after,
                bool nameEdit);
    void endNameEdit() { nameEditOpen_ = false; }
    // Step back from (or forward again to) `current`: the state to restore, if any.
    std::optional<SessionSnapshot> undo(SessionSnapshot current);
    std::optional<SessionSnapshot> redo(SessionSnapshot current);
    void clear();

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    std::string_view undoName() const;  // "" when there is nothing to undo
    std::string_view redoName() const;

  private:
    friend class HistoryStep;
    struct Step {
        std::string name;
        SessionSnapshot state;  // on the undo stack: before the step; on redo: after it
    };
    std::deque<Step> undo_;
    std::deque<Step> redo_;
    bool nameEditOpen_ = false;
    int depth_ = 0;  // steps under way, outermost first
};

// One command under way; see the top of this file.
class HistoryStep {
  public:
    enum class Kind { Command, NameEdit, Opening };  // Opening clears the history
    HistoryStep(Session& session, std::string_view name, Kind kind = Kind::Command);
    ~HistoryStep();
    HistoryStep(const HistoryStep&) = delete;
    HistoryStep& operator=(const HistoryStep&) = delete;

  private:
    Session& session_;
    std::string_view name_;
    Kind kind_;
    bool outermost_;
    int exceptions_;
    std::optional<SessionSnapshot> before_;
};

}  // namespace pw
