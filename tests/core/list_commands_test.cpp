// The parameter list's own commands: row click, Ctrl+C, Ctrl+Delete, the double-click
// block and the Model Select pick.

#include <gtest/gtest.h>

#include "catalogue/effect_catalogue.h"
#include "session/session.h"
#include "test_support.h"

namespace {

using namespace pw;
using Key = Session::Key;

class ListCommands : public testing::Test {
  protected:
    pwtest::TempDir dir;
    pwtest::ScriptedMessenger m;
    Session s{m};
    void SetUp() override {
        s.start();
        std::string params;
        for (int i = 1; i <= 40; ++i) {
            const std::string n = std::to_string(i);
            params += "<Param><ID>" + n + "</ID><Position>3</Position><Value>" + n +
                      "</Value><Name>N" + n + "</Name><Text>" + (i == 2 ? "" : "S" + n) +
                      "</Text></Param>";
        }
        s.openFile(dir.write("forty.rp255p", "<RP255Preset><Name>Forty</Name><Params>" + params +
                                                 "</Params></RP255Preset>"));
        ASSERT_EQ(s.rows().count(), 40u);
    }
};

TEST_F(ListCommands, CtrlCCopiesTheSelectedRowJoinedByCommaBlank) {
    s.clickRow(3);
    EXPECT_EQ(s.keyDown(Key::C, true), "N3, S3, 3, 3, 3");
    s.clickRow(2);
    EXPECT_EQ(s.keyDown(Key::C, true), "N2, , 2, 3, 2");
    EXPECT_EQ(s.keyDown(Key::C, false), std::nullopt);
}

TEST_F(ListCommands, CtrlDeleteRemovesTheSelectedRowAndTheNextTakesItsNumber) {
    s.clickRow(3);
    s.keyDown(Key::Delete, true);
    EXPECT_EQ(s.rows().count(), 39u);
    EXPECT_EQ(s.paramCountCaption(), "39");
    EXPECT_EQ(s.selectedIndex(), 3);
    EXPECT_EQ(s.keyDown(Key::C, true), "N4, S4, 4, 3, 4");
}

TEST_F(ListCommands, KeysWithoutCtrlOnlyRefreshTheCount) {
    s.clickRow(1);
    s.filter();  // 25x to 25x: nothing changes
    s.keyDown(Key::Delete, false);
    s.keyDown(Key::Other, false);
    EXPECT_EQ(s.rows().count(), 40u);
    EXPECT_EQ(s.paramCountCaption(), "40");
}

TEST_F(ListCommands, CommandsWithoutASelectedRowDoNothing) {
    EXPECT_EQ(s.selectedIndex(), 0);
    EXPECT_EQ(s.keyDown(Key::C, true), std::nullopt);
    s.keyDown(Key::Delete, true);
    EXPECT_EQ(s.rows().count(), 40u);
    EXPECT_EQ(s.blockForDoubleClick(), nullptr);
    s.clickRow(40);
    s.keyDown(Key::Delete, true);
    EXPECT_EQ(s.selectedIndex(), 40);  // now names no row
    EXPECT_EQ(s.keyDown(Key::C, true), std::nullopt);
    s.keyDown(Key::Delete, true);
    EXPECT_EQ(s.rows().count(), 39u);
    EXPECT_FALSE(s.UpdateListItem(catalogue::blocks()[0], 0));
    EXPECT_EQ(s.selectedIndex(), 0);
    s.clickRow(-1);
    EXPECT_EQ(s.selectedIndex(), 0);
}

struct BlockCase {
    const char* id;
    const char* position;
    const char* list;  // "" for none
};

class DoubleClick : public testing::TestWithParam<BlockCase> {};

TEST_P(DoubleClick, OpensTheBlockOfTheRowsId) {
    pwtest::TempDir dir;
    pwtest::ScriptedMessenger m;
    Session s(m);
    s.start();
    s.openFile(dir.write("p.rp255p",
                         pwtest::presetXml("RP255Preset", "P",
                                           {{GetParam().id, GetParam().position, "0", "N", "S"}})));
    s.clickRow(1);
    const catalogue::Block* block = s.blockForDoubleClick();
    EXPECT_EQ(block ? block->nameList : "", std::string_view(GetParam().list));
}

INSTANTIATE_TEST_SUITE_P(
    Ids, DoubleClick,
    testing::Values(BlockCase{"128", "3", "cboWah"}, BlockCase{"207", "4", "cboComp"},
                    BlockCase{"2496", "8", "cboAmp"}, BlockCase{"2496", "10", "cboAmp"},
                    BlockCase{"2560", "9", "cboCAB"}, BlockCase{"768", "14", "cboMOD"},
                    BlockCase{"1856", "15", "cboDelay"}, BlockCase{"2432", "6", "cboDistortion"},
                    BlockCase{"3202", "24", "cboEQ"}, BlockCase{"1920", "16", "cboReverb"},
                    BlockCase{"8194", "19", "cboPedal"}, BlockCase{"8194", "20", ""},
                    BlockCase{"704", "12", "cboGate"}, BlockCase{"8704", "25", "cboToneLib"},
                    BlockCase{"8705", "25", "cboFXLib"}, BlockCase{"2497", "8", ""},
                    BlockCase{"02496", "8", ""}));

TEST(ListCommandsOnLongLists, RowsBeyond32767CanBeSelectedAndEdited) {
    pwtest::TempDir dir;
    pwtest::ScriptedMessenger m;
    Session s(m);
    s.start();
    std::string params;
    for (int i = 1; i <= 40000; ++i)
        params += "<Param><ID>2496</ID><Position>8</Position><Value>307</Value><Name>R" +
                  std::to_string(i) + "</Name><Text>T</Text></Param>";
    s.openFile(dir.write("long.rp255p", "<RP255Preset><Name>Long</Name><Params>" + params +
                                            "</Params></RP255Preset>"));
    ASSERT_EQ(s.rows().count(), 40000u);
    s.clickRow(39999);
    EXPECT_EQ(s.keyDown(Key::C, true), "R39999, T, 2496, 8, 307");
    ASSERT_NE(s.blockForDoubleClick(), nullptr);
    EXPECT_TRUE(s.UpdateListItem(*s.blockForDoubleClick(), 9));
    EXPECT_EQ(s.rows().row(39999).setting(), "83 JCM800");
    s.clickRow(40000);
    s.keyDown(Key::Delete, true);
    EXPECT_EQ(s.paramCountCaption(), "39999");
}

TEST(ModelSelectPick, WritesSettingAndValueBlueAndClearsTheirRedMarks) {
    pwtest::TempDir dir;
    pwtest::ScriptedMessenger m;
    Session s(m);
    s.start();
    s.selectTarget(4);  // RP250: amp 313 is unknown
    s.openFile(
        dir.write("p.rp250p", pwtest::presetXml("RP250Preset", "P",
                                                {{"2496", "10", "313", "Amp Type", "Plexi"},
                                                 {"8194", "19", "0", "Pedal Assign 1", "None"}})));
    ASSERT_EQ(pwtest::marks(s.rows().row(1)), "-R-RR");
    s.showErrors();
    EXPECT_EQ(m.last(), "Number of errors 3");
    s.clickRow(1);
    const catalogue::Block* amp = s.blockForDoubleClick();
    ASSERT_NE(amp, nullptr);
    EXPECT_TRUE(s.UpdateListItem(*amp, 9));  // "83 JCM800"
    EXPECT_EQ(s.rows().row(1).cells,
              (std::array<std::string, 5>{"Amp Type", "83 JCM800", "2496", "10", "317"}));
    EXPECT_EQ(pwtest::marks(s.rows().row(1)), "-B-RB");
    EXPECT_EQ(s.selectedIndex(), 0);
    s.showErrors();
    EXPECT_EQ(m.last(), "Number of errors 1");

    s.clickRow(2);
    const catalogue::Block* pedal = s.blockForDoubleClick();
    ASSERT_NE(pedal, nullptr);
    std::size_t ampGain = 0;
    while (pedal->entries[ampGain].name != "Amp Gain")
        ++ampGain;
    EXPECT_TRUE(s.UpdateListItem(*pedal, ampGain));
    EXPECT_EQ(s.rows().row(2).setting(), "Amp Gain");
    EXPECT_EQ(s.rows().row(2).value(), "526785");
    // A pick lives only in the list: a rebuild drops it.
    s.reset();
    EXPECT_EQ(s.rows().row(1).setting(), "Plexi");
}

}  // namespace
