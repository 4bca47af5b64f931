// SPDX-License-Identifier: GPL-3.0-or-later
// Converting many presets at once: the same reports and bytes on one thread as on many,
// with any chunk size; names claimed once in input order; an existing file replaced only
// when allowed; a dry run or a cancelled run writes nothing it has not finished; no
// temporary file is ever left behind.

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <map>

#include "library/convert_all.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using pw::library::ItemOutcome;

// Every sample three times (so names collide), and variants renamed apart.
std::vector<fs::path> inputs(const pwtest::TempDir& dir) {
    std::vector<fs::path> out;
    int n = 0;
    for (const auto& entry : fs::directory_iterator(PW_TEST_DATA_DIR)) {
        const std::string ext = entry.path().extension().string();
        if (!entry.is_regular_file() || ext == ".tsv" || ext == ".txt") continue;
        for (int copy = 0; copy < 3; ++copy)
            out.push_back(entry.path());
        std::string renamed = pwtest::readFile(entry.path());
        if (const std::size_t at = renamed.find("<Name>"); at != std::string::npos)
            renamed.insert(at + 6, "V" + std::to_string(++n) + " ");
        out.push_back(dir.write("v" + std::to_string(n) + ext, renamed));
    }
    out.push_back(dir.path() / "missing.rp250p");
    return out;
}

struct Batch {
    std::vector<std::string> lines;  // one per input: outcome, output, earlier input
    std::map<std::string, std::string> files;
    pw::library::ConvertAllSummary summary;
};

Batch convertAll(const std::vector<fs::path>& files, const fs::path& out,
                 pw::library::ConvertAllOptions options, std::size_t cancelAfter = SIZE_MAX) {
    Batch run;
    options.folder = out;
    std::size_t at = 0;
    std::atomic<std::size_t> converted = 0;  // the cancel poll runs beside progress
    pw::library::ConvertAllCallbacks callbacks;
    callbacks.next = [&](pw::library::ConvertInput& in) {
        if (at == files.size()) return false;
        in.name = files[at].string();
        in.file = files[at++];
        return true;
    };
    callbacks.progress = [&](std::size_t n, const std::string&) { converted = n; };
    callbacks.cancelled = [&] { return converted >= cancelAfter; };
    callbacks.done = [&](const pw::library::ItemReport& r) {
        EXPECT_EQ(r.index, run.lines.size());
        run.lines.push_back(std::to_string(static_cast<int>(r.outcome)) + " " +
                            r.output.filename().string() + " " + std::to_string(r.earlier));
    };
    run.summary = pw::library::convertAll(options, callbacks);
    for (const auto& entry : fs::directory_iterator(out))
        run.files[entry.path().filename().string()] = pwtest::readFile(entry.path());
    return run;
}

pw::library::ConvertAllOptions options(unsigned threads, std::size_t chunk) {
    return {.plan = {.target = pw::document::targetByCaption("RP250"), .amp = 'A', .resolve = true},
            .chunk = chunk,
            .threads = threads};
}

TEST(ConvertAll, ManyThreadsAndChunksGiveWhatOneThreadGives) {
    pwtest::TempDir in, one, many;
    const std::vector<fs::path> files = inputs(in);
    const Batch a = convertAll(files, one.path(), options(1, 1000));
    const Batch b = convertAll(files, many.path(), options(4, 3));
    EXPECT_EQ(std::tie(a.lines, a.files), std::tie(b.lines, b.files));
    ASSERT_EQ(a.lines.size(), files.size());
    EXPECT_TRUE(a.summary.written == a.files.size() && a.files.size() > 3u);
    // A repeat is refused, naming the earlier input that wrote the same file.
    std::size_t claimed = 0;
    for (const std::string& line : a.lines) {
        if (line[0] - '0' != static_cast<int>(ItemOutcome::Claimed)) continue;
        ++claimed;
        const std::string& earlier = a.lines[std::stoul(line.substr(line.rfind(' ') + 1))];
        EXPECT_EQ(earlier[0] - '0', static_cast<int>(ItemOutcome::Written));
        EXPECT_EQ(earlier.substr(1, earlier.rfind(' ')), line.substr(1, line.rfind(' ')));
    }
    EXPECT_GT(claimed, 0u);
    for (const auto& [name, bytes] : a.files)
        EXPECT_NE(name.rfind(".patchwright-", 0), 0u) << name;
}

