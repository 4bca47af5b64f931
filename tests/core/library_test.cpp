// SPDX-License-Identifier: GPL-3.0-or-later
// The library: statuses agree with the conversion, hostile archives and folders are
// reported without harm, the order does not depend on the threads, twins and search.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <numeric>

#include "../support/archive_maker.h"
#include "convert/convert.h"
#include "library/archive_reader.h"
#include "library/duplicates.h"
#include "library/preset_facts.h"
#include "library/progress_throttle.h"
#include "library/query.h"
#include "library/rows_key.h"
#include "library/scan.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using namespace pw::library;

const std::vector<std::string> kSamples = {
    "big_verb.rp350p",   "crunch_time.rp150p", "dual_amp_lead.rp355p", "jump_yaya.rp255p",
    "metal_zone.rp250p", "pluck_funk.g4p",     "reverse_dream.rp500p", "surfs_up.rp255p"};

// Every entry of a folder tree with its size, for "the scan wrote nothing"; links are
// not followed, and the walk ends where a path grows too long to open.
std::vector<std::string> treeOf(const fs::path& root) {
    std::vector<std::string> out;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code sizeError;
        const bool file = it->symlink_status(sizeError).type() == fs::file_type::regular;
        out.push_back(it->path().lexically_relative(root).string() + ":" +
                      std::to_string(file ? it->file_size(sizeError) : 0));
    }
    std::sort(out.begin(), out.end());
    return out;
}

std::string sample() {
    return pwtest::sample("metal_zone.rp250p");
}

// A scan of `input` for the RP250.
ScanResult scanOf(const fs::path& input, unsigned threads = 0, const ScanCallbacks& told = {}) {
    return scan({input}, {.target = pw::document::targetByCaption("RP250"), .threads = threads},
                told);
}

// How many problems of `kind` the scan met.
long problems(const ScanResult& r, ScanProblem::Kind kind) {
    return std::ranges::count(r.problems, kind, &ScanProblem::kind);
}

// What convert writes: fits exactly when it saves without Resolve Conflicts, converts
// when it saves only with it (the patch name is judged apart, so names are mended).
TEST(LibraryTriage, AgreesWithConvertOnEverySampleTargetAndChannel) {
    for (const std::string& sample : kSamples) {
        const std::string bytes = pwtest::sample(sample);
        for (const pw::document::Target& target : pw::document::kTargets) {
            if (!target.selectable) continue;
            for (const char amp : {'\0', 'A', 'B'}) {
                SCOPED_TRACE(sample + " for " + std::string(target.caption) + " amp " +
                             (amp ? std::string(1, amp) : "none"));
                const Triage t = triage(bytes, target, amp);
                pw::convert::Plan plan{.target = &target, .amp = amp, .fixNames = true};
                const pw::convert::Result plain = pw::convert::convertPreset(bytes, plan);
                plan.resolve = true;
                const pw::convert::Result resolved = pw::convert::convertPreset(bytes, plan);
                EXPECT_EQ(t.status == Status::Fits, !plain.bytes.empty());
                EXPECT_EQ(t.status == Status::Converts,
                          plain.bytes.empty() && !resolved.bytes.empty());
                EXPECT_EQ(t.status == Status::ViewOnly,
                          plain.verdict == pw::convert::Verdict::ViewOnly);
                // A refusal says why; a conversion changes something.
                EXPECT_TRUE(t.status != Status::Cannot || !t.reason.empty());
                EXPECT_TRUE(t.status != Status::Converts || t.substitutions + t.removals > 0);
            }
        }
    }
}

TEST(LibraryTriage, UnreadableAndNamesJudgedApart) {
    const auto* rp250 = pw::document::targetByCaption("RP250");
    const Triage broken = triage("<RP250Preset><Name>x</Nam>", *rp250, 0);
    EXPECT_TRUE(broken.status == Status::Unreadable && !broken.reason.empty());
    for (const auto& f : pwtest::tsv("batch_names.tsv", 3)) {
        const Triage t = triage(pwtest::presetXml("RP250Preset", pwtest::unescaped(f[0]), {}),
                                *rp250, 0, f[2] == "-" ? "" : f[2]);
        EXPECT_EQ(t.status, Status::Fits) << f[0];
        EXPECT_TRUE(t.nameRefused) << f[0];
        EXPECT_EQ(t.fixedName, f[1]) << f[0];
    }
}

