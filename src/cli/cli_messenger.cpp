#include "cli_messenger.h"

#include <ostream>

#include "session/messages.h"

namespace pw::cli {

namespace {
bool startsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}
bool endsWith(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}
}  // namespace

Answer CliMessenger::answerFor(const Message& question) const {
    if (startsWith(question.text, text::kSaveAsQuestion)) return Answer::Yes;
    if (endsWith(question.text, text::kAlreadyExists))
        return policy_.overwrite ? Answer::Yes : Answer::No;
    return Answer::No;  // No is what every question preselects
}

Answer CliMessenger::show(const Message& message) {
    last_ = message;
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
