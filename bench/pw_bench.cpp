// SPDX-License-Identifier: GPL-3.0-or-later
// Benchmarks of reading, checking, filtering, saving and converting presets. Every
// figure is set against a baseline measured in the same run: pugixml's bare parse of
// the same bytes, or the same number of bare pugixml parses of the same files.
//
// The presets are generated from the sample presets of the test data by repeating
// their Param blocks, in a temporary folder that is removed at the end. It is made in
// $PW_BENCH_DIR when that is set (say /dev/shm, to leave the disk out), else in the
// system's temporary folder.
//
// Besides Google Benchmark's own flags:
//   --pw_markdown=FILE   also write the table as Markdown to FILE
//   --pw_cli=PATH        the patchwright-cli to time for "convert" (default: the one
//                        built next to this program, if any)

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <pugixml.hpp>
#include <sstream>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "document/file_io.h"
#include "document/preset_document.h"
#include "document/preset_writer.h"
#include "document/root_names.h"
#include "document/targets.h"
#include "document/text_decoding.h"
#include "document/xml_checker.h"
#include "filter/filter_recipes.h"
#include "library/convert_all.h"
#include "library/duplicates.h"
#include "library/scan.h"
#include "models/load_pass.h"
#include "preset_variants.h"
#include "session/messenger.h"
#include "session/session.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using pw::document::Family;

constexpr int kConvertFiles = 1000;
constexpr int kRp35xFiles = 1001;

// --- the presets --------------------------------------------------------------------

std::string readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + p.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& p, const std::string& bytes) {
    std::ofstream out(p, std::ios::binary);
    out << bytes;
    if (!out) throw std::runtime_error("cannot write " + p.string());
}

// A sample preset with its Param blocks repeated (in order, round and round) until it
// holds `rows` of them; the patch name is replaced when `name` is given.
std::string grownPreset(const std::string& sample, std::size_t rows, const std::string& name = {}) {
    const std::size_t first = sample.find("<Param>");
    const std::size_t last = sample.rfind("</Param>");
    if (first == std::string::npos || last == std::string::npos)
        throw std::runtime_error("sample without Param elements");
    const std::size_t lineStart = sample.rfind('\n', first) + 1;
    const std::size_t blockEnd = sample.find('\n', last) + 1;
    const std::string body = sample.substr(lineStart, blockEnd - lineStart);
    std::vector<std::string> blocks;
    for (std::size_t at = 0; at < body.size();) {
        const std::size_t end = body.find("</Param>", at);
        if (end == std::string::npos) break;
        const std::size_t next = body.find('\n', end) + 1;
        blocks.push_back(body.substr(at, next - at));
        at = next;
    }
    std::string out = sample.substr(0, lineStart);
    if (!name.empty()) {
        const std::size_t open = out.find("<Name>") + 6;
        out.replace(open, out.find("</Name>") - open, name);
    }
    for (std::size_t i = 0; i < rows; ++i)
        out += blocks[i % blocks.size()];
    out += sample.substr(blockEnd);
    return out;
}

struct Fixture {
    fs::path dir;
    fs::path dataDir = PW_BENCH_DATA_DIR;
    std::string rp255x200, rp255x30000, rp150x200;
    fs::path file200, file30000, filter200;
    std::vector<fs::path> convertFiles;
    std::vector<fs::path> rp35xFiles;  // realistic RP350/RP355 presets, about 9 in 10 convertible
    fs::path realisticDir;             // 2,002 realistic presets of the five models
    std::vector<fs::path> realisticFiles;
    // A collection as people keep them: the 2,002 realistic presets, and every other one of
    // them a second time in "again/", as a pack downloaded twice: 3,003 presets, 1,001 twins.
    fs::path libraryDir;
    std::vector<fs::path> libraryFiles;
    fs::path convertOut;
    std::string cli;