// One scan of the samples as files, in a pack and in sub-folders.
class LibraryScan : public ::testing::Test {
  protected:
    void SetUp() override {
        std::vector<pwtest::Member> members;
        for (const std::string& s : kSamples) {
            const std::string bytes = pwtest::sample(s);
            dir.write(s, bytes);
            members.push_back({"pack/" + s, bytes});
        }
        members.push_back({"__MACOSX/pack/._big_verb.rp350p", "resource fork"});
        members.push_back({"__MACOSX/pack/surfs_up.rp255p", pwtest::sample("surfs_up.rp255p")});
        members.push_back({"pack/old/__MACOSX/metal.rp250p", pwtest::sample("metal_zone.rp250p")});
        members.push_back({"readme.txt", "hello"});
        pwtest::makeArchive(dir.path() / "pack.zip", members);
        pwtest::put(dir.path() / "b/c/deep.rp255p", pwtest::sample("surfs_up.rp255p"));
    }
    pwtest::TempDir dir;
};

// Two threads read what one reads, in the same order; the batches arrive in that order, and
// a cancelled scan stops.
TEST_F(LibraryScan, ParallelResultIsTheOneThreadResultBatchesInOrderCancelStops) {
    const auto before = std::distance(fs::directory_iterator("/proc/self/fd"), {});
    const ScanResult one = scanOf(dir.path(), 1);
    std::vector<Source> seen;
    const ScanResult many =
        scanOf(dir.path(), 2, {.batch = [&](std::span<const Preset> batch) {
                   std::ranges::transform(batch, std::back_inserter(seen), &Preset::source);
               }});
    // Each folder, pack and file the scans opened is closed again.
    EXPECT_EQ(std::distance(fs::directory_iterator("/proc/self/fd"), {}), before);
    ASSERT_EQ(one.presets.size(), 2 * kSamples.size() + 1);
    // Every file read: the samples, the pack and the one in sub-folders.
    ASSERT_EQ(std::tuple(many.presets.size(), many.filesRead), std::tuple(one.presets.size(), 10u));
    const auto facts = [](const Preset& p) {
        return std::tie(p.source, p.model, p.name, p.rows, p.uses, p.rowsKey, p.triage->status,
                        p.triage->reason);
    };
    for (std::size_t i = 0; i < one.presets.size(); ++i)
        EXPECT_EQ(facts(one.presets[i]), facts(many.presets[i]));
    // Folders by name, then members as stored; the readme, the resource fork and what
    // macOS left in its folders are skipped.
    EXPECT_EQ(one.presets.front().source.file, dir.path() / "b" / "c" / "deep.rp255p");
    EXPECT_EQ(one.presets[5].source.file, dir.path() / "metal_zone.rp250p");
    EXPECT_EQ(one.presets[7].source.member, "pack/crunch_time.rp150p");
    EXPECT_EQ(std::tuple(one.counts.skipped, many.counts.skipped), std::tuple(4u, 4u));
    ASSERT_EQ(seen.size(), many.presets.size());
    for (std::size_t i = 0; i < seen.size(); ++i)
        EXPECT_EQ(seen[i], many.presets[i].source);

    std::atomic<bool> cancel{true};
    const ScanResult stopped = scan({dir.path()}, ScanOptions{}, {}, &cancel);
    EXPECT_TRUE(stopped.cancelled && stopped.presets.empty());
}

