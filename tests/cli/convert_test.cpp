// patchwright-cli convert: Save through all its checks, several files, --overwrite.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli_runner.h"
#include "session/messages.h"

namespace pw::cli::testing {
namespace {

using nlohmann::ordered_json;

bool contains(const std::string& text, const std::string& what) {
    return text.find(what) != std::string::npos;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

class Convert : public CliTest {};

TEST_F(Convert, DownConversionWithAmpChannelMatchesGolden) {
    copyCliData("tiny_lead.rp355p");
    const RunResult r = run({"convert", "tiny_lead.rp355p", "--target", "rp250", "--amp", "A"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readFile(dir_ / "Tiny_A.rp250p"), readFile(goldenFile("Tiny_A.rp250p")));
    EXPECT_EQ(r.out, "Converted 1, refused 0, failed 0\n");
    EXPECT_TRUE(contains(r.err, std::string(text::kSaveAsQuestion) + "Tiny_A.rp250p [Yes]"))
        << r.err;
    EXPECT_TRUE(contains(r.err, std::string(text::kSavedTo))) << r.err;
}

TEST_F(Convert, UpConversionMatchesGolden) {
    copyCliData("tiny_clean.rp150p");
    fs::create_directory(dir_ / "out");
    // --amp does not apply to a one-channel source and is ignored.
    const RunResult r =
        run({"convert", "tiny_clean.rp150p", "--target", "rp250", "--out", "out", "--amp", "B"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readFile(dir_ / "out" / "Tiny Clean.rp250p"),
              readFile(goldenFile("Tiny Clean.rp250p")));
    EXPECT_FALSE(fs::exists(dir_ / "Tiny Clean.rp250p"));
}

TEST_F(Convert, NameReplacesThePatchName) {
    copyCliData("tiny_lead.rp355p");
    const RunResult r = run(
        {"convert", "tiny_lead.rp355p", "--target", "rp250", "--amp", "a", "--name", "Lead Tone"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(fs::exists(dir_ / "Tiny_A.rp250p"));
    EXPECT_EQ(readFile(dir_ / "Lead Tone.rp250p"),
              replaced(readFile(goldenFile("Tiny_A.rp250p")), "<Name>Tiny_A</Name>",
                       "<Name>Lead Tone</Name>"));
}

TEST_F(Convert, RefusedName) {
    copyCliData("tiny_clean.rp150p");
    const RunResult r = run({"convert", "tiny_clean.rp150p", "--target", "rp250", "--name", "a/b"});
    EXPECT_EQ(r.status, 3);
    EXPECT_TRUE(contains(r.err, std::string(text::kBadFileName))) << r.err;
    EXPECT_EQ(r.out, "Converted 0, refused 1, failed 0\n");
}

TEST_F(Convert, TwoChannelSourceNeedsAmp) {
    copyCliData("tiny_lead.rp355p");
    const RunResult r = run({"convert", "tiny_lead.rp355p", "--target", "rp250"});
    EXPECT_EQ(r.status, 3);
    EXPECT_TRUE(contains(r.err, "tiny_lead.rp355p: " + std::string(text::kSelectAmpChannel)))
        << r.err;
    EXPECT_FALSE(fs::exists(dir_ / "Tiny Lead.rp250p"));
}

TEST_F(Convert, RemainingConflictsRefuseSave) {
    copySample("dual_amp_lead.rp355p");
    const RunResult r = run({"convert", "dual_amp_lead.rp355p", "--target", "rp250", "--amp", "A"});
    EXPECT_EQ(r.status, 3);
    EXPECT_TRUE(contains(r.err, std::string(text::kTooManyConflicts))) << r.err;
    EXPECT_FALSE(fs::exists(dir_ / "Dual_A.rp250p"));
}

TEST_F(Convert, SameFamilyNeedsNoFilterAndRoundTrips) {
    copySample("metal_zone.rp250p");
    fs::create_directory(dir_ / "a");
    fs::create_directory(dir_ / "b");
    const RunResult first =
        run({"convert", "metal_zone.rp250p", "--target", "rp255", "--out", "a"});
    ASSERT_EQ(first.status, 0) << first.err;
    const fs::path written = dir_ / "a" / "Metal Zone.rp255p";
    ASSERT_TRUE(fs::exists(written));
    // Same rows as the file that was read.
    const auto source =
        ordered_json::parse(run({"check", "metal_zone.rp250p", "--target", "rp255", "--json"}).out);
    const auto saved = ordered_json::parse(
        run({"check", "a/Metal Zone.rp255p", "--target", "rp255", "--json"}).out);
    EXPECT_EQ(saved["rows"], source["rows"]);
    EXPECT_EQ(saved["patch_name"], "Metal Zone");
    // Saving the saved file again reproduces it.
    const RunResult second =
        run({"convert", "a/Metal Zone.rp255p", "--target", "rp255", "--out", "b"});
    ASSERT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(readFile(dir_ / "b" / "Metal Zone.rp255p"), readFile(written));
}

TEST_F(Convert, ExistingFileIsKeptWithoutOverwrite) {
    copyCliData("tiny_lead.rp355p");
    const std::string keep = "keep me\r\n";
    writeFile(dir_ / "Tiny_A.rp250p", keep);
    const RunResult r = run({"convert", "tiny_lead.rp355p", "--target", "rp250", "--amp", "A"});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(readFile(dir_ / "Tiny_A.rp250p"), keep);
    EXPECT_TRUE(contains(r.err, std::string(text::kAlreadyExists) + " [No]")) << r.err;
    EXPECT_TRUE(contains(r.err, std::string(text::kSavingCanceled))) << r.err;
    EXPECT_EQ(r.out, "Converted 0, refused 1, failed 0\n");

    const RunResult again =
        run({"convert", "tiny_lead.rp355p", "--target", "rp250", "--amp", "A", "--overwrite"});
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_TRUE(contains(again.err, std::string(text::kAlreadyExists) + " [Yes]"));
    EXPECT_EQ(readFile(dir_ / "Tiny_A.rp250p"), readFile(goldenFile("Tiny_A.rp250p")));
}

TEST_F(Convert, WriteFailureIsReportedAndLeavesTheOldEntry) {
    copyCliData("tiny_lead.rp355p");
    fs::create_directory(dir_ / "Tiny_A.rp250p");  // a folder where the file should go
    writeFile(dir_ / "Tiny_A.rp250p" / "inside", "x");
    const RunResult r =
        run({"convert", "tiny_lead.rp355p", "--target", "rp250", "--amp", "A", "--overwrite"});
    EXPECT_EQ(r.status, 73);
    EXPECT_TRUE(contains(r.err, text::couldNotWrite((dir_ / "Tiny_A.rp250p").string()))) << r.err;
    EXPECT_FALSE(contains(r.err, std::string(text::kSavedTo)));
    EXPECT_EQ(r.out, "Converted 0, refused 0, failed 1\n");
    EXPECT_TRUE(fs::is_directory(dir_ / "Tiny_A.rp250p"));
    EXPECT_EQ(readFile(dir_ / "Tiny_A.rp250p" / "inside"), "x");
}

TEST_F(Convert, SeveralFilesIncludingViewOnlyAndMissing) {
    copyCliData("tiny_lead.rp355p");
    copyCliData("tiny_clean.rp150p");
    copySample("reverse_dream.rp500p");
    fs::create_directory(dir_ / "out");
    const RunResult r =
        run({"convert", "tiny_lead.rp355p", "reverse_dream.rp500p", "missing.rp250p",
             "tiny_clean.rp150p", "--target", "rp250", "--amp", "A", "--out", "out"});
    EXPECT_EQ(r.status, 3);  // the highest of 0, 3, 2, 0
    EXPECT_EQ(r.out, "Converted 2, refused 1, failed 1\n");
    EXPECT_EQ(readFile(dir_ / "out" / "Tiny_A.rp250p"), readFile(goldenFile("Tiny_A.rp250p")));
    EXPECT_EQ(readFile(dir_ / "out" / "Tiny Clean.rp250p"),
              readFile(goldenFile("Tiny Clean.rp250p")));
    EXPECT_TRUE(contains(r.err,
                         "reverse_dream.rp500p: not converted: RP500Preset presets are "
                         "view only"))
        << r.err;
    EXPECT_TRUE(contains(r.err, "missing.rp250p: " + std::string(text::kNameLoadError)));
    EXPECT_FALSE(contains(r.err, "[1/4]"));  // no progress lines unless on a terminal
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir_ / "out"))
        ++files;
    EXPECT_EQ(files, 2u);
}

TEST_F(Convert, ViewOnlyWithoutKnownModel) {
    copySample("pluck_funk.g4p");
    writeFile(dir_ / "plain.xml", "<Patch><Name>Plain</Name><Params/></Patch>\n");
    const RunResult r = run({"convert", "pluck_funk.g4p", "plain.xml", "--target", "rp350"});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.out, "Converted 0, refused 2, failed 0\n");
    EXPECT_TRUE(contains(r.err, "pluck_funk.g4p: not converted: Gnx4Preset presets are view only"))
        << r.err;
    EXPECT_TRUE(contains(r.err, "plain.xml: not converted: no known preset model")) << r.err;
}

TEST_F(Convert, HighestStatusWins) {
    copySample("reverse_dream.rp500p");
    EXPECT_EQ(run({"convert", "missing.rp250p", "--target", "rp250"}).status, 2);
    EXPECT_EQ(
        run({"convert", "missing.rp250p", "reverse_dream.rp500p", "--target", "rp250"}).status, 3);
    copyCliData("tiny_clean.rp150p");
    fs::create_directory(dir_ / "Tiny Clean.rp250p");
    EXPECT_EQ(run({"convert", "reverse_dream.rp500p", "tiny_clean.rp150p", "--target", "rp250",
                   "--overwrite"})
                  .status,
              73);
}

TEST_F(Convert, ProgressOnATerminal) {
    copyCliData("tiny_clean.rp150p");
    copySample("crunch_time.rp150p");
    const RunResult r = runCliOnTerminal(
        {"convert", "tiny_clean.rp150p", "crunch_time.rp150p", "--target", "rp150"}, dir_);
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(contains(r.out, "[1/2] tiny_clean.rp150p")) << r.out;
    EXPECT_TRUE(contains(r.out, "[2/2] crunch_time.rp150p")) << r.out;
    EXPECT_TRUE(contains(r.out, "Converted 2, refused 0, failed 0"));
}

TEST_F(Convert, OutMustBeAFolder) {
    copyCliData("tiny_clean.rp150p");
    const RunResult r = run({"convert", "tiny_clean.rp150p", "--target", "rp250", "--out", "nope"});
    EXPECT_EQ(r.status, 64);
    EXPECT_EQ(r.out, "");
}

}  // namespace
}  // namespace pw::cli::testing