    Fixture() {
        const char* base = std::getenv("PW_BENCH_DIR");
        std::string pattern =
            ((base && *base ? fs::path(base) : fs::temp_directory_path()) / "pw-bench-XXXXXX")
                .string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
        dir = pattern;
        const std::string surf = readFile(dataDir / "surfs_up.rp255p");
        rp255x200 = grownPreset(surf, 200);
        rp255x30000 = grownPreset(surf, 30000);
        rp150x200 = grownPreset(readFile(dataDir / "crunch_time.rp150p"), 200);
        file200 = dir / "surf200.rp255p";
        file30000 = dir / "surf30000.rp255p";
        filter200 = dir / "crunch200.rp150p";
        writeFile(file200, rp255x200);
        writeFile(file30000, rp255x30000);
        writeFile(filter200, rp150x200);

        // 1,000 presets of the five models that can be saved, each with a patch name
        // whose first four characters are its own (the amp channel keeps only those).
        const char* samples[] = {"crunch_time.rp150p", "metal_zone.rp250p", "surfs_up.rp255p",
                                 "big_verb.rp350p", "dual_amp_lead.rp355p"};
        std::vector<std::string> sampleBytes;
        for (const char* s : samples)
            sampleBytes.push_back(readFile(dataDir / s));
        fs::create_directories(dir / "convert");
        convertOut = dir / "converted";
        fs::create_directories(convertOut);
        for (int i = 0; i < kConvertFiles; ++i) {
            const std::size_t k = static_cast<std::size_t>(i) % sampleBytes.size();
            char name[16];
            std::snprintf(name, sizeof name, "c%03d", i);
            std::string bytes = sampleBytes[k];
            const std::size_t open = bytes.find("<Name>") + 6;
            bytes.replace(open, 0, std::string(name) + " ");
            const fs::path file =
                dir / "convert" / (std::string(name) + fs::path(samples[k]).extension().string());
            writeFile(file, bytes);
            convertFiles.push_back(file);
        }

        // 1,001 RP35x presets whose models are drawn among the ones their device knows;
        // every tenth is named as downloaded presets often are ("R&R! ..."), which Save
        // refuses (the amp channel keeps the name's first four characters).
        fs::create_directories(dir / "rp35x");
        const std::string rp350 = readFile(dataDir / "big_verb.rp350p");
        const std::string rp355 = readFile(dataDir / "dual_amp_lead.rp355p");
        for (int i = 0; i < kRp35xFiles; ++i) {
            const bool is355 = i % 2 == 1;
            char name[16];
            std::snprintf(name, sizeof name, "%04d", i);
            const fs::path file =
                dir / "rp35x" / (std::string(name) + (is355 ? ".rp355p" : ".rp350p"));
            writeFile(file,
                      pwbench::presetVariant(
                          is355 ? rp355 : rp350,
                          *pw::document::targetByCaption(is355 ? "RP355" : "RP350"),
                          static_cast<unsigned>(i),
                          i % 10 == 9 ? "R&R! " + std::string(name) : std::string(name) + " Lead"));
            rp35xFiles.push_back(file);
        }

        // 2,002 realistic presets: the 1,001 RP35x ones and 1,001 of the three smaller
        // models, side by side in one folder.
        realisticDir = dir / "realistic";
        fs::create_directories(realisticDir);
        for (const fs::path& f : rp35xFiles) {
            fs::copy_file(f, realisticDir / f.filename());
            realisticFiles.push_back(realisticDir / f.filename());
        }
        const char* small[][2] = {{"RP150", "crunch_time.rp150p"},
                                  {"RP250", "metal_zone.rp250p"},
                                  {"RP255", "surfs_up.rp255p"}};
        for (int i = 0; i < kRp35xFiles; ++i) {
            const auto& [model, sample] = small[i % 3];
            char name[16];
            std::snprintf(name, sizeof name, "%04d", i);
            const fs::path file =
                realisticDir / (std::string("s") + name + fs::path(sample).extension().string());
            writeFile(file, pwbench::presetVariant(
                                readFile(dataDir / sample), *pw::document::targetByCaption(model),
                                static_cast<unsigned>(i), std::string(name) + " " + model));
            realisticFiles.push_back(file);
        }

        libraryDir = dir / "library";
        fs::create_directories(libraryDir / "again");
        for (std::size_t i = 0; i < realisticFiles.size(); ++i) {
            const fs::path& f = realisticFiles[i];
            libraryFiles.push_back(libraryDir / f.filename());
            fs::copy_file(f, libraryFiles.back());
            if (i % 2 != 0) continue;
            libraryFiles.push_back(libraryDir / "again" / f.filename());
            fs::copy_file(f, libraryFiles.back());
        }
    }
    ~Fixture() {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
};

Fixture* fixture = nullptr;

// Answers Yes to every question, as a user who confirms everything would.
class YesMessenger : public pw::Messenger {
  public:
    std::size_t shown = 0;
    pw::Answer show(const pw::Message& m) override {
        ++shown;
        return m.buttons == pw::Buttons::YesNo ? pw::Answer::Yes : pw::Answer::Ok;
    }
};

// --- baselines ----------------------------------------------------------------------

void pugixmlParse(benchmark::State& state, const std::string* bytes) {
    for (auto _ : state) {
        pugi::xml_document doc;
        const pugi::xml_parse_result r = doc.load_buffer(bytes->data(), bytes->size());
        if (!r) state.SkipWithError(r.description());
        benchmark::DoNotOptimize(doc.first_child());
    }
}

void pugixmlLoadFiles(benchmark::State& state) {
    for (auto _ : state) {
        for (const fs::path& f : fixture->convertFiles) {
            pugi::xml_document doc;
            const pugi::xml_parse_result r = doc.load_file(f.c_str());
            if (!r) state.SkipWithError(r.description());
            benchmark::DoNotOptimize(doc.first_child());
        }
    }
}

// --- reading and checking -----------------------------------------------------------

// What File > Open does with the bytes in memory: the root name search in the
// raw text (decoded first only when it is UTF-16), the strict read, the pass for RP255.
void readAndCheck(benchmark::State& state, const std::string* bytes) {
    const pw::document::Target& target = *pw::document::targetByCaption("RP255");
    for (auto _ : state) {
        const std::string root = pw::document::FindRootName(pw::document::rawTextForSearch(*bytes));
        const pw::document::ParseResult parsed = pw::document::parsePreset(*bytes);
        if (!parsed.ok()) state.SkipWithError(parsed.error.c_str());
        const pw::models::PassResult pass =
            pw::models::runPass(parsed.document, target.family, root, target.root);
        benchmark::DoNotOptimize(pass.rows.count());
    }
}

// File > Open through the session: the file is read, tested, parsed and checked.
void sessionOpen(benchmark::State& state, const fs::path* file) {
    YesMessenger m;
    pw::Session s(m);
    s.start();
    for (auto _ : state) {
        s.openFile(*file);
        if (s.lastOpenOutcome() != pw::OpenOutcome::Loaded) state.SkipWithError("not loaded");
        benchmark::DoNotOptimize(s.rows().count());
    }
}

// The parts of the read on their own, to see where its time goes.
void partDecode(benchmark::State& state, const std::string* bytes) {
    for (auto _ : state)
        benchmark::DoNotOptimize(pw::document::decodeStrict(*bytes).utf8.size());
}
void partRootSearch(benchmark::State& state, const std::string* bytes) {
    for (auto _ : state)
        benchmark::DoNotOptimize(
            pw::document::FindRootName(pw::document::rawTextForSearch(*bytes)));
}
void partCheck(benchmark::State& state, const std::string* bytes) {
    for (auto _ : state)
        benchmark::DoNotOptimize(pw::document::checkWellFormed(*bytes));
}
void partParse(benchmark::State& state, const std::string* bytes) {
    for (auto _ : state) {
        const pw::document::ParseResult r = pw::document::parsePreset(*bytes);
        benchmark::DoNotOptimize(r.document.params.size());
    }
}
void partPass(benchmark::State& state, const std::string* bytes) {
    const pw::document::ParseResult parsed = pw::document::parsePreset(*bytes);
    for (auto _ : state) {
        const pw::models::PassResult pass =
            pw::models::runPass(parsed.document, Family::F25x, "RP255Preset", "RP255Preset");
        benchmark::DoNotOptimize(pass.rows.count());
    }
}

// --- filtering and saving -------------------------------------------------------------

// Filter Patch and the rendering of the saved document, in memory (RP150 to RP250).
void filterAndRender(benchmark::State& state) {
    const pw::document::Target& target = *pw::document::targetByCaption("RP250");
    const pw::document::ParseResult parsed = pw::document::parsePreset(fixture->rp150x200);
    const pw::models::PassResult pass =
        pw::models::runPass(parsed.document, target.family, "RP150Preset", target.root);
    for (auto _ : state) {
        pw::ParamList rows = pass.rows;
        pw::filter::FilterPatch(rows, "RP150Preset", target.root);
        benchmark::DoNotOptimize(pw::document::renderPreset(target, "Crunch Time", rows));
    }
}

// Filter Patch and Save through the session, the file really written (temporary file,
// flushed to disk, renamed into place). Reset brings the rows back first. Every Save
// writes a new file, as converting a folder does; overwriting is not timed here, as
// the deleted files pile up in the file system and slow down every later test.
void filterAndSave(benchmark::State& state) {
    YesMessenger m;
    pw::Session s(m);
    s.start();
    s.setSaveFolder(fixture->dir / "saved");
    fs::create_directories(s.saveFolder());
    s.selectTarget(pw::document::targetByCaption("RP250")->option);
    s.openFile(fixture->filter200);
    long n = 0;
    for (auto _ : state) {
        s.reset();
        s.filter();
        s.setPatchName("Crunch " + std::to_string(++n));
        s.save();
        if (s.lastWrittenFile().empty()) state.SkipWithError("not saved");
    }
}

// --- converting 1,000 files -----------------------------------------------------------

int runQuiet(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) < 0) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A new, empty folder for every run of a conversion.
fs::path freshOutputFolder() {
    static int n = 0;
    const fs::path folder = fixture->convertOut / std::to_string(++n);
    fs::create_directories(folder);
    return folder;
}

