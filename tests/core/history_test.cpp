// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo: a scenario of every kind of step, taken back to the opened patch and
// done again to the end; and the history an open starts afresh.

#include <functional>

#include "catalogue/effect_catalogue.h"
#include "session/history.h"
#include "test_support.h"

namespace pwtest {
namespace {

using pw::Session;

// Everything the window shows of the session, as one text.
std::string shown(const Session& s) {
    std::string out = state(s);
    for (const pw::Row& r : s.rows())
        out += rowLine(r);
    return out;
}

// The step a command makes ("" for none), and the command.
using Command = std::pair<std::string, std::function<void(Session&)>>;

const std::vector<Command> kScenario = {
    {"Change Target", [](Session& s) { s.selectTarget(4); }},  // RP250
    {"", [](Session& s) { s.selectTarget(0); }},               // RP155: refused
    {"Amp A", [](Session& s) { s.selectAmpChannel('A'); }},
    {"Filter Patch", [](Session& s) { s.filter(); }},
    {"", [](Session& s) { s.clickRow(2); }},
    {"", [](Session& s) { s.keyDown(Session::Key::C, true); }},
    {"Remove Row", [](Session& s) { s.keyDown(Session::Key::Delete, true); }},
    {"", [](Session& s) { s.clickRow(3); }},
    {"Model Select", [](Session& s) { s.UpdateListItem(pw::catalogue::blocks()[0], 3); }},
    {"", [](Session& s) { s.clickRow(3); }},  // another model, its marks the same: a step
    {"Model Select", [](Session& s) { s.UpdateListItem(pw::catalogue::blocks()[0], 4); }},
    {"", [](Session& s) { s.UpdateListItem(pw::catalogue::blocks()[0], 1); }},  // no row
    {"Patch Name",
     [](Session& s) {
         for (const char* typed : {"L", "Le", "Lead"})
             s.setPatchName(typed);
     }},
    {"Reset", [](Session& s) { s.reset(); }},
    {"Filter Patch", [](Session& s) { s.filter(); }},
    {"Export User Text", [](Session& s) { s.exportUserText(); }},
    {"Change Target", [](Session& s) { s.selectTarget(2); }},  // RP355
};

class History : public SessionFixture {};

TEST_F(History, UndoesEveryStepToTheOpenedPatchAndRedoesThemAll) {
    const auto file = dir.write("lead.rp355p", readFile(dataFile("dual_amp_lead.rp355p")));
    s.openFile(file);
    std::vector<std::string> states{shown(s)}, steps;
    for (const auto& [step, run] : kScenario) {
        run(s);
        ASSERT_EQ(s.undoName(), step.empty() ? steps.back() : step) << step;
        if (step.empty())
            states.pop_back();  // a step starts from what the last command left
        else
            steps.push_back(step);
        states.push_back(shown(s));
    }
    for (std::size_t k = steps.size(); k-- > 0;) {
        ASSERT_TRUE(s.undo()) << steps[k];
        EXPECT_EQ(s.redoName(), steps[k]);
        EXPECT_EQ(shown(s), states[k]) << "after undoing " << steps[k];
    }
    EXPECT_FALSE(s.undo());
    for (std::size_t k = 0; k < steps.size(); ++k) {
        ASSERT_TRUE(s.redo()) << steps[k];
        EXPECT_EQ(shown(s), states[k + 1]) << "after redoing " << steps[k];
    }
    EXPECT_FALSE(s.redo());

    s.undo();
    s.openFile(file);
    EXPECT_EQ(std::tuple(s.undoName(), s.redoName()), std::tuple("", ""));
}

TEST_F(History, KeepsAHundredSteps) {
    s.openFile(dataFile("surfs_up.rp255p"));
    for (int i = 0; i < 120; ++i)
        s.setPatchName("Name " + std::to_string(i)), s.endPatchNameEdit();
    int undone = 0;
    while (s.undo())
        ++undone;
    EXPECT_GE(undone, 100);
    EXPECT_EQ(s.patchName(), "Name " + std::to_string(119 - undone));
}

// A name typed after an Undo, or after typing back to where an edit began, is a step of
// its own, though the step before it is a name edit too: its Undo goes back to the name
// before it, no further.
TEST_F(History, ANameTypedAfterAnUndoIsAStepOfItsOwn) {
    s.openFile(dir.write("lead.rp355p", readFile(dataFile("dual_amp_lead.rp355p"))));
    s.setPatchName("First");
    s.endPatchNameEdit();
    s.setPatchName("Second");
    s.undo();
    s.setPatchName("Third");
    s.undo();
    EXPECT_EQ(s.patchName(), "First");
    // Typed back to where it began, a name edit leaves no step; what is typed next is one.
    for (const char* typed : {"Firs", "First", "Fourth"})
        s.setPatchName(typed);
    s.undo();
    EXPECT_EQ(s.patchName(), "First");
}

// Once the steps together hold more rows than the budget, the oldest go until the rest
// fit, and no more.
TEST(HistoryBudget, TheOldestStepsGoUntilTheRestFit) {
    pw::History history;
    for (const std::size_t rows : {300'000u, 1u, 250'000u}) {
        pw::SessionSnapshot before;
        before.rows.insertAt(1, std::vector<pw::Row>(rows));
        history.commit("Step", std::move(before), {}, false);
    }
    EXPECT_EQ(history.undo({})->rows.count(), 250'000u);
    EXPECT_TRUE(history.undo({})->rows.count() == 1u && !history.undo({}));
}

}  // namespace
}  // namespace pwtest
