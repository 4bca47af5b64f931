// patchwright-cli's commands run as a user would run them: one row per behaviour, with
// the exit status, what it printed and the files it left.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "cli_runner.h"

namespace pw::cli::testing {
namespace {

struct Case {
    const char* what;
    // Set-up, one per entry: "cli:F" copies tests/cli/data/F, "data:F" tests/data/F,
    // "dir:D" makes a folder, "keep:F" writes "keep me" to F.
    std::vector<std::string> setup;
    std::vector<std::string> args;
    int status;
    std::string out;  // "golden:F" for a golden file, "~T" when it must hold T, "*" for any
    std::vector<std::pair<std::string, std::string>> files = {};  // file, "golden:F" or bytes
    std::string err = "*";                                        // as `out`
};

const Case kCases[] = {
    {"check text table with marks",
     {"cli:tiny_lead.rp355p"},
     {"check", "tiny_lead.rp355p", "--target", "rp250"},
     1,
     "golden:check_tiny_lead_rp250.txt",
     {},
     ""},
    {"check json",
     {"cli:tiny_lead.rp355p"},
     {"check", "--json", "tiny_lead.rp355p", "--target=RP250"},
     1,
     "golden:check_tiny_lead_rp250.json",
     {},
     ""},
    {"check without conflicts",
     {"cli:tiny_clean.rp150p"},
     {"check", "tiny_clean.rp150p", "--target", "RP255"},
     0,
     "~Number of errors 0\n"},
    {"check of a missing file", {}, {"check", "missing.rp250p"}, 2, "", {}},
    {"check of a malformed file",
     {"data:reader/bad/doctype.xml"},
     {"check", "doctype.xml"},
     2,
     "",
     {}},
    {"filter keeps going with conflicts",
     {"data:dual_amp_lead.rp355p"},
     {"filter", "dual_amp_lead.rp355p", "--target", "rp250", "--amp", "B", "--json"},
     0,
     "~\"patch_name\": \"Dual_B\""},
    {"amp for a small model is refused",
     {"cli:tiny_clean.rp150p"},
     {"filter", "tiny_clean.rp150p", "--target", "rp250", "--amp", "A"},
     3,
     "",
     {},
     "This is only supported for *Down* Filtering RP35x Patches\n"},
    {"convert down with amp channel",
     {"cli:tiny_lead.rp355p"},
     {"convert", "tiny_lead.rp355p", "--target", "rp250", "--amp", "A"},
     0,
     "Converted 1, refused 0, failed 0\n",
     {{"Tiny_A.rp250p", "golden:Tiny_A.rp250p"}}},
    {"convert up into a folder",
     {"cli:tiny_clean.rp150p", "dir:out"},
     {"convert", "tiny_clean.rp150p", "--target", "rp250", "--out", "out", "--amp", "B"},
     0,
     "Converted 1, refused 0, failed 0\n",
     {{"out/Tiny Clean.rp250p", "~<RP250Preset"}}},
    {"convert with a refused name",
     {"cli:tiny_clean.rp150p"},
     {"convert", "tiny_clean.rp150p", "--target", "rp250", "--name", "a/b"},
     3,
     "Converted 0, refused 1, failed 0\n"},
    {"convert of two channels without amp",
     {"cli:tiny_lead.rp355p"},
     {"convert", "tiny_lead.rp355p", "--target", "rp250"},
     3,
     "*"},
    {"convert keeps an existing file",
     {"cli:tiny_lead.rp355p", "keep:Tiny_A.rp250p"},
     {"convert", "tiny_lead.rp355p", "--target", "rp250", "--amp", "A"},
     3,
     "Converted 0, refused 1, failed 0\n",
     {{"Tiny_A.rp250p", "keep me\r\n"}}},
    {"convert replaces it with --overwrite",
     {"cli:tiny_lead.rp355p", "keep:Tiny_A.rp250p"},
     {"convert", "tiny_lead.rp355p", "--target", "rp250", "--amp", "A", "--overwrite"},
     0,
     "*",
     {{"Tiny_A.rp250p", "golden:Tiny_A.rp250p"}}},
    {"convert that cannot write",
     {"cli:tiny_lead.rp355p", "dir:Tiny_A.rp250p"},
     {"convert", "tiny_lead.rp355p", "--target", "rp250", "--amp", "A", "--overwrite"},
     73,
     "Converted 0, refused 0, failed 1\n",
     {},
     "~Tiny_A.rp250p"},
    {"convert of several files, highest status wins",
     {"cli:tiny_lead.rp355p", "cli:tiny_clean.rp150p", "data:reverse_dream.rp500p", "dir:out"},
     {"convert", "tiny_lead.rp355p", "reverse_dream.rp500p", "missing.rp250p", "tiny_clean.rp150p",
      "--target", "rp250", "--amp", "A", "--out", "out"},
     3,
     "Converted 2, refused 1, failed 1\n",
     {{"out/Tiny_A.rp250p", "golden:Tiny_A.rp250p"}},
     "~reverse_dream.rp500p: not converted: RP500Preset presets are view only"},
    {"convert of a missing file only",
     {},
     {"convert", "missing.rp250p", "--target", "rp250"},
     2,
     "*"},
    {"convert needs an existing folder",
     {"cli:tiny_clean.rp150p"},
     {"convert", "tiny_clean.rp150p", "--target", "rp250", "--out", "nope"},
     64,
     ""},
    {"export user text",
     {"cli:tiny_clean.rp150p"},
     {"export", "tiny_clean.rp150p", "--user"},
     0,
     "",
     {{"tiny_clean.rp150p.txt", "golden:tiny_clean_user.txt"}}},
    {"export complete text",
     {"cli:tiny_clean.rp150p"},
     {"export", "--complete", "tiny_clean.rp150p", "--target", "RP255"},
     0,
     "",
     {{"tiny_clean.rp150p.txt", "golden:tiny_clean_complete.txt"}}},
    {"export keeps an existing file",
     {"cli:tiny_clean.rp150p", "keep:tiny_clean.rp150p.txt"},
     {"export", "tiny_clean.rp150p", "--user"},
     3,
     "",
     {{"tiny_clean.rp150p.txt", "keep me\r\n"}}},
    {"export of a view-only preset",
     {"data:reverse_dream.rp500p"},
     {"export", "reverse_dream.rp500p", "--user", "--target", "rp350"},
     0,
     "",
     {{"reverse_dream.rp500p.txt", "~Patch Name: RP500Preset  Reverse Dream\r\n"}}},
    {"export of a missing file", {}, {"export", "missing.rp255p", "--user"}, 2, ""},
};

void expectText(const std::string& actual, const std::string& expected, const char* what) {
    if (expected == "*") return;
    if (expected.rfind("golden:", 0) == 0)
        EXPECT_EQ(actual, readFile(goldenFile(expected.substr(7)))) << what;
    else if (!expected.empty() && expected[0] == '~')
        EXPECT_NE(actual.find(expected.substr(1)), std::string::npos) << what << "\n" << actual;
    else
        EXPECT_EQ(actual, expected) << what;
}

class Command : public CliTest, public ::testing::WithParamInterface<Case> {};

TEST_P(Command, ExitsPrintsAndWritesAsExpected) {
    const Case& c = GetParam();
    for (const std::string& step : c.setup) {
        const std::string arg = step.substr(step.find(':') + 1);
        if (step.rfind("cli:", 0) == 0) copyCliData(arg);
        if (step.rfind("data:", 0) == 0)
            fs::copy_file(sampleFile(arg), dir_ / fs::path(arg).filename());
        if (step.rfind("dir:", 0) == 0) fs::create_directory(dir_ / arg);
        if (step.rfind("keep:", 0) == 0) writeFile(dir_ / arg, "keep me\r\n");
    }
    const RunResult r = run(c.args);
    EXPECT_EQ(r.status, c.status) << c.what << "\n" << r.err;
    expectText(r.out, c.out, c.what);
    expectText(r.err, c.err, c.what);
    for (const auto& [file, expected] : c.files)
        expectText(readFile(dir_ / file), expected, c.what);
}

INSTANTIATE_TEST_SUITE_P(Table, Command, ::testing::ValuesIn(kCases), [](const auto& p) {
    std::string name;
    for (char ch : std::string(p.param.what))
        name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    return name;
});

class OnATerminal : public CliTest {};

TEST_F(OnATerminal, ColourUnlessNoColourIsSetAndProgressLines) {
    copyCliData("tiny_lead.rp355p");
    const std::vector<std::string> args = {"check", "tiny_lead.rp355p", "--target", "rp250"};
    const RunResult coloured = runCliOnTerminal(args, dir_, {"NO_COLOR="});
    EXPECT_NE(coloured.out.find("\x1b[31mAmp Channel\x1b[0m"), std::string::npos) << coloured.out;
    const RunResult plain = runCliOnTerminal(args, dir_, {"NO_COLOR=1"});
    EXPECT_EQ(plain.out.find('\x1b'), std::string::npos);
    EXPECT_NE(plain.out.find("Amp Channel!"), std::string::npos) << plain.out;

    copyCliData("tiny_clean.rp150p");
    const RunResult r = runCliOnTerminal(
        {"convert", "tiny_clean.rp150p", "tiny_lead.rp355p", "--target", "rp150", "--amp", "A"},
        dir_);
    EXPECT_NE(r.out.find("[2/2] tiny_lead.rp355p"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace pw::cli::testing