void convertWithCli(benchmark::State& state) {
    std::vector<std::string> args = {fixture->cli, "convert"};
    for (const fs::path& f : fixture->convertFiles)
        args.push_back(f.string());
    for (const char* a : {"--target", "RP355", "--amp", "A", "--out"})
        args.emplace_back(a);
    args.emplace_back();
    for (auto _ : state) {
        state.PauseTiming();
        args.back() = freshOutputFolder().string();
        state.ResumeTiming();
        const int status = runQuiet(args);
        if (status != 0)
            state.SkipWithError(
                ("patchwright-cli convert exited with " + std::to_string(status)).c_str());
    }
}

// The same conversion in this process: for every file a fresh session opens it, runs
// Filter Patch when the families differ and Amp A for a two-channel source, and saves.
void convertInProcess(benchmark::State& state) {
    const pw::document::Target& target = *pw::document::targetByCaption("RP355");
    for (auto _ : state) {
        state.PauseTiming();
        const fs::path out = freshOutputFolder();
        state.ResumeTiming();
        for (const fs::path& f : fixture->convertFiles) {
            YesMessenger m;
            pw::Session s(m);
            s.setSaveFolder(out);
            s.selectTarget(target.option);
            s.openFile(f);
            if (pw::document::familyOf(s.sourceRoot()) != target.family) s.filter();
            if (pw::document::isTwoChannelRoot(s.sourceRoot())) s.selectAmpChannel('A');
            s.save();
            if (s.lastWrittenFile().empty())
                state.SkipWithError(("not saved: " + f.string()).c_str());
        }
    }
}

