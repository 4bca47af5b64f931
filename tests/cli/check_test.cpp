// patchwright-cli check: exit statuses, the table and JSON output, marks.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli_runner.h"
#include "session/messages.h"

namespace pw::cli::testing {
namespace {

using nlohmann::ordered_json;

struct Sample {
    const char* file;
    const char* root;
};
constexpr Sample kSamples[] = {
    {"surfs_up.rp255p", "RP255Preset"},    {"dual_amp_lead.rp355p", "RP355Preset"},
    {"crunch_time.rp150p", "RP150Preset"}, {"metal_zone.rp250p", "RP250Preset"},
    {"big_verb.rp350p", "RP350Preset"},    {"reverse_dream.rp500p", "RP500Preset"},
    {"pluck_funk.g4p", "Gnx4Preset"},
};
constexpr const char* kTargets[] = {"RP150", "RP250", "RP255", "RP350", "RP355"};

std::size_t countOf(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

class Check : public CliTest {};

TEST_F(Check, TableWithMarkersMatchesGolden) {
    copyCliData("tiny_lead.rp355p");
    const RunResult r = run({"check", "tiny_lead.rp355p", "--target", "rp250"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, readFile(goldenFile("check_tiny_lead_rp250.txt")));
    EXPECT_EQ(r.err, "");
}

TEST_F(Check, JsonMatchesGolden) {
    copyCliData("tiny_lead.rp355p");
    const RunResult r = run({"check", "--json", "tiny_lead.rp355p", "--target=RP250"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(ordered_json::parse(r.out),
              ordered_json::parse(readFile(goldenFile("check_tiny_lead_rp250.json"))));
}

TEST_F(Check, CleanSampleAgainstItsOwnModel) {
    copySample("surfs_up.rp255p");
    const RunResult r = run({"check", "surfs_up.rp255p", "--json"});  // default RP255
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ordered_json::parse(r.out),
              ordered_json::parse(readFile(goldenFile("check_surfs_up.json"))));
}

TEST_F(Check, NoConflictGivesZero) {
    copyCliData("tiny_clean.rp150p");
    for (const char* target : {"RP150", "RP250", "RP255"}) {
        const RunResult r = run({"check", "tiny_clean.rp150p", "--target", target});
        EXPECT_EQ(r.status, 0) << target << "\n" << r.out;
        EXPECT_NE(r.out.find("Number of errors 0\n"), std::string::npos);
        EXPECT_EQ(r.out.find("Marks:"), std::string::npos);
    }
}

// Every sample against every target: the JSON shape, one row per Param element, the
// error count and the exit status agree.
class CheckEverySample : public CliTest, public ::testing::WithParamInterface<Sample> {};

TEST_P(CheckEverySample, AgainstEveryTarget) {
    const Sample& s = GetParam();
    const std::size_t params = countOf(readFile(copySample(s.file)), "<Param>");
    for (const char* target : kTargets) {
        SCOPED_TRACE(std::string(s.file) + " -> " + target);
        const RunResult r = run({"check", s.file, "--target", target, "--json"});
        const auto j = ordered_json::parse(r.out);
        EXPECT_EQ(j["file"], s.file);
        EXPECT_EQ(j["source_root"], s.root);
        EXPECT_EQ(j["target_root"], std::string(target) + "Preset");
        EXPECT_EQ(j["patch_name"], j["original_patch_name"]);
        EXPECT_EQ(j["filtered"], false);
        EXPECT_EQ(j["amp_channel"], false);
        ASSERT_TRUE(j["rows"].is_array());
        EXPECT_EQ(j["rows"].size(), params);
        std::size_t conflicts = 0;
        for (const auto& row : j["rows"]) {
            ASSERT_EQ(row.size(), 6u);
            ASSERT_EQ(row["marks"].size(), 5u);
            for (const auto& m : row["marks"]) {
                EXPECT_TRUE(m == "default" || m == "conflict") << m;
                conflicts += m == "conflict";
            }
        }
        EXPECT_EQ(j["errors"], conflicts);
        EXPECT_EQ(r.status, conflicts > 0 ? 1 : 0);
        EXPECT_EQ(r.err, "");
    }
}

std::string sampleTestName(const ::testing::TestParamInfo<Sample>& param) {
    return fileTestName(param.param.file);
}

INSTANTIATE_TEST_SUITE_P(Samples, CheckEverySample, ::testing::ValuesIn(kSamples), sampleTestName);

TEST_F(Check, Rp35xPresetAgainstRp250) {
    // Amp Channel (Position 7, ID 256) carries four marks in the 25x pass, and the
    // second amp's rows (Position 10) have their Position marked.
    copySample("dual_amp_lead.rp355p");
    const RunResult r = run({"check", "dual_amp_lead.rp355p", "--target", "RP250", "--json"});
    EXPECT_EQ(r.status, 1);
    const auto j = ordered_json::parse(r.out);
    bool sawChannel = false, sawSecondAmp = false;
    for (const auto& row : j["rows"]) {
        if (row["id"] == "256" && row["position"] == "7") {
            sawChannel = true;
            EXPECT_EQ(row["marks"],
                      ordered_json({"conflict", "conflict", "conflict", "conflict", "default"}));
        }
        if (row["position"] == "10") {
            sawSecondAmp = true;
            EXPECT_EQ(row["marks"][3], "conflict");
        }
    }
    EXPECT_TRUE(sawChannel);
    EXPECT_TRUE(sawSecondAmp);
}

TEST_F(Check, MissingFileIsNotLoadable) {
    for (bool json : {false, true}) {
        std::vector<std::string> args = {"check", "no_such.rp255p"};
        if (json) args.push_back("--json");
        const RunResult r = run(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(std::string(text::kNameLoadError)), std::string::npos) << r.err;
    }
}

TEST_F(Check, MalformedDocumentIsNotLoadable) {
    writeFile(dir_ / "broken.rp255p",
              "<?xml version=\"1.0\"?>\n<RP255Preset><Name>Broken</Name><Params>\n");
    const RunResult r = run({"check", "broken.rp255p"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(std::string(text::kNameLoadError)), std::string::npos) << r.err;
}

TEST_F(Check, DoctypeIsNotLoadable) {
    writeFile(dir_ / "entity.rp255p",
              "<?xml version=\"1.0\"?>\n<!DOCTYPE x [<!ENTITY e SYSTEM \"/etc/passwd\">]>\n"
              "<RP255Preset><Name>&e;</Name><Params/></RP255Preset>\n");
    const RunResult r = run({"check", "entity.rp255p", "--json"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
}

TEST_F(Check, MissingParamChildIsNotLoadable) {
    writeFile(dir_ / "short.rp255p",
              "<RP255Preset><Name>Short</Name><Params><Param><ID>64</ID>"
              "<Position>2</Position><Name>Pickup Type</Name><Text>SC</Text></Param>"
              "</Params></RP255Preset>\n");
    const RunResult r = run({"check", "short.rp255p"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(text::parameterMissing("Value")), std::string::npos) << r.err;
}

TEST_F(Check, ControlCharactersInCellsAreShownAsEscapes) {
    writeFile(dir_ / "tab.rp255p",
              "<RP255Preset><Name>Tab</Name><Params><Param><ID>64</ID><Position>2</Position>"
              "<Value>65</Value><Name>Pickup&#9;Type</Name><Text>a&#10;b</Text></Param>"
              "</Params></RP255Preset>\n");
    const RunResult r = run({"check", "tab.rp255p"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Pickup\\tType  a\\nb"), std::string::npos) << r.out;
    const auto j = ordered_json::parse(run({"check", "tab.rp255p", "--json"}).out);
    EXPECT_EQ(j["rows"][0]["name"], "Pickup\tType");
    EXPECT_EQ(j["rows"][0]["setting"], "a\nb");
}

TEST_F(Check, ColourOnATerminal) {
    copyCliData("tiny_lead.rp355p");
    const std::vector<std::string> args = {"check", "tiny_lead.rp355p", "--target", "rp250"};
    const RunResult coloured = runCliOnTerminal(args, dir_);
    EXPECT_EQ(coloured.status, 1);
    EXPECT_NE(coloured.out.find("\x1b[31mAmp Channel\x1b[0m"), std::string::npos) << coloured.out;
    EXPECT_EQ(coloured.out.find("Amp Channel!"), std::string::npos);

    const RunResult emptyNoColour = runCliOnTerminal(args, dir_, {"NO_COLOR="});
    EXPECT_NE(emptyNoColour.out.find("\x1b[31m"), std::string::npos);

    const RunResult plain = runCliOnTerminal(args, dir_, {"NO_COLOR=1"});
    EXPECT_EQ(plain.status, 1);
    EXPECT_EQ(plain.out.find('\x1b'), std::string::npos);
    EXPECT_NE(plain.out.find("Amp Channel!"), std::string::npos) << plain.out;
}

TEST_F(Check, NoColourWhenPiped) {
    copyCliData("tiny_lead.rp355p");
    const RunResult r = run({"check", "tiny_lead.rp355p", "--target", "rp250"});
    EXPECT_EQ(r.out.find('\x1b'), std::string::npos);
}

}  // namespace
}  // namespace pw::cli::testing
