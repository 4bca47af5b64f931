// SPDX-License-Identifier: GPL-3.0-or-later
// patchwright-cli check FILE... [--target MODEL] [--json] [--summary]

#include <algorithm>
#include <nlohmann/json.hpp>
#include <ostream>

#include "commands.h"
#include "exit_status.h"
#include "filter/list_edits.h"
#include "json_formatter.h"
#include "list_report.h"
#include "session_setup.h"

namespace pw::cli {

namespace {

struct Checked {
    std::string file;
    int status = kExitOk;
    std::string sourceRoot;
    std::size_t errors = 0;
};

const char* verdict(int status) {
    switch (status) {
        case kExitOk:
            return "clean";
        case kExitConflicts:
            return "conflicts";
        default:
            return "not loadable";
    }
}

void printSummary(const std::vector<Checked>& checked, const Options& options,
                  const Console& console) {
    if (options.json) {
        nlohmann::ordered_json j = nlohmann::ordered_json::array();
        for (const Checked& c : checked)
            j.push_back({{"file", c.file},
                         {"source_root", c.sourceRoot},
                         {"errors", c.errors},
                         {"verdict", verdict(c.status)}});
        console.out << j.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
                    << '\n';
        return;
    }
    for (const Checked& c : checked)
        console.out << c.file << ": " << (c.sourceRoot.empty() ? "-" : c.sourceRoot) << ", "
                    << c.errors << " errors, " << verdict(c.status) << '\n';
}

}  // namespace

// Each file from a fresh start. One file prints its list; several print their lists one
// after another (--json: an array of them), or with --summary one line each.
int runCheck(const Options& options, const Console& console) {
    const bool several = options.files.size() > 1;
    const bool jsonArray = options.json && several && !options.summary;
    std::vector<Checked> checked;
    nlohmann::ordered_json lists = nlohmann::ordered_json::array();
    int status = kExitOk;
    for (const std::string& file : options.files) {
        CliMessenger messenger(console.err, AnswerPolicy{options.overwrite}, file);
        Session session(messenger);
        Checked c{file, kExitNotLoadable, {}, 0};
        if (openForTarget(session, targetOrDefault(options), file)) {
            c.status = filter::HasConflicts(session.rows()) == 1 ? kExitConflicts : kExitOk;
            c.sourceRoot = session.sourceRoot();
            const ListReport report = makeReport(session, file);
            c.errors = report.errors;
            if (jsonArray)
                lists.push_back(JsonFormatter::toJson(report));
            else if (!options.summary)
                printList(session, file, options, console);
        }
        status = std::max(status, c.status);
        checked.push_back(std::move(c));
    }
    if (jsonArray)
        console.out << lists.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
                    << '\n';
    if (options.summary) printSummary(checked, options, console);
    console.out.flush();
    return status;
}

}  // namespace pw::cli
