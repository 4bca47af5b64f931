// SPDX-License-Identifier: GPL-3.0-or-later
// The library model without a window: scan, retarget, search, plan and convert, each
// delivered once on the owner's thread; a newer command supersedes an older one, and
// each can be cancelled at every stage.

#include <numeric>
#include <set>

#include "../support/archive_maker.h"
#include "library/source.h"
#include "library_owner.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using namespace pw::library;
using pwtest::Owner;
using pwtest::put;
using pwtest::sample;

const pw::document::Target& target(const char* caption) {
    return *pw::document::targetByCaption(caption);
}

// metal_zone.rp250p under the patch name `name`.
std::string metalNamed(const std::string& name) {
    std::string bytes = sample("metal_zone.rp250p");
    return bytes.replace(bytes.find("<Name>Metal Zone</Name>"), 23, "<Name>" + name + "</Name>");
}

class LibraryModel : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* s : {"metal_zone.rp250p", "surfs_up.rp255p", "pluck_funk.g4p",
                              "dual_amp_lead.rp355p", "crunch_time.rp150p"})
            put(dir.path() / (std::string("lib/") + s), sample(s));
        put(dir.path() / "lib/more/twin.rp255p", sample("surfs_up.rp255p"));
        put(dir.path() / "lib/more/broken.rp250p", "<RP250Preset><Name>x</Na");
        pwtest::makeArchive(dir.path() / "lib" / "pack.zip",
                            {{"Pack/jump.rp255p", sample("jump_yaya.rp255p")}});
    }
    // Many presets: neither a scan nor a conversion of them is over at once.
    fs::path many(int count = 600) {
        const std::string bytes = sample("metal_zone.rp250p");
        for (int i = 0; i < count; ++i)
            put(dir.path() / ("many/" + std::to_string(i) + ".rp250p"), bytes);
        return dir.path() / "many";
    }
    void scanned(Library& library, std::vector<fs::path> inputs) {
        const std::size_t before = owner.reports.size();
        owner.added = 0;
        library.scan(std::move(inputs));
        ASSERT_TRUE(owner.runUntil([&] { return owner.reports.size() > before; }));
    }
    // Each row's status is the one a triage of its preset against `settings` gives.
    static void expectTriagedAgainst(const Library& library, TriageSettings settings) {
        ASSERT_EQ(library.triages().size(), library.presets().size());
        for (std::size_t i = 0; i < library.presets().size(); ++i) {
            const Preset& p = *library.presets()[i];
            if (!p.readable) {  // so against every target, for the reason it always had
                EXPECT_EQ(library.triages()[i].status, Status::Unreadable);
                EXPECT_NE(library.triages()[i].reason, "");
                continue;
            }
            const SourceBytes read = readSource(p.source);
            ASSERT_TRUE(read.ok);
            const Triage want =
                triage(read.bytes, *settings.target, settings.amp, presetStem(p.source));
            EXPECT_EQ(library.triages()[i].status, want.status) << displayName(p.source);
            EXPECT_EQ(library.triages()[i].fixedName, want.fixedName);
        }
    }

    // The numbers of all the library's rows.
    static std::vector<std::size_t> everyRow(const Library& library) {
        std::vector<std::size_t> rows(library.presets().size());
        std::iota(rows.begin(), rows.end(), 0);
        return rows;
    }

    // The presets the last search found, by name.
    static std::vector<std::string> found(const Library& library) {
        std::vector<std::string> out;
        for (std::size_t i = 0; i < library.presets().size(); ++i)
            if (library.hit(i)) out.push_back(displayName(library.presets()[i]->source));
        return out;
    }

    pwtest::TempDir dir;
    Owner owner;
    TriageSettings rp250{&target("RP250"), 'A'};
    TriageSettings rp150{&target("RP150"), 'A'};
};

