// SPDX-License-Identifier: GPL-3.0-or-later
// scan: triage a library of presets (files, folders, archives) against a target model.

#include <signal.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "collection/marking.h"
#include "collection_open.h"
#include "commands.h"
#include "exit_status.h"
#include "json_writer.h"
#include "library/duplicates.h"
#include "library/progress_throttle.h"
#include "library/query.h"
#include "library/scan.h"
#include "library_gathering.h"
#include "session_setup.h"
#include "table_writer.h"

namespace pw::cli {

namespace {

using library::Preset;
using library::Status;

// One listed preset with its duplicate group.
struct Line {
    const Preset* preset;
    std::optional<std::size_t> group;
};

struct Report {
    const document::Target* target;
    std::optional<char> amp;
    library::ScanResult scan;
    std::vector<Line> lines;
    std::array<std::size_t, library::kStatusCount> perStatus{};
    std::size_t groups = 0;
    // The marks found in the collection; none when it cannot be used.
    std::optional<std::map<collection::ContentKey, collection::Marks>> marks;
};

// A preset's marks (all unset when it has none), or null when the collection is unknown.
const collection::Marks* marksOf(const Report& report, const Preset& preset) {
    static const collection::Marks none;
    if (!report.marks) return nullptr;
    if (!preset.readable) return &none;
    const auto found = report.marks->find(collection::contentKey(preset));
    return found == report.marks->end() ? &none : &found->second;
}

void findMarks(Report& report, const Console& console) {
    collection::Store store;
    switch (openCollection(store, console, IfMissing::Skip, "scan shows no marks")) {
        case Collection::Refused:
            return;
        case Collection::Missing:
            report.marks.emplace();
            return;
        case Collection::Open:
            break;
    }
    std::vector<collection::ContentKey> keys;
    for (const Line& line : report.lines)
        if (line.preset->readable) keys.push_back(collection::contentKey(*line.preset));
    report.marks = store.marks(keys);
}

std::string joined(std::span<const std::string_view> words) {
    std::string out;
    for (const std::string_view word : words)
        out += (out.empty() ? "" : "; ") + std::string(word);
    return out;
}

std::vector<std::string_view> views(const std::vector<std::string>& texts) {
    return {texts.begin(), texts.end()};
}

const library::Triage& triageOf(const Preset& preset) {
    return *preset.triage;  // every preset is triaged: the scan is given a target
}

std::string details(const Preset& preset) {
    const library::Triage& t = triageOf(preset);
    std::string out;
    if (t.status == Status::Converts)
        out = std::to_string(t.substitutions) + " substituted, " + std::to_string(t.removals) +
              " removed";
    else
        out = t.reason;
    if (t.nameRefused) {
        if (!out.empty()) out += "; ";
        out += "name refused, --fix-names saves it as \"" + t.fixedName + "\"";
    }
    return out;
}

std::string counted(std::size_t n, std::string_view thing) {
    return std::to_string(n) + " " + std::string(thing) + (n == 1 ? "" : "s");
}

std::string group(const Line& line) {
    return line.group ? std::to_string(*line.group) : "";
}

// The TWIN column only when some preset has a twin.
TableRows presetTable(const Report& report) {
    const bool twins = report.groups > 0;
    TableRows table;
    table.columns = {{"STATUS"}, {"MODEL"}, {"ROWS", Align::Right}, {"NAME"}, {"SOURCE"}};
    if (twins) table.columns.push_back({"TWIN", Align::Right});
    table.columns.push_back({"DETAILS"});
    table.count = report.lines.size();
    table.row = [&report, twins](std::size_t i) {
        const Line& line = report.lines[i];
        const Preset& p = *line.preset;
        const collection::Marks* marks = marksOf(report, p);
        std::vector<TableCell> row = {
            plainCell(std::string(library::statusWord(triageOf(p).status))),
            plainCell(p.model.empty() ? "-" : p.model), plainCell(std::to_string(p.rows)),
            plainCell(marks && marks->favourite ? "\u2605 " + p.name : p.name),
            plainCell(library::displayName(p.source))};
        if (twins) row.push_back(plainCell(group(line)));
        row.push_back(plainCell(details(p)));
        return row;
    };
    return table;
}

void printTable(const Report& report, std::ostream& out) {
    if (!report.lines.empty()) {
        writeTable(out, presetTable(report), TableStyle{});
        out << '\n';
    }
    for (const library::ScanProblem& problem : report.scan.problems) {
        out << "problem: " << displayText(problem.path.string()) << ": "
            << library::problemWord(problem.kind);
        if (!problem.detail.empty()) out << " (" << displayText(problem.detail) << ")";
        out << '\n';
    }
    if (!report.scan.problems.empty()) out << '\n';

    std::size_t statusWidth = 0, countWidth = 0;
    for (std::size_t s = 0; s < library::kStatusCount; ++s) {
        statusWidth = std::max(statusWidth, library::statusWord(Status(s)).size());
        countWidth = std::max(countWidth, std::to_string(report.perStatus[s]).size());
    }
    out << "Against the " << report.target->caption;
    if (report.amp) out << ", amp channel " << *report.amp;
    out << ":\n";
    for (std::size_t s = 0; s < library::kStatusCount; ++s) {
        const std::string word(library::statusWord(Status(s)));
        const std::string count = std::to_string(report.perStatus[s]);
        out << "  " << word << std::string(statusWidth - word.size() + 2, ' ')
            << std::string(countWidth - count.size(), ' ') << count << '\n';
    }
    const library::ScanCounts& c = report.scan.counts;
    out << counted(report.lines.size(), "preset") << " listed of " << c.presets + c.filtered
        << " found, " << counted(report.groups, "duplicate group") << ", "
        << counted(c.skipped, "other file") << " skipped, " << counted(c.archives, "archive")
        << ", " << counted(c.folders, "folder");
    if (c.unreadableFolders > 0) out << " (" << c.unreadableFolders << " unreadable)";
    out << '\n';
}

JsonLine presetJson(const Report& report, const Line& line) {
    const Preset& p = *line.preset;
    const library::Triage& t = triageOf(p);
    JsonLine json;
    json.text("file", p.source.file);
    if (p.source.inArchive())
        json.text("member", p.source.member);
    else
        json.null("member");
    json.text("model", p.model)
        .text("name", p.name)
        .number("rows", p.rows)
        .text("status", library::statusWord(t.status))
        .number("substitutions", t.substitutions)
        .number("removals", t.removals)
        .text("reason", t.reason)
        .flag("name_refused", t.nameRefused)
        .text("fixed_name", t.fixedName)
        .texts("uses", p.uses)
        .text("style", p.style)
        .number("duplicate_group", line.group);
    if (const collection::Marks* m = marksOf(report, p))
        json.object("marks", JsonLine()
                                 .flag("favourite", m->favourite)
                                 .flag("hidden", m->hidden)
                                 .texts("tags", views(m->tags))
                                 .text("note", m->note));
    else
        json.null("marks");
    return json;
}

void printJson(const Report& report, std::ostream& out) {
    JsonListing json(out);
    json.member("target", jsonText(report.target->caption));
    json.member("amp", report.amp ? jsonText(std::string(1, *report.amp)) : "null");
    json.beginList("presets");
    for (const Line& line : report.lines)
        json.entry(presetJson(report, line));
    json.endList();
    json.beginList("problems");
    for (const library::ScanProblem& problem : report.scan.problems)
        json.entry(JsonLine()
                       .text("path", problem.path.native())
                       .text("problem", library::problemWord(problem.kind))
                       .text("detail", problem.detail));
    json.endList();
    const library::ScanCounts& c = report.scan.counts;
    JsonLine summary;
    summary.number("presets", report.lines.size());
    for (std::size_t s = 0; s < library::kStatusCount; ++s)
        summary.number(library::statusWord(Status(s)), report.perStatus[s]);
    summary.number("found", c.presets + c.filtered)
        .number("duplicate_groups", report.groups)
        .number("skipped", c.skipped)
        .number("archives", c.archives)
        .number("folders", c.folders)
        .number("unreadable_folders", c.unreadableFolders)
        .number("problems", report.scan.problems.size());
    json.member("summary", summary.str());
    json.end();
}

// The JSON keys as columns, "uses" and the tags joined by "; ", the marks empty when the
// collection cannot be used.
void printCsv(const Report& report, std::ostream& out) {
    TableRows table;
    for (const std::string_view key :
         {"file", "member", "model", "name", "rows", "status", "substitutions", "removals",
          "reason", "name_refused", "fixed_name", "uses", "style", "duplicate_group", "favourite",
          "hidden", "tags", "note"})
        table.columns.push_back({std::string(key)});
    table.count = report.lines.size();
    table.row = [&report](std::size_t i) {
        const Line& line = report.lines[i];
        const Preset& p = *line.preset;
        const library::Triage& t = triageOf(p);
        const auto yes = [](bool b) { return std::string(b ? "true" : "false"); };
        const collection::Marks* m = marksOf(report, p);
        std::vector<TableCell> row;
        for (std::string text :
             {p.source.file, p.source.member, p.model, p.name, std::to_string(p.rows),
              std::string(library::statusWord(t.status)), std::to_string(t.substitutions),
              std::to_string(t.removals), t.reason, yes(t.nameRefused), t.fixedName, joined(p.uses),
              p.style, group(line), m ? yes(m->favourite) : "", m ? yes(m->hidden) : "",
              m ? joined(views(m->tags)) : "", m ? m->note : ""})
            row.push_back(plainCell(std::move(text)));
        return row;
    };
    writeCsv(out, table);
}

// "\r"-updated on a terminal, at most ten times a second and once all is read; erased at
// the end.
class ProgressLine {
  public:
    explicit ProgressLine(const Console& console) : console_(console) {}
    ~ProgressLine() {
        if (shown_) console_.err << "\r\033[K" << std::flush;
    }
    void operator()(const library::ScanProgress& p) {
        if (!console_.errIsTerminal) return;
        if (!due_.due(p.filesDone == p.filesTotal)) return;
        shown_ = true;
        console_.err << "\rscanning: " << p.filesDone << "/" << p.filesTotal << " files, "
                     << p.presets << " presets\033[K" << std::flush;
    }

