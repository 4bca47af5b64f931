// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Messages and questions of the session on the command line: printed to stderr as
// "patchwright-cli: FILE: text", questions answered by a fixed policy instead of a person.

#include <iosfwd>
#include <string>
#include <vector>

#include "session/messenger.h"

namespace pw::cli {

struct AnswerPolicy {
    bool overwrite = false;  // the "Already Exists" question
};

class CliMessenger : public Messenger {
  public:
    CliMessenger(std::ostream& err, AnswerPolicy policy, std::string file = {})
        : err_(err), policy_(policy), file_(std::move(file)) {}

    Answer show(const Message& message) override;

    // The file the messages concern, named after the program on every line.
    void setFile(std::string file) { file_ = std::move(file); }
    // Holding: lines are kept back until release() prints them or drop() forgets them
    // (convert --quiet prints a file's lines only when it was not written).
    void hold() { holding_ = true; }
    void release();
    void drop() { held_.clear(); }
    // Prints a line of the command line's own about the file.
    void note(const std::string& text);
    // The text of the last message shown (for a report).
    const std::string& lastText() const { return lastText_; }
    // Its detail: what went wrong underneath ("" when it had none).
    const std::string& lastDetail() const { return lastDetail_; }

  private:
    Answer answerFor(const Message& question) const;
    void line(const std::string& text);

    std::ostream& err_;
    AnswerPolicy policy_;
    std::string file_;
    bool holding_ = false;
    std::vector<std::string> held_;
    std::string lastText_;
    std::string lastDetail_;
};

// "patchwright-cli: FILE: " (or "patchwright-cli: " without a file).
std::string linePrefix(const std::string& file);

}  // namespace pw::cli
