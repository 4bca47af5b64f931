// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Messages and questions of the session on the command line: printed to stderr,
// questions answered by a fixed policy instead of a person.

#include <iosfwd>
#include <string>

#include "session/messenger.h"

namespace pw::cli {

struct AnswerPolicy {
    bool overwrite = false;  // the "Already Exists" question
};

class CliMessenger : public Messenger {
  public:
    CliMessenger(std::ostream& err, AnswerPolicy policy) : err_(err), policy_(policy) {}

    Answer show(const Message& message) override;

    // Printed before every line, e.g. the file that convert is working on.
    void setContext(std::string context) { context_ = std::move(context); }

  private:
    Answer answerFor(const Message& question) const;

    std::ostream& err_;
    AnswerPolicy policy_;
    std::string context_;
};

}  // namespace pw::cli