// The floor of a conversion of many files: each file parsed by pugixml, then all of
// them copied into an empty folder by cp and flushed to disk with sync -f.
void parseCopyAndSync(benchmark::State& state) {
    std::vector<std::string> cp = {"/bin/cp", "--"};
    for (const fs::path& f : fixture->realisticFiles)
        cp.push_back(f.string());
    cp.emplace_back();
    for (auto _ : state) {
        state.PauseTiming();
        cp.back() = freshOutputFolder().string();
        state.ResumeTiming();
        for (const fs::path& f : fixture->realisticFiles) {
            pugi::xml_document doc;
            benchmark::DoNotOptimize(doc.load_file(f.c_str()));
        }
        if (runQuiet(cp) != 0 || runQuiet({"/bin/sync", "-f", cp.back()}) != 0)
            state.SkipWithError("cp or sync failed");
    }
}

// patchwright-cli convert of the folder of 2,002 realistic presets for the RP355 (Amp A).
// One in twenty is refused for its name (exit status 3).
void convertFolderWithCli(benchmark::State& state) {
    std::vector<std::string> args = {fixture->cli, "convert", fixture->realisticDir.string(),
                                     "--target",   "RP355",   "--amp",
                                     "A",          "--quiet", "--out",
                                     std::string()};
    for (auto _ : state) {
        state.PauseTiming();
        args.back() = freshOutputFolder().string();
        state.ResumeTiming();
        const int status = runQuiet(args);
        if (status != 0 && status != 3)
            state.SkipWithError(
                ("patchwright-cli convert exited with " + std::to_string(status)).c_str());
    }
}

