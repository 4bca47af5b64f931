// Which cells the check of one row marks, for each pass, position by position.

#include "models/check_dispatch.h"

#include <gtest/gtest.h>

#include <optional>

#include "test_support.h"

namespace {

using pw::document::Family;

struct DispatchCase {
    const char* target;  // target root: picks the pass and the module
    const char* source;
    const char* position;
    const char* id;
    const char* value;
    const char* expected;  // Name, Setting, ID, Position, Value: R conflict, - none
};

std::ostream& operator<<(std::ostream& os, const DispatchCase& c) {
    return os << c.target << " from " << c.source << " pos [" << c.position << "] id [" << c.id
              << "] value [" << c.value << "]";
}

class Dispatch : public testing::TestWithParam<DispatchCase> {};

TEST_P(Dispatch, MarksTheCellsOfItsRule) {
    const DispatchCase& c = GetParam();
    pw::Row row = pwtest::row("Param", "Setting", c.id, c.position, c.value);
    std::optional<std::string> label5;
    const Family family = pw::document::familyOf(c.target);
    pw::models::checkRow(row, {family, c.source, c.target, &label5});
    EXPECT_EQ(pwtest::marks(row), c.expected);
}

constexpr const char* k255 = "RP255Preset";
constexpr const char* k250 = "RP250Preset";
constexpr const char* k150 = "RP150Preset";
constexpr const char* k355 = "RP355Preset";
constexpr const char* k350 = "RP350Preset";

INSTANTIATE_TEST_SUITE_P(
    Pickup, Dispatch,
    testing::Values(DispatchCase{k255, k255, "2", "64", "66", "-----"},
                    DispatchCase{k255, k255, "2", "65", "67", "-R--R"},
                    // an unknown pickup ID marks Setting and Value, not Name and ID
                    DispatchCase{k255, k255, "2", "67", "0", "-R--R"},
                    DispatchCase{k255, k255, "2", "66", "5", "-----"},
                    DispatchCase{k355, k355, "2", "67", "0", "-R--R"},
                    DispatchCase{k150, k150, "2", "2", "9", "-----"}));

INSTANTIATE_TEST_SUITE_P(WahCompressorDistortion, Dispatch,
                         testing::Values(DispatchCase{k255, k255, "3", "128", "132", "-----"},
                                         DispatchCase{k255, k255, "3", "128", "131", "-R--R"},
                                         DispatchCase{k255, k255, "3", "129", "",
                                                      "-----"},  // empty reads 0
                                         DispatchCase{k255, k255, "3", "200", "0", "R-R--"},
                                         DispatchCase{k255, k255, "3", "3", "0", "-----"},
                                         DispatchCase{k255, k255, "4", "207", "197", "-R--R"},
                                         DispatchCase{k355, k255, "4", "207", "197", "-----"},
                                         DispatchCase{k255, k255, "4", "193", "1", "-----"},
                                         DispatchCase{k255, k255, "4", "212", "0", "R-R--"},
                                         DispatchCase{k350, k255, "4", "212", "0", "-----"},
                                         DispatchCase{k255, k255, "6", "2432", "1292", "-----"},
                                         DispatchCase{k150, k255, "6", "2432", "1292", "-R--R"},
                                         DispatchCase{k150, k255, "6", "2473", "0", "R-R--"},
                                         DispatchCase{k350, k255, "6", "2432", "1297", "-R--R"},
                                         DispatchCase{k355, k255, "6", "2432", "1297", "-----"},
                                         DispatchCase{k355, k255, "6", "2491", "0", "-----"},
                                         DispatchCase{k350, k255, "6", "2491", "0", "R-R--"}));

INSTANTIATE_TEST_SUITE_P(AmpChannelAmpAndCabinet, Dispatch,
                         testing::Values(DispatchCase{k255, k255, "7", "256", "0", "RRRR-"},
                                         DispatchCase{k255, k255, "7", "257", "0", "-----"},
                                         DispatchCase{k355, k255, "7", "256", "0", "-----"},
                                         DispatchCase{k355, k255, "7", "257", "0", "RRRR-"},
                                         DispatchCase{k255, k255, "8", "2496", "313", "-----"},
                                         DispatchCase{k250, k255, "8", "2496", "313", "-R--R"},
                                         DispatchCase{k255, k255, "8", "265", "1", "-----"},
                                         DispatchCase{k255, k255, "8", "2497", "40", "-----"},
                                         DispatchCase{k255, k255, "8", "2499", "0", "R-R--"},
                                         DispatchCase{k255, k255, "9", "2560", "571", "-----"},
                                         DispatchCase{k150, k255, "9", "2560", "571", "-R--R"},
                                         DispatchCase{k255, k255, "9", "2561", "9999", "-----"},
                                         DispatchCase{k255, k355, "10", "2496", "307", "---R-"},
                                         DispatchCase{k255, k355, "10", "2499", "0", "R-RR-"},
                                         DispatchCase{k355, k355, "10", "2496", "307", "-----"},
                                         DispatchCase{k355, k355, "10", "2496", "999", "-R--R"},
                                         DispatchCase{k255, k355, "11", "2560", "999", "-R-RR"},
                                         DispatchCase{k255, k355, "11", "2561", "999", "---R-"},
                                         DispatchCase{k355, k355, "11", "2560", "999", "-R--R"},
                                         DispatchCase{k355, k355, "11", "2560", "584", "-----"}));

INSTANTIATE_TEST_SUITE_P(GateAndModulation, Dispatch,
                         testing::Values(DispatchCase{k255, k255, "12", "704", "768", "-----"},
                                         DispatchCase{k255, k255, "12", "705", "2", "-R--R"},
                                         DispatchCase{k255, k255, "12", "710", "2", "-----"},
                                         DispatchCase{k255, k255, "12", "700", "2", "R-R--"},
                                         DispatchCase{k255, k255, "14", "768", "891", "-----"},
                                         DispatchCase{k150, k255, "14", "768", "908", "-R--R"},
                                         DispatchCase{k255, k255, "14", "768", "908", "-----"},
                                         DispatchCase{k255, k255, "14", "770", "1544", "-----"},
                                         DispatchCase{k255, k255, "14", "770", "1543", "--R--"},
                                         DispatchCase{k355, k255, "14", "770", "1543", "-----"},
                                         DispatchCase{k255, k255, "14", "1798", "1543", "-----"},
                                         DispatchCase{k255, k255, "14", "1798", "1544", "-RR-R"},
                                         DispatchCase{k355, k255, "14", "1798", "1544", "-----"},
                                         DispatchCase{k255, k255, "14", "15", "0", "-----"},
                                         DispatchCase{k255, k255, "14", "16", "0", "R-R--"},
                                         DispatchCase{k255, k255, "14", "1410", "0", "-----"},
                                         DispatchCase{k150, k255, "14", "1410", "0", "R-R--"},
                                         DispatchCase{k355, k255, "14", "1547", "0", "-----"},
                                         DispatchCase{k255, k255, "14", "1547", "0", "R-R--"}));

INSTANTIATE_TEST_SUITE_P(DelayReverbVolume, Dispatch,
                         testing::Values(DispatchCase{k255, k255, "15", "1856", "1050", "-R--R"},
                                         DispatchCase{k355, k255, "15", "1856", "1050", "-----"},
                                         DispatchCase{k255, k255, "15", "1045", "0", "-----"},
                                         DispatchCase{k355, k255, "15", "1045", "0", "R-R--"},
                                         DispatchCase{k255, k255, "16", "1920", "1146", "-----"},
                                         DispatchCase{k255, k255, "16", "1999", "0", "R-R--"},
                                         DispatchCase{k255, k255, "18", "2626", "50", "-----"},
                                         DispatchCase{k255, k255, "18", "2627", "50", "R-R--"},
                                         DispatchCase{k150, k255, "18", "2627", "50", "R-R--"},
                                         DispatchCase{k355, k255, "18", "2627", "50", "-----"}));

INSTANTIATE_TEST_SUITE_P(PedalAndVSwitch, Dispatch,
                         testing::Values(DispatchCase{k255, k150, "19", "8194", "854594", "-----"},
                                         DispatchCase{k150, k150, "19", "8194", "854594", "RRRRR"},
                                         DispatchCase{k255, k150, "19", "8194", "1", "-R--R"},
                                         DispatchCase{k255, k150, "19", "8194", "655625", "-R--R"},
                                         DispatchCase{k355, k150, "19", "8194", "655625", "-----"},
                                         DispatchCase{k255, k150, "19", "8195", "0", "-----"},
                                         DispatchCase{k255, k150, "19", "8197", "0", "R-R--"},
                                         DispatchCase{k255, k150, "20", "8384", "0", "-----"},
                                         DispatchCase{k255, k150, "20", "20", "0", "-----"},
                                         DispatchCase{k255, k150, "20", "8400", "0", "-R--R"},
                                         DispatchCase{k255, k150, "21", "8385", "0", "-----"},
                                         DispatchCase{k150, k150, "21", "8385", "0", "RRRRR"},
                                         DispatchCase{k355, k150, "21", "8385", "0", "-----"},
                                         DispatchCase{k255, k150, "21", "9999", "0", "-R--R"},
                                         DispatchCase{k355, k150, "21", "9999", "0", "-R--R"}));

INSTANTIATE_TEST_SUITE_P(
    LfoEqAndLibraries, Dispatch,
    testing::Values(DispatchCase{k255, k355, "22", "8258", "0", "RRRR-"},
                    DispatchCase{k255, k355, "23", "8259", "0", "RRRR-"},
                    DispatchCase{k355, k355, "22", "8258", "0", "-----"},
                    DispatchCase{k355, k355, "22", "8258", "1", "-R--R"},
                    DispatchCase{k355, k355, "22", "8258", "1641612", "-----"},  // 25:3212
                    DispatchCase{k355, k355, "23", "8261", "0", "R-R--"},
                    DispatchCase{k255, k355, "24", "3202", "1472", "-----"},
                    DispatchCase{k255, k355, "24", "3207", "0", "R-R--"},
                    DispatchCase{k355, k355, "24", "3207", "0", "-----"},
                    // position 25: second EQ of an RP35x, library of the smaller models
                    DispatchCase{k255, k355, "25", "3212", "1", "-----"},
                    DispatchCase{k255, k355, "25", "3207", "0", "R-R--"},
                    DispatchCase{k255, k255, "25", "8704", "1792", "-----"},
                    DispatchCase{k255, k255, "25", "8704", "1000", "-R--R"},
                    DispatchCase{k255, k255, "25", "8705", "1886", "-----"},
                    DispatchCase{k255, k255, "25", "8705", "1", "-R--R"},
                    DispatchCase{k255, k255, "25", "8706", "0", "-----"},
                    DispatchCase{k255, k255, "25", "8707", "0", "R-R--"},
                    DispatchCase{k255, "Gnx4Preset", "25", "8707", "0", "-----"},
                    DispatchCase{k255, "", "25", "8707", "0", "-----"},
                    DispatchCase{k355, k255, "25", "8704", "1792", "---R-"},
                    DispatchCase{k355, k150, "25", "8707", "0", "R-RR-"},
                    DispatchCase{k355, k355, "25", "3207", "0", "-----"},
                    DispatchCase{k355, "RP500Preset", "25", "8707", "0", "-----"},
                    DispatchCase{k255, k355, "26", "8704", "1792", "---R-"},
                    DispatchCase{k355, k355, "26", "8704", "1792", "-----"},
                    DispatchCase{k355, k355, "26", "8705", "2", "-R--R"}));

INSTANTIATE_TEST_SUITE_P(
    PositionTextIsComparedAsText, Dispatch,
    testing::Values(DispatchCase{k255, k255, "02", "64", "66", "R--R-"},
                    DispatchCase{k255, k255, " 2", "64", "66", "R--R-"},
                    DispatchCase{k355, k255, "02", "64", "66", "-----"},
                    DispatchCase{k255, k255, "5", "1", "1", "R--R-"},
                    DispatchCase{k255, k255, "13", "1", "1", "R--R-"},
                    DispatchCase{k255, k255, "", "1", "1", "R--R-"},
                    DispatchCase{k355, k255, "99", "1", "1", "-----"},
                    // the ID is compared as text too: " 64" is not a value-checked ID
                    DispatchCase{k255, k255, "2", " 64", "99", "-----"},
                    DispatchCase{k255, k255, "3", "128.0", "999", "-----"},
                    DispatchCase{k255, k255, "3", "128.5", "999", "R-R--"}));

TEST(DispatchLabel5, ShowsTheSettingOfTheMarkedAmpChannelRow) {
    std::optional<std::string> label5;
    pw::Row a = pwtest::row("Amp Channel", "B", "256", "7", "1");
    pw::models::checkRow(a, {Family::F25x, k355, k255, &label5});
    EXPECT_EQ(label5, "B");
    pw::Row b = pwtest::row("Amp Channel", "A", "256", "7", "0");
    label5.reset();
    pw::models::checkRow(b, {Family::F35x, k355, k355, &label5});
    EXPECT_FALSE(label5);
    pw::Row c = pwtest::row("Other", "X", "300", "7", "0");
    pw::models::checkRow(c, {Family::F35x, k355, k355, &label5});
    EXPECT_EQ(label5, "X");
}

}  // namespace
