// SPDX-License-Identifier: GPL-3.0-or-later
// patchwright-cli mark as real processes: marks kept from one run to the next, nothing
// lost when a run is killed, a damaged or newer collection handled as it says.

#include <signal.h>
#include <sys/wait.h>

#include <random>
#include <set>
#include <thread>

#include "cli_runner.h"
#include "collection/collection_store.h"
#include "collection/marking.h"

namespace pw::cli::testing {
namespace {

class Mark : public CliTest {
  protected:
    void SetUp() override {
        CliTest::SetUp();
        presets_ = dir_ / "presets";
        fs::create_directories(presets_);
        for (const char* f : {"metal_zone.rp250p", "surfs_up.rp255p", "crunch_time.rp150p"})
            fs::copy_file(sampleFile(f), presets_ / f);
    }
    fs::path database() const { return dir_ / "data" / "patchwright" / "library.sqlite"; }
    RunResult mark(std::vector<std::string> args) {
        args.insert(args.begin(), "mark");
        return run(args);  // the collection is the scratch folder's (CliTest::SetUp)
    }
    // The marks of every preset in `folder` (presets/ unless said), by file name.
    std::map<std::string, collection::Marks> marks(const fs::path& folder = {}) const {
        collection::Store store;
        EXPECT_EQ(store.open(database()).status, collection::OpenStatus::Opened);
        EXPECT_TRUE(store.intact());
        std::map<std::string, collection::Marks> out;
        for (const auto& p : library::scan({folder.empty() ? presets_ : folder}, {}).presets) {
            EXPECT_TRUE(p.readable) << p.source.file;
            const collection::ContentKey key = collection::contentKey(p);
            const auto found = store.marks(std::span(&key, 1));
            out[std::string(library::fileName(p.source))] =
                found.contains(key) ? found.at(key) : collection::Marks{};
        }
        return out;
    }
    // Runs `statements` on the collection, as another program would.
    void sql(const char* statements) const { pwtest::sql(database(), statements); }
    // Stamps the collection as a newer Patchwright's.
    void stampNewer() const { sql("PRAGMA user_version = 99"); }
    fs::path presets_;
};

TEST_F(Mark, MarksStayFromOneRunToTheNext) {
    const RunResult all = mark({"presets", "--favourite", "--tag", "blues", "--note", "old"});
    EXPECT_EQ(std::tuple(all.status, all.out), std::tuple(0, "Marked 3 presets\n")) << all.err;
    const RunResult one = mark({"presets/metal_zone.rp250p", "--tag", "metal", "--untag", "blues",
                                "--unfavourite", "--note="});
    EXPECT_EQ(std::tuple(one.status, one.out), std::tuple(0, "Marked 1 preset\n")) << one.err;
    const auto m = marks();
    EXPECT_EQ(m.at("metal_zone.rp250p"), (collection::Marks{false, false, {"metal"}, ""}));
    EXPECT_EQ(m.at("surfs_up.rp255p"), (collection::Marks{true, false, {"blues"}, "old"}));
    EXPECT_EQ(mark({"presets"}).status, 64);  // nothing to mark
}

// Runs killed at random moments: every run that said it was done left its tag on every
// preset, and the database is whole.
TEST_F(Mark, AKilledRunLosesNothingThatWasDone) {
    std::mt19937 random(20261208);
    std::set<std::string> done;
    for (int run = 0; run < 12; ++run) {
        const std::string tag = "t" + std::to_string(run);
        const pid_t pid = startCli({"mark", presets_.string(), "--tag", tag}, dir_);
        ASSERT_GT(pid, 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(random() % 120));
        kill(pid, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        if (WIFEXITED(status) && WEXITSTATUS(status) == 0) done.insert(tag);
    }
    if (!fs::exists(database())) GTEST_SKIP() << "every run was killed before it began";
    for (const auto& [file, m] : marks()) {
        const std::set<std::string> tags(m.tags.begin(), m.tags.end());
        for (const std::string& tag : done)
            EXPECT_TRUE(tags.contains(tag)) << file << " lost " << tag;
    }
}

TEST_F(Mark, ADamagedCollectionIsKeptAsideANewerOneLeftAloneARefusingOneSaysSo) {
    fs::create_directories(database().parent_path());
    writeFile(database(), std::string(2048, 'z'));
    const RunResult damaged = mark({"presets", "--hide"});
    EXPECT_EQ(damaged.status, 0) << damaged.err;
    // It names the damaged file, kept beside the new collection.
    const std::string intro = "was damaged: it is kept as ";
    const std::size_t at = damaged.err.find(intro + database().string() + ".damaged-");
    ASSERT_NE(at, std::string::npos) << damaged.err;
    const std::size_t from = at + intro.size(), end = damaged.err.find(' ', from);
    EXPECT_EQ(readFile(damaged.err.substr(from, end - from)), std::string(2048, 'z'));
    EXPECT_EQ(damaged.err.substr(end),
              " and a new one was made (no backup to take the marks from)\n");
    EXPECT_TRUE(marks().at("surfs_up.rp255p").hidden);

    stampNewer();  // the program must leave it as it is
    const std::string before = readFile(database());
    const RunResult newer = mark({"presets", "--unhide"});
    EXPECT_EQ(newer.status, 2);
    EXPECT_NE(newer.err.find("newer Patchwright"), std::string::npos) << newer.err;
    EXPECT_EQ(readFile(database()), before);

    // One that refuses the change (its triggers abort every write) marks nothing.
    fs::remove(database());
    ASSERT_EQ(mark({"presets", "--tag", "kept"}).status, 0);
    sql("CREATE TRIGGER refuse BEFORE DELETE ON tags BEGIN SELECT RAISE(ABORT, 'no'); END");
    const RunResult refused = mark({"presets", "--favourite"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.err,
              "patchwright-cli: the collection refused the change; nothing was marked\n");
    EXPECT_FALSE(marks().at("surfs_up.rp255p").favourite);
}

// scan shows each preset's marks: a star in the table, the marks in JSON and CSV
// (tests/cli/golden/scan_marks.txt, .csv, scan_marked.json); with no collection yet, every
// preset unmarked (scan_unmarked.json); with one it cannot use, no marks and why.
TEST_F(Mark, ScanShowsTheMarks) {
    const std::vector<std::string> none = {"scan", "presets/surfs_up.rp255p", "--json"};
    EXPECT_EQ(run(none).out, readFile(goldenFile("scan_unmarked.json")));
    EXPECT_FALSE(fs::exists(database()));  // scan makes no collection
    const RunResult marked = mark({"presets/surfs_up.rp255p", "--favourite", "--hide", "--tag",
                                   "surf", "--tag", "clean", "--note", "dry, bright"});
    ASSERT_EQ(marked.status, 0) << marked.err;
    EXPECT_EQ(run(none).out, readFile(goldenFile("scan_marked.json")));
    EXPECT_EQ(run({"scan", "presets", "--csv"}).out, readFile(goldenFile("scan_marks.csv")));
    EXPECT_EQ(run({"scan", "presets"}).out, readFile(goldenFile("scan_marks.txt")));
    // --find asks for marks as for anything else.
    const auto found = [&](const std::string& find) {
        return firstFields(run({"scan", "presets", "--find", find, "--csv"}).out);
    };
    EXPECT_EQ(found("fav tag:SURF"), "presets/surfs_up.rp255p\n");
    EXPECT_NE(found("-hidden").find("presets/metal_zone.rp250p\n"), std::string::npos);
    ASSERT_EQ(run({"pack", "fav.zip", "presets", "--find", "fav"}).status, 0);
    const std::string packed = run({"scan", "fav.zip", "--csv"}).out;
    EXPECT_EQ(std::count(packed.begin(), packed.end(), '\n'), 2) << packed;  // header, surf

    stampNewer();
    const RunResult newer = run(none);
    EXPECT_EQ(newer.status, 0);
    EXPECT_NE(newer.out.find(R"("marks":null)"), std::string::npos) << newer.out;
    EXPECT_NE(newer.err.find("cannot be used"), std::string::npos) << newer.err;
    EXPECT_NE(newer.err.find("; scan shows no marks\n"), std::string::npos) << newer.err;
    // What each command does without the marks, it says.
    for (const auto& [args, without] :
         std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"scan", "presets", "--find", "fav"}, "scan finds no marks"},
             {{"pack", "p.zip", "presets", "--find", "fav"}, "pack finds no marks"},
             {{"mark", "presets", "--hide"}, "nothing was marked"},
             {{"convert", "presets/metal_zone.rp250p", "--target", "rp150"},
              "the new presets do not take the marks of their sources"}})
        EXPECT_NE(run(args).err.find("; " + without + "\n"), std::string::npos) << without;
    // A search for words alone needs no marks, and misses none.
    EXPECT_EQ(run({"scan", "presets", "--find", "surf"}).err.find("finds"), std::string::npos);
}

// A converted copy takes the marks of the preset it was converted from.
TEST_F(Mark, AConvertedCopyTakesTheMarksOfItsSource) {
    ASSERT_EQ(mark({"presets/crunch_time.rp150p", "--favourite", "--tag", "loud"}).status, 0);
    fs::create_directories(dir_ / "out");
    const RunResult converted =
        run({"convert", "presets", "--target", "RP255", "--resolve", "--out", "out"});
    EXPECT_EQ(converted.status, 0) << converted.err;
    const auto got = marks(dir_ / "out");
    ASSERT_EQ(got.size(), 3u);
    for (const auto& [file, m] : got)
        EXPECT_EQ(m, file.starts_with("Crunch") ? (collection::Marks{true, false, {"loud"}, ""})
                                                : collection::Marks{})
            << file;
    // Taken off a copy, a mark stays off when converting again is refused (the copy is
    // there already).
    ASSERT_EQ(mark({"out", "--unfavourite"}).status, 0);
    EXPECT_EQ(run({"convert", "presets", "--target", "RP255", "--resolve", "--out", "out"}).status,
              3);
    for (const auto& [file, m] : marks(dir_ / "out"))
        EXPECT_FALSE(m.favourite) << file;
    // A collection that refuses the copies' marks: the presets are written, and it is said.
    pwtest::refuseMarkWrites(database());
    EXPECT_TRUE(run({"convert", "presets", "--target", "RP250", "--resolve", "--out", "out"})
                    .err.ends_with(
                        "\npatchwright-cli: the collection refused the marks of 1 new preset\n"));
}

}  // namespace
}  // namespace pw::cli::testing