// The conversion and its floor in turns, so that both meet the same state of the file
// system and of a busy machine: each iteration times the floor and patchwright-cli
// convert into empty folders (which goes first alternates); the counters are the mean
// of each and their ratio.
void convertAgainstFloorInTurns(benchmark::State& state) {
    std::vector<std::string> cp = {"/bin/cp", "--"};
    for (const fs::path& f : fixture->realisticFiles)
        cp.push_back(f.string());
    cp.emplace_back();
    std::vector<std::string> convert = {fixture->cli, "convert", fixture->realisticDir.string(),
                                        "--target",   "RP355",   "--amp",
                                        "A",          "--quiet", "--out",
                                        std::string()};
    using Clock = std::chrono::steady_clock;
    double floorMs = 0, convertMs = 0;
    int n = 0;
    auto timeFloor = [&] {
        cp.back() = freshOutputFolder().string();
        const auto start = Clock::now();
        for (const fs::path& f : fixture->realisticFiles) {
            pugi::xml_document doc;
            benchmark::DoNotOptimize(doc.load_file(f.c_str()));
        }
        if (runQuiet(cp) != 0 || runQuiet({"/bin/sync", "-f", cp.back()}) != 0)
            state.SkipWithError("cp or sync failed");
        floorMs += std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    };
    auto timeConvert = [&] {
        convert.back() = freshOutputFolder().string();
        const auto start = Clock::now();
        const int status = runQuiet(convert);
        if (status != 0 && status != 3) state.SkipWithError("patchwright-cli convert failed");
        convertMs += std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    };
    for (auto _ : state) {
        if (n++ % 2 == 0) {
            timeFloor();
            timeConvert();
        } else {
            timeConvert();
            timeFloor();
        }
    }
    state.counters["floor_ms"] = floorMs / n;
    state.counters["convert_ms"] = convertMs / n;
    state.counters["ratio"] = convertMs / floorMs;
}