// A scan delivers its rows, the twins and one report; a rescan and a triage read the
// presets again.
TEST_F(LibraryModel, ScanDeliversRowsTwinsAndOneReport) {
    Library library(owner.post(), owner, rp250);
    scanned(library, {dir.path() / "lib"});
    EXPECT_FALSE(library.triaging());  // the scan triaged its rows itself
    owner.drain();
    ASSERT_EQ(owner.reports.size(), 1u);
    EXPECT_EQ(std::tuple(owner.added, library.presets().size(), owner.reports[0].counts.presets,
                         library.scanning()),
              std::tuple(8u, 8u, 8u, false));
    expectTriagedAgainst(library, rp250);
    EXPECT_EQ(std::ranges::count(library.duplicateGroups(), std::optional<std::size_t>(1)), 2);
    EXPECT_EQ(owner.stages.back(), Stage::Scanning);
    for (const PresetPtr& p : library.presets())
        EXPECT_TRUE(p->bytes.empty());  // read again when needed
    // A rescan reads the same inputs anew.
    owner.added = 0;
    library.rescan();
    EXPECT_TRUE(library.presets().empty());
    ASSERT_TRUE(owner.runUntil([&] { return owner.reports.size() == 2; }));
    EXPECT_EQ(library.presets().size(), 8u);
    // A triage reads files and pack members again, as they are now.
    put(dir.path() / "lib/metal_zone.rp250p", sample("pluck_funk.g4p"));
    library.retarget(rp150);
    ASSERT_TRUE(owner.runUntil([&] { return !owner.retriages.empty(); }));
    expectTriagedAgainst(library, rp150);
    EXPECT_EQ(std::ranges::count(library.triages(), Status::ViewOnly, &Triage::status), 2);
}

TEST_F(LibraryModel, RetargetTriagesEveryRowAfterTheScanWhenOneRuns) {
    const fs::path folder = many();
    Library library(owner.post(), owner, rp250);
    library.scan({folder, dir.path() / "lib"});
    ASSERT_TRUE(owner.runUntil([&] { return owner.added > 0; }) && library.scanning());
    library.retarget(rp150);
    EXPECT_TRUE(library.triaging());
    ASSERT_TRUE(owner.runUntil([&] { return !owner.retriages.empty(); }));
    EXPECT_EQ(std::tuple(owner.reports.size(), library.triaging(), library.presets().size()),
              std::tuple(1u, false, 608u));
    expectTriagedAgainst(library, rp150);

    // Idle: straight away, and the same settings again do nothing.
    library.retarget(rp250);
    library.retarget(rp250);
    ASSERT_TRUE(owner.runUntil([&] { return owner.retriages.size() == 2; }));
    owner.drain();
    EXPECT_EQ(owner.retriages, (std::vector<bool>{false, false}));
    expectTriagedAgainst(library, rp250);
}

TEST_F(LibraryModel, ANewerCommandSupersedesTheOlder) {
    const fs::path folder = many();
    Library library(owner.post(), owner, rp250);
    library.scan({folder});
    library.scan({dir.path() / "lib"});
    ASSERT_TRUE(owner.runUntil([&] { return !owner.reports.empty(); }));
    owner.drain();
    ASSERT_EQ(owner.reports.size(), 1u);
    EXPECT_EQ(std::tuple(owner.added, library.presets().size()), std::tuple(8u, 8u));

    // Two retargets: only the second's statuses arrive.
    library.retarget(rp150);
    library.retarget(TriageSettings{&target("RP355"), 'B'});
    ASSERT_TRUE(owner.runUntil([&] { return !owner.retriages.empty(); }));
    owner.drain();
    EXPECT_EQ(owner.retriages.size(), 1u);
    expectTriagedAgainst(library, TriageSettings{&target("RP355"), 'B'});
}