// Search by text, model, models used and row (tests/data/library_search.tsv); a pack's
// member read again is the file's bytes.
TEST_F(LibraryScan, SearchByTextModelUsesAndRowMembersReadAgainAreTheFilesBytes) {
    const ScanResult r = scan({dir.path()}, {.keepBytes = true});
    for (const auto& f : pwtest::tsv("library_search.tsv")) {
        Query q;
        std::tie(q.text, q.model, q.uses, q.row) = std::tie(f.at(0), f.at(1), f.at(2), f.at(3));
        SCOPED_TRACE(q.text + "|" + q.model + "|" + q.uses + "|" + q.row);
        EXPECT_EQ(std::count_if(r.presets.begin(), r.presets.end(),
                                [&](const Preset& p) { return matches(p, q); }),
                  std::stol(f.at(4)));
    }
    const auto member = std::ranges::find(r.presets, std::string("pack/metal_zone.rp250p"),
                                          [](const Preset& p) { return p.source.member; });
    ASSERT_NE(member, r.presets.end());
    const std::string original = pwtest::sample("metal_zone.rp250p");
    EXPECT_EQ(member->bytes, original);
    const SourceBytes again = readSource(member->source);
    ASSERT_TRUE(again.ok) << again.problem;
    EXPECT_EQ(again.bytes, original);

    // Another member where it stood is not taken for it.
    std::vector<pwtest::Member> renamed;
    for (const std::string& s : kSamples)
        renamed.push_back({"pack/" + (s == "metal_zone.rp250p" ? "other.rp250p" : s), original});
    pwtest::makeArchive(dir.path() / "pack.zip", renamed);
    const SourceBytes moved = readSource(member->source);
    EXPECT_FALSE(moved.ok);
    EXPECT_EQ(moved.problem, "the archive no longer holds this member");
}

// Letter case and accents are ignored in every script: Unicode's case folding and
// canonical decomposition, the combining marks dropped (tests/data/search_folding.tsv).
TEST(LibrarySearch, FoldsCaseAndAccents) {
    for (const auto& f : pwtest::tsv("search_folding.tsv")) {
        Preset p;
        p.name = pwtest::unescaped(f.at(0));
        Query q;
        q.text = pwtest::unescaped(f.at(1));
        EXPECT_EQ(matches(p, q), f.at(2) == "yes") << f.at(0) << " / " << f.at(1);
    }
}

// Each case of what a scan is given, in a temporary folder of its own.
struct LibraryScanInput : ::testing::Test {
    pwtest::TempDir dir;
};

// A model is named by a Value that is a whole number and nothing else.
TEST_F(LibraryScanInput, AModelIsNamedOnlyByAWholeNumber) {
    std::string bytes = pwtest::sample("crunch_time.rp150p");
    const auto uses = [&] {
        dir.write("p.rp150p", bytes);
        const ScanResult r = scanOf(dir.path() / "p.rp150p");
        return r.presets.empty() ? std::vector<std::string_view>{} : r.presets[0].uses;
    };
    ASSERT_EQ(uses().front(), "Cry Wah");
    bytes.replace(bytes.find("<Value>132</Value>"), 18, "<Value>132x</Value>");
    EXPECT_TRUE(!uses().empty() && uses().front() != "Cry Wah");
}

// A pack of more presets than one batch of the scan holds is read to its last member.
TEST_F(LibraryScanInput, APackIsReadToItsLastMember) {
    std::vector<pwtest::Member> members;
    for (int i = 0; i < 100; ++i)
        members.push_back({"p" + std::to_string(i) + ".rp250p", sample()});
    pwtest::makeArchive(dir.path() / "many.zip", members);
    const ScanResult r = scanOf(dir.path() / "many.zip");
    ASSERT_EQ(r.presets.size(), 100u);
    EXPECT_EQ(r.presets.back().source.member, "p99.rp250p");
}

// Cancelled after the first batch, a scan says how much of what it listed it read.
TEST_F(LibraryScanInput, ACancelledScanSaysHowMuchItRead) {
    for (int i = 0; i < 1000; ++i)
        dir.write("p" + std::to_string(i) + ".rp250p", "<RP250Preset/>");
    std::atomic<bool> cancel{false};
    const ScanResult r = scan({dir.path()}, {.threads = 1},
                              {.batch = [&](std::span<Preset>) { cancel = true; }}, &cancel);
    EXPECT_TRUE(r.cancelled && r.filesRead < 1000u);
    EXPECT_EQ(std::tuple(r.filesTotal, r.filesRead), std::tuple(1000u, r.presets.size()));
}

// Progress is told at once, then once in a period at most, and at the end always.
TEST(LibraryProgress, ToldAtOnceThenOnceAPeriodAndAtTheEnd) {
    using namespace std::chrono_literals;
    ProgressThrottle due(100ms);
    const ProgressThrottle::Clock::time_point start{1000s};
    EXPECT_TRUE(due.due(false, start) && !due.due(false, start + 99ms));
    EXPECT_TRUE(due.due(true, start + 99ms));  // the end
    // A period after the end was told.
    EXPECT_TRUE(!due.due(false, start + 198ms) && due.due(false, start + 199ms));
}

