// Save and the two text exports.

#include <algorithm>

#include "document/file_io.h"
#include "document/preset_writer.h"
#include "document/root_names.h"
#include "document/text_export.h"
#include "filter/list_edits.h"
#include "session/history.h"
#include "session/messages.h"
#include "session/session.h"

namespace pw {

using document::Family;

std::filesystem::path Session::saveFileName() const {
    return saveFolder_ / (patchName_ + std::string(target_->extension));
}

bool Session::writeFile(const std::filesystem::path& file, const std::string& bytes) {
    const std::string shown = file.string();
    std::error_code ec;
    if (std::filesystem::exists(file, ec)) {
        const Answer a =
            say(shown + std::string(text::kAlreadyExists), Icon::Critical, Buttons::YesNo);
        if (a != Answer::Yes) {
            say(text::kSavingCanceled, Icon::Information);
            return false;
        }
    }
    if (std::string error = document::replaceFileWhole(file, bytes); !error.empty()) {
        say(text::couldNotWrite(shown), Icon::Critical, Buttons::Ok, error);
        return false;
    }
    lastWritten_ = file;
    say(std::string(text::kSavedTo) + shown, Icon::Information);
    return true;
}

void Session::save() {
    for (std::string_view refused : text::kRefusedNameCharacters) {
        if (patchName_.find(refused) != std::string::npos) {
            say(text::kBadFileName, Icon::Critical);
            return;
        }
    }
    if (openedFile_.empty()) {
        say(text::kLoadFileFirst, Icon::Exclamation);
        return;
    }
    const Family source = document::familyOf(sourceRoot_);
    const Family target = target_->family;
    if (source != Family::None && source == target) {
        filtered_ = true;  // the same family needs no filtering
    } else if (source == Family::F35x && !ampChosen_) {
        say(text::kSelectAmpChannel, Icon::Exclamation);
        return;
    }
    if (!filtered_) {
        say(text::kClickFilter, Icon::Exclamation);
        return;
    }
    if (filter::HasConflicts(rows_) == 1) {
        say(text::kTooManyConflicts, Icon::Critical);
        return;
    }
    const std::string question =
        std::string(text::kSaveAsQuestion) + patchName_ + std::string(target_->extension);
    if (say(question, Icon::Question, Buttons::YesNo) != Answer::Yes) return;
    // write_patch2: the rows are rendered first, so nothing can change them midway.
    writeFile(saveFileName(), document::renderPreset(*target_, patchName_, rows_));
}

void Session::exportUserText() {
    exportText(false);
}
void Session::exportCompleteText() {
    exportText(true);
}

void Session::exportText(bool complete) {
    const HistoryStep step(*this, complete ? steps::kExportCompleteText : steps::kExportUserText);
    setPatchName(originalName_);
    clearFlagsAndEnableFilterButtons();
    if (openedFile_.empty()) {
        say(text::kSelectFileFirst, Icon::Critical);
        return;
    }
    if (target_->root == "RP255Preset" || target_->root == "RP355Preset") runPassOfTarget();
    // A pass that met a broken Param element has closed the patch: nothing to export.
    if (openedFile_.empty()) return;
    std::filesystem::path file = openedFile_;
    file += ".txt";
    const std::string bytes = complete
                                  ? document::renderCompleteText(sourceRoot_, originalName_, rows_)
                                  : document::renderUserText(sourceRoot_, originalName_, rows_);
    writeFile(file, bytes);
}

}  // namespace pw
