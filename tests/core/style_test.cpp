// SPDX-License-Identifier: GPL-3.0-or-later
// A preset's style, on presets whose style a guitarist names at a glance
// (tests/data/styles: each preset, and the style in expected.tsv).

#include <gtest/gtest.h>

#include "catalogue/preset_style.h"
#include "document/preset_document.h"
#include "test_support.h"

namespace {

std::string styleOfFile(const std::string& file) {
    const pw::document::ParseResult parsed =
        pw::document::parsePreset(pwtest::readFile(pwtest::dataFile("styles/" + file)));
    std::vector<pw::catalogue::RowFacts> rows;
    for (const pw::document::ParamElement& p : parsed.document.params)
        if (p.id && p.position && p.value) rows.push_back({*p.id, *p.position, *p.value});
    return pw::catalogue::styleOf(rows);
}

TEST(PresetStyle, IsWhatAGuitaristCallsIt) {
    const auto expected = pwtest::tsv("styles/expected.tsv");
    ASSERT_GE(expected.size(), 10u);
    for (const auto& line : expected)
        EXPECT_EQ(styleOfFile(line.at(0)), line.at(1)) << line.at(0);
}

}  // namespace