TEST_F(LibraryModel, CancelledAtEveryStage) {
    const fs::path folder = many();
    Library library(owner.post(), owner, rp250);
    // The scan: cancelled before it starts and while it reads.
    const CancelToken cancelled;
    cancelled.cancel();
    library.scan({folder}, cancelled);
    ASSERT_TRUE(owner.runUntil([&] { return owner.reports.size() == 1; }));
    EXPECT_TRUE(owner.reports[0].cancelled);
    owner.added = 0;
    library.scan({folder});
    ASSERT_TRUE(owner.runUntil([&] { return owner.added > 0; }));
    library.cancel();
    ASSERT_TRUE(owner.runUntil([&] { return owner.reports.size() == 2; }));
    EXPECT_TRUE(owner.reports[1].cancelled && library.presets().size() < 600u);
    EXPECT_TRUE(library.duplicateGroups().empty() ||
                library.duplicateGroups().size() == library.presets().size());

    scanned(library, {folder});
    ASSERT_EQ(library.presets().size(), 600u);
    // The triage: the statuses stay those of the last triage that ended.
    library.retarget(rp150);
    library.cancel();
    ASSERT_TRUE(owner.runUntil([&] { return !owner.retriages.empty(); }));
    EXPECT_TRUE(owner.retriages[0] && !library.triaging());
    expectTriagedAgainst(library, rp250);

    // The plan and the conversion.
    const std::vector<std::size_t> rows = everyRow(library);
    const ConvertOptions options{.settings = rp250, .folder = dir.path() / "out"};
    library.plan(rows, options, cancelled);
    ASSERT_TRUE(owner.runUntil([&] { return owner.plans.size() == 1; }));
    EXPECT_TRUE(owner.plans[0].cancelled);
    library.plan(rows, options);
    ASSERT_TRUE(owner.runUntil([&] { return owner.plans.size() == 2; }));
    EXPECT_FALSE(owner.plans[1].cancelled);
    fs::create_directories(options.folder);
    CancelToken stop;
    library.convert(owner.plans[1], {}, pw::document::systemFileWriter(), stop);
    EXPECT_TRUE(library.converting());
    ASSERT_TRUE(owner.runUntil([&] {
        return !owner.runs.empty() || std::ranges::count(owner.stages, Stage::Converting) > 0;
    }));
    stop.cancel();
    ASSERT_TRUE(owner.runUntil([&] { return !owner.runs.empty(); }));
    const ConversionRun& run = owner.runs[0];
    EXPECT_TRUE(run.cancelled && run.counts[std::size_t(OutcomeKind::NotDone)] > 0u);
    // Every preset written is there whole, beside the report.
    EXPECT_EQ(std::count_if(fs::directory_iterator(options.folder), {},
                            [](const auto& e) { return e.path().extension() == ".rp250p"; }),
              run.counts[std::size_t(OutcomeKind::Written)]);
    EXPECT_NE(pwtest::readFile(run.report).find(",cancelled,"), std::string::npos);
}

TEST_F(LibraryModel, SearchDeliversTheRowsFoundAndLooksAtRowsReadLater) {
    Library library(owner.post(), owner, rp250);
    // A preset that cannot be read (a Param lacks its Text) has no rows to find.
    std::string textless = sample("dual_amp_lead.rp355p");
    put(dir.path() / "lib/textless.rp355p", textless.erase(textless.find("<Text>"), 22));
    // A row search started before the scan: the rows are looked at as they come.
    library.scan({dir.path() / "lib"});
    library.search("Amp A Type=Brown Sound");
    ASSERT_TRUE(owner.runUntil(
        [&] { return !owner.reports.empty() && !library.scanning() && !library.searching(); }));
    EXPECT_EQ(library.presets().size(), 9u);
    EXPECT_EQ(found(library), std::vector{(dir.path() / "lib/dual_amp_lead.rp355p").string()});
    EXPECT_TRUE(library.searchText().asksForRows());
    // Text: in the name or the file, a model, or a model used.
    const std::size_t searches = owner.searches;
    library.search("  RP150 ");
    EXPECT_TRUE(library.searching());
    ASSERT_TRUE(owner.runUntil([&] { return !library.searching(); }));
    EXPECT_GT(owner.searches, searches);
    EXPECT_EQ(found(library), std::vector{(dir.path() / "lib/crunch_time.rp150p").string()});
    library.search("");
    EXPECT_EQ(found(library).size(), 9u);
}

// A long scan delivers its rows in batches: a row search begun once the first are shown
// looks at the rows of every later batch too.
TEST_F(LibraryModel, RowSearchLooksAtEveryBatchOfALongScan) {
    const std::string metal = sample("metal_zone.rp250p");
    const std::string crunch = sample("crunch_time.rp150p");
    for (int i = 0; i < 900; ++i)
        put(dir.path() / "long" / (std::to_string(i) + (i % 3 ? ".rp150p" : ".rp250p")),
            i % 3 ? crunch : metal);
    Library library(owner.post(), owner, rp250);
    library.scan({dir.path() / "long"});
    ASSERT_TRUE(owner.runUntil([&] { return owner.added > 0; }));
    library.search("Amp A Type=Metal");
    ASSERT_TRUE(owner.runUntil([&] { return !library.scanning() && !library.searching(); }));
    ASSERT_EQ(library.presets().size(), 900u);
    EXPECT_EQ(found(library).size(), 300u);
}

