// Save and the two text exports.

#include <algorithm>

#include "document/file_io.h"
#include "document/preset_writer.h"
#include "document/root_names.h"
#include "document/text_export.h"
#include "filter/list_edits.h"
#include "session/messages.h"
#include "session/name_check.h"
#include "session/session.h"

namespace pw {

using document::Family;

std::filesystem::path Session::saveFileName() const {
    return saveFolder_ / (patchName_ + std::string(target_->extension));
}

std::string Session::shownName(const std::filesystem::path& file) const {
    return fileNaming_ == FileNaming::BareName ? file.filename().string() : file.string();
}

bool Session::writeFile(const std::filesystem::path& file, const std::string& bytes,
                        const std::string& shown) {
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
        say(text::couldNotWrite(file.string()), Icon::Critical, Buttons::Ok, error);
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
    // A character a preset cannot hold would give a file that cannot be opened again.
    if (!isWritablePatchName(patchName_)) {
        say(text::kBadFileName, Icon::Critical);
        return;
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
    const std::filesystem::path file = saveFileName();
    writeFile(file, document::renderPreset(*target_, patchName_, rows_), shownName(file));
}

void Session::exportUserText() {
    exportText(false);
}
void Session::exportCompleteText() {
    exportText(true);
}

void Session::exportText(bool complete) {
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
    writeFile(file, bytes, file.string());
}

}  // namespace pw