// One file is one preset, however it is named: twice, through its folder, through a link.
TEST_F(LibraryScanInput, AFileNamedTwiceIsReadOnce) {
    const fs::path file = dir.write("x.rp250p", sample());
    fs::create_symlink("x.rp250p", dir.path() / "y.rp250p");
    const ScanResult r = scan({file, dir.path() / "." / "x.rp250p", dir.path()}, ScanOptions{});
    ASSERT_EQ(r.presets.size(), 1u);
    EXPECT_EQ(r.presets[0].source.file, file);
}

// Every kind of pack the library knows by its name's ending, as libarchive's own writer
// makes it, gives up its preset. (RAR and CAB packs cannot be written; an LHA pack is
// checked in.)
TEST_F(LibraryScanInput, EveryKindOfPackIsOpenedByItsEnding) {
    const std::string bytes = pwtest::sample("crunch_time.rp150p");
    // An ending, the container and the compression (a tar compressed by each of its endings).
    for (const auto& f : pwtest::tsv("pack_kinds.tsv", 3)) {
        const fs::path pack = dir.path() / ("pack" + f[0]);
        if (f[1] == "checked-in")
            fs::copy_file(pwtest::dataFile("packs/pack" + f[0]), pack);  // make_packs.py
        else
            pwtest::makeArchive(pack, {{"in/crunch.rp150p", bytes}},
                                {f[1].c_str(), f[2].empty() ? nullptr : f[2].c_str()});
        const ScanResult r = scanOf(pack);
        ASSERT_EQ(r.presets.size(), 1u) << f[0];
        EXPECT_EQ(r.presets[0].source.member, "in/crunch.rp150p") << f[0];
        EXPECT_EQ(r.presets[0].name, "Crunch Time") << f[0];
    }
}

// A link to nothing is reported as such; nothing but a regular file is opened as a pack:
// a pipe would never end.
TEST_F(LibraryScanInput, ABrokenLinkIsReportedAPipeNamedAsAPackNotOpened) {
    fs::create_symlink("nowhere", dir.path() / "gone.rp250p");
    EXPECT_GT(problems(scanOf(dir.path() / "gone.rp250p"), ScanProblem::Kind::BrokenLink), 0);
    const fs::path pipe = dir.path() / "p.zip";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    EXPECT_TRUE(ArchiveReader(pipe).unreadable());
    EXPECT_GT(problems(scanOf(pipe), ScanProblem::Kind::NotAPreset), 0);
}

TEST(LibraryDuplicates, SameRowsWhateverNameLayoutOrLineEnds) {
    pwtest::TempDir dir;
    const std::string a = pwtest::presetXml("RP250Preset", "One",
                                            {{"1", "2", "3", "n", "t"}, {"4", "5", "6", "m", "u"}});
    std::string b = pwtest::presetXml("RP355Preset", "Other name",
                                      {{"1", "2", "3", "x", "y"}, {"4", "5", "6", "m", "u"}});
    b.erase(std::remove(b.begin(), b.end(), '\r'), b.end());
    std::string c = b;
    c.replace(c.find("<Value>6"), 8, "<Value>7");
    dir.write("a.rp250p", a);
    dir.write("b.rp355p", b);
    dir.write("c.rp355p", c);
    std::string d = a;
    for (std::size_t at = d.find("\r\n      <"); at != std::string::npos;
         at = d.find("\r\n      <"))
        d.replace(at, 9, "\n\t<");
    dir.write("d.rp250p", d);
    dir.write("e.rp250p", "<broken");
    pwtest::makeArchive(dir.path() / "p.zip", {{"z.rp250p", c}});
    const ScanResult r = scanOf(dir.path());
    ASSERT_EQ(r.presets.size(), 6u);
    // Told from what the scan read: the files are not read again.
    for (const fs::directory_entry& file : fs::directory_iterator(dir.path()))
        fs::remove(file.path());
    using G = std::optional<std::size_t>;
    EXPECT_EQ(duplicateGroups(r.presets), (std::vector<G>{1, 1, 2, 1, std::nullopt, 2}));
}

