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

// Filtering the sample presets through the session, as the Filter Patch button does.
class FilterSamples : public testing::Test {
  protected:
    pwtest::ScriptedMessenger m;
    Session s{m};
    void open(const char* sample, int target) {
        s.start();
        ASSERT_TRUE(s.selectTarget(target));
        s.openFile(pwtest::dataFile(sample));
        ASSERT_EQ(s.lastOpenOutcome(), OpenOutcome::Loaded);
    }
    bool any(std::function<bool(const Row&)> pred) const {
        return std::any_of(s.rows().begin(), s.rows().end(), pred);
    }
    std::size_t countOf(std::function<bool(const Row&)> pred) const {
        return static_cast<std::size_t>(std::count_if(s.rows().begin(), s.rows().end(), pred));
    }
};

TEST_F(FilterSamples, BigToMiddleRemovesRenumbersAndFixes) {
    open("big_verb.rp350p", 4);  // RP250
    const ParamList before = s.rows();
    auto at = [&](const ParamList& l, const char* pos) {
        return std::count_if(l.begin(), l.end(), [&](const Row& r) { return r.position() == pos; });
    };
    auto isDropped = [](const Row& r) {
        static const std::vector<std::string> ids = {"3207", "256",  "2507", "2508", "2509", "3213",
                                                     "3214", "3215", "3216", "3217", "3218"};
        return r.position() == "22" || r.position() == "23" ||
               std::find(ids.begin(), ids.end(), r.id()) != ids.end();
    };
    const auto dropped = std::count_if(before.begin(), before.end(), isDropped);
    const auto kept24or25 = std::count_if(before.begin(), before.end(), [&](const Row& r) {
        return !isDropped(r) && (r.position() == "24" || r.position() == "25");
    });
    s.filter();
    EXPECT_EQ(s.rows().count(), before.count() - static_cast<std::size_t>(dropped));
    EXPECT_EQ(s.paramCountCaption(), std::to_string(s.rows().count()));
    EXPECT_EQ(at(s.rows(), "22") + at(s.rows(), "23") + at(s.rows(), "26") + at(s.rows(), "10") +
                  at(s.rows(), "11"),
              0);
    EXPECT_EQ(at(s.rows(), "24"), kept24or25);
    EXPECT_EQ(at(s.rows(), "25"), at(before, "26"));
    // rewritten positions are blue; the Pre row is now Post
    EXPECT_TRUE(any(
        [](const Row& r) { return r.position() == "8" && r.marks[kPosition] == Mark::Change; }));
    EXPECT_TRUE(any([](const Row& r) {
        return r.setting() == "Post" && r.id() == "770" && r.value() == "1544";
    }));
    EXPECT_FALSE(any([](const Row& r) { return r.setting() == "Pre"; }));
    EXPECT_TRUE(s.filtered());
    EXPECT_FALSE(s.buttons().filter);
    EXPECT_TRUE(s.buttons().reset);
}

TEST_F(FilterSamples, BigToSmallAlsoDropsPedalAndVSwitch) {
    open("dual_amp_lead.rp355p", 3);  // RP150
    s.filter();
    EXPECT_FALSE(any([](const Row& r) {
        return r.position() == "19" || r.position() == "21" || r.position() == "22";
    }));
    EXPECT_FALSE(any([](const Row& r) { return r.id() == "256"; }));
}

TEST_F(FilterSamples, SmallToBigAddsPedalAndLfoRows) {
    open("crunch_time.rp150p", 5);  // RP350
    const std::size_t n = s.rows().count();
    s.filter();
    EXPECT_EQ(s.rows().count(), n + 8 + 7);
    EXPECT_EQ(countOf([](const Row& r) { return r.marks[kName] == Mark::Change; }), 15u);
    EXPECT_EQ(countOf([](const Row& r) { return r.id() == "8194" && r.position() == "19"; }), 1u);
}

TEST_F(FilterSamples, MiddleToBigAddsLfoRowsAndMovesTheLibrary) {
    open("surfs_up.rp255p", 2);  // RP355
    const std::size_t n = s.rows().count();
    const std::size_t library = countOf([](const Row& r) { return r.position() == "25"; });
    ASSERT_GT(library, 0u);
    EXPECT_GT(s.rows().count(), 0u);
    s.filter();
    EXPECT_EQ(s.rows().count(), n + 7);
    EXPECT_EQ(countOf([](const Row& r) {
                  return r.position() == "26" && r.marks[kPosition] == Mark::Change;
              }),
              library);
    EXPECT_EQ(countOf([](const Row& r) { return r.position() == "25"; }), 0u);
    // The library rows were marked on their Position for the 35x pass; the rewrite
    // turned those marks blue, so no conflict is left there.
    EXPECT_EQ(countOf([](const Row& r) {
                  return r.position() == "26" && r.marks[kPosition] == Mark::Conflict;
              }),
              0u);
}

