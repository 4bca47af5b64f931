// SPDX-License-Identifier: GPL-3.0-or-later
// List edits, the error count and the choice of filter recipe; what each recipe does to
// a patch is in the scenario folders.

#include "filter/amp_channel.h"
#include "filter/default_rows.h"
#include "filter/filter_recipes.h"
#include "filter/list_edits.h"
#include "test_support.h"

namespace {

using namespace pw;
using namespace pw::filter;

// Rows of a list written as "Position/ID Position/ID ...".
ParamList listOf(const std::string& positionsAndIds) {
    ParamList list;
    std::istringstream in(positionsAndIds);
    for (std::string row; in >> row;) {
        const std::string position = row.substr(0, row.find('/')),
                          id = row.substr(row.find('/') + 1);
        list.append(pwtest::row("P" + row, "s", id, position, "0"));
    }
    return list;
}

TEST(RemoveParams, RemovesRunsOfMatchingRowsAndKeepsOrder) {
    ParamList list = listOf("1/a 2/b 3/c 4/d 19/e 19/f 19/g 5/h 019/i");
    RemoveParams(list, kPosition, "19");
    // "019" is not "19".
    EXPECT_EQ(std::tuple(list.count(), list.row(5).id(), list.row(6).position()),
              std::tuple(6u, "h", "019"));
    ParamList empty;
    RemoveParams(empty, kId, "1");
    EXPECT_TRUE(empty.empty());
}

// Rows filtering adds go after their anchor, also when the anchor is the last row.
TEST(AddPedalParams, AddsAfterAnAnchorThatIsTheLastRow) {
    ParamList list = listOf("1/a 18/b");
    AddPedalParams(list);
    ASSERT_EQ(list.count(), 10u);
    EXPECT_EQ(list.row(2).id(), "b");
    EXPECT_EQ(std::tie(list.row(3).name(), list.row(8).name(), list.row(10).name()),
              std::tuple("V-Switch Assign", "Pedal Assign 1", "Pedal Max 1"));
}

TEST(SetParamColumn, RewritesOnlyExactMatchesAndMarksThem) {
    ParamList list = listOf("24/1 25/2 25/3 025/4");
    list.row(2).mark(kPosition, Mark::Conflict);
    list.row(2).mark(kName, Mark::Conflict);
    SetParamColumn(list, kPosition, 25, "24");
    EXPECT_EQ(
        std::tuple(pwtest::marks(list.row(1)), list.row(2).position(), pwtest::marks(list.row(2)),
                   pwtest::marks(list.row(3)), list.row(4).position(), CountErrors(list)),
        std::tuple("-----", "24", "R--B-", "---B-", "025", 1u));
}

TEST(CountErrors, CountsConflictCellsNotRows) {
    ParamList list = listOf("1/a 2/b 3/c");
    EXPECT_EQ(std::tuple(CountErrors(list), HasConflicts(list)), std::tuple(0u, 0));
    list.row(1).marks = {Mark::Conflict, Mark::Conflict, Mark::Default, Mark::Default,
                         Mark::Conflict};
    list.row(2).marks = {Mark::Change, Mark::Change, Mark::Change, Mark::Change, Mark::Change};
    EXPECT_EQ(std::tuple(CountErrors(list), HasConflicts(list)), std::tuple(3u, 1));
    EXPECT_EQ(errorCountMessage(list), "Number of errors 3");
    list.row(1).marks = {};
    EXPECT_EQ(HasConflicts(list), 0);  // blue cells alone are no conflict
}

// Only the ASCII letters have another case: a byte of a UTF-8 sequence never stands for
// a letter of "Amp B ", "Cab B " or "EQ B " (tests/data/amp_channel_names.tsv).
TEST(SelectAmpChannel, DropsTheOtherChannelsRowsAndKeepsTheOrder) {
    ParamList list;
    std::vector<std::string> kept;
    for (const auto& f : pwtest::tsv("amp_channel_names.tsv")) {
        const std::string name = pwtest::unescaped(f.at(0));
        list.append(pwtest::row(name, "s", "1", "8", "0"));
        if (f.at(1) == "kept") kept.push_back(name);
    }
    SelectAmpChannel(list, 'A');
    std::vector<std::string> left;
    std::ranges::transform(list, std::back_inserter(left), &Row::name);
    EXPECT_EQ(left, kept);
}

// The recipe is chosen by the source's group, then the target's (tests/data/recipes.tsv).
TEST(Recipes, ChosenBySourceGroupThenTargetGroup) {
    for (const auto& f : pwtest::tsv("recipes.tsv"))
        EXPECT_EQ(recipeFor(f.at(0), f.at(1)), f.at(2) == "-" ? 0 : f.at(2)[0])
            << f.at(0) << " -> " << f.at(1);
}

}  // namespace