// The same through the core's convert-all in this process.
void convertAllInProcess(benchmark::State& state) {
    std::size_t written = 0;
    for (auto _ : state) {
        state.PauseTiming();
        pw::library::ConvertAllOptions options;
        options.plan.target = pw::document::targetByCaption("RP355");
        options.plan.amp = 'A';
        options.folder = freshOutputFolder();
        state.ResumeTiming();
        std::size_t next = 0;
        pw::library::ConvertAllCallbacks callbacks;
        callbacks.next = [&](pw::library::ConvertInput& in) {
            if (next == fixture->realisticFiles.size()) return false;
            in.file = fixture->realisticFiles[next++];
            return true;
        };
        written = pw::library::convertAll(options, callbacks).written;
    }
    state.counters["written"] = static_cast<double>(written);
}

// --- scanning a library ------------------------------------------------------------

// The scan's floor: a bare pugixml parse of each of the 3,003 presets of the collection,
// from disk, on one thread.
void pugixmlLoadLibrary(benchmark::State& state) {
    for (auto _ : state) {
        for (const fs::path& f : fixture->libraryFiles) {
            pugi::xml_document doc;
            benchmark::DoNotOptimize(doc.load_file(f.c_str()));
        }
    }
}

// The library scan of the collection of 3,003 presets (1,001 twins), each triaged for the
// RP355 (Amp A), with its duplicate groups, as patchwright-cli scan and the Library window
// run it.
void scanInProcess(benchmark::State& state, unsigned threads) {
    std::size_t presets = 0, twins = 0;
    for (auto _ : state) {
        pw::library::ScanOptions options;
        options.target = pw::document::targetByCaption("RP355");
        options.amp = 'A';
        options.threads = threads;
        const pw::library::ScanResult result = pw::library::scan({fixture->libraryDir}, options);
        presets = result.presets.size();
        const auto groups = pw::library::duplicateGroups(result.presets);
        twins = static_cast<std::size_t>(std::count_if(
            groups.begin(), groups.end(), [](const auto& g) { return g.has_value(); }));
    }
    state.counters["presets"] = static_cast<double>(presets);
    state.counters["in_groups"] = static_cast<double>(twins);
}

// patchwright-cli scan of the same folder, its JSON report thrown away.
void scanFolderWithCli(benchmark::State& state) {
    const std::vector<std::string> args = {fixture->cli, "scan",  fixture->libraryDir.string(),
                                           "--target",   "RP355", "--amp",
                                           "A",          "--json"};
    for (auto _ : state) {
        const int status = runQuiet(args);
        if (status != 0)
            state.SkipWithError(
                ("patchwright-cli scan exited with " + std::to_string(status)).c_str());
    }
}

// --- the table ------------------------------------------------------------------------

// A figure is compared with its baseline by CPU time, which a busy machine disturbs
// least, unless it waits for the disk or another process: then by elapsed time.
struct Figure {
    std::string name;
    std::string baseline;  // empty for a baseline itself
    std::string note;
    bool elapsed = false;
};

std::vector<Figure> figures;

template <class F, class... Args>
benchmark::internal::Benchmark* add(const std::string& name, const std::string& baseline,
                                    const std::string& note, F&& f, Args&&... args) {
    figures.push_back({name, baseline, note, false});
    return benchmark::RegisterBenchmark(name.c_str(), std::forward<F>(f),
                                        std::forward<Args>(args)...)
        ->Unit(benchmark::kMicrosecond);
}

template <class F, class... Args>
benchmark::internal::Benchmark* addElapsed(const std::string& name, const std::string& baseline,
                                           const std::string& note, F&& f, Args&&... args) {
    benchmark::internal::Benchmark* b =
        add(name, baseline, note, std::forward<F>(f), std::forward<Args>(args)...);
    figures.back().elapsed = true;
    return b->UseRealTime();
}

struct Measured {
    double cpu = -1, real = -1;  // microseconds per iteration
    std::string error;           // why it failed, if it did
};