// Rows are told apart by SipHash-2-4 with its 128-bit output: the reference vectors (the
// key 00 01 .. 0f; the message 00 01 .. of 0, 15 and 63 bytes).
TEST(LibraryDuplicates, TheRowsKeyIsSipHash128) {
    std::string message(63, '\0');
    std::iota(message.begin(), message.end(), '\0');
    using Key = std::pair<std::uint64_t, std::uint64_t>;
    const auto key = [&](std::size_t n) {
        const pw::library::RowsKey k = pw::library::rowsKey(
            message.substr(0, n), {0x0706050403020100ull, 0x0f0e0d0c0b0a0908ull});
        return Key{k.low, k.high};
    };
    EXPECT_EQ(key(0), Key(0xe6a825ba047f81a3ull, 0x930255c71472f66dull));
    EXPECT_EQ(key(15), Key(0x11a8b03399e99354ull, 0xd9c3cf970fec087eull));
    EXPECT_EQ(key(63), Key(0x4a83502f77d15051ull, 0x7cbd3f979a063e50ull));
}

// Marks are stored under the content key, so it must not change from one version to the
// next: it is 64-bit FNV-1a (the published test vectors).
TEST(LibraryDuplicates, TheContentKeyIsFnv1aSoStoredMarksAreFoundAgain) {
    EXPECT_EQ(stableRowsKey(""), 0xcbf29ce484222325ull);
    EXPECT_EQ(stableRowsKey("a"), 0xaf63dc4c8601ec8cull);
    EXPECT_EQ(stableRowsKey("foobar"), 0x85944171f73967e8ull);
    // Of a preset: each row's ID, Position and Value, each ended by 0x1F, the row by a
    // line feed.
    const auto content = pw::library::contentOf(
        pwtest::presetXml("RP250Preset", "Lead",
                          {{"2496", "8", "311", "Amp Type", "x"}, {"129", "3", "0", "Wah", "y"}}));
    ASSERT_TRUE(content);
    EXPECT_EQ(content->key, stableRowsKey("2496\0378\037311\037\n129\0373\0370\037\n"));
}

// Hostile archives, each made at test time: a line of the report each, nothing written.
struct Hostile {
    std::string name;
    std::function<void(const fs::path&)> make;
    std::function<void(const ScanResult&)> expect;
    friend void PrintTo(const Hostile& hostile, std::ostream* out) { *out << hostile.name; }
};

// A zip of `pads` members of 16 MB each, then a preset: half the pads say their size,
// half are streams whose size comes after them.
void bomb(const fs::path& d, int pads) {
    std::vector<pwtest::Member> members;
    for (int i = 0; i < pads; ++i)
        members.push_back({"pad" + std::to_string(i) + ".bin", "", 16u << 20, i % 2 == 1});
    members.push_back({"late.rp250p", sample()});
    pwtest::makeArchive(d / "bomb.zip", members, pwtest::kZip, "zip:compression-level=1");
}

