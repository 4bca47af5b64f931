// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_messenger.h"

#include <ostream>

namespace pw::cli {

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

Answer CliMessenger::show(const Message& message) {
    const std::string prefix = context_.empty() ? std::string() : context_ + ": ";
    Answer answer = Answer::Ok;
    err_ << prefix << message.text;
    if (message.buttons == Buttons::YesNo) {
        answer = answerFor(message);
        err_ << (answer == Answer::Yes ? " [Yes]" : " [No]");
    }
    err_ << '\n';
    if (!message.detail.empty()) err_ << prefix << "  " << message.detail << '\n';
    err_.flush();
    return answer;
}

}  // namespace pw::cli