class TableReporter : public benchmark::ConsoleReporter {
  public:
    std::map<std::string, Measured> results;
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            if (r.run_type != Run::RT_Iteration) continue;
            if (r.error_occurred) {
                results[r.run_name.function_name].error = r.error_message;
                continue;
            }
            const double toMicros = 1e6 / benchmark::GetTimeUnitMultiplier(r.time_unit);
            Measured& m = results[r.run_name.function_name];
            m.cpu = r.GetAdjustedCPUTime() * toMicros;
            m.real = r.GetAdjustedRealTime() * toMicros;
        }
    }
};

std::string formatTime(double us) {
    char buf[32];
    if (us < 0) return "failed";
    if (us >= 1e6)
        std::snprintf(buf, sizeof buf, "%.2f s", us / 1e6);
    else if (us >= 1e3)
        std::snprintf(buf, sizeof buf, "%.2f ms", us / 1e3);
    else
        std::snprintf(buf, sizeof buf, "%.1f us", us);
    return buf;
}

void printTable(const TableReporter& rep, std::ostream& out, bool markdown) {
    auto measured = [&](const std::string& n) {
        const auto it = rep.results.find(n);
        return it == rep.results.end() ? Measured{} : it->second;
    };
    if (markdown) {
        out << "| Benchmark | CPU time | Elapsed | Ratio | Baseline |\n|---|---:|---:|---:|---|\n";
    } else {
        char line[256];
        std::snprintf(line, sizeof line, "\n%-46s %11s %11s %8s  %s\n", "Benchmark", "CPU time",
                      "Elapsed", "Ratio", "Baseline");
        out << line << std::string(110, '-') << "\n";
    }
    for (const Figure& f : figures) {
        if (!rep.results.count(f.name)) continue;  // not run (--benchmark_filter)
        const Measured t = measured(f.name);
        const Measured b = f.baseline.empty() ? t : measured(f.baseline);
        const double mine = f.elapsed ? t.real : t.cpu;
        const double theirs = f.elapsed ? b.real : b.cpu;
        char ratio[32] = "-";
        if (mine >= 0 && theirs > 0)
            std::snprintf(ratio, sizeof ratio, "%.2fx%s", mine / theirs, f.elapsed ? "*" : "");
        std::string base = f.baseline.empty() ? "(baseline)" : f.baseline;
        if (!f.note.empty()) base += "; " + f.note;
        if (!t.error.empty()) base += "; FAILED: " + t.error;
        if (markdown) {
            out << "| " << f.name << " | " << formatTime(t.cpu) << " | " << formatTime(t.real)
                << " | " << ratio << " | " << base << " |\n";
        } else {
            char line[512];
            std::snprintf(line, sizeof line, "%-46s %11s %11s %8s  %s\n", f.name.c_str(),
                          formatTime(t.cpu).c_str(), formatTime(t.real).c_str(), ratio,
                          base.c_str());
            out << line;
        }
    }
    out << (markdown ? "\n" : "")
        << "Ratios compare CPU times; those marked * compare elapsed times (the "
        << "figure waits for the disk or for a child process).\n";
}

