// SPDX-License-Identifier: GPL-3.0-or-later
// The substitution table of Resolve Conflicts against the check tables (what Resolve
// does to a patch is in the resolve_* scenario folders).

#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "catalogue/substitutions.h"
#include "document/targets.h"
#include "filter/resolve.h"
#include "models/family_lists.h"
#include "test_support.h"

namespace {

using pw::catalogue::Block;
using pw::document::Target;

std::vector<const Target*> targets() {
    std::vector<const Target*> out;
    for (const Target& t : pw::document::kTargets)
        if (t.selectable) out.push_back(&t);
    return out;
}

// Every model number some target knows in a block: the catalogue's, and what the
// larger models' tables know besides.
std::set<std::int64_t> candidates(const Block& block) {
    std::set<std::int64_t> out;
    if (block.onlyAtPosition19) {
        for (const auto& item : pw::models::lists355::pedalValues)
            for (std::int64_t v = item.first; v <= item.last; ++v)
                out.insert(v);
    } else {
        for (std::int64_t v = 0; v < 2048; ++v)
            out.insert(v);
    }
    for (const auto& entry : block.entries)
        out.insert(entry.value);
    std::erase_if(out, [&](std::int64_t v) {
        for (const Target* t : targets())
            if (pw::filter::targetKnowsModel(block, static_cast<double>(v), *t)) return false;
        return true;
    });
    return out;
}

TEST(SubstitutionTable, EveryLineReplacesAnUnknownModelWithAKnownOne) {
    for (const auto& line : pw::catalogue::substitutions()) {
        const std::string what = std::string(line.block) + " " + std::to_string(line.replaced);
        const Block* block = nullptr;
        for (const Block& b : pw::catalogue::blocks())
            if (b.title == line.block) block = &b;
        ASSERT_NE(block, nullptr) << what;
        const auto* entry = pw::catalogue::substituteEntry(line);
        ASSERT_NE(entry, nullptr) << what << " " << line.substitute;
        EXPECT_FALSE(line.reason.empty()) << what;
        std::istringstream captions{std::string(line.targets)};
        for (std::string caption; captions >> caption;) {
            const Target* t = pw::document::targetByCaption(caption);
            ASSERT_TRUE(t && t->selectable) << what << " " << caption;
            EXPECT_TRUE(pw::filter::targetKnowsModel(*block, entry->value, *t)) << what << caption;
            EXPECT_FALSE(pw::filter::targetKnowsModel(*block, line.replaced, *t))
                << what << caption;
            EXPECT_EQ(pw::catalogue::substitutionFor(*block, line.replaced, caption), &line)
                << what << " " << caption << ": one line per model and target";
        }
    }
}

TEST(SubstitutionTable, EveryModelATargetLacksHasASubstituteThere) {
    std::size_t lacking = 0;
    for (const Block& block : pw::catalogue::blocks()) {
        for (std::int64_t value : candidates(block)) {
            for (const Target* t : targets()) {
                if (pw::filter::targetKnowsModel(block, static_cast<double>(value), *t)) continue;
                ++lacking;
                EXPECT_NE(
                    pw::catalogue::substitutionFor(block, static_cast<double>(value), t->caption),
                    nullptr)
                    << block.title << " " << value << " for " << t->caption;
            }
        }
    }
    EXPECT_GT(lacking, 0u);
}

// The table line by line as it was reviewed (tests/data/substitutions.tsv), so that a
// swapped substitute or a mistyped reason does not go unnoticed.
TEST(SubstitutionTable, IsTheReviewedTable) {
    const auto rows = pwtest::tsv("substitutions.tsv");
    const auto table = pw::catalogue::substitutions();
    ASSERT_EQ(rows.size(), table.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto& l = table[i];
        EXPECT_EQ(rows[i],
                  (std::vector<std::string>{std::string(l.block), std::to_string(l.replaced),
                                            std::string(l.targets), std::string(l.substitute),
                                            std::string(l.reason)}))
            << "line " << i + 1;
    }
}

}  // namespace
