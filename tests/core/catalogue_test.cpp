// SPDX-License-Identifier: GPL-3.0-or-later
// The effect model catalogue against its transcription in tests/data: every block's
// controls, prompt and parameter ID, and every entry's name and value in display order.

#include <gtest/gtest.h>

#include "catalogue/effect_catalogue.h"
#include "test_support.h"

namespace pw::catalogue {
namespace {

using pwtest::tsv;

TEST(Catalogue, BlocksMatchTheTranscription) {
    const auto expected = tsv("catalogue_blocks.tsv");
    ASSERT_EQ(blocks().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Block& b = blocks()[i];
        const auto& x = expected[i];
        EXPECT_EQ(b.nameList, x[0]);
        EXPECT_EQ(b.valueList, x[1]);
        EXPECT_EQ(b.prompt, x[2]);
        EXPECT_EQ(b.parameterId, x[3]);
        EXPECT_EQ(b.onlyAtPosition19, x[4] == "19");
        EXPECT_EQ(std::to_string(b.entries.size()), x[5]);
        EXPECT_EQ(b.title, x[6]);
        EXPECT_EQ(blockByList(x[0]), &b);
        EXPECT_EQ(blockOfRow(x[3], x[4] == "-" ? "7" : x[4]), &b);
    }
}

TEST(Catalogue, EntriesMatchTheTranscriptionInOrder) {
    std::vector<std::string> actual;
    for (const Block& b : blocks())
        for (const Entry& e : b.entries)
            actual.push_back(std::string(b.nameList) + "\t" + std::string(e.name) + "\t" +
                             valueText(e));
    std::vector<std::string> expected;
    for (const auto& x : tsv("catalogue.tsv"))
        expected.push_back(x[0] + "\t" + x[1] + "\t" + x[2]);
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(actual[i], expected[i]) << "entry " << i;
}

TEST(Catalogue, BlockOfRowNeedsTheExactIdAndPosition19ForThePedal) {
    EXPECT_EQ(blockOfRow("8194", "18"), nullptr);
    EXPECT_EQ(blockOfRow("02496", "8"), nullptr);
    EXPECT_EQ(blockOfRow("2496 ", "8"), nullptr);
    EXPECT_EQ(blockOfRow("8195", "19"), nullptr);
    EXPECT_EQ(blockByList("cboamp"), nullptr);
}

}  // namespace
}  // namespace pw::catalogue
