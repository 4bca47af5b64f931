// SPDX-License-Identifier: GPL-3.0-or-later
// The marks of a library's rows: twins show one set of marks, a selection is changed in
// one step that undoes and redoes, a toggle turns a flag on unless every row has it, and
// the tag editor's words become tags added and taken away.

#include "collection/row_marks.h"
#include "test_support.h"

namespace {

// A MarkChange is written {favourite, hidden, tags added, tags taken away, note}.
using namespace pw::collection;
using PresetPtr = std::shared_ptr<const pw::library::Preset>;

PresetPtr preset(std::uint64_t key, const char* name, bool readable = true) {
    auto p = std::make_shared<pw::library::Preset>();
    p->contentKey = key;
    p->name = name;
    p->readable = readable;
    return p;
}

// A collection in a temporary folder, and the marks of rows over it.
class CollectionRowMarks : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(store.open(dir.path() / "library.sqlite").ok()); }
    pwtest::TempDir dir;
    Store store;
    RowMarks marks{store};
};

TEST_F(CollectionRowMarks, TwinsShowOneSetOfMarksThatUndoAndRedo) {
    const ContentKey lead{7, "Lead"};
    ASSERT_TRUE(store.change(std::span(&lead, 1), MarkChange{{}, {}, {"metal"}, {}, {}}));

    // Rows 0 and 2 are twins; row 3 cannot be read; the rows come in two batches.
    const std::vector<PresetPtr> first = {preset(7, "Lead"), preset(8, "Clean")};
    const std::vector<PresetPtr> second = {preset(7, "Lead"), preset(7, "Lead", false)};
    marks.append(first);
    marks.append(second);
    ASSERT_EQ(marks.size(), 4u);
    EXPECT_TRUE(marks.of(2).tags == std::vector<std::string>{"metal"} && marks.of(3).empty());

    const std::size_t leadAndClean[] = {1, 2};
    const MarkChange star = marks.toggle(Flag::Favourite, leadAndClean);
    EXPECT_EQ(star.favourite, true);
    const auto edit = marks.change(leadAndClean, star);
    ASSERT_TRUE(edit && edit->changed());
    EXPECT_EQ(marks.rowsOf(*edit), (std::vector<std::size_t>{0, 1, 2}));
    EXPECT_TRUE(marks.of(0).favourite && marks.of(1).favourite);
    EXPECT_EQ(marks.of(0).tags, std::vector<std::string>{"metal"});
    // Every row of the selection is a favourite now: the toggle takes it away.
    EXPECT_EQ(marks.toggle(Flag::Favourite, leadAndClean).favourite, false);
    EXPECT_EQ(marks.toggle(Flag::Hidden, leadAndClean).hidden, true);

    ASSERT_TRUE(marks.undo(*edit));
    EXPECT_FALSE(marks.of(0).favourite || marks.of(1).favourite);
    EXPECT_EQ(marks.of(0).tags, std::vector<std::string>{"metal"});
    EXPECT_TRUE(store.marks(std::vector<ContentKey>{{8, "Clean"}}).empty());
    EXPECT_TRUE(marks.redo(*edit) && marks.of(1).favourite);

    // Reading the rows again finds what the store kept.
    marks.clear();
    marks.append(first);
    EXPECT_TRUE(marks.of(0).favourite && marks.of(1).favourite);

    // A row without content has no marks to change.
    marks.append(second);
    EXPECT_FALSE(marks.change(std::vector<std::size_t>{3}, star));

    // Undo that the store refuses changes no row.
    pwtest::refuseMarkWrites(dir.path() / "library.sqlite");
    EXPECT_FALSE(marks.undo(*edit));
    EXPECT_TRUE(marks.of(0).favourite && marks.of(1).favourite);
}

// Marks written elsewhere (the command line) after the rows were read: a change records
// what the collection held, and its Undo gives that back.
TEST_F(CollectionRowMarks, AChangeRecordsWhatTheCollectionHeldNotWhatWasShown) {
    marks.append(std::vector<PresetPtr>{preset(1, "A")});
    Store elsewhere;
    ASSERT_TRUE(elsewhere.open(dir.path() / "library.sqlite").ok());
    const ContentKey a{1, "A"};
    ASSERT_TRUE(elsewhere.change(std::span(&a, 1), MarkChange{{}, {}, {"blues"}, {}, {}}));
    const auto edit = marks.change(std::vector<std::size_t>{0}, MarkChange{true, {}, {}, {}, {}});
    ASSERT_TRUE(edit && marks.undo(*edit));
    EXPECT_EQ(marks.of(0).tags, std::vector<std::string>{"blues"});
    EXPECT_EQ(store.marks(std::span(&a, 1)).at(a).tags, std::vector<std::string>{"blues"});
}

TEST_F(CollectionRowMarks, TheTagEditorAddsAndTakesAwayOnlyWhatChanged) {
    marks.append(std::vector<PresetPtr>{preset(1, "A"), preset(2, "B")});
    const std::size_t both[] = {0, 1};
    ASSERT_TRUE(marks.change(both, MarkChange{{}, {}, {"live", "blues"}, {}, "same"}));
    ASSERT_TRUE(marks.change(std::span(both, 1), MarkChange{{}, {}, {"solo"}, {}, {}}));

    SharedMarks shared = marks.shared(both);
    EXPECT_EQ(shared.tags, (std::vector<std::string>{"blues", "live"}));
    EXPECT_EQ(shared.note, "same");
    EXPECT_EQ(splitTags(" live,, high gain ,blues,live"),
              (std::vector<std::string>{"blues", "high gain", "live"}));
    const MarkChange edited = tagChange(shared.tags, splitTags("live, high gain"));
    EXPECT_EQ(edited.addTags, std::vector<std::string>{"high gain"});
    EXPECT_EQ(edited.removeTags, std::vector<std::string>{"blues"});
    ASSERT_TRUE(marks.change(both, edited));
    EXPECT_EQ(marks.of(0).tags, (std::vector<std::string>{"high gain", "live", "solo"}));
    EXPECT_EQ(marks.of(1).tags, (std::vector<std::string>{"high gain", "live"}));

    ASSERT_TRUE(marks.change(std::span(both + 1, 1), MarkChange{{}, {}, {}, {}, "other"}));
    EXPECT_FALSE(marks.shared(both).note);
}

}  // namespace
