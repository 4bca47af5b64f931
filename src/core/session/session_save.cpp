// SPDX-License-Identifier: GPL-3.0-or-later
// Save and the two text exports.

#include <algorithm>

#include "document/file_writer.h"
#include "document/preset_writer.h"
#include "document/root_names.h"
#include "document/text_export.h"
#include "filter/list_edits.h"
#include "session/history.h"
#include "session/messages.h"
#include "session/name_check.h"
#include "session/session.h"

namespace pw {

using document::Family;

std::filesystem::path Session::saveFileName() const {
    return saveFolder_ / (patchName_ + std::string(target_->extension));
}

WriteResult Session::refuse(MessageId id, std::string_view text, Icon icon, std::string detail) {
    say(id, text, icon, Buttons::Ok, std::move(detail));
    return WriteResult{WriteOutcome::Refused, {}, id, {}};
}

namespace {
// A message that names a file without its folder carries the full path in its details.
std::string pathBesideName(const std::filesystem::path& file, const std::string& shown) {
    return shown == file.string() ? std::string() : file.string();
}
}  // namespace

std::string Session::shownName(const std::filesystem::path& file) const {
    return fileNaming_ == FileNaming::BareName ? file.filename().string() : file.string();
}

WriteResult Session::writeFile(const std::filesystem::path& file, const std::string& bytes,
                               const std::string& shown) {
    std::error_code ec;
    if (std::filesystem::exists(file, ec)) {
        const Answer a = say(MessageId::AlreadyExists, shown + std::string(text::kAlreadyExists),
                             Icon::Critical, Buttons::YesNo, pathBesideName(file, shown));
        if (a != Answer::Yes) {
            say(MessageId::SavingCanceled, text::kSavingCanceled, Icon::Information);
            return WriteResult{WriteOutcome::Declined, file, MessageId::SavingCanceled, {}};
        }
    }
    if (batch_) {
        pendingTicket_ = batch_->add(file, bytes);
        return WriteResult{WriteOutcome::Written, file, MessageId::SavedTo, {}};
    }
    return sayWritten(file, document::replaceFileWhole(writer_, file, bytes), shown);
}

WriteResult Session::finishWrite(const WriteResult& pending, const document::IoResult& written) {
    return sayWritten(pending.file, written, shownName(pending.file));
}

WriteResult Session::sayWritten(const std::filesystem::path& file,
                                const document::IoResult& written, const std::string& shown) {
    const WriteResult result =
        finishWrite(messenger_, WriteResult{WriteOutcome::Written, file, MessageId::SavedTo, {}},
                    written, shown);
    if (result.outcome == WriteOutcome::Written) lastWritten_ = file;
    return result;
}

WriteResult Session::finishWrite(Messenger& messenger, const WriteResult& pending,
                                 const document::IoResult& written, const std::string& shown) {
    const std::filesystem::path& file = pending.file;
    const std::string path = pathBesideName(file, shown);
    if (!written.ok()) {
        messenger.show(Message{MessageId::CouldNotWrite, text::couldNotWrite(shown), Icon::Critical,
                               Buttons::Ok,
                               path.empty() ? written.error : path + "\n" + written.error});
        return WriteResult{WriteOutcome::Failed, file, MessageId::CouldNotWrite, written.error};
    }
    messenger.show(Message{MessageId::SavedTo, std::string(text::kSavedTo) + shown,
                           Icon::Information, Buttons::Ok, path});
    return WriteResult{WriteOutcome::Written, file, MessageId::SavedTo, {}};
}

WriteResult Session::save() {
    // Besides the list, a control character or one a preset cannot hold would give a file
    // name that breaks lines quoting it or a file that cannot be opened again.
    if (const auto refused = refusedNameCharacter(patchName_))
        return refuse(MessageId::BadFileName, text::kBadFileName, Icon::Critical,
                      text::badNameDetail(describeRefused(*refused)));
    if (openedFile_.empty())
        return refuse(MessageId::LoadFileFirst, text::kLoadFileFirst, Icon::Exclamation);
    const Family source = document::familyOf(sourceRoot_);
    const Family target = target_->family;
    if (source != Family::None && source == target) {
        filtered_ = true;  // the same family needs no filtering
    } else if (source == Family::F35x && !ampChosen_) {
        return refuse(MessageId::SelectAmpChannel, text::kSelectAmpChannel, Icon::Exclamation);
    }
    if (!filtered_) return refuse(MessageId::ClickFilter, text::kClickFilter, Icon::Exclamation);
    if (filter::HasConflicts(rows_) == 1)
        return refuse(MessageId::TooManyConflicts, text::kTooManyConflicts, Icon::Critical);
    const std::string question =
        std::string(text::kSaveAsQuestion) + patchName_ + std::string(target_->extension);
    if (say(MessageId::SaveAsQuestion, question, Icon::Question, Buttons::YesNo) != Answer::Yes)
        return WriteResult{WriteOutcome::Declined, saveFileName(), MessageId::SaveAsQuestion, {}};
    // write_patch2: the rows are rendered first, so nothing can change them midway.
    const std::filesystem::path file = saveFileName();
    return writeFile(file, document::renderPreset(*target_, patchName_, rows_), shownName(file));
}

WriteResult Session::exportUserText() {
    return exportText(false);
}
WriteResult Session::exportCompleteText() {
    return exportText(true);
}

WriteResult Session::exportText(bool complete) {
    const HistoryStep step(*this, complete ? steps::kExportCompleteText : steps::kExportUserText);
    setPatchName(originalName_);
    clearFlagsAndEnableFilterButtons();
    if (openedFile_.empty())
        return refuse(MessageId::SelectFileFirst, text::kSelectFileFirst, Icon::Critical);
    if (target_->root == "RP255Preset" || target_->root == "RP355Preset") runPassOfTarget();
    // A pass that met a broken Param element has closed the patch (and said so):
    // nothing to export.
    if (openedFile_.empty())
        return WriteResult{WriteOutcome::Refused, {}, MessageId::ParameterMissing, {}};
    std::filesystem::path file = openedFile_;
    file += ".txt";
    const std::string bytes = complete
                                  ? document::renderCompleteText(sourceRoot_, originalName_, rows_)
                                  : document::renderUserText(sourceRoot_, originalName_, rows_);
    return writeFile(file, bytes, shownName(file));
}

}  // namespace pw
