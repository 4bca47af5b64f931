// SPDX-License-Identifier: GPL-3.0-or-later
// Save and the two text exports.

#include <algorithm>

#include "convert/name_check.h"
#include "convert/save_check.h"
#include "document/file_writer.h"
#include "document/preset_writer.h"
#include "document/root_names.h"
#include "document/text_export.h"
#include "filter/list_edits.h"
#include "session/history.h"
#include "session/messages.h"
#include "session/save_refusal.h"
#include "session/session.h"

namespace pw {

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
    return sayWritten(file, document::replaceFileWhole(writer_, file, bytes), shown);
}

WriteResult Session::sayWritten(const std::filesystem::path& file,
                                const document::IoResult& written, const std::string& shown) {
    const std::string path = pathBesideName(file, shown);
    if (!written.ok()) {
        say(MessageId::CouldNotWrite, text::couldNotWrite(shown), Icon::Critical, Buttons::Ok,
            path.empty() ? written.error : path + "\n" + written.error);
        return WriteResult{WriteOutcome::Failed, file, MessageId::CouldNotWrite, written.error};
    }
    say(MessageId::SavedTo, std::string(text::kSavedTo) + shown, Icon::Information, Buttons::Ok,
        path);
    return WriteResult{WriteOutcome::Written, file, MessageId::SavedTo, {}};
}

Message saveRefusalMessage(convert::SaveRefusal refusal, std::string_view patchName,
                           NameRules rules) {
    using convert::SaveRefusal;
    auto message = [](MessageId id, std::string_view text, Icon icon, std::string detail = {}) {
        return Message{id, std::string(text), icon, Buttons::Ok, std::move(detail)};
    };
    switch (refusal) {
        case SaveRefusal::BadFileName: {
            const std::optional<RefusedCharacter> refused = refusedNameCharacter(patchName, rules);
            return message(MessageId::BadFileName, text::kBadFileName, Icon::Critical,
                           refused                 ? text::badNameDetail(describeRefused(*refused))
                           : isDotsName(patchName) ? text::dotsNameDetail(patchName)
                                                   : "");
        }
        case SaveRefusal::LoadFileFirst:
            return message(MessageId::LoadFileFirst, text::kLoadFileFirst, Icon::Exclamation);
        case SaveRefusal::SelectAmpChannel:
            return message(MessageId::SelectAmpChannel, text::kSelectAmpChannel, Icon::Exclamation);
        case SaveRefusal::ClickFilter:
            return message(MessageId::ClickFilter, text::kClickFilter, Icon::Exclamation);
        case SaveRefusal::TooManyConflicts:
            break;
    }
    return message(MessageId::TooManyConflicts, text::kTooManyConflicts, Icon::Critical);
}

WriteResult Session::save() {
    const convert::SaveState state{patchName_, !openedFile_.empty(), sourceRoot_, target_,
                                   filtered_,  ampChosen_,           &rows_};
    const std::optional<convert::SaveRefusal> refusal = convert::saveCheck(state);
    // Past the name and the open file, the same family needs no filtering: Save counts
    // the patch as filtered from there on.
    const bool pastFirstChecks = !refusal || (*refusal != convert::SaveRefusal::BadFileName &&
                                              *refusal != convert::SaveRefusal::LoadFileFirst);
    if (pastFirstChecks && convert::needsNoFilter(sourceRoot_, *target_)) filtered_ = true;
    if (refusal) {
        const Message m = saveRefusalMessage(*refusal, patchName_);
        return refuse(m.id, m.text, m.icon, m.detail);
    }
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