TEST_F(FilterSamples, MiddleToSmallDropsPedalAndVSwitchOnly) {
    open("metal_zone.rp250p", 3);
    const std::size_t expected = s.rows().count() - countOf([](const Row& r) {
                                     return r.position() == "19" || r.position() == "21";
                                 });
    s.filter();
    EXPECT_EQ(s.rows().count(), expected);
}

TEST_F(FilterSamples, SameFamilyOrNoGroupChangesNothingButTheFlag) {
    for (auto [sample, target] :
         {std::pair{"surfs_up.rp255p", 4}, std::pair{"pluck_funk.g4p", 4}}) {
        open(sample, target);
        const ParamList before = s.rows();
        s.filter();
        EXPECT_EQ(s.rows().rows().size(), before.rows().size());
        for (std::size_t i = 1; i <= before.count(); ++i)
            EXPECT_EQ(s.rows().row(i).cells, before.row(i).cells);
        EXPECT_TRUE(s.filtered());
        EXPECT_FALSE(s.buttons().filter);
    }
}

TEST_F(FilterSamples, Rp500ToRp350RemovesOnlyTheNineIds) {
    open("reverse_dream.rp500p", 5);
    const std::size_t nine = countOf([](const Row& r) {
        const int id = std::atoi(r.id().c_str());
        return (id >= 2507 && id <= 2509) || (id >= 3213 && id <= 3218);
    });
    const std::size_t n = s.rows().count();
    s.filter();
    EXPECT_EQ(s.rows().count(), n - nine);
}

class AmpChannel : public testing::Test {
  protected:
    pwtest::TempDir dir;
    pwtest::ScriptedMessenger m;
    Session s{m};
    void open(const char* root, const char* name) {
        s.start();
        s.openFile(dir.write("p.xml", pwtest::presetXml(root, name,
                                                        {{"1", "10", "0", "Cab B Type", "x"},
                                                         {"2", "8", "0", "Amp A Gain", "x"},
                                                         {"3", "10", "0", "amp b gain", "x"},
                                                         {"4", "11", "0", "Cab B Mic", "x"},
                                                         {"5", "24", "0", "EQ B Bass", "x"},
                                                         {"6", "7", "0", "Amp Channel", "x"},
                                                         {"7", "25", "0", "My EQ A Mid", "x"},
                                                         {"8", "2", "0", "AmpB Gain", "x"}})));
    }
};

TEST_F(AmpChannel, AKeepsChannelAAndRowsOfNeitherChannel) {
    open("RP355Preset", "Crunch");
    ASSERT_TRUE(s.selectAmpChannel('A'));
    EXPECT_EQ(names(s.rows()),
              (std::vector<std::string>{"Amp A Gain", "Amp Channel", "My EQ A Mid", "AmpB Gain"}));
    EXPECT_EQ(s.patchName(), "Crun_A");
    EXPECT_TRUE(s.ampChannelChosen());
    EXPECT_FALSE(s.buttons().ampA || s.buttons().ampB);
    EXPECT_EQ(s.paramCountCaption(), "4");
}

TEST_F(AmpChannel, BKeepsChannelB) {
    open("RP350Preset", "Crunch");
    ASSERT_TRUE(s.selectAmpChannel('B'));
    EXPECT_EQ(names(s.rows()), (std::vector<std::string>{"Cab B Type", "amp b gain", "Cab B Mic",
                                                         "EQ B Bass", "Amp Channel", "AmpB Gain"}));
    EXPECT_EQ(s.patchName(), "Crun_B");
}

TEST_F(AmpChannel, ShortAndEmptyNamesStayWhole) {
    EXPECT_EQ(channelPatchName("Solo", 'A'), "Solo_A");
    EXPECT_EQ(channelPatchName("Lead", 'B'), "Lead_B");
    EXPECT_EQ(channelPatchName("", 'A'), "_A");
    EXPECT_EQ(channelPatchName("\xC3\xA9t\xC3\xA9s!", 'A'),
              "\xC3\xA9t\xC3\xA9s_A");  // characters, not bytes
}

TEST_F(AmpChannel, RefusedForSmallerModelsAndIgnoredWithoutSource) {
    open("RP250Preset", "Crunch");
    EXPECT_FALSE(s.selectAmpChannel('A'));
    EXPECT_EQ(m.texts(), std::vector<std::string>{
                             "This is only supported for *Down* Filtering RP35x Patches"});
    EXPECT_EQ(m.shown[0].icon, Icon::None);
    EXPECT_EQ(s.patchName(), "Crunch");
    EXPECT_EQ(s.rows().count(), 8u);
    open("RP500Preset", "Crunch");
    m.clear();
    EXPECT_FALSE(s.selectAmpChannel('B'));
    EXPECT_EQ(m.shown.size(), 1u);
    open("Unknown", "Crunch");
    m.clear();
    EXPECT_TRUE(s.selectAmpChannel('A'));
    EXPECT_TRUE(m.shown.empty());
    EXPECT_EQ(s.rows().count(), 8u);
}

}  // namespace
