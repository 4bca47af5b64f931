#include "session_setup.h"

#include "json_formatter.h"
#include "session/messages.h"
#include "text_formatter.h"

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
        JsonFormatter().write(console.out, report);
    else
        TextFormatter(console.colour).write(console.out, report);
    console.out.flush();
}

WriteOutcome writeOutcome(const Session& session, const CliMessenger& messenger,
                          const std::filesystem::path& file) {
    if (!session.lastWrittenFile().empty()) return WriteOutcome::Written;
    const auto& last = messenger.lastMessage();
    if (last && last->text == text::couldNotWrite(file.string())) return WriteOutcome::Failed;
    return WriteOutcome::Refused;
}

}  // namespace pw::cli
