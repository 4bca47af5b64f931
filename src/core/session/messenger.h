// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the session talks to the user: a message with its icon and buttons, and the
// answer. The window shows message boxes, the command line prints, tests script.

#include <string>
#include <string_view>

namespace pw {

inline constexpr std::string_view kAppTitle = "Patchwright";

enum class Icon { None, Critical, Exclamation, Information, Question };
enum class Buttons { Ok, YesNo };  // Yes and No with No preselected
enum class Answer { Ok, Yes, No };

// Which message it is: one per text in messages.h. Callers decide by the id, never by
// the text.
enum class MessageId {
    ReadTestFailed,
    NameLoadError,
    ParameterMissing,
    BadFileName,
    LoadFileFirst,
    SelectAmpChannel,
    ClickFilter,
    TooManyConflicts,
    SaveAsQuestion,
    AlreadyExists,
    SavingCanceled,
    SavedTo,
    SelectFileFirst,
    AmpOnlyForBigModels,
    ReservedForFuture,
    CouldNotWrite,
    ErrorCount,  // "Number of errors N" of the Errors button
    ResolveSummary,
    OnePresetAtATime,
};

struct Message {
    MessageId id{};
    std::string text;  // the fixed text, exactly as the user sees it
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
    std::string detail;  // optional: what went wrong underneath (a file system reason)
};

class Messenger {
  public:
    virtual ~Messenger() = default;
    // Shows the message (its caption is always kAppTitle) and returns the answer:
    // Ok for a Buttons::Ok message, Yes or No for a question.
    virtual Answer show(const Message& message) = 0;
};

}  // namespace pw
