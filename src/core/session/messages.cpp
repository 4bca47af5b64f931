#include "session/messages.h"

#include "session/messenger.h"

namespace pw {

const char* iconName(Icon icon) {
    switch (icon) {
        case Icon::Critical:
            return "critical";
        case Icon::Exclamation:
            return "exclamation";
        case Icon::Information:
            return "information";
        case Icon::Question:
            return "question";
        case Icon::None:
            break;
    }
    return "none";
}

namespace text {

std::string parameterMissing(std::string_view child) {
    return "Parameter <" + std::string(child) + "> missing.";
}

std::string couldNotWrite(std::string_view file) {
    return "Could not write " + std::string(file) + ". Nothing was changed.";
}

std::string onePresetAtATime(std::string_view taken, const std::vector<std::string>& notOpened) {
    std::string text = "One preset is open at a time. Only the first file dropped was taken: " +
                       std::string(taken) + "\nNot opened:";
    for (const std::string& file : notOpened)
        text += "\n" + file;
    return text;
}

}  // namespace text
}  // namespace pw
