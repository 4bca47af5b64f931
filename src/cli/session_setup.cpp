// SPDX-License-Identifier: GPL-3.0-or-later
#include "session_setup.h"

#include "list_report.h"

namespace pw::cli {

const document::Target& targetOrDefault(const Options& options) {
    if (options.target) return *options.target;
    return *document::targetByOption(document::kStartupTargetOption);
}

bool openForTarget(Session& session, const document::Target& target, const std::string& file) {
    session.start();
    session.selectTarget(target.option);
    session.openFile(file);
    return session.lastOpenOutcome() == OpenOutcome::Loaded;
}

void printList(const Session& session, const std::string& file, const Options& options,
               const Console& console) {
    const ListReport report = makeReport(session, file);
    if (options.json)
        writeJson(console.out, listJson(report));
    else
        writeListText(console.out, report, TableStyle{console.colour});
    console.out.flush();
}

ExitStatus exitStatusOf(const WriteResult& result) {
    switch (result.outcome) {
        case WriteOutcome::Written:
            return kExitOk;
        case WriteOutcome::Failed:
            return kExitCannotWrite;
        case WriteOutcome::Declined:
        case WriteOutcome::Refused:
            break;
    }
    return kExitRefused;
}

}  // namespace pw::cli