  private:
    const Console& console_;
    library::ProgressThrottle due_{std::chrono::milliseconds(100)};
    bool shown_ = false;
};

std::atomic<bool> interrupted{false};

extern "C" void onInterrupt(int) {
    interrupted.store(true);
}

// While it lives, Ctrl+C stops the scan rather than the program; a second one ends it.
class InterruptStopsScan {
  public:
    InterruptStopsScan() {
        struct sigaction action {};
        action.sa_handler = onInterrupt;
        action.sa_flags = SA_RESETHAND;
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGINT, &action, &before_);
        sigset_t set;
        sigemptyset(&set);
        sigaddset(&set, SIGINT);
        ::pthread_sigmask(SIG_UNBLOCK, &set, &mask_);
    }
    ~InterruptStopsScan() {
        ::sigaction(SIGINT, &before_, nullptr);
        ::pthread_sigmask(SIG_SETMASK, &mask_, nullptr);
    }
    InterruptStopsScan(const InterruptStopsScan&) = delete;
    InterruptStopsScan& operator=(const InterruptStopsScan&) = delete;

  private:
    struct sigaction before_ {};
    sigset_t mask_{};
};

}  // namespace

int runScan(const Options& options, const Console& console) {
    Report report;
    report.target = &targetOrDefault(options);
    report.amp = options.amp;

    library::Query query;
    if (options.find) query.find = library::SearchText(*options.find);
    if (options.uses) query.uses = *options.uses;
    if (options.model) query.model = *options.model;
    if (query.find.asksForMarks()) query.marksOf = searchMarks(console, "scan finds no marks");

    std::vector<std::filesystem::path> inputs(options.files.begin(), options.files.end());
    Gathered gathered;
    {
        ProgressLine progress(console);
        const InterruptStopsScan stops;
        gathered = gatherLibrary(
            inputs, library::TriageSettings{report.target, options.amp.value_or(0)},
            query.empty() ? std::nullopt : std::optional(query),
            [&](const library::Progress& p) {
                progress(library::ScanProgress{p.done, p.total, p.presets});
            },
            interrupted);
    }
    report.scan = std::move(gathered.scan);

    const std::vector<std::optional<std::size_t>>& groups = gathered.groups;
    for (std::size_t i = 0; i < report.scan.presets.size(); ++i) {
        if (groups[i]) report.groups = std::max(report.groups, *groups[i]);
        if (options.duplicates && !groups[i]) continue;
        report.lines.push_back(Line{&report.scan.presets[i], groups[i]});
    }
    if (options.duplicates)
        std::stable_sort(report.lines.begin(), report.lines.end(),
                         [](const Line& a, const Line& b) { return *a.group < *b.group; });
    for (const Line& line : report.lines)
        ++report.perStatus[static_cast<std::size_t>(triageOf(*line.preset).status)];
    findMarks(report, console);

    if (options.json)
        printJson(report, console.out);
    else if (options.csv)
        printCsv(report, console.out);
    else
        printTable(report, console.out);
    if (report.scan.cancelled) {
        console.err << "patchwright-cli: cancelled: " << grouped(report.scan.filesRead) << " of "
                    << grouped(report.scan.filesTotal) << " read\n";
        return kExitInterrupted;
    }
    return report.scan.counts.readable == 0 ? kExitNotLoadable : kExitOk;
}

