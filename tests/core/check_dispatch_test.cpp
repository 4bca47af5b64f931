// SPDX-License-Identifier: GPL-3.0-or-later
// Which cells the check of one row marks, for each pass, position by position: the rows
// of tests/data/dispatch.tsv.

#include "models/check_dispatch.h"
#include "params/mark_colours.h"

#include <optional>

#include "test_support.h"

namespace {

using pw::document::Family;

TEST(Dispatch, MarksTheCellsOfItsRule) {
    const auto cases = pwtest::tsv("dispatch.tsv");
    for (const auto& f : cases) {
        const std::string line = f[0] + " " + f[1] + " " + f[2] + " " + f[3] + " " + f[4];
        ASSERT_EQ(f.size(), 6u) << line;
        pw::Row row = pwtest::row("Param", "Setting", f[3], f[2], f[4]);
        std::optional<std::string> label5;
        pw::models::checkRow(row, {pw::document::familyOf(f[0]), f[1], f[0], &label5});
        EXPECT_EQ(pwtest::marks(row), f[5]) << line;
    }
    EXPECT_GT(cases.size(), 100u);
}

TEST(DispatchLabel5, ShowsTheSettingOfTheMarkedAmpChannelRow) {
    std::optional<std::string> label5;
    pw::Row a = pwtest::row("Amp Channel", "B", "256", "7", "1");
    pw::models::checkRow(a, {Family::F25x, "RP355Preset", "RP255Preset", &label5});
    EXPECT_EQ(label5, "B");
    pw::Row b = pwtest::row("Amp Channel", "A", "256", "7", "0");
    label5.reset();
    pw::models::checkRow(b, {Family::F35x, "RP355Preset", "RP355Preset", &label5});
    EXPECT_FALSE(label5);
    pw::Row c = pwtest::row("Other", "X", "300", "7", "0");
    pw::models::checkRow(c, {Family::F35x, "RP355Preset", "RP355Preset", &label5});
    EXPECT_EQ(label5, "X");
}

// On a dark list a mark is lightened towards white: a full channel stays full.
TEST(MarkColour, LightensTowardsWhiteKeepingTheHue) {
    const pw::Rgb tone = pw::markColourOn({0, 0, 255}, {0, 0, 0});
    EXPECT_TRUE(tone.b == 255 && tone.r == tone.g);
    EXPECT_GE(pw::contrastRatio(tone, {0, 0, 0}), pw::kReadableContrast);
}

}  // namespace
