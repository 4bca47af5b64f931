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

}  // namespace