namespace {

std::string scanIncomplete(const Options& o) {
    if (o.files.empty()) return "scan needs a file, folder or archive";
    if (o.json && o.csv) return "choose one of --json and --csv, not both";
    return {};
}

constexpr std::string_view kScanOptions[] = {
    "--target", "--amp", "--find", "--uses", "--model", "--duplicates", "--json", "--csv",
};

}  // namespace

extern const Command kScanCommand;
const Command kScanCommand{
    "scan",
    kScanOptions,
    R"(  patchwright-cli scan PATH... [--target MODEL] [--amp A|B] [--find TEXT]
                       [--uses TEXT] [--model MODEL] [--duplicates] [--json | --csv]
)",
    R"(  scan PATH...    Triage a library: every preset in the files, folders (recursively;
                  a symbolic link is followed once, a loop is reported) and archives
                  (.zip, .7z, .rar, .tar and its compressed forms, read in memory and
                  never extracted) against the target (default RP255) and amp
                  channel, as convert would treat it. Files without one of the eleven
                  preset extensions are skipped and counted. Each preset's status is
                  one of:
                    fits        savable after Filter Patch and the amp channel alone
                    converts    savable once Resolve Conflicts has run (with the
                                number of models substituted and rows removed)
                    cannot      not savable even then (with the reason)
                    view-only   an @VIEW_ONLY@
                                preset, or no known model
                    unreadable  cannot be loaded (with the reason)
                  The patch name is judged apart: a name convert refuses is reported
                  with the name --fix-names saves it under. Presets whose rows (ID,
                  Position and Value, in order) are the same share a duplicate group,
                  whatever their names and layout. An archive member that expands
                  past 16 MB, is encrypted or is named outside the archive
                  ("../x.rp250p", "/etc/x.rp250p") is unreadable; an archive that is
                  damaged or expands past 1 GB in all, a member whose name cannot be
                  read, a folder that cannot be read and a link loop each print a
                  "problem:" line. Links and devices inside archives are skipped.
                  scan writes nothing. Interrupted (Ctrl+C), it prints what it read
                  and "cancelled: N of M read" on stderr, and exits with status 130.
                  The table has a line per preset, then the problems, then a count
                  per status and a summary; its cells are escaped and cut as check's
                  are. A favourite's name starts with a star, and --json and --csv
                  give each preset's marks (see mark); when the collection cannot
                  be used, a line on stderr says why and no marks are shown. A
                  progress line goes to stderr when it is a terminal.
)",
    scanIncomplete,
    runScan,
};

}  // namespace pw::cli
