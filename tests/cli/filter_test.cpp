// patchwright-cli filter: the recipe and amp clicks, their marks and exit statuses.

#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <set>

#include "cli_runner.h"
#include "session/messages.h"

namespace pw::cli::testing {
namespace {

using nlohmann::ordered_json;

class Filter : public CliTest {};

TEST_F(Filter, DownFilterWithAmpAMatchesGolden) {
    copyCliData("tiny_lead.rp355p");
    const RunResult r =
        run({"filter", "tiny_lead.rp355p", "--target", "rp250", "--amp", "a", "--json"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ordered_json::parse(r.out),
              ordered_json::parse(readFile(goldenFile("filter_tiny_lead_rp250_amp_a.json"))));
    EXPECT_EQ(r.err, "");
}

TEST_F(Filter, PedalRowsInsertedMatchGolden) {
    copyCliData("tiny_clean.rp150p");
    const RunResult r = run({"filter", "tiny_clean.rp150p", "--target", "RP250"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, readFile(goldenFile("filter_tiny_clean_rp250.txt")));
}

TEST_F(Filter, ExitZeroAlthoughConflictsRemain) {
    copySample("dual_amp_lead.rp355p");
    const RunResult r =
        run({"filter", "dual_amp_lead.rp355p", "--target", "rp250", "--amp", "B", "--json"});
    EXPECT_EQ(r.status, 0);
    const auto j = ordered_json::parse(r.out);
    EXPECT_GT(j["errors"].get<int>(), 0);
    EXPECT_EQ(j["filtered"], true);
    EXPECT_EQ(j["amp_channel"], true);
    EXPECT_EQ(j["patch_name"], "Dual_B");
    for (const auto& row : j["rows"]) {
        const std::string name = row["name"];
        EXPECT_EQ(name.find("Amp A "), std::string::npos);
        EXPECT_EQ(name.find("Cab A "), std::string::npos);
        EXPECT_NE(row["position"], "22");
        EXPECT_NE(row["position"], "26");
        EXPECT_NE(row["id"], "256");
    }
}

TEST_F(Filter, RefusedAmpClickPrintsNoList) {
    copyCliData("tiny_clean.rp150p");
    for (bool json : {false, true}) {
        std::vector<std::string> args = {
            "filter", "tiny_clean.rp150p", "--target", "rp250", "--amp", "A"};
        if (json) args.push_back("--json");
        const RunResult r = run(args);
        EXPECT_EQ(r.status, 3);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, std::string(text::kAmpOnlyForBigModels) + "\n");
    }
}

TEST_F(Filter, AmpClickWithoutSourceRootDoesNothing) {
    writeFile(dir_ / "plain.xml",
              "<Patch><Name>Plain</Name><Params><Param><ID>64</ID><Position>2</Position>"
              "<Value>65</Value><Name>Amp B Gain</Name><Text>SC</Text></Param></Params>"
              "</Patch>\n");
    const RunResult r = run({"filter", "plain.xml", "--target", "rp250", "--amp", "A", "--json"});
    EXPECT_EQ(r.status, 0) << r.err;
    const auto j = ordered_json::parse(r.out);
    EXPECT_EQ(j["source_root"], "");
    EXPECT_EQ(j["amp_channel"], false);
    EXPECT_EQ(j["patch_name"], "Plain");
    EXPECT_EQ(j["rows"].size(), 1u);
}

TEST_F(Filter, Rp500ToRp350RemovesOnlyTheNineIds) {
    copySample("reverse_dream.rp500p");
    const auto before = ordered_json::parse(
        run({"check", "reverse_dream.rp500p", "--target", "rp350", "--json"}).out);
    const RunResult r = run({"filter", "reverse_dream.rp500p", "--target", "rp350", "--json"});
    EXPECT_EQ(r.status, 0);
    const auto after = ordered_json::parse(r.out);
    const std::set<std::string> removed = {"2507", "2508", "2509", "3213", "3214",
                                           "3215", "3216", "3217", "3218"};
    ordered_json expected = ordered_json::array();
    for (const auto& row : before["rows"])
        if (!removed.count(row["id"].get<std::string>())) expected.push_back(row);
    EXPECT_EQ(after["rows"], expected);
    EXPECT_EQ(after["filtered"], true);
}

class FilterEverySample : public CliTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(FilterEverySample, EveryTargetGivesAList) {
    const char* s = GetParam();
    copySample(s);
    for (const char* target : {"rp150", "rp250", "rp255", "rp350", "rp355"}) {
        SCOPED_TRACE(std::string(s) + " -> " + target);
        const RunResult r = run({"filter", s, "--target", target, "--json"});
        EXPECT_EQ(r.status, 0);
        const auto j = ordered_json::parse(r.out);
        EXPECT_EQ(j["filtered"], true);
        std::size_t conflicts = 0;
        for (const auto& row : j["rows"]) {
            ASSERT_EQ(row["marks"].size(), 5u);
            for (const auto& m : row["marks"]) {
                EXPECT_TRUE(m == "default" || m == "conflict" || m == "change");
                conflicts += m == "conflict";
            }
        }
        EXPECT_EQ(j["errors"], conflicts);
    }
}

INSTANTIATE_TEST_SUITE_P(Samples, FilterEverySample,
                         ::testing::Values("surfs_up.rp255p", "dual_amp_lead.rp355p",
                                           "crunch_time.rp150p", "metal_zone.rp250p",
                                           "big_verb.rp350p", "reverse_dream.rp500p",
                                           "pluck_funk.g4p"),
                         [](const ::testing::TestParamInfo<const char*>& param) {
                             return fileTestName(param.param);
                         });

TEST_F(Filter, NotLoadable) {
    const RunResult r = run({"filter", "missing.rp355p", "--target", "rp250", "--amp", "A"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
}

}  // namespace
}  // namespace pw::cli::testing
