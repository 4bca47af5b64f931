// Opening a preset: the read test, LoadPatch, the pass and the states they leave.

#include <gtest/gtest.h>

#include "session/session.h"
#include "test_support.h"

namespace {

using pwtest::P;

constexpr int kRP155 = 0, kRP255 = 1, kRP355 = 2, kRP150 = 3, kRP250 = 4, kRP350 = 5;

std::string buttons(const pw::ButtonStates& b) {
    std::string s;
    for (bool on : {b.save, b.filter, b.reset, b.ampA, b.ampB})
        s += on ? '1' : '0';
    return s;
}

struct ButtonCase {
    const char* root;
    int target;
    const char* expected;  // Save, Filter, Reset, Amp A, Amp B after opening
};

std::ostream& operator<<(std::ostream& os, const ButtonCase& c) {
    return os << c.root << " for target option " << c.target;
}

class ButtonsAfterOpen : public testing::TestWithParam<ButtonCase> {};

TEST_P(ButtonsAfterOpen, FollowTheSourceRootAndThePassFamily) {
    const ButtonCase& c = GetParam();
    pwtest::TempDir dir;
    pwtest::ScriptedMessenger m;
    pw::Session s(m);
    s.start();
    ASSERT_TRUE(s.selectTarget(c.target));
    s.openFile(dir.write(
        "p.xml", pwtest::presetXml(c.root, "Patch", {{"64", "2", "66", "Pickup Type", "HB"}})));
    EXPECT_EQ(buttons(s.buttons()), c.expected);
    EXPECT_EQ(s.sourceRoot(), std::string(c.root) == "Unknown" ? "" : c.root);
    EXPECT_TRUE(m.shown.empty()) << m.last();
}

INSTANTIATE_TEST_SUITE_P(
    EveryRootAndPass, ButtonsAfterOpen,
    testing::Values(
        ButtonCase{"RP150Preset", kRP150, "10100"}, ButtonCase{"RP150Preset", kRP255, "11100"},
        ButtonCase{"RP150Preset", kRP350, "11100"},
        // RP155 presets are view only; the 25x pass still offers Filter
        ButtonCase{"RP155Preset", kRP150, "00000"}, ButtonCase{"RP155Preset", kRP250, "01000"},
        ButtonCase{"RP155Preset", kRP350, "00000"}, ButtonCase{"RP250Preset", kRP150, "11100"},
        ButtonCase{"RP250Preset", kRP255, "10100"}, ButtonCase{"RP250Preset", kRP355, "11100"},
        ButtonCase{"RP255Preset", kRP150, "11000"}, ButtonCase{"RP255Preset", kRP250, "10000"},
        ButtonCase{"RP255Preset", kRP350, "11000"}, ButtonCase{"RP350Preset", kRP150, "11111"},
        ButtonCase{"RP350Preset", kRP250, "11111"}, ButtonCase{"RP350Preset", kRP350, "10100"},
        ButtonCase{"RP355Preset", kRP255, "11111"}, ButtonCase{"RP355Preset", kRP355, "10100"},
        ButtonCase{"RP500Preset", kRP350, "00000"}, ButtonCase{"RP1000Preset", kRP255, "00000"},
        ButtonCase{"Gnx4Preset", kRP255, "00000"}, ButtonCase{"Gnx3kPreset", kRP150, "00000"},
        ButtonCase{"GSP1101Preset", kRP355, "00000"}, ButtonCase{"Unknown", kRP255, "00000"}));

class SessionTest : public pwtest::SessionFixture {
  protected:
    std::filesystem::path write(const std::string& name, const std::string& bytes) {
        return dir.write(name, bytes);
    }
};

TEST_F(SessionTest, StartsWithTargetRP255AndAnEmptyList) {
    EXPECT_EQ(s.target().caption, "RP255");
    EXPECT_TRUE(s.rows().empty());
    EXPECT_EQ(s.paramCountCaption(), "0");
    EXPECT_EQ(buttons(s.buttons()), "11111");
    EXPECT_TRUE(m.shown.empty());
    EXPECT_FALSE(s.selectTarget(kRP155));  // shown but never selectable
    EXPECT_EQ(s.target().caption, "RP255");
}

TEST_F(SessionTest, OpenFillsListNamesAndLabels) {
    s.openFile(write("a.rp355p", pwtest::presetXml("RP355Preset", "Lead",
                                                   {{"64", "2", "66", "Pickup Type", "HB"},
                                                    {"999", "3", "0", "Odd", "x"}})));
    EXPECT_EQ(s.lastOpenOutcome(), pw::OpenOutcome::Loaded);
    EXPECT_EQ(s.patchName(), "Lead");
    EXPECT_EQ(s.originalPatchName(), "Lead");
    EXPECT_EQ(s.label4(), "RP355Preset Original Patch Name: Lead");
    ASSERT_EQ(s.rows().count(), 2u);
    EXPECT_EQ(s.paramCountCaption(), "2");
    EXPECT_EQ(s.rows().row(1).name(), "Pickup Type");
    EXPECT_EQ(pwtest::marks(s.rows().row(2)), "R-R--");
}

TEST_F(SessionTest, FirstMissingChildInReadingOrderIsReported) {
    const std::pair<const char*, const char*> cases[] = {
        {"<ID>1</ID><Position>2</Position><Value>3</Value><Text>t</Text>",
         "Parameter <Name> missing."},
        {"<Text>t</Text><Name>n</Name>", "Parameter <ID> missing."},
        {"<Name>n</Name><ID>1</ID><Value>3</Value>", "Parameter <Position> missing."},
        {"<Name>n</Name><ID>1</ID><Position>2</Position><Text>t</Text>",
         "Parameter <Value> missing."},
        {"<Name>n</Name><ID>1</ID><Position>2</Position><Value>3</Value>",
         "Parameter <Text> missing."},
    };
    for (const auto& [children, message] : cases) {
        m.clear();
        s.openFile(write("m.rp250p", std::string("<RP250Preset><Name>x</Name><Param>") + children +
                                         "</Param></RP250Preset>"));
        EXPECT_EQ(m.texts(), std::vector<std::string>{message});
    }
}

TEST_F(SessionTest, DocumentWithoutParamsGivesAnEmptyListSilently) {
    s.openFile(write("e.rp250p", "<RP250Preset><Name>Empty</Name><Params/></RP250Preset>"));
    EXPECT_TRUE(m.shown.empty());
    EXPECT_TRUE(s.rows().empty());
    EXPECT_EQ(s.paramCountCaption(), "0");
    EXPECT_EQ(s.patchName(), "Empty");
}

TEST_F(SessionTest, UnloadableFileKeepsThePreviousRowsAndNames) {
    s.openFile(write("good.rp250p", pwtest::presetXml("RP250Preset", "Good",
                                                      {{"64", "2", "66", "Pickup Type", "HB"}})));
    ASSERT_EQ(s.rows().count(), 1u);
    s.openFile(write("bad.rp355p", "<RP355Preset><Name>Bad</Name><Params>"));
    EXPECT_EQ(m.texts(), std::vector<std::string>{"Element <Name>*</Name> LoadError"});
    EXPECT_EQ(m.shown[0].icon, pw::Icon::Critical);
    EXPECT_FALSE(m.shown[0].detail.empty());
    EXPECT_EQ(s.lastOpenOutcome(), pw::OpenOutcome::NotLoadable);
    EXPECT_EQ(s.rows().count(), 1u);  // the list keeps the previous patch's rows
    EXPECT_EQ(s.patchName(), "Good");
    EXPECT_EQ(s.label4(), "RP355Preset Original Patch Name: Good");
    EXPECT_EQ(s.sourceRoot(), "RP355Preset");
    // The document is now empty: Reset rebuilds an empty list.
    s.reset();
    EXPECT_TRUE(s.rows().empty());
}

TEST_F(SessionTest, MissingFileStopsTheReadTestButLoadPatchStillReports) {
    s.openFile(write("good.rp255p", pwtest::presetXml("RP255Preset", "Good",
                                                      {{"64", "2", "66", "Pickup Type", "HB"}})));
    const pw::ButtonStates before = s.buttons();
    s.openFile(dir.path() / "nowhere.rp250p");
    EXPECT_EQ(m.texts(), std::vector<std::string>{"Element <Name>*</Name> LoadError"});
    EXPECT_EQ(s.sourceRoot(), "");
    EXPECT_TRUE(s.buttons().filter && s.buttons().ampA && s.buttons().ampB);
    EXPECT_EQ(s.buttons().save, before.save);
    EXPECT_EQ(s.label4(), "RP255Preset Original Patch Name: Good");
    EXPECT_EQ(s.rows().count(), 1u);
}

TEST_F(SessionTest, ReadTestOfAFolderIsLikeAMissingFile) {
    s.openFile(dir.path());
    EXPECT_EQ(m.texts(), std::vector<std::string>{"Element <Name>*</Name> LoadError"});
    EXPECT_EQ(s.sourceRoot(), "");
}

TEST_F(SessionTest, TargetChangeRebuildsAndKeepsTheAmpFlag) {
    s.openFile(write("a.rp355p", pwtest::presetXml("RP355Preset", "Crunchy",
                                                   {{"2496", "8", "313", "Amp A Type", "x"},
                                                    {"2496", "10", "313", "Amp B Type", "y"}})));
    EXPECT_EQ(s.rows().count(), 2u);
    ASSERT_TRUE(s.selectAmpChannel('A'));
    EXPECT_EQ(s.rows().count(), 1u);
    EXPECT_EQ(s.patchName(), "Crun_A");
    s.filter();
    EXPECT_TRUE(s.filtered());
    ASSERT_TRUE(s.selectTarget(kRP250));
    EXPECT_FALSE(s.filtered());
    EXPECT_TRUE(s.ampChannelChosen());
    EXPECT_EQ(s.rows().count(), 2u);  // both channels are back
    // RP250 does not know amp 313; RP255 does.
    EXPECT_EQ(pwtest::marks(s.rows().row(1)), "-R--R");
    EXPECT_EQ(s.patchName(), "Crun_A");
    ASSERT_TRUE(s.selectTarget(kRP255));
    EXPECT_EQ(pwtest::marks(s.rows().row(1)), "-----");
    EXPECT_EQ(pwtest::marks(s.rows().row(2)), "---R-");
}

TEST_F(SessionTest, ResetBringsBackTheOpenedRowsAndName) {
    s.openFile(write("a.rp150p", pwtest::presetXml("RP150Preset", "Clean",
                                                   {{"64", "2", "66", "Pickup Type", "HB"}})));
    s.setPatchName("Edited");
    s.filter();
    EXPECT_EQ(s.rows().count(), 9u);
    EXPECT_FALSE(s.buttons().filter);
    s.reset();
    EXPECT_EQ(s.rows().count(), 1u);
    EXPECT_EQ(s.patchName(), "Clean");
    EXPECT_FALSE(s.filtered());
    EXPECT_EQ(s.paramCountCaption(), "1");
    EXPECT_TRUE(s.buttons().filter);  // the 25x pass enables Filter for an RP150 source
}

TEST_F(SessionTest, OpeningRP255DisablesResetAndFilterEnablesIt) {
    s.openFile(write("a.rp255p", pwtest::presetXml("RP255Preset", "X",
                                                   {{"64", "2", "66", "Pickup Type", "HB"}})));
    EXPECT_FALSE(s.buttons().reset);
    ASSERT_TRUE(s.selectTarget(kRP350));
    s.filter();
    EXPECT_TRUE(s.buttons().reset);
    // Reset is not touched by later opens of other models.
    s.openFile(write("b.rp255p", pwtest::presetXml("RP255Preset", "Y", {})));
    EXPECT_FALSE(s.buttons().reset);
    s.openFile(write("c.rp250p", pwtest::presetXml("RP250Preset", "Z", {})));
    EXPECT_FALSE(s.buttons().reset);
}

TEST_F(SessionTest, AmpChannelRowMarksAndLabel5) {
    s.openFile(write("a.rp355p", pwtest::presetXml("RP355Preset", "X",
                                                   {{"256", "7", "1", "Amp Channel", "B"}})));
    EXPECT_EQ(s.label5(), "B");
    EXPECT_EQ(pwtest::marks(s.rows().row(1)), "RRRR-");
    s.selectTarget(kRP355);
    EXPECT_EQ(pwtest::marks(s.rows().row(1)), "-----");
    EXPECT_EQ(s.label5(), "B");  // keeps its text until a pass sets it again
}

TEST_F(SessionTest, SamplesOpenForEveryTarget) {
    for (const char* name :
         {"surfs_up.rp255p", "dual_amp_lead.rp355p", "crunch_time.rp150p", "metal_zone.rp250p",
          "big_verb.rp350p", "reverse_dream.rp500p", "pluck_funk.g4p"}) {
        for (int target : {kRP150, kRP250, kRP255, kRP350, kRP355}) {
            m.clear();
            s.selectTarget(target);
            s.openFile(pwtest::dataFile(name));
            EXPECT_EQ(s.lastOpenOutcome(), pw::OpenOutcome::Loaded) << name;
            EXPECT_TRUE(m.shown.empty()) << name << ": " << m.last();
            EXPECT_GT(s.rows().count(), 50u) << name;
        }
    }
}

TEST_F(SessionTest, SameFamilySamplesAreFreeOfConflicts) {
    const std::pair<const char*, int> cases[] = {{"surfs_up.rp255p", kRP255},
                                                 {"dual_amp_lead.rp355p", kRP355},
                                                 {"crunch_time.rp150p", kRP150},
                                                 {"metal_zone.rp250p", kRP250},
                                                 {"big_verb.rp350p", kRP350}};
    for (const auto& [name, target] : cases) {
        s.selectTarget(target);
        s.openFile(pwtest::dataFile(name));
        s.showErrors();
        EXPECT_EQ(m.last(), "Number of errors 0") << name;
    }
}

}  // namespace
