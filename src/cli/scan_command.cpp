// SPDX-License-Identifier: GPL-3.0-or-later
// scan: triage a library of presets (files, folders, archives) against a target model.

#include <signal.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "commands.h"
#include "document/csv_field.h"
#include "exit_status.h"
#include "json_writer.h"
#include "library/duplicates.h"
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
};

const library::Triage& triageOf(const Preset& preset) {
    return *preset.triage;  // every preset is triaged: the scan is given a target
}

// A cell of the table: escaped, so that a hostile name cannot move the cursor, and
// capped, so that one huge name does not pad every line to its width.
std::string cell(std::string_view text) {
    return displayText(text, TableStyle{}.maxWidth);
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
    return cell(out);
}

std::string counted(std::size_t n, std::string_view thing) {
    return std::to_string(n) + " " + std::string(thing) + (n == 1 ? "" : "s");
}

using Cells = std::array<std::string, 7>;

Cells cellsOf(const Line& line) {
    const Preset& p = *line.preset;
    return {std::string(library::statusWord(triageOf(p).status)),
            p.model.empty() ? "-" : p.model,
            std::to_string(p.rows),
            cell(p.name),
            cell(library::displayName(p.source)),
            line.group ? std::to_string(*line.group) : "",
            details(p)};
}

// The cells are made twice, once for the widths and once to print, so that a large
// library is never held as text.
void printTable(const Report& report, std::ostream& out) {
    const bool twins = report.groups > 0;
    const Cells header = {"STATUS", "MODEL", "ROWS", "NAME", "SOURCE", twins ? "TWIN" : "",
                          "DETAILS"};
    std::array<std::size_t, 7> widths{};
    const auto measure = [&](const Cells& row) {
        for (std::size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], displayWidth(row[c]));
    };
    const auto print = [&](const Cells& row) {
        std::string text;
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c == 5 && !twins) continue;
            const bool right = c == 2 || c == 5;
            const std::size_t pad = widths[c] - displayWidth(row[c]);
            if (right) text.append(pad, ' ');
            text += row[c];
            if (c + 1 < row.size() && !right) text.append(pad, ' ');
            if (c + 1 < row.size()) text += "  ";
        }
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        out << text << '\n';
    };
    if (!report.lines.empty()) {
        measure(header);
        for (const Line& line : report.lines)
            measure(cellsOf(line));
        print(header);
        for (const Line& line : report.lines)
            print(cellsOf(line));
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

std::string dumped(const nlohmann::ordered_json& j, int indent) {
    return j.dump(indent, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

// A JSON string as dumped() writes it. Plain printable ASCII, what nearly every name and
// path is, is written as it stands; anything else is left to the JSON library.
void appendJsonString(std::string& out, std::string_view text) {
    const bool plain = std::all_of(text.begin(), text.end(), [](char c) {
        return c >= 0x20 && c < 0x7F && c != '"' && c != '\\';
    });
    if (!plain) {
        out += dumped(std::string(text), -1);
        return;
    }
    out += '"';
    out += text;
    out += '"';
}

// A file name as appendJsonString writes it under `key`, followed by its exact bytes under
// "KEY_bytes" when it is not UTF-8, as writeJson does.
void appendJsonName(std::string& out, std::string_view key, std::string_view name) {
    out += '"';
    out += key;
    out += "\":";
    appendJsonString(out, name);
    if (isUtf8(name)) return;
    out += ",\"";
    out += key;
    out += "_bytes\":\"" + base64(name) + '"';
}

// One preset as a line of the JSON report, written directly: a large library prints
// thousands of them.
std::string presetJson(const Line& line) {
    const Preset& p = *line.preset;
    const library::Triage& t = triageOf(p);
    std::string out = "{";
    appendJsonName(out, "file", p.source.file.native());
    out += ',';
    if (p.source.inArchive())
        appendJsonName(out, "member", p.source.member);
    else
        out += "\"member\":null";
    out += ",\"model\":";
    appendJsonString(out, p.model);
    out += ",\"name\":";
    appendJsonString(out, p.name);
    out += ",\"rows\":" + std::to_string(p.rows);
    out += ",\"status\":";
    appendJsonString(out, library::statusWord(t.status));
    out += ",\"substitutions\":" + std::to_string(t.substitutions);
    out += ",\"removals\":" + std::to_string(t.removals);
    out += ",\"reason\":";
    appendJsonString(out, t.reason);
    out += ",\"name_refused\":";
    out += t.nameRefused ? "true" : "false";
    out += ",\"fixed_name\":";
    appendJsonString(out, t.fixedName);
    out += ",\"uses\":[";
    for (std::size_t k = 0; k < p.uses.size(); ++k) {
        if (k) out += ',';
        appendJsonString(out, p.uses[k]);
    }
    out += "],\"duplicate_group\":";
    out += line.group ? std::to_string(*line.group) : "null";
    out += '}';
    return out;
}

// One preset per line, written as it goes, so a large library needs no large document.
void printJson(const Report& report, std::ostream& out) {
    out << "{\n  \"target\": " << dumped(std::string(report.target->caption), -1)
        << ",\n  \"amp\": "
        << (report.amp ? dumped(std::string(1, *report.amp), -1) : std::string("null"))
        << ",\n  \"presets\": [";
    for (std::size_t i = 0; i < report.lines.size(); ++i)
        out << (i ? ",\n    " : "\n    ") << presetJson(report.lines[i]);
    out << (report.lines.empty() ? "]" : "\n  ]") << ",\n  \"problems\": [";
    for (std::size_t i = 0; i < report.scan.problems.size(); ++i) {
        const library::ScanProblem& problem = report.scan.problems[i];
        std::string line = "{";
        appendJsonName(line, "path", problem.path.native());
        line += ",\"problem\":" + dumped(std::string(library::problemWord(problem.kind)), -1) +
                ",\"detail\":" + dumped(problem.detail, -1) + '}';
        out << (i ? ",\n    " : "\n    ") << line;
    }
    out << (report.scan.problems.empty() ? "]" : "\n  ]") << ",\n  \"summary\": ";
    const library::ScanCounts& c = report.scan.counts;
    nlohmann::ordered_json summary;
    summary["presets"] = report.lines.size();
    for (std::size_t s = 0; s < library::kStatusCount; ++s)
        summary[std::string(library::statusWord(Status(s)))] = report.perStatus[s];
    summary["found"] = c.presets + c.filtered;
    summary["duplicate_groups"] = report.groups;
    summary["skipped"] = c.skipped;
    summary["archives"] = c.archives;
    summary["folders"] = c.folders;
    summary["unreadable_folders"] = c.unreadableFolders;
    summary["problems"] = report.scan.problems.size();
    out << dumped(summary, -1) << "\n}\n";
}

void printCsv(const Report& report, std::ostream& out) {
    out << "file,member,model,name,rows,status,substitutions,removals,reason,name_refused,"
           "fixed_name,uses,duplicate_group\r\n";
    for (const Line& line : report.lines) {
        const Preset& p = *line.preset;
        const library::Triage& t = triageOf(p);
        std::string uses;
        for (const std::string_view used : p.uses)
            uses += (uses.empty() ? "" : "; ") + std::string(used);
        out << document::csvField(p.source.file.string()) << ','
            << document::csvField(p.source.member) << ',' << p.model << ','
            << document::csvField(p.name) << ',' << p.rows << ',' << library::statusWord(t.status)
            << ',' << t.substitutions << ',' << t.removals << ',' << document::csvField(t.reason)
            << ',' << (t.nameRefused ? "true" : "false") << ',' << document::csvField(t.fixedName)
            << ',' << document::csvField(uses) << ','
            << (line.group ? std::to_string(*line.group) : "") << "\r\n";
    }
}

// "\r"-updated on a terminal, at most ten times a second; erased at the end.
class ProgressLine {
  public:
    explicit ProgressLine(const Console& console) : console_(console) {}
    ~ProgressLine() {
        if (shown_) console_.err << "\r\033[K" << std::flush;
    }
    void operator()(const library::ScanProgress& p) {
        if (!console_.errIsTerminal) return;
        const auto now = std::chrono::steady_clock::now();
        if (shown_ && now - last_ < std::chrono::milliseconds(100)) return;
        last_ = now;
        shown_ = true;
        console_.err << "\rscanning: " << p.filesDone << "/" << p.filesTotal << " files, "
                     << p.presets << " presets\033[K" << std::flush;
    }

  private:
    const Console& console_;
    std::chrono::steady_clock::time_point last_{};
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

// "10,000"
std::string grouped(std::size_t n) {
    std::string digits = std::to_string(n);
    for (std::size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, ",");
    return digits;
}

}  // namespace

int runScan(const Options& options, const Console& console) {
    Report report;
    report.target = &targetOrDefault(options);
    report.amp = options.amp;

    library::Query query;
    if (options.find)
        (options.find->find('=') != std::string::npos ? query.row : query.text) = *options.find;
    if (options.uses) query.uses = *options.uses;
    if (options.model) query.model = *options.model;

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

}  // namespace pw::cli
