// SPDX-License-Identifier: GPL-3.0-or-later
// The library scenario folders (tests/library): each library scanned as a user would,
// its report compared with the expected one.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "../support/archive_maker.h"
#include "../support/text_table.h"
#include "cli_runner.h"

namespace pw::cli::testing {
namespace {

const fs::path kScenarios = fs::path(PW_CLI_DATA_DIR) / ".." / ".." / "library";

// Packs every folder NAME.zip.d below `root` into NAME.zip, members in name order.
void packFolders(const fs::path& root) {
    std::vector<fs::path> packs;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_directory() && entry.path().extension() == ".d") packs.push_back(entry.path());
    for (const fs::path& folder : packs) {
        std::vector<pwtest::Member> members;
        for (const auto& entry : fs::recursive_directory_iterator(folder))
            if (entry.is_regular_file())
                members.push_back({entry.path().lexically_relative(folder).generic_string(),
                                   readFile(entry.path())});
        std::ranges::sort(members, {}, &pwtest::Member::name);
        pwtest::makeArchive(fs::path(folder).replace_extension(), members);
        fs::remove_all(folder);
    }
}

class Library : public CliTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(Library, ScanPrintsTheExpectedReport) {
    const fs::path scenario = kScenarios / GetParam();
    fs::copy(scenario / "input", dir_ / "input", fs::copy_options::recursive);
    packFolders(dir_ / "input");
    std::vector<std::string> args = {"scan", "input"};
    std::ifstream argsFile(scenario / "args");
    for (std::string line; std::getline(argsFile, line);)
        if (!line.empty()) args.push_back(line);

    const RunResult r = run(args);
    const std::string got = r.out + "exit " + std::to_string(r.status) + "\n";
    if (std::getenv("PW_UPDATE_SCENARIOS")) writeFile(scenario / "expected.txt", got);
    EXPECT_EQ(got, readFile(scenario / "expected.txt"));
}

// Ctrl+C stops a scan, which says so and how much it read. The interrupt waits, blocked,
// for the program to take it.
TEST_F(CliTest, AnInterruptedScanSaysSo) {
    copyCliData("tiny_clean.rp150p");
    const std::string err = (dir_ / "err.txt").string();
    const pid_t child = ::fork();
    if (child == 0) {
        sigset_t set;
        sigemptyset(&set);
        sigaddset(&set, SIGINT);
        ::sigprocmask(SIG_BLOCK, &set, nullptr);
        ::raise(SIGINT);
        if (::chdir(dir_.c_str()) != 0 || !std::freopen(err.c_str(), "w", stderr) ||
            !std::freopen("/dev/null", "w", stdout))
            ::_exit(126);
        ::execl(PW_CLI_PATH, "patchwright-cli", "scan", ".", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 130);
    EXPECT_EQ(readFile(err), "patchwright-cli: cancelled: 0 of 0 read\n");
}

// Each input that yields no preset is a problem line that says why: a pack or a folder
// that cannot be opened (not that it is broken), a broken link, a link back into its own
// folder, a file given by name that is no preset, a file in a folder that may be listed
// but not searched, a pack that is none, a member whose name cannot be read. Root opens anything,
// so as root the program runs as nobody (tests/cli/golden/scan_problems.txt).
TEST_F(CliTest, EachProblemSaysWhy) {
    pwtest::makeArchive(dir_ / "locked.zip",
                        {{"a.rp150p", readFile(cliDataFile("tiny_clean.rp150p"))}});
    fs::permissions(dir_ / "locked.zip", fs::perms::none);
    fs::create_directories(dir_ / "lib" / "shut");
    fs::permissions(dir_ / "lib" / "shut", fs::perms::none);
    fs::create_directories(dir_ / "lib" / "blind");  // listed, but not searched
    writeFile(dir_ / "lib" / "blind" / "a.rp150p", "");
    fs::permissions(dir_ / "lib" / "blind", fs::perms::others_read);
    fs::create_symlink("nowhere.rp250p", dir_ / "lib" / "broken.rp250p");
    fs::create_symlink("..", dir_ / "lib" / "loop");
    writeFile(dir_ / "notes.txt", "not a preset");
    writeFile(dir_ / "noise.zip", std::string(5000, 'x'));
    fs::copy_file(sampleFile("packs/bad_name.zip"), dir_ / "odd.zip");
    const auto searchable = fs::perms::group_exec | fs::perms::others_exec | fs::perms::others_read;
    for (const fs::path& open : {dir_, dir_ / "lib"})
        fs::permissions(open, searchable, fs::perm_options::add);
    const std::string as =
        ::getuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    const std::string command = "cd '" + dir_.string() + "' && " + as + "'" + PW_CLI_PATH +
                                "' scan noise.zip odd.zip locked.zip lib notes.txt > out.txt 2>&1";
    EXPECT_NE(std::system(command.c_str()), 0);  // nothing could be read
    const std::string out = readFile(dir_ / "out.txt");
    std::string problems;  // each once, those of the listing first, and nothing else
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);)
        if (line.starts_with("problem: ")) problems += line + "\n";
    EXPECT_EQ(problems, readFile(goldenFile("scan_problems.txt"))) << out;
    const std::string counts = ", 3 other files skipped, 3 archives, 3 folders (1 unreadable)\n";
    EXPECT_NE(out.find(counts), std::string::npos) << out;
}

// --find speaks the search language: a row when its text holds "=", names and paths,
// models, styles, each term negated by "-"; names in any language are found with or
// without their accents and letter case, by folder too.
TEST_F(CliTest, ScanFindsByNameOrByRow) {
    for (const std::string scenario : {"twins", "names"}) {
        const fs::path at = dir_ / scenario;
        fs::create_directories(at / "input");
        fs::copy(kScenarios / scenario / "input", at / "input", fs::copy_options::recursive);
        packFolders(at / "input");
        for (const auto& f : pwtest::tsvFile(cliDataFile(scenario + "_finds.tsv"), 2)) {
            const RunResult r = runCli({"scan", "input", "--find", f[0], "--csv"}, at);
            EXPECT_EQ(firstFields(r.out), pwtest::unescaped(f[1])) << scenario << ": " << f[0];
        }
    }
}

// In CSV every preset is one line that no spreadsheet runs; in JSON a file name that is
// not UTF-8 keeps its bytes (tests/cli/golden/scan_names.csv and .json).
TEST_F(CliTest, ScanKeepsHostileNamesHarmless) {
    fs::copy(kScenarios / "names" / "input", dir_ / "input", fs::copy_options::recursive);
    fs::copy_file(dir_ / "input" / "kanji.rp250p", dir_ / "input" / "bad\xFF.rp250p");
    EXPECT_EQ(run({"scan", "input", "--csv"}).out, readFile(goldenFile("scan_names.csv")));
    EXPECT_EQ(run({"scan", "input", "--json"}).out, readFile(goldenFile("scan_names.json")));
}

INSTANTIATE_TEST_SUITE_P(Library, Library, ::testing::ValuesIn(pwtest::subfolders(kScenarios)),
                         [](const auto& param) { return param.param; });

}  // namespace
}  // namespace pw::cli::testing
