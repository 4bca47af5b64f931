// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a folder the collection knows: a file unchanged since it was read is taken from
// the index, the rest is read, and the rows are those a full read gives, statuses and
// twins included.

#include "../support/archive_maker.h"
#include "collection/index_memory.h"
#include "library_owner.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using namespace pw::library;
using pwtest::Owner;
using pwtest::put;
using pwtest::sample;

// What each row shows and what acting on it needs, a line a row, its texts quoted.
std::string rowsOf(const Library& library) {
    const auto q = &pwtest::quoted;
    std::ostringstream out;
    for (std::size_t i = 0; i < library.presets().size(); ++i) {
        const Preset& p = *library.presets()[i];
        const Triage& t = library.triages().at(i);
        const std::optional<std::size_t> twins = library.duplicateGroups().at(i);
        out << q(displayName(p.source)) << ' ' << q(p.folder) << ' ' << q(p.model) << ' '
            << q(p.name) << ' ' << q(p.style) << " uses";
        for (const std::string_view u : p.uses)
            out << ' ' << q(std::string(u));
        out << " rows " << p.rows << " key " << p.contentKey << " status " << int(t.status) << ' '
            << t.substitutions << ' ' << t.removals << ' ' << q(t.reason) << ' ' << q(t.fixedName)
            << ' ' << q(t.unfixedName) << ' ' << t.nameRefused << " twins "
            << (twins ? std::to_string(*twins) : "-") << '\n';
    }
    return out.str();
}

class Reopen : public ::testing::Test {
  protected:
    void SetUp() override {
        put(lib / "a.rp250p", sample("metal_zone.rp250p"));
        put(lib / "b.rp255p", sample("surfs_up.rp255p"));
        put(lib / "twin.rp255p", sample("surfs_up.rp255p"));
        put(lib / "c.rp150p", sample("crunch_time.rp150p"));
        put(lib / "sub/d.rp355p", sample("dual_amp_lead.rp355p"));
        put(lib / "broken.rp250p", "<RP250Preset><Name>x</Na");
        pwtest::makeArchive(lib / "pack.zip", {{"Pack/jump.rp255p", sample("jump_yaya.rp255p")},
                                               {"Pack/metal.rp250p", sample("metal_zone.rp250p")}});
    }

    // Opens (or, without memory, reads) the folder and waits for the scan's report.
    ScanReport opened(Library& library) {
        const std::size_t before = owner.reports.size();
        owner.added = 0;
        library.open({lib});
        EXPECT_TRUE(owner.runUntil([&] { return owner.reports.size() > before; }));
        return owner.reports.back();
    }
    // The rows a library without memory reads from the folder.
    std::string fullRead(TriageSettings settings) {
        Owner other;
        Library fresh(other.post(), other, settings);
        fresh.scan({lib});
        EXPECT_TRUE(other.runUntil([&] { return !other.reports.empty(); }));
        EXPECT_EQ(other.reports.front().counts.recalled, 0u);
        return rowsOf(fresh);
    }

    pwtest::TempDir dir;
    fs::path lib = dir.path() / "lib";
    Owner owner;
    TriageSettings rp255{pw::document::targetByCaption("RP255"), 'A'};
};

TEST_F(Reopen, OnlyWhatChangedIsReadAndTheRowsAreAFullReadsRows) {
    Library library(owner.post(), owner, rp255);
    library.setMemory(std::make_shared<pw::collection::IndexMemory>(dir.path() / "db.sqlite"));
    EXPECT_EQ(opened(library).counts.recalled, 0u);

    // Seven files: all but the one that cannot be read come from the index, the pack too.
    ScanReport again = opened(library);
    EXPECT_EQ(std::tuple(again.counts.recalled, again.filesTotal, again.counts.archives),
              std::tuple(6u, 7u, 1u));
    EXPECT_EQ(rowsOf(library), fullRead(rp255));

    // One changed, one gone, one new, one moved: the pack and the two untouched presets
    // are all that is taken as it was.
    put(lib / "b.rp255p", sample("jump_yaya.rp255p"));
    fs::remove(lib / "c.rp150p");
    put(lib / "e.rp150p", sample("crunch_time.rp150p"));
    fs::create_directories(lib / "moved");
    fs::rename(lib / "sub/d.rp355p", lib / "moved/d.rp355p");
    again = opened(library);
    EXPECT_EQ(std::tuple(again.counts.recalled, again.counts.presets), std::tuple(3u, 8u));
    EXPECT_EQ(rowsOf(library), fullRead(rp255));

    // Against another target nothing is taken from the index, until the statuses against
    // it have been remembered.
    const TriageSettings rp355{pw::document::targetByCaption("RP355"), 'B'};
    library.retarget(rp355);
    ASSERT_TRUE(owner.runUntil([&] { return !owner.retriages.empty(); }));
    library.search("anything");  // runs once the triage's statuses are remembered
    ASSERT_TRUE(owner.runUntil([&] { return owner.searches > 0; }));
    Library other(owner.post(), owner, rp355);
    other.setMemory(std::make_shared<pw::collection::IndexMemory>(dir.path() / "db.sqlite"));
    EXPECT_EQ(opened(other).counts.recalled, 6u);
    EXPECT_EQ(rowsOf(other), fullRead(rp355));
    // A rescan reads every file.
    owner.added = 0;
    other.rescan();
    ASSERT_TRUE(owner.runUntil([&] { return owner.reports.size() == 5; }));
    EXPECT_EQ(owner.reports.back().counts.recalled, 0u);
    EXPECT_EQ(rowsOf(other), fullRead(rp355));
}

}  // namespace
