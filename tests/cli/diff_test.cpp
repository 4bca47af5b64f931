// SPDX-License-Identifier: GPL-3.0-or-later
// patchwright-cli diff of samples against their conversions, whose differences must be
// what Filter Patch marked and removed (the rows of commands.tsv run the other diffs).

#include <array>
#include <nlohmann/json.hpp>

#include "cli_runner.h"

namespace pw::cli::testing {
namespace {

using nlohmann::ordered_json;

class Diff : public CliTest {};

// Rows the filter inserted (Name marked) are only in the conversion, rows it removed
// only in the sample, rows with a marked Setting, Position or Value changed.
TEST_F(Diff, ConversionsDifferByWhatTheFilterDid) {
    // A sample, the target it is converted for, and the file the conversion saves.
    for (const auto& [file, target, saved] :
         {std::array{"surfs_up.rp255p", "RP150", "Surf's Up.rp150p"},
          std::array{"crunch_time.rp150p", "RP355", "Crunch Time.rp355p"},
          std::array{"metal_zone.rp250p", "RP355", "Metal Zone.rp355p"}}) {
        SCOPED_TRACE(file);
        copySample(file);
        ASSERT_EQ(run({"convert", file, "--target", target}).status, 0);
        const auto before =
            ordered_json::parse(run({"check", file, "--json"}).out)["files"][0]["rows"];
        const auto filtered =
            ordered_json::parse(run({"filter", file, "--target", target, "--json"}).out)["rows"];
        std::size_t inserted = 0, changed = 0;
        for (const auto& row : filtered) {
            const auto& m = row["marks"];
            inserted += m[0] == "change";
            changed +=
                m[0] != "change" && (m[1] == "change" || m[3] == "change" || m[4] == "change");
        }
        const auto d =
            ordered_json::parse(run({"diff", file, saved, "--target", target, "--json"}).out);
        EXPECT_EQ(d["only_in_b"], inserted);
        EXPECT_EQ(d["only_in_a"], before.size() - (filtered.size() - inserted));
        EXPECT_EQ(d["changed"], changed);
    }
}

}  // namespace
}  // namespace pw::cli::testing
