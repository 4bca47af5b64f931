// SPDX-License-Identifier: GPL-3.0-or-later
// patchwright-cli's commands run as a user would run them: the rows of commands.tsv, each
// with the exit status, what it printed and the files it left.

#include <sys/stat.h>

#include <cstdlib>
#include <utility>

#include "../support/archive_maker.h"
#include "../support/text_table.h"
#include "cli_runner.h"

namespace pw::cli::testing {
namespace {

using pwtest::unescaped;

// One row of commands.tsv.
struct Case {
    std::string what;
    std::vector<std::string> setup, args;
    int status = 0;
    std::string out;
    std::vector<std::pair<std::string, std::string>> files;
    std::string err;
    friend void PrintTo(const Case& c, std::ostream* os) { *os << c.what; }
};

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string item; std::getline(in, item, separator);)
        if (!item.empty()) out.push_back(item);
    return out;
}

std::vector<Case> cases() {
    std::vector<Case> out;
    for (const auto& f : pwtest::tsvFile(fs::path(PW_CLI_DATA_DIR) / ".." / "commands.tsv", 7)) {
        Case c{f[0], split(f[1], ' '), split(f[2], ' '), std::stoi(f[3]), unescaped(f[4]),
               {},   unescaped(f[6])};
        for (std::string& arg : c.args)
            arg = arg == "''" ? "" : unescaped(arg);
        for (const std::string& file : split(f[5], '|'))
            c.files.emplace_back(file.substr(0, file.find('=')),
                                 unescaped(file.substr(file.find('=') + 1)));
        out.push_back(c);
    }
    return out;
}

void expectText(const std::string& actual, const std::string& expected, const std::string& what) {
    if (expected == "*") return;
    if (expected.rfind("data:", 0) == 0)
        EXPECT_EQ(actual, readFile(sampleFile(expected.substr(5)))) << what;
    else if (expected.rfind("golden:", 0) == 0)
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
        if (step.rfind("data:", 0) == 0) copyIn(sampleFile(arg));
        if (step.rfind("dir:", 0) == 0) fs::create_directory(dir_ / arg);
        if (step.rfind("keep:", 0) == 0) writeFile(dir_ / arg, "keep me\r\n");
        if (step.rfind("golden:", 0) == 0) fs::copy_file(goldenFile(arg), dir_ / arg);
        if (step.rfind("as:", 0) == 0)  // as:F=NAME copies tests/cli/data/F to NAME
            fs::copy_file(cliDataFile(arg.substr(0, arg.find('='))),
                          dir_ / unescaped(arg.substr(arg.find('=') + 1)));
        if (step.rfind("fifo:", 0) == 0) {
            ASSERT_EQ(::mkfifo((dir_ / arg).c_str(), 0644), 0);
        }
    }
    const RunResult r = run(c.args);
    EXPECT_EQ(r.status, c.status) << c.what << "\n" << r.err;
    expectText(r.out, c.out, c.what);
    expectText(r.err, c.err, c.what);
    for (const auto& [file, expected] : c.files)
        expectText(readFile(dir_ / file), expected, c.what);
}

INSTANTIATE_TEST_SUITE_P(Table, Command, ::testing::ValuesIn(cases()),
                         [](const auto& p) { return pwtest::testName(p.param.what); });

class Reports : public CliTest {};

// What is not a preset has a line and a place in the report; links are followed as scan
// follows them, and a member that stays inside its pack is read
// (tests/cli/golden/convert_not_a_preset.json).
TEST_F(Reports, ConvertReportsWhatIsNotAPreset) {
    const std::string clean = readFile(cliDataFile("tiny_clean.rp150p"));
    fs::create_directories(dir_ / "in");
    pwtest::makeArchive(dir_ / "in" / "odd.zip",
                        {{"../x.rp150p", clean}, {"a/../inside.rp150p", clean}});
    writeFile(dir_ / "in" / "cut.zip", "PK\x03\x04 cut short");
    fs::create_directories(dir_ / "real");
    fs::copy_file(cliDataFile("tiny_lead.rp355p"), dir_ / "real" / "linked.rp355p");
    fs::create_directory_symlink("../real", dir_ / "in" / "sub");
    std::vector<std::string> args = {"convert", "in", "--target",  "rp250",
                                     "--amp",   "A",  "--dry-run", "--json"};
    const RunResult r = run(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, readFile(goldenFile("convert_not_a_preset.json")));
    args.pop_back();  // the same run, told as text
    const RunResult text = run(args);
    EXPECT_NE(text.err.find("patchwright-cli: in/cut.zip: broken archive"), std::string::npos);
    EXPECT_NE(text.out.find(", 2 problems\n"), std::string::npos) << text.out;
}

TEST_F(Reports, AFailedStandardOutputFailsTheRun) {
    copyCliData("tiny_lead.rp355p");
    const std::string cli = PW_CLI_PATH;
    // A closed pipe: the reader has gone before the program starts writing.
    for (const std::string redirect : {" > /dev/full", " | true"}) {
        const std::string command = "cd '" + dir_.string() + "' && (sleep 0.5; exec '" + cli +
                                    "' check tiny_lead.rp355p tiny_lead.rp355p 2> err.txt)" +
                                    redirect + "; echo $? > status.txt";
        writeFile(dir_ / "run.sh", command);
        ASSERT_EQ(std::system(("bash -o pipefail '" + (dir_ / "run.sh").string() + "'").c_str()),
                  0);
        EXPECT_EQ(readFile(dir_ / "status.txt"), "74\n") << redirect;
        EXPECT_NE(readFile(dir_ / "err.txt").find("patchwright-cli: standard output: "),
                  std::string::npos);
    }
}

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