// An existing file is kept unless the run may replace it, and never replaced when it is
// one of the presets the run converts; another file of the folder it may.
TEST(ConvertAll, ExistingFilesKeptUnlessOverwritingNeverASourceAndDryRunWritesNothing) {
    pwtest::TempDir out;
    const std::vector<fs::path> files = {pwtest::dataFile("crunch_time.rp150p")};
    out.write("Crunch Time.rp250p", "mine");
    pw::library::ConvertAllOptions o = options(2, 10);
    EXPECT_EQ(convertAll(files, out.path(), o).lines[0],
              std::to_string(static_cast<int>(ItemOutcome::Exists)) + " Crunch Time.rp250p 0");
    o.dryRun = o.overwrite = true;
    Batch dry = convertAll(files, out.path(), o);
    EXPECT_EQ(dry.lines[0][0] - '0', static_cast<int>(ItemOutcome::WouldWrite));
    EXPECT_EQ(dry.files.at("Crunch Time.rp250p"), "mine");
    o.dryRun = false;
    EXPECT_NE(convertAll(files, out.path(), o).files.at("Crunch Time.rp250p"), "mine");

    const std::string bytes = pwtest::sample("crunch_time.rp150p");
    const fs::path own = out.write("Crunch Time.rp250p", bytes);
    o.sources = {own};
    const Batch run = convertAll({own, pwtest::dataFile("metal_zone.rp250p")}, out.path(), o);
    EXPECT_EQ(run.lines[0],
              std::to_string(static_cast<int>(ItemOutcome::IsSource)) + " Crunch Time.rp250p 0");
    EXPECT_EQ(run.files.at("Crunch Time.rp250p"), bytes);
    EXPECT_EQ(run.lines[1][0] - '0', static_cast<int>(ItemOutcome::Written));
}

// Each existing output is asked about once, in input order; the first input that ends
// in a name keeps it whether its file is replaced or kept.
TEST(ConvertAll, EachExistingOutputIsDecidedOnItsOwn) {
    pwtest::TempDir out;
    const fs::path crunch = pwtest::dataFile("crunch_time.rp150p");
    const std::vector<fs::path> files = {crunch, crunch, pwtest::dataFile("metal_zone.rp250p")};
    pw::library::ConvertAllOptions o = options(2, 2);
    const Batch first = convertAll(files, out.path(), o);
    for (const auto& [name, bytes] : first.files)
        out.write(name, "mine");
    std::vector<std::size_t> asked;
    o.mayReplace = [&](std::size_t index, const fs::path& output) {
        EXPECT_TRUE(fs::exists(output));
        asked.push_back(index);
        return index == 2;
    };
    const Batch run = convertAll(files, out.path(), o);
    EXPECT_EQ(asked, (std::vector<std::size_t>{0, 2}));
    const auto outcome = [&](std::size_t i) { return ItemOutcome(run.lines[i][0] - '0'); };
    EXPECT_EQ(std::tuple(outcome(0), outcome(1), outcome(2)),
              std::tuple(ItemOutcome::Exists, ItemOutcome::Claimed, ItemOutcome::Written));
    EXPECT_EQ(run.summary.written, 1u);
    for (const auto& [name, bytes] : run.files)
        EXPECT_EQ(bytes == "mine", name == "Crunch Time.rp250p") << name;
}

TEST(ConvertAll, CancelledRunCommitsWhatItConvertedAndNothingElse) {
    pwtest::TempDir in, out;
    std::vector<fs::path> files;
    const std::string sample = pwtest::sample("crunch_time.rp150p");
    for (int i = 0; i < 60; ++i)
        files.push_back(in.write(
            "p" + std::to_string(i) + ".rp150p",
            std::string(sample).insert(sample.find("<Name>") + 6, std::to_string(i) + " ")));
    const Batch run = convertAll(files, out.path(), options(2, 4), 10);
    EXPECT_TRUE(run.summary.cancelled && run.summary.inputs < files.size());
    EXPECT_EQ(std::tuple(run.lines.size(), run.files.size(), run.summary.written),
              std::tuple(run.summary.inputs, run.summary.inputs, run.summary.inputs));
}

TEST(ConvertAll, LeftoversOfDeadRunsOnlyAreRemoved) {
    pwtest::TempDir out;
    const pid_t child = fork();
    if (child == 0) _exit(0);
    ASSERT_GT(child, 0);
    waitpid(child, nullptr, 0);
    const std::string dead = ".patchwright-" + std::to_string(child) + "-abc";
    const std::string alive = ".patchwright-" + std::to_string(getpid()) + "-abc";
    const std::string parent = ".patchwright-" + std::to_string(getppid()) + "-abc";
    for (const std::string& name : {dead, alive, parent})
        out.write(name, "x");
    // Names not of this program's making are kept, though they hold a dead run's number.
    for (const std::string& other : std::vector<std::string>{"notapid", std::to_string(child),
                                                             "-" + std::to_string(child) + "-abc"})
        out.write(".patchwright-" + other, "x");
    errno = ESRCH;  // left by an earlier call: another live run is not taken for dead
    EXPECT_EQ(pw::document::removeDeadTemporaries(out.path()), 1u);
    EXPECT_EQ(std::distance(fs::directory_iterator(out.path()), {}), 5);
    EXPECT_TRUE(!fs::exists(out.path() / dead) && fs::exists(out.path() / alive) &&
                fs::exists(out.path() / parent));
}

}  // namespace
