// SPDX-License-Identifier: GPL-3.0-or-later
// The collection store: marks by content that survive a reopen and a second process, a
// schema brought up from each earlier version, a newer or damaged database handled
// without loss, the index, and the daily backup.

#include <cstring>

#include "collection/collection_store.h"
#include "collection/index_memory.h"
#include "collection/marking.h"
#include "test_support.h"

namespace {

using pw::collection::ContentKey;
using pw::document::targetByCaption;
// A change of marks, written {favourite, hidden, tags added, tags taken away, note}.
using pw::collection::MarkChange;
using pw::collection::Marks;
using pw::collection::OpenStatus;
using pw::collection::Store;
namespace fs = std::filesystem;

using pwtest::sql;

const ContentKey kLead{0x1234abcdULL, "Lead"};
const ContentKey kClean{0x99ULL, "Clean"};

pw::collection::IndexedPreset indexed(const char* file, const char* member, const char* name) {
    return {.preset = {.source = {file, member, 0}, .name = name}, .target = "RP255", .amp = 'A'};
}

// Each preset of an index as "file:member=name|".
std::string namesIn(const std::vector<pw::collection::IndexedPreset>& index) {
    std::string names;
    for (const auto& p : index)
        names += p.preset.source.file + ":" + p.preset.source.member + "=" + p.preset.name + "|";
    return names;
}

// A collection at db in a temporary folder (each test opens it as it needs).
struct CollectionStore : testing::Test {
    pwtest::TempDir dir;
    fs::path db = dir.path() / "library.sqlite";
    Store store;
};
using CollectionMarking = CollectionStore;

TEST_F(CollectionStore, MarksOfASelectionStayAcrossReopeningAndAnotherProcess) {
    const fs::path nested = dir.path() / "data" / "patchwright" / "library.sqlite";
    ASSERT_EQ(store.open(nested).status, OpenStatus::Created);
    EXPECT_EQ(fs::status(nested).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);

    const ContentKey both[] = {kLead, kClean};
    ASSERT_TRUE(store.change(both, MarkChange{true, {}, {"blues", "live", ""}, {}, {}}));
    ASSERT_TRUE(
        store.change(std::span(both, 1), MarkChange{{}, {}, {}, {"live"}, "from the 1998 pack"}));
    // Written ahead in a log, so that the window reads while the command line writes.
    EXPECT_TRUE(fs::exists(fs::path(nested) += "-wal"));

    // A second connection, as the command line marking while the window is open; a change
    // keeps what it does not touch.
    Store other;
    ASSERT_EQ(other.open(nested).status, OpenStatus::Opened);
    ASSERT_TRUE(other.change(std::span(both + 1, 1), MarkChange{{}, true, {}, {}, {}}));
    ASSERT_TRUE(other.change(std::span(both + 1, 1), MarkChange{{}, {}, {"live"}, {}, {}}));

    const auto marks = store.marks(both);
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_EQ(marks.at(kLead), (Marks{true, false, {"blues"}, "from the 1998 pack"}));
    EXPECT_EQ(marks.at(kClean), (Marks{true, true, {"blues", "live"}, ""}));
    EXPECT_EQ(store.tags(), (std::vector<std::string>{"blues", "live"}));
    const ContentKey renamed{kLead.rowsKey, "Lead 2"};  // another patch name: another preset
    EXPECT_TRUE(store.marks(std::span(&renamed, 1)).empty());
    // A whole folder's keys at once: the same marks.
    std::vector<ContentKey> folder;
    for (std::uint64_t k = 0; k < 200; ++k)
        folder.push_back({k, "Lead"});
    folder.insert(folder.begin() + 70, both, both + 2);
    EXPECT_EQ(store.marks(folder), marks);

    // Undo puts the marks back as they were, unmarked presets included.
    ASSERT_TRUE(store.change(both, MarkChange{false, false, {}, {"blues", "live"}, ""}));
    EXPECT_TRUE(store.marks(both).empty());
    ASSERT_TRUE(store.restore(marks));
    Store reopened;
    ASSERT_EQ(reopened.open(nested).status, OpenStatus::Opened);
    EXPECT_EQ(reopened.marks(both), marks);
    // One never opened is not intact, and makes no backup.
    EXPECT_TRUE(reopened.intact() && !Store().intact() && !Store().backupIfDue(dir.path(), {}));

    // A collection that refuses to write says so and keeps what it had.
    pwtest::refuseMarkWrites(nested);
    EXPECT_FALSE(store.change(both, MarkChange{false, {}, {}, {}, {}}));
    EXPECT_TRUE(!store.restore({{kLead, Marks{}}}) && store.marks(both) == marks);
}

TEST_F(CollectionStore, AnEarlierSchemaIsBroughtUpANewerOneLeftAlone) {
    // Version 0: a database without the collection's tables (an empty file included).
    for (const char* earlier : {"", "CREATE TABLE unrelated (x);"}) {
        const fs::path v0 = dir.path() / ("v0-" + std::to_string(std::strlen(earlier)));
        std::ofstream(v0).close();
        if (*earlier) sql(v0, earlier);
        Store opened;
        ASSERT_EQ(opened.open(v0).status, OpenStatus::Opened) << earlier;
        EXPECT_TRUE(opened.change(std::span(&kLead, 1), MarkChange{true, {}, {}, {}, {}}));
    }
    // Version 1: its marks are kept; its index, only ever a copy, is dropped.
    const fs::path v1 = dir.path() / "v1.sqlite";
    sql(v1, pwtest::readFile(pwtest::dataFile("collection/schema-1.sql")).c_str());
    {
        Store opened;
        ASSERT_EQ(opened.open(v1).status, OpenStatus::Opened);
        EXPECT_EQ(opened.marks(std::span(&kLead, 1)).at(kLead),
                  (Marks{true, false, {"blues"}, "from the first version"}));
        EXPECT_TRUE(opened.index("/p").empty());
        EXPECT_EQ(opened.inputs(), std::vector<fs::path>{"/p"});
        ASSERT_TRUE(opened.replaceIndex("/p", std::vector{indexed("/p/a.rp250p", "", "Lead")}));
    }
    const fs::path newer = dir.path() / "newer.sqlite";
    sql(newer, "CREATE TABLE future (x); PRAGMA user_version = 9;");
    const std::string bytes = pwtest::readFile(newer);
    const auto result = store.open(newer);
    EXPECT_EQ(result.status, OpenStatus::NewerVersion);
    EXPECT_EQ(result.detail, "it was written by a newer Patchwright (schema 9)");
    EXPECT_FALSE(store.available() || store.change(std::span(&kLead, 1), MarkChange{}));
    EXPECT_FALSE(store.restore({{kLead, Marks{}}}) || store.rememberInput("/p"));
    EXPECT_EQ(pwtest::readFile(newer), bytes);
}

TEST_F(CollectionStore, ADamagedDatabaseIsKeptAsideAndTheMarksComeBackFromTheBackup) {
    const fs::path backups = dir.path() / "backups";
    {
        Store first;
        ASSERT_EQ(first.open(db).status, OpenStatus::Created);
        ASSERT_TRUE(first.change(std::span(&kLead, 1), MarkChange{true, {}, {"keep"}, {}, {}}));
        fs::create_directories(backups);  // the user's own files there are no backups
        for (const char* other : {"library-notes.txt", "old.sqlite"})
            std::ofstream(backups / other) << "mine";
        const auto t0 = std::chrono::system_clock::now();
        ASSERT_TRUE(first.backupIfDue(backups, t0));
        EXPECT_FALSE(first.backupIfDue(backups, t0 + std::chrono::hours(23)));  // one a day
        for (int day = 1; day <= 4; ++day)
            ASSERT_TRUE(first.backupIfDue(backups, t0 + std::chrono::hours(24 * day)));
        EXPECT_EQ(std::distance(fs::directory_iterator(backups), fs::directory_iterator()), 5);
        ASSERT_TRUE(first.backupIfDue(backups, t0 + std::chrono::hours(24 * 5), 1));  // keep 1
        EXPECT_EQ(std::distance(fs::directory_iterator(backups), fs::directory_iterator()), 3);
    }
    const std::string garbage(4096, 'x');
    std::ofstream(db, std::ios::binary | std::ios::trunc) << garbage;
    const auto result = store.open(db);
    ASSERT_EQ(result.status, OpenStatus::Recovered);
    EXPECT_TRUE(pwtest::readFile(result.movedTo) == garbage && !result.restored.empty());
    EXPECT_EQ(store.marks(std::span(&kLead, 1)).at(kLead), (Marks{true, false, {"keep"}, ""}));
    // One SQLite reads, but whose own check finds a fault, is damaged too.
    sql(db,
        "CREATE TABLE x(a); INSERT INTO x VALUES(NULL); PRAGMA writable_schema=ON;"
        "UPDATE sqlite_schema SET sql='CREATE TABLE x(a NOT NULL)' WHERE name='x'");
    EXPECT_TRUE(!store.intact() && Store().open(db).status == OpenStatus::Recovered);
}

TEST_F(CollectionStore, WithoutAPlaceToWriteThereIsNoMemory) {
    std::ofstream(dir.path() / "file").close();
    const auto result = store.open(dir.path() / "file" / "library.sqlite");
    EXPECT_TRUE(result.status == OpenStatus::Unavailable && !result.detail.empty());
    EXPECT_TRUE(store.marks(std::span(&kLead, 1)).empty());
}

// Each input's index is replaced whole; one made under another rows key (another run
// whose key could not be adopted) is never given out, and goes at the next replacement.
TEST_F(CollectionStore, TheIndexOfAnInputIsReplacedWholeAndOnlyItsOwnKeyIsTrusted) {
    ASSERT_TRUE(store.open(db).ok());
    const auto a = indexed("/p/a.rp250p", "", "A");
    const auto b = indexed("/p/pack.zip", "b.rp355p", "B");
    ASSERT_TRUE(store.replaceIndex("/p", std::vector{a, b}));
    ASSERT_TRUE(store.replaceIndex("/q", std::vector{b}));
    EXPECT_EQ(namesIn(store.index("/p")), "/p/a.rp250p:=A|/p/pack.zip:b.rp355p=B|");
    ASSERT_TRUE(store.replaceIndex("/p", std::vector{b}));
    EXPECT_EQ(namesIn(store.index("/p")), "/p/pack.zip:b.rp355p=B|");
    EXPECT_EQ(namesIn(store.index("/q")), "/p/pack.zip:b.rp355p=B|");

    sql(db, "UPDATE index_made SET key_low = key_low + 1");
    EXPECT_TRUE(store.index("/q").empty());
    ASSERT_TRUE(store.replaceIndex("/p", std::vector{a}));
    EXPECT_EQ(namesIn(store.index("/p")), "/p/a.rp250p:=A|");
    EXPECT_TRUE(store.index("/q").empty());

    ASSERT_TRUE(store.rememberInput("/p") && store.rememberInput("/q"));
    EXPECT_EQ(store.inputs().front(), fs::path("/q"));
}

// Each preset goes to the index of the input it was found under, and only there, though
// two inputs' names be as long as each other.
TEST_F(CollectionStore, TheMemoryFilesEachPresetUnderItsOwnInput) {
    std::vector<pw::library::PresetPtr> presets;
    for (const char* file : {"/lib/aa/x.rp250p", "/lib/bb/y.rp250p", "/lib/bbb/z.rp250p"}) {
        pw::library::Preset p = indexed(file, "", file).preset;
        p.readable = true;
        presets.push_back(std::make_shared<const pw::library::Preset>(std::move(p)));
    }
    const std::vector<pw::library::Triage> triages(presets.size(),
                                                   {.status = pw::library::Status::Fits});
    pw::collection::IndexMemory memory(db);
    memory.remember({"/lib/aa", "/lib/bb"}, {targetByCaption("RP250"), 0}, presets, triages, {});
    ASSERT_TRUE(store.open(db).ok());
    EXPECT_EQ(namesIn(store.index("/lib/aa")), "/lib/aa/x.rp250p:=/lib/aa/x.rp250p|");
    EXPECT_EQ(namesIn(store.index("/lib/bb")), "/lib/bb/y.rp250p:=/lib/bb/y.rp250p|");
    // Recalled for the target they were judged for; for another they are read again.
    EXPECT_EQ(memory.recall({"/lib/aa", "/lib/bb"}, {targetByCaption("RP250"), 0}).size(), 2u);
    EXPECT_TRUE(memory.recall({"/lib/aa"}, {targetByCaption("RP150"), 0}).empty());
}

// XDG_DATA_HOME when it is absolute (a relative one is ignored, as XDG says), else HOME's
// .local/share, else the temporary folder (a service may run without a HOME).
TEST_F(CollectionStore, TheDefaultPlaceFollowsXdgDataHomeThenHome) {
    const char* savedXdg = std::getenv("XDG_DATA_HOME");
    const char* savedHome = std::getenv("HOME");
    const std::string xdg = savedXdg ? savedXdg : "", home = savedHome ? savedHome : "";
    const fs::path temp = fs::temp_directory_path();
    for (const auto& [data, user, place] :
         {std::tuple("/srv/data", "/home/u", fs::path("/srv/data")),
          {"relative", "/home/u", "/home/u/.local/share"},
          {"", "", temp},
          {"", nullptr, temp}}) {
        setenv("XDG_DATA_HOME", data, 1);
        user ? setenv("HOME", user, 1) : unsetenv("HOME");
        EXPECT_EQ(Store::defaultPath(), place / "patchwright" / "library.sqlite");
    }
    savedXdg ? setenv("XDG_DATA_HOME", xdg.c_str(), 1) : unsetenv("XDG_DATA_HOME");
    savedHome ? setenv("HOME", home.c_str(), 1) : unsetenv("HOME");
}

// A preset marked in one folder keeps its marks when it is moved or renamed and found in
// another; a converted copy takes them over.
TEST_F(CollectionMarking, MarksFollowThePresetWhereverItGoes) {
    ASSERT_TRUE(store.open(db).ok());
    const fs::path first = dir.path() / "first";
    const fs::path second = dir.path() / "second" / "deeper";
    for (const char* file : {"metal_zone.rp250p", "surfs_up.rp255p"})
        pwtest::put(first / file, pwtest::sample(file));
    fs::create_directories(second);
    const auto marked = pw::collection::markInputs(store, {first / "metal_zone.rp250p"},
                                                   MarkChange{true, {}, {"metal"}, {}, {}});
    ASSERT_TRUE(marked.stored);
    EXPECT_EQ(marked.marked, 1u);

    fs::rename(first / "metal_zone.rp250p", second / "renamed.rp250p");
    const pw::library::ScanResult found = pw::library::scan({dir.path()}, {});
    std::map<std::string, bool> favourite;
    ContentKey from;  // the moved preset's
    for (const auto& p : found.presets) {
        const ContentKey key = pw::collection::contentKey(p);
        const std::string file(pw::library::fileName(p.source));
        favourite[file] = store.marks(std::span(&key, 1)).contains(key);
        if (file == "renamed.rp250p") from = key;
    }
    ASSERT_EQ(favourite,
              (std::map<std::string, bool>{{"renamed.rp250p", true}, {"surfs_up.rp255p", false}}));
    // Each copy a conversion wrote takes its own source's marks: both channels of the
    // marked preset, nothing from the unmarked one between them.
    const ContentKey copied[] = {{7, "Renamed_A"}, {8, "Surfs Up_A"}, {9, "Renamed_B"}};
    const pw::library::ConvertedCopy copies[] = {
        {{from.rowsKey, from.name}, {7, "Renamed_A"}},
        {{from.rowsKey ^ 2, "Surfs Up"}, {8, "Surfs Up_A"}},
        {{from.rowsKey, from.name}, {9, "Renamed_B"}}};
    ASSERT_TRUE(pw::collection::inheritMarks(store, copies));
    const Marks metal = store.marks(std::span(&from, 1)).at(from);
    EXPECT_EQ(store.marks(copied),
              (std::map<ContentKey, Marks>{{copied[0], metal}, {copied[2], metal}}));
}

}  // namespace
