// SPDX-License-Identifier: GPL-3.0-or-later
// patchwright-cli diff: a preset against itself, and samples against their conversions,
// whose differences must be what Filter Patch and Amp A marked and removed.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli_runner.h"

namespace pw::cli::testing {
namespace {

using nlohmann::ordered_json;

class Diff : public CliTest {};

TEST_F(Diff, APresetEqualsItself) {
    for (const char* sample : {"surfs_up.rp255p", "dual_amp_lead.rp355p", "pluck_funk.g4p"}) {
        copySample(sample);
        const RunResult r = run({"diff", sample, sample, "--json"});
        EXPECT_EQ(r.status, 0) << sample << r.err;
        EXPECT_TRUE(ordered_json::parse(r.out)["equal"].get<bool>()) << sample;
    }
    EXPECT_EQ(run({"diff", "surfs_up.rp255p", "missing.rp255p"}).status, 2);
}

// A row whose Name alone differs is a changed row, shown "old -> new" in the table.
TEST_F(Diff, ARenamedRowIsADifference) {
    std::string renamed = readFile(copyCliData("tiny_clean.rp150p"));
    const std::size_t at = renamed.find("<Name>", renamed.find("<Param>"));
    renamed.insert(at + 6, "My ");
    writeFile(dir_ / "renamed.rp150p", renamed);
    const auto j =
        ordered_json::parse(run({"diff", "tiny_clean.rp150p", "renamed.rp150p", "--json"}).out);
    ASSERT_EQ(j["rows"].size(), 1u);
    EXPECT_EQ(j["rows"][0]["change"], "changed");
    EXPECT_EQ(j["rows"][0]["differs"], ordered_json::array({"name"}));
    const RunResult t = run({"diff", "tiny_clean.rp150p", "renamed.rp150p"});
    EXPECT_EQ(t.status, 1);
    EXPECT_NE(t.out.find(" -> My "), std::string::npos) << t.out;
}

TEST_F(Diff, TableOfAConversionMatchesGolden) {
    copyCliData("tiny_lead.rp355p");
    run({"convert", "tiny_lead.rp355p", "--target", "RP250", "--amp", "A"});
    const RunResult r = run({"diff", "tiny_lead.rp355p", "Tiny_A.rp250p", "--target", "RP250"});
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(r.out, readFile(goldenFile("diff_tiny_lead_rp250.txt")));
    const RunResult j =
        run({"diff", "tiny_lead.rp355p", "Tiny_A.rp250p", "--target", "RP250", "--json"});
    EXPECT_EQ(ordered_json::parse(j.out),
              ordered_json::parse(readFile(goldenFile("diff_tiny_lead_rp250.json"))));
}

// Rows the filter inserted (Name marked) are only in the conversion, rows it removed
// only in the sample, rows with a marked Setting, Position or Value changed.
TEST_F(Diff, ConversionsDifferByWhatTheFilterDid) {
    struct Conversion {
        const char* file;
        const char* target;
        const char* saved;
    };
    for (const Conversion& c : {Conversion{"surfs_up.rp255p", "RP150", "Surf's Up.rp150p"},
                                Conversion{"crunch_time.rp150p", "RP355", "Crunch Time.rp355p"},
                                Conversion{"metal_zone.rp250p", "RP355", "Metal Zone.rp355p"}}) {
        SCOPED_TRACE(c.file);
        copySample(c.file);
        ASSERT_EQ(run({"convert", c.file, "--target", c.target}).status, 0);
        const auto before =
            ordered_json::parse(run({"check", c.file, "--json"}).out)["files"][0]["rows"];
        const auto filtered = ordered_json::parse(
            run({"filter", c.file, "--target", c.target, "--json"}).out)["rows"];
        std::size_t inserted = 0, changed = 0;
        for (const auto& row : filtered) {
            const auto& m = row["marks"];
            inserted += m[0] == "change";
            changed +=
                m[0] != "change" && (m[1] == "change" || m[3] == "change" || m[4] == "change");
        }
        const auto d =
            ordered_json::parse(run({"diff", c.file, c.saved, "--target", c.target, "--json"}).out);
        EXPECT_EQ(d["only_in_b"], inserted);
        EXPECT_EQ(d["only_in_a"], before.size() - (filtered.size() - inserted));
        EXPECT_EQ(d["changed"], changed);
    }
}

}  // namespace
}  // namespace pw::cli::testing