std::vector<Hostile> hostileCases() {
    return {
        {"broken_archive",
         [](const fs::path& d) {
             pwtest::makeArchive(d / "cut.zip", {{"a.rp250p", sample()}, {"b.rp250p", sample()}});
             fs::resize_file(d / "cut.zip", fs::file_size(d / "cut.zip") / 2);
             std::ofstream(d / "noise.zip", std::ios::binary) << std::string(5000, 'x');
             // Cut inside a member passed over, not read: the pack is still damaged.
             pwtest::makeArchive(d / "t.tgz", {{"pad.bin", "", 16u << 20}, {"a.rp250p", sample()}},
                                 pwtest::kTarGz);
             fs::resize_file(d / "t.tgz", fs::file_size(d / "t.tgz") / 2);
         },
         [](const ScanResult& r) { EXPECT_EQ(problems(r, ScanProblem::Kind::BrokenArchive), 3); }},
        {"encrypted_member",
         [](const fs::path& d) {
             pwtest::makeArchive(d / "locked.zip", {{"a.rp250p", sample()}}, pwtest::kZip,
                                 "zip:encryption=zipcrypt", "secret");
         },
         [](const ScanResult& r) {
             ASSERT_EQ(r.presets.size(), 1u);
             EXPECT_EQ(std::tie(r.presets[0].readable, r.presets[0].triage->status,
                                r.presets[0].readProblem),
                       std::tuple(false, Status::Unreadable, "it is encrypted"));
         }},
        {"member_past_16_MB",  // one byte past it, then 16 MB whole; then in a stream
         [](const fs::path& d) {
             const std::uint64_t pad = (16u << 20) - sample().size();
             pwtest::makeArchive(d / "big.tar.gz",
                                 {{"big.rp250p", sample(), pad + 1},
                                  {"edge.rp250p", sample(), pad},
                                  {"ok.rp250p", sample()}},
                                 pwtest::kTarGz);
             // A zip without its directory is read as a stream: no member's size is known
             // before its data, one passed over is read through.
             pwtest::makeArchive(d / "s.zip", {{"pad.bin", "", 1u << 20, true},
                                               {"big.rp250p", sample(), 16u << 20, true},
                                               {"a.rp250p", sample(), 0, true}});
             fs::resize_file(d / "s.zip", fs::file_size(d / "s.zip") - 1);
         },
         [](const ScanResult& r) {
             ASSERT_EQ(r.presets.size(), 5u);
             for (const std::size_t past : {0, 3})
                 EXPECT_EQ(r.presets[past].readProblem, "it expands past 16 MB");
             EXPECT_NE(r.presets[1].readProblem, "it expands past 16 MB");
             EXPECT_TRUE(r.presets[2].readable && r.presets[4].readable);
         }},
        {"file_past_16_MB",  // sparse files: nothing is written
         [](const fs::path& d) {
             for (const char* name : {"edge.rp250p", "huge.rp250p"})
                 std::ofstream(d / name) << sample();
             fs::resize_file(d / "edge.rp250p", 16u << 20);
             fs::resize_file(d / "huge.rp250p", (16u << 20) + 1);
         },
         [](const ScanResult& r) {
             ASSERT_EQ(r.presets.size(), 2u);
             const std::string tooLarge = "it is larger than 16 MB, too large to be a preset";
             EXPECT_NE(r.presets[0].readProblem, tooLarge);
             EXPECT_EQ(r.presets[1].readProblem, tooLarge);
         }},
        {"archive_past_1_GB", [](const fs::path& d) { bomb(d, 65); },
         [](const ScanResult& r) {
             EXPECT_TRUE(problems(r, ScanProblem::Kind::ArchiveTooLarge) > 0 && r.presets.empty());
         }},
        {"preset_past_the_archive_limit", [](const fs::path& d) { bomb(d, 64); },  // 1 GB before it
         [](const ScanResult& r) {
             EXPECT_GT(problems(r, ScanProblem::Kind::ArchiveTooLarge), 0);
             ASSERT_EQ(r.presets.size(), 1u);
             EXPECT_EQ(r.presets[0].readProblem, "it expands past the archive's limit");
         }},
        {"names_leaving_the_archive",
         [](const fs::path& d) {
             std::vector<pwtest::Member> members;
             for (const char* name : {"../x.rp250p", "/x.rp250p", "C:/x.rp250p", "a/../../y.rp250p",
                                      "./../z.rp250p", "a/../in.rp250p", "fine.rp250p"})
                 members.push_back({name, sample()});
             pwtest::makeArchive(d / "escape.zip", members);
         },
         [](const ScanResult& r) {
             ASSERT_EQ(r.presets.size(), 7u);
             for (std::size_t i = 0; i < 5; ++i)
                 EXPECT_EQ(r.presets[i].readProblem, "its name points outside the archive")
                     << r.presets[i].source.member;
             EXPECT_TRUE(r.presets[5].readable && r.presets[6].readable);
         }},
        {"names_in_any_language",
         [](const fs::path& d) {
             // The test runs in the C locale, as a shell with LANG=C would.
             const std::vector<pwtest::Member> members = {{"Crème.rp255p", sample()},
                                                          {"plain.rp250p", sample()}};
             pwtest::makeArchive(d / "accents.7z", members, pwtest::kSevenZip);
             pwtest::makeArchive(d / "accents.zip", members);
         },
         [](const ScanResult& r) {
             ASSERT_EQ(r.presets.size(), 4u);
             EXPECT_TRUE(r.presets[0].source.member == "Crème.rp255p" && r.counts.skipped == 0);
             EXPECT_EQ(r.presets[2].source.member, "Crème.rp255p");
         }},
        // UTF-8 names said, one is not (packs/make_packs.py).
        {"name_that_cannot_be_read",
         [](const fs::path& d) {
             fs::copy_file(pwtest::dataFile("packs/bad_name.zip"), d / "odd.zip");
         },
         [](const ScanResult& r) {
             EXPECT_GT(problems(r, ScanProblem::Kind::UnnamedMember), 0);
             EXPECT_EQ(r.counts.skipped, 0u);
         }},
        {"links_and_devices_in_a_tar",
         [](const fs::path& d) {
             pwtest::makeArchive(d / "odd.tar.gz",
                                 {{"link.rp250p", "real.rp250p", 0, false, AE_IFLNK},
                                  {"dev.rp250p", "", 0, false, AE_IFCHR},
                                  {"real.rp250p", sample()}},
                                 pwtest::kTarGz);
         },
         [](const ScanResult& r) {
             EXPECT_EQ(std::tuple(r.presets.size(), r.counts.skipped), std::tuple(1u, 2u));
         }},
        {"zeros_named_zip",
         [](const fs::path& d) {
             std::ofstream(d / "zeros.zip").close();
             fs::resize_file(d / "zeros.zip", 1ull << 30);  // sparse: nothing is written
         },
         [](const ScanResult& r) { EXPECT_GT(problems(r, ScanProblem::Kind::BrokenArchive), 0); }},
        {"symbolic_link_loops",
         [](const fs::path& d) {
             fs::create_directories(d / "a" / "b");
             fs::create_directory_symlink("../..", d / "a" / "b" / "up");
             fs::create_symlink("self", d / "self");
             fs::create_directory_symlink("a", d / "again");  // a second way in: listed once
             std::ofstream(d / "a" / "b" / "p.rp250p") << sample();
         },
         [](const ScanResult& r) {
             EXPECT_TRUE(problems(r, ScanProblem::Kind::LinkLoop) > 0 && r.presets.size() == 1u);
         }},
        {"many_other_files",
         [](const fs::path& d) {
             for (int i = 0; i < 20000; ++i)
                 ::close(::creat((d / ("f" + std::to_string(i) + ".wav")).c_str(), 0644));
         },
         [](const ScanResult& r) { EXPECT_TRUE(r.counts.skipped == 20000u && r.presets.empty()); }},
        {"folder_that_cannot_be_listed",
         [](const fs::path& d) {
             // Deeper than a path can name: the folder at the bottom cannot be opened, even
             // by root (a folder without permissions would be listed by root).
             int fd = ::open(d.c_str(), O_DIRECTORY);
             const std::string part(200, 'd');
             for (int i = 0; i < 25; ++i) {
                 ::mkdirat(fd, part.c_str(), 0755);
                 const int next = ::openat(fd, part.c_str(), O_DIRECTORY);
                 ::close(fd);
                 fd = next;
             }
             ::close(fd);
         },
         [](const ScanResult& r) {
             EXPECT_GT(problems(r, ScanProblem::Kind::UnreadableFolder), 0);
             EXPECT_GE(r.counts.unreadableFolders, 1u);
         }},
    };
}

// Removes a tree that may be deeper than a path can name.
void removeDeep(int parent, const char* name) {
    const int fd = ::openat(parent, name, O_DIRECTORY | O_NOFOLLOW);
    if (fd >= 0) {
        removeDeep(fd, std::string(200, 'd').c_str());
        ::close(fd);
    }
    ::unlinkat(parent, name, AT_REMOVEDIR);
}

class HostileLibrary : public ::testing::TestWithParam<Hostile> {};

TEST_P(HostileLibrary, ReportedWithoutHarm) {
    pwtest::TempDir dir;
    GetParam().make(dir.path());
    const std::vector<std::string> before = treeOf(dir.path());
    const auto start = std::chrono::steady_clock::now();
    const ScanResult r = scanOf(dir.path());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
    GetParam().expect(r);
    EXPECT_EQ(treeOf(dir.path()), before);
    removeDeep(AT_FDCWD, (dir.path() / std::string(200, 'd')).c_str());
}

INSTANTIATE_TEST_SUITE_P(Library, HostileLibrary, ::testing::ValuesIn(hostileCases()),
                         [](const auto& param) { return param.param.name; });

}  // namespace
