// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_messenger.h"

#include <ostream>
#include <utility>

#include "table_writer.h"

namespace pw::cli {

std::string linePrefix(const std::string& file) {
    return file.empty() ? std::string("patchwright-cli: ")
                        : "patchwright-cli: " + displayText(file) + ": ";
}

Answer CliMessenger::answerFor(const Message& question) const {
    switch (question.id) {
        case MessageId::SaveAsQuestion:
            return Answer::Yes;
        case MessageId::AlreadyExists:
            return policy_.overwrite ? Answer::Yes : Answer::No;
        default:
            return Answer::No;  // No is what every question preselects
    }
}

void CliMessenger::line(const std::string& text) {
    // A line feed or a control character in a name must not break or colour the line.
    std::string full = linePrefix(file_) + displayText(text) + '\n';
    if (holding_) {
        held_.push_back(std::move(full));
        return;
    }
    err_ << full;
    err_.flush();
}

void CliMessenger::release() {
    for (const std::string& text : std::exchange(held_, {}))
        err_ << text;
    err_.flush();
}

void CliMessenger::note(const std::string& text) {
    line(text);
}

Answer CliMessenger::show(const Message& message) {
    // Resolve's summary lists every row it touched; convert prints its own short lines.
    if (message.id == MessageId::ResolveSummary) return Answer::Ok;
    Answer answer = Answer::Ok;
    std::string text = message.text;
    if (message.buttons == Buttons::YesNo) {
        answer = answerFor(message);
        text += answer == Answer::Yes ? " [Yes]" : " [No]";
    }
    lastText_ = message.text;
    lastDetail_ = message.detail;
    line(text);
    if (!message.detail.empty()) line("  " + message.detail);
    return answer;
}

}  // namespace pw::cli
