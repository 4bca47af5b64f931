// SPDX-License-Identifier: GPL-3.0-or-later
// Which cells the check of one row marks, for each pass, position by position: the rows
// of tests/data/dispatch.tsv.

#include "models/check_dispatch.h"
#include "params/mark_colours.h"

#include <cmath>
#include <optional>

#include "test_support.h"

namespace {

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
    // A row of a preset for the RP355, the target it is checked for, and Label5 after.
    const std::tuple<pw::Row, std::string, std::optional<std::string>> cases[] = {
        {pwtest::row("Amp Channel", "B", "256", "7", "1"), "RP255Preset", "B"},
        {pwtest::row("Amp Channel", "A", "256", "7", "0"), "RP355Preset", {}},
        {pwtest::row("Other", "X", "300", "7", "0"), "RP355Preset", "X"}};
    for (auto [checked, target, shown] : cases) {
        std::optional<std::string> label5;
        pw::models::checkRow(checked,
                             {pw::document::familyOf(target), "RP355Preset", target, &label5});
        EXPECT_EQ(label5, shown) << checked.name() << " for " << target;
    }
}

// On a dark list a mark is lightened towards white: a full channel stays full.
TEST(MarkColour, LightensTowardsWhiteKeepingTheHue) {
    const pw::Rgb tone = pw::markColourOn({0, 0, 255}, {0, 0, 0});
    EXPECT_TRUE(tone.b == 255 && tone.r == tone.g);
    EXPECT_GE(pw::contrastRatio(tone, {0, 0, 0}), pw::kReadableContrast);
}

// Contrast of known pairs, as the published WCAG figures give them.
TEST(MarkColour, ContrastOfKnownPairs) {
    EXPECT_EQ(std::lround(pw::contrastRatio({0, 0, 0}, {255, 255, 255}) * 100), 2100);
    EXPECT_EQ(std::lround(pw::contrastRatio({255, 0, 0}, {255, 255, 255}) * 100), 400);
    EXPECT_EQ(std::lround(pw::contrastRatio({0, 0, 255}, {255, 255, 255}) * 100), 859);
}

}  // namespace
