// patchwright-cli export: the two text exports and the overwrite question.

#include <gtest/gtest.h>

#include "cli_runner.h"
#include "session/messages.h"

namespace pw::cli::testing {
namespace {

bool contains(const std::string& text, const std::string& what) {
    return text.find(what) != std::string::npos;
}

class Export : public CliTest {};

TEST_F(Export, UserTextMatchesGolden) {
    copyCliData("tiny_clean.rp150p");
    const RunResult r = run({"export", "tiny_clean.rp150p", "--user"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readFile(dir_ / "tiny_clean.rp150p.txt"),
              readFile(goldenFile("tiny_clean_user.txt")));
    EXPECT_EQ(r.err, std::string(text::kSavedTo) + "tiny_clean.rp150p.txt\n");
    EXPECT_EQ(r.out, "");
}

TEST_F(Export, CompleteTextMatchesGolden) {
    copyCliData("tiny_clean.rp150p");
    const RunResult r = run({"export", "--complete", "tiny_clean.rp150p", "--target", "RP255"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readFile(dir_ / "tiny_clean.rp150p.txt"),
              readFile(goldenFile("tiny_clean_complete.txt")));
}

TEST_F(Export, ExistingTextIsReplacedOnlyWithOverwrite) {
    copyCliData("tiny_clean.rp150p");
    ASSERT_EQ(run({"export", "tiny_clean.rp150p", "--user"}).status, 0);
    const RunResult r = run({"export", "tiny_clean.rp150p", "--complete"});
    EXPECT_EQ(r.status, 3);
    EXPECT_TRUE(
        contains(r.err, "tiny_clean.rp150p.txt" + std::string(text::kAlreadyExists) + " [No]"))
        << r.err;
    EXPECT_TRUE(contains(r.err, std::string(text::kSavingCanceled)));
    EXPECT_EQ(readFile(dir_ / "tiny_clean.rp150p.txt"),
              readFile(goldenFile("tiny_clean_user.txt")));

    const RunResult again = run({"export", "tiny_clean.rp150p", "--complete", "--overwrite"});
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(readFile(dir_ / "tiny_clean.rp150p.txt"),
              readFile(goldenFile("tiny_clean_complete.txt")));
}

TEST_F(Export, ViewOnlyPresetsCanBeExported) {
    copySample("reverse_dream.rp500p");
    const RunResult r = run({"export", "reverse_dream.rp500p", "--user", "--target", "rp350"});
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string t = readFile(dir_ / "reverse_dream.rp500p.txt");
    EXPECT_EQ(t.rfind("Patch Name: RP500Preset  Reverse Dream\r\n\r\n", 0), 0u) << t;
}

TEST_F(Export, NotLoadable) {
    const RunResult r = run({"export", "missing.rp255p", "--user"});
    EXPECT_EQ(r.status, 2);
    EXPECT_FALSE(fs::exists(dir_ / "missing.rp255p.txt"));
}

TEST_F(Export, WriteFailure) {
    copyCliData("tiny_clean.rp150p");
    fs::create_directory(dir_ / "tiny_clean.rp150p.txt");
    const RunResult r = run({"export", "tiny_clean.rp150p", "--user", "--overwrite"});
    EXPECT_EQ(r.status, 73);
    EXPECT_TRUE(contains(r.err, text::couldNotWrite("tiny_clean.rp150p.txt"))) << r.err;
    EXPECT_TRUE(fs::is_directory(dir_ / "tiny_clean.rp150p.txt"));
}

}  // namespace
}  // namespace pw::cli::testing