TEST_F(LibraryModel, PlanThenConvertWhatItPlanned) {
    put(dir.path() / "dry/a.rp250p", sample("metal_zone.rp250p"));
    put(dir.path() / "dry/b.rp250p", sample("metal_zone.rp250p"));
    put(dir.path() / "dry/c.rp250p", metalNamed("Loud!"));
    put(dir.path() / "dry/view.g4p", sample("pluck_funk.g4p"));
    Library library(owner.post(), owner, rp250);
    scanned(library, {dir.path() / "dry"});
    const fs::path out = dir.path() / "out";
    const ConvertOptions options{.settings = {&target("RP255"), 'A'}, .folder = out};
    library.plan({0, 1, 2, 3}, options);
    ASSERT_TRUE(owner.runUntil([&] { return !owner.plans.empty(); }));
    const ConversionPlan& plan = owner.plans[0];
    EXPECT_EQ(std::tie(plan.write, plan.cannot, plan.collide, plan.namesFixed),
              std::tuple(1u, 2u, 1u, 0u));
    EXPECT_FALSE(fs::exists(out));
    EXPECT_EQ(plan.outcomes[1].reason, "another preset of this run is saved as Metal Zone.rp255p");
    EXPECT_EQ(plan.outcomes[2].reason, "its patch name cannot be saved");
    EXPECT_EQ(plan.outcomes[3].reason, "GNX4 presets can only be viewed");

    // An output that exists is kept unless the run may replace it; an earlier report of
    // the same second is kept too.
    fs::create_directories(out);
    put(out / "Metal Zone.rp255p", "old");
    std::vector<fs::path> earlier;
    for (std::time_t t = std::time(nullptr), end = t + 5; t < end; ++t) {
        char stamp[32];
        std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H-%M-%S", std::localtime(&t));
        put(earlier.emplace_back(out / ("Patchwright report " + std::string(stamp) + ".csv")), "");
    }
    library.plan({0, 1, 2, 3}, options);
    ASSERT_TRUE(owner.runUntil([&] { return owner.plans.size() == 2; }));
    EXPECT_EQ(owner.plans[1].existing, std::vector<std::size_t>{0});
    library.convert(owner.plans[1], {false, false, false, false}, pw::document::systemFileWriter());
    ASSERT_TRUE(owner.runUntil([&] { return owner.runs.size() == 1; }));
    EXPECT_EQ(owner.runs[0].outcomes[0].kind, OutcomeKind::Kept);
    EXPECT_NE(pwtest::readFile(owner.runs[0].report).find(",kept existing,"), std::string::npos);
    EXPECT_EQ(pwtest::readFile(out / "Metal Zone.rp255p"), "old");
    library.convert(owner.plans[1], {true, false, false, false}, pw::document::systemFileWriter());
    ASSERT_TRUE(owner.runUntil([&] { return owner.runs.size() == 2; }));
    const ConversionRun& run = owner.runs[1];
    EXPECT_EQ(run.outcomes[0].kind, OutcomeKind::Written);
    EXPECT_NE(pwtest::readFile(out / "Metal Zone.rp255p"), "old");
    EXPECT_EQ(run.counts[std::size_t(OutcomeKind::Cannot)], 2u);
    const std::string report = pwtest::readFile(run.report);
    EXPECT_EQ(report.substr(0, report.find("\r\n")),
              "input,member,outcome,output,substitutions,removals,reason");
    EXPECT_NE(report.find(",written,Metal Zone.rp255p,"), std::string::npos) << report;
    EXPECT_TRUE(run.report.string().ends_with(").csv")) << run.report;
    for (const fs::path& file : earlier)
        EXPECT_EQ(pwtest::readFile(file), "");
}

// A pack member the pack no longer holds when it is converted is said, with why.
TEST_F(LibraryModel, AMemberGoneSinceTheScanIsNotConverted) {
    const fs::path pack = dir.path() / "gone.zip";
    pwtest::makeArchive(pack, {{"metal.rp250p", sample("metal_zone.rp250p")}});
    Library library(owner.post(), owner, rp250);
    scanned(library, {pack});
    pwtest::makeArchive(pack, {{"other.rp250p", sample("metal_zone.rp250p")}});
    const ConvertOptions options{.settings = {&target("RP255"), 'A'}, .folder = dir.path()};
    library.plan({0}, options);
    ASSERT_TRUE(owner.runUntil([&] { return !owner.plans.empty(); }));
    library.convert(owner.plans[0], {false}, pw::document::systemFileWriter());
    ASSERT_TRUE(owner.runUntil([&] { return owner.runs.size() == 1; }));
    const Outcome& said = owner.runs[0].outcomes[0];
    EXPECT_EQ(std::tie(said.kind, said.reason),
              std::tuple(OutcomeKind::Cannot, "the archive no longer holds this member"));
}