std::string takeFlag(int& argc, char** argv, const std::string& flag) {
    std::string value;
    int w = 1;
    for (int r = 1; r < argc; ++r) {
        const std::string a = argv[r];
        if (a.rfind(flag + "=", 0) == 0)
            value = a.substr(flag.size() + 1);
        else
            argv[w++] = argv[r];
    }
    argc = w;
    return value;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string markdown = takeFlag(argc, argv, "--pw_markdown");
    std::string cli = takeFlag(argc, argv, "--pw_cli");
    if (cli.empty()) {
        const fs::path beside =
            fs::read_symlink("/proc/self/exe").parent_path() / "patchwright-cli";
        if (fs::exists(beside)) cli = beside.string();
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

    Fixture fx;
    fixture = &fx;
    fx.cli = cli;

    const std::string p200 = "pugixml parse, 200 rows";
    const std::string p30k = "pugixml parse, 30000 rows";
    const std::string p1000 = "pugixml load_file, 1000 files";
    add(p200, "", "", pugixmlParse, &fx.rp255x200);
    add("read + check, 200 rows", p200, "", readAndCheck, &fx.rp255x200);
    add("open (session, from disk), 200 rows", p200, "", sessionOpen, &fx.file200);
    add(p30k, "", "", pugixmlParse, &fx.rp255x30000);
    add("read + check, 30000 rows", p30k, "", readAndCheck, &fx.rp255x30000);
    add("open (session, from disk), 30000 rows", p30k, "the list is not shown", sessionOpen,
        &fx.file30000);
    for (const auto& [rows, bytes, base] :
         {std::tuple{"200", &fx.rp255x200, p200}, std::tuple{"30000", &fx.rp255x30000, p30k}}) {
        const std::string n = std::string(", ") + rows + " rows";
        add("  strict decode" + n, base, "part of read", partDecode, bytes);
        add("  root name search" + n, base, "part of read", partRootSearch, bytes);
        add("  well-formedness check" + n, base, "part of read", partCheck, bytes);
        add("  parsePreset" + n, base, "part of read", partParse, bytes);
        add("  load-and-check pass" + n, base, "part of check", partPass, bytes);
    }
    add("filter + render, 200 rows", p200, "RP150 to RP250, in memory", filterAndRender);
    addElapsed("filter + save to disk, 200 rows", p200,
               "Reset, Filter Patch, Save (fsync, rename) to a new file", filterAndSave);
    addElapsed(p1000, "", "", pugixmlLoadFiles)->Iterations(5);
    if (!cli.empty()) {
        addElapsed("convert 1000 files (patchwright-cli)", p1000,
                   "one process, --target RP355 --amp A", convertWithCli)
            ->Iterations(3);
    }
    addElapsed("convert 1000 files (in process)", p1000, "open, filter, amp, save per file",
               convertInProcess)
        ->Iterations(3);

    const std::string floor2002 = "parse + cp + sync -f, 2002 files";
    addElapsed(floor2002, "", "pugixml load_file of each, cp into an empty folder, sync -f",
               parseCopyAndSync)
        ->Iterations(5);
    if (!cli.empty()) {
        addElapsed("convert 2002 realistic presets (patchwright-cli)", floor2002,
                   "the folder, --target RP355 --amp A, into an empty folder", convertFolderWithCli)
            ->Iterations(5);
    }
    if (!cli.empty()) {
        addElapsed("convert 2002 and its floor in turns (patchwright-cli)", "",
                   "see the counters floor_ms, convert_ms and ratio", convertAgainstFloorInTurns)
            ->Iterations(10);
    }
    addElapsed("convert 2002 realistic presets (convert-all, in process)", floor2002,
               "every core, chunks of 384, one syncfs each", convertAllInProcess)
        ->Iterations(5);

    const std::string p3003 = "pugixml load_file, 3003 files";
    addElapsed(p3003, "", "the collection (2002 realistic presets, 1001 twins), one thread",
               pugixmlLoadLibrary)
        ->Iterations(5);
    addElapsed("scan 3003 presets, 1001 twins (in process)", p3003,
               "every core, each triaged for the RP355, amp A, duplicate groups", scanInProcess, 0u)
        ->Iterations(5);
    addElapsed("scan 3003 presets, 1001 twins (in process, 1 thread)", p3003, "", scanInProcess, 1u)
        ->Iterations(5);
    if (!cli.empty()) {
        addElapsed("scan 3003 presets, 1001 twins (patchwright-cli)", p3003,
                   "--target RP355 --amp A --json, duplicates included", scanFolderWithCli)
            ->Iterations(5);
    }

    TableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    printTable(reporter, std::cout, false);
    if (!markdown.empty()) {
        std::ofstream md(markdown);
        printTable(reporter, md, true);
    }
    return 0;
}
