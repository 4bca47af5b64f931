// SPDX-License-Identifier: GPL-3.0-or-later
// Pairing the rows of two patches: each row of B pairs with one row of A at most.

#include "params/patch_diff.h"
#include "test_support.h"

namespace {

using pwtest::row;

// A parameter at two positions in A and one in B: the row at B's position pairs with it,
// and the other is A's alone, not paired a second time with the same row of B.
TEST(PatchDiff, ARowOfBPairsOnce) {
    pw::ParamList a, b;
    a.append(row("Amp Type", "311", "2496", "8", "311"));
    a.append(row("Amp Type", "312", "2496", "9", "312"));
    b.append(row("Amp Type", "311", "2496", "8", "311"));
    const pw::PatchDiff diff = pw::diffPatches("a", a, "b", b);
    ASSERT_EQ(diff.rows.size(), 1u);
    EXPECT_TRUE(diff.rows[0].kind == pw::DiffKind::OnlyInA && diff.rows[0].rowA == 2);
}

}  // namespace