// Without Resolve Conflicts the plan is the conversion's own, not told by the triages
// (they resolve): a preset that needs it cannot be converted.
TEST_F(LibraryModel, APlanWithoutResolveIsNotToldByTheTriages) {
    Library library(owner.post(), owner, {&target("RP255"), 'A'});
    scanned(library, {dir.path() / "lib" / "dual_amp_lead.rp355p"});
    library.plan({0},
                 {.settings = {&target("RP255"), 'A'}, .resolve = false, .folder = dir.path()});
    ASSERT_TRUE(owner.runUntil([&] { return !owner.plans.empty(); }));
    EXPECT_EQ(owner.plans[0].outcomes[0].kind, OutcomeKind::Cannot);
}

// The plan a library makes from its triages is the plan a dry run of the conversion
// makes: the same outcome, output, reason and counts for every preset, whatever the
// target, amp channel and names; names that collide, outputs that exist and an output
// that is one of the presets included.
TEST_F(LibraryModel, ThePlanFromTheTriagesIsTheDryRunsPlan) {
    put(dir.path() / "lib/more/bang.rp250p", metalNamed("Loud!"));
    put(dir.path() / "lib/more/dots.rp250p", metalNamed(".."));
    put(dir.path() / "lib/more/noname.rp250p", "<RP250Preset><Params></Params></RP250Preset>");
    pwtest::makeArchive(dir.path() / "lib/more/two.zip",
                        {{"lead.rp355p", sample("dual_amp_lead.rp355p")},
                         {"verb.rp350p", sample("big_verb.rp350p")}});
    const fs::path out = dir.path() / "out";
    // Its own output, its name fixed, for the RP250.
    put(out / "Loud_.rp250p", metalNamed("Loud!"));
    put(out / "Metal Zone.rp255p", "old");
    // What a plan says of one preset.
    const auto said = [](const Outcome& o) {
        return std::tie(o.kind, o.output, o.reason, o.substitutions, o.removals, o.nameFixed);
    };
    std::set<std::string> reasons;  // every way a plan can end is met
    for (const TriageSettings settings : std::initializer_list<TriageSettings>{
             {&target("RP255"), 'A'}, {&target("RP355"), 'B'}, {&target("RP150"), 0}, rp250}) {
        Library library(owner.post(), owner, settings);
        scanned(library, {dir.path() / "lib", out / "Loud_.rp250p"});
        const std::vector<std::size_t> rows = everyRow(library);
        for (const bool fixNames : {false, true}) {
            const ConvertOptions options{.settings = settings, .fixNames = fixNames, .folder = out};
            const std::atomic<bool> go{false};
            const ConversionPlan told =
                planFromTriages(rows, library.presets(), library.triages(), options, go);
            const ConversionPlan run = planConversion(rows, library.presets(), options, go);
            const std::string what =
                std::string(settings.target->caption) + (fixNames ? " fix" : "");
            ASSERT_EQ(told.outcomes.size(), run.outcomes.size());
            for (std::size_t i = 0; i < run.outcomes.size(); ++i)
                EXPECT_EQ(said(told.outcomes[i]), said(run.outcomes[i]))
                    << what << " " << displayName(library.presets()[i]->source);
            EXPECT_EQ(
                std::tie(told.write, told.cannot, told.collide, told.namesFixed, told.existing),
                std::tie(run.write, run.cannot, run.collide, run.namesFixed, run.existing))
                << what;
            EXPECT_FALSE(run.existing.empty() && settings.target->caption == std::string("RP255"));
            for (const Outcome& o : run.outcomes)
                reasons.insert(std::string(outcomeWord(o.kind)) + ": " +
                               o.reason.substr(0, o.reason.find(' ')));
        }
    }
    for (const char* way : {"written: ", "collides: another", "cannot: Loud_.rp250p", "cannot: its",
                            "cannot: GNX4", "cannot: the"})
        EXPECT_EQ(reasons.count(way), 1u) << way;
}

TEST_F(LibraryModel, NothingArrivesOnceTheLibraryIsGone) {
    const fs::path folder = many();
    {
        Library library(owner.post(), owner, rp250);
        library.scan({folder});
        library.search("Amp Type=x");
    }
    owner.drain();
    EXPECT_TRUE(owner.added == 0u && owner.reports.empty());
}

}  // namespace
