// SPDX-License-Identifier: GPL-3.0-or-later
// List edits, default rows, the filter recipes and the amp channel choice.

#include <gtest/gtest.h>

#include <algorithm>

#include "filter/amp_channel.h"
#include "filter/default_rows.h"
#include "filter/filter_recipes.h"
#include "filter/list_edits.h"
#include "session/session.h"
#include "test_support.h"

namespace {

using namespace pw;
using namespace pw::filter;

ParamList listOf(std::initializer_list<std::pair<const char*, const char*>> positionsAndIds) {
    ParamList list;
    for (const auto& [position, id] : positionsAndIds)
        list.append(pwtest::row(std::string("P") + position + "/" + id, "s", id, position, "0"));
    return list;
}

std::vector<std::string> names(const ParamList& list) {
    std::vector<std::string> out;
    for (const Row& r : list)
        out.push_back(r.name());
    return out;
}

TEST(RemoveParams, RemovesRunsOfMatchingRowsAndKeepsOrder) {
    ParamList list = listOf({{"1", "a"},
                             {"2", "b"},
                             {"3", "c"},
                             {"4", "d"},
                             {"19", "e"},
                             {"19", "f"},
                             {"19", "g"},
                             {"5", "h"},
                             {"019", "i"}});
    RemoveParams(list, kPosition, "19");
    EXPECT_EQ(list.count(), 6u);
    EXPECT_EQ(list.row(5).id(), "h");
    EXPECT_EQ(list.row(6).position(), "019");  // "019" is not "19"
    ParamList empty;
    RemoveParams(empty, kId, "1");
    EXPECT_TRUE(empty.empty());
}

TEST(SetParamColumn, RewritesOnlyExactMatchesAndMarksThem) {
    ParamList list = listOf({{"24", "1"}, {"25", "2"}, {"25", "3"}, {"025", "4"}});
    list.row(2).mark(kPosition, Mark::Conflict);
    list.row(2).mark(kName, Mark::Conflict);
    SetParamColumn(list, kPosition, 25, "24");
    EXPECT_EQ(pwtest::marks(list.row(1)), "-----");
    EXPECT_EQ(list.row(2).position(), "24");
    EXPECT_EQ(pwtest::marks(list.row(2)), "R--B-");
    EXPECT_EQ(pwtest::marks(list.row(3)), "---B-");
    EXPECT_EQ(list.row(4).position(), "025");
    EXPECT_EQ(CountErrors(list), 1u);
}

TEST(CountErrors, CountsConflictCellsNotRows) {
    ParamList list = listOf({{"1", "a"}, {"2", "b"}, {"3", "c"}});
    EXPECT_EQ(CountErrors(list), 0u);
    EXPECT_EQ(HasConflicts(list), 0);
    list.row(1).marks = {Mark::Conflict, Mark::Conflict, Mark::Default, Mark::Default,
                         Mark::Conflict};
    list.row(2).marks = {Mark::Change, Mark::Change, Mark::Change, Mark::Change, Mark::Change};
    EXPECT_EQ(CountErrors(list), 3u);
    EXPECT_EQ(HasConflicts(list), 1);
    EXPECT_EQ(errorCountMessage(list), "Number of errors 3");
    list.row(1).marks = {};
    EXPECT_EQ(HasConflicts(list), 0);  // blue cells alone are no conflict
}

TEST(AddPedalParams, GoesAfterTheLastPosition18And20Rows) {
    ParamList list;
    for (int i = 1; i <= 80; ++i) {
        const char* position = i <= 40 ? "18" : i <= 60 ? "20" : "24";
        list.append(pwtest::row("r" + std::to_string(i), "s", "1", position, "0"));
    }
    AddPedalParams(list);
    ASSERT_EQ(list.count(), 88u);
    EXPECT_EQ(list.row(40).name(), "r40");
    EXPECT_EQ(list.row(41).name(), "Pedal Assign 1");
    EXPECT_EQ(list.row(42).name(), "Pedal Min 1");
    EXPECT_EQ(list.row(43).name(), "Pedal Max 1");
    EXPECT_EQ(list.row(63).name(), "r60");
    const std::vector<std::string> vswitch = {"V-Switch Assign", "V-Switch Min", "V-Switch Max",
                                              "V-Switch Type", "V-Switch Enable"};
    for (std::size_t k = 0; k < vswitch.size(); ++k)
        EXPECT_EQ(list.row(64 + k).name(), vswitch[k]);
    const Row& assign = list.row(41);
    EXPECT_EQ(assign.cells, (std::array<std::string, 5>{"Pedal Assign 1", "Volume Pre FX", "8194",
                                                        "19", "854594"}));
    EXPECT_EQ(pwtest::marks(assign), "B----");
    EXPECT_EQ(list.row(64).cells, (std::array<std::string, 5>{"V-Switch Assign", "Wah Enable",
                                                              "8384", "21", "196737"}));
}

TEST(AddPedalParams, WithoutAnchorsEverythingGoesToTheTop) {
    ParamList list = listOf({{"2", "64"}, {"3", "128"}});
    AddPedalParams(list);
    EXPECT_EQ(names(list),
              (std::vector<std::string>{"V-Switch Assign", "V-Switch Min", "V-Switch Max",
                                        "V-Switch Type", "V-Switch Enable", "Pedal Assign 1",
                                        "Pedal Min 1", "Pedal Max 1", "P2/64", "P3/128"}));
}

TEST(AddPedalParams, WithoutPosition20TheVSwitchRowsGoAheadOfThePedalRows) {
    ParamList list = listOf({{"2", "64"}, {"18.0", "2626"}, {"24", "3203"}});
    AddPedalParams(list);
    EXPECT_EQ(list.row(3).name(), "V-Switch Assign");
    EXPECT_EQ(list.row(8).name(), "Pedal Assign 1");
    EXPECT_EQ(list.row(11).name(), "P24/3203");
}

TEST(AddLfoParams, AnchorsScanOnlyTheRowsThatWereThere) {
    // No 3206 row: the presence row goes to the top and pushes the last Position 21
    // row (row n before) past n, so the LFO rows follow the earlier Position 21 row.
    ParamList list = listOf({{"6", "2432"}, {"21", "8384"}, {"8", "2496"}, {"21", "8449"}});
    AddLfoParams(list);
    EXPECT_EQ(names(list),
              (std::vector<std::string>{"EQ A Presence", "P6/2432", "Amp Channel", "P21/8384",
                                        "LFO1 Assign", "LFO1 Min", "LFO1 Max", "LFO1 Speed",
                                        "LFO1 Waveform", "P8/2496", "P21/8449"}));
    EXPECT_EQ(list.row(1).cells,
              (std::array<std::string, 5>{"EQ A Presence", "0db", "3207", "24", "12"}));
    EXPECT_EQ(list.row(3).cells, (std::array<std::string, 5>{"Amp Channel", "A", "256", "7", "0"}));
}

TEST(AddLfoParams, OneAnchorServesAllScans) {
    // A 3206 row but no Position 21 or 6 row: every insert follows the last anchor.
    ParamList list = listOf({{"24", "3203"}, {"24", "3206"}, {"25", "3212"}});
    AddLfoParams(list);
    // The LFO rows go in right after the anchor, in front of the presence row.
    EXPECT_EQ(names(list),
              (std::vector<std::string>{"P24/3203", "P24/3206", "Amp Channel", "LFO1 Assign",
                                        "LFO1 Min", "LFO1 Max", "LFO1 Speed", "LFO1 Waveform",
                                        "EQ A Presence", "P25/3212"}));
}

TEST(FixPrePost, RewritesTheFirstPreRowUnlessThereIsWhammy) {
    ParamList list;
    list.append(pwtest::row("Mod Pre/Post", "Pre", "1798", "14", "1543"));
    list.append(pwtest::row("Other", "Pre", "1", "14", "1"));
    FixPrePost(list);
    EXPECT_EQ(list.row(1).cells,
              (std::array<std::string, 5>{"Mod Pre/Post", "Post", "770", "14", "1544"}));
    EXPECT_EQ(pwtest::marks(list.row(1)), "-BB-B");
    EXPECT_EQ(list.row(2).setting(), "Pre");

    ParamList whammy;
    whammy.append(pwtest::row("Mod Pre/Post", "Pre", "1798", "14", "1543"));
    whammy.append(pwtest::row("Mod Type", "Whammy", "768", "14", "1344"));
    FixPrePost(whammy);
    EXPECT_EQ(whammy.row(1).setting(), "Pre");
    ParamList caseMatters;
    caseMatters.append(pwtest::row("Mod Pre/Post", "pre", "1798", "14", "1543"));
    FixPrePost(caseMatters);
    EXPECT_EQ(caseMatters.row(1).setting(), "pre");
}

struct RecipeCase {
    const char* source;
    const char* target;
    char recipe;
};

class Recipes : public testing::TestWithParam<RecipeCase> {};

TEST_P(Recipes, ChosenBySourceGroupThenTargetGroup) {
    EXPECT_EQ(recipeFor(GetParam().source, GetParam().target), GetParam().recipe)
        << GetParam().source << " -> " << GetParam().target;
}

INSTANTIATE_TEST_SUITE_P(Table, Recipes,
                         testing::Values(RecipeCase{"RP150Preset", "RP155Preset", 0},
                                         RecipeCase{"RP155Preset", "RP250Preset", 'A'},
                                         RecipeCase{"RP150Preset", "RP355Preset", 'B'},
                                         RecipeCase{"RP250Preset", "RP150Preset", 'C'},
                                         RecipeCase{"RP255Preset", "RP250Preset", 0},
                                         RecipeCase{"RP255Preset", "RP350Preset", 'D'},
                                         RecipeCase{"RP350Preset", "RP150Preset", 'E'},
                                         RecipeCase{"RP355Preset", "RP255Preset", 'F'},
                                         RecipeCase{"RP355Preset", "RP350Preset", 'G'},
                                         RecipeCase{"RP500Preset", "RP350Preset", 'G'},
                                         RecipeCase{"RP1000Preset", "RP250Preset", 'F'},
                                         RecipeCase{"Gnx4Preset", "RP250Preset", 0},
                                         RecipeCase{"GSP1101Preset", "RP150Preset", 0},
                                         RecipeCase{"", "RP350Preset", 0}));

}  // namespace
