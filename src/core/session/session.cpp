// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/session.h"

#include "document/file_io.h"
#include "document/root_names.h"
#include "document/text_decoding.h"
#include "models/load_pass.h"
#include "session/history.h"
#include "session/messages.h"

namespace pw {

using document::Family;

Session::Session(Messenger& messenger, document::FileWriter& writer)
    : messenger_(messenger),
      writer_(writer),
      target_(document::targetByOption(document::kStartupTargetOption)) {
    std::error_code ec;
    saveFolder_ = std::filesystem::current_path(ec);
}

Answer Session::say(MessageId id, std::string_view text, Icon icon, Buttons buttons,
                    std::string detail) {
    return messenger_.show(Message{id, std::string(text), icon, buttons, std::move(detail)});
}

void Session::start() {
    const HistoryStep opening(*this, {}, HistoryStep::Kind::Opening);
    selectTarget(document::kStartupTargetOption);
}

void Session::refreshCount() {
    paramCount_ = std::to_string(rows_.count());
}

void Session::clearFlagsAndEnableFilterButtons() {
    buttons_.filter = buttons_.ampA = buttons_.ampB = true;
    filtered_ = false;
    ampChosen_ = false;
}

// ---------------------------------------------------------------------------------
// Opening

OpenResult Session::openFile(const std::filesystem::path& file) {
    return open(file, document::readWholeFile(file));
}

OpenResult Session::openBytes(const std::filesystem::path& name, std::string bytes) {
    document::ReadResult read;
    read.exists = read.complete = true;
    read.bytes = std::move(bytes);
    return open(name, read);
}

OpenResult Session::open(const std::filesystem::path& file, const document::ReadResult& read) {
    const HistoryStep opening(*this, {}, HistoryStep::Kind::Opening);
    openedFile_ = file;
    lastOpen_ = OpenResult{};
    Read_Test(read);
    LoadPatch(read);
    return lastOpen_;
}

void Session::Read_Test(const document::ReadResult& read) {
    rawText_.clear();
    sourceRoot_.clear();
    clearFlagsAndEnableFilterButtons();
    readTestStoppedEarly_ = true;
    if (!read.exists) {
        lastOpen_.status = document::ReadStatus::FileUnreadable;
        lastOpen_.detail = read.error;
        return;
    }
    readTestStoppedEarly_ = false;
    if (!read.complete) {
        lastOpen_.status = document::ReadStatus::FileUnreadable;
        lastOpen_.detail = read.error;
        say(MessageId::ReadTestFailed, text::kReadTestFailed, Icon::None, Buttons::Ok, read.error);
    } else {
        rawText_ = document::rawTextForSearch(read.bytes);
    }
    sourceRoot_ = document::FindRootName(rawText_);
    // The buttons the source model allows; the pass then sets Filter and the amp
    // buttons once more.
    if (document::isFullUseRoot(sourceRoot_)) {
        buttons_.save = true;
        if (sourceRoot_ == "RP255Preset") buttons_.reset = false;
        const bool twoChannels = document::isTwoChannelRoot(sourceRoot_);
        buttons_.ampA = buttons_.ampB = twoChannels;
    } else {
        buttons_.save = buttons_.filter = buttons_.reset = buttons_.ampA = buttons_.ampB = false;
    }
    label4_ = sourceRoot_;
}

void Session::LoadPatch(const document::ReadResult& read) {
    document::ParseResult parsed;
    if (!read.complete) {
        parsed.status = document::ReadStatus::FileUnreadable;
        parsed.error = read.error.empty() ? "the file cannot be read" : read.error;
    } else {
        parsed = document::parsePreset(read.bytes);
    }
    document_ = std::move(parsed.document);
    if (!parsed.ok() && lastOpen_.detail.empty()) {
        lastOpen_.status = parsed.status;
        lastOpen_.detail = parsed.error;
        lastOpen_.offset = parsed.offset;
    }

    const bool named = document_.firstName.has_value();
    if (named) originalName_ = *document_.firstName;
    setPatchName(originalName_);
    // A file the read test could not open left Label4 as it was.
    if (!readTestStoppedEarly_) label4_ += " Original Patch Name: " + originalName_;
    if (!named) {
        lastOpen_.outcome = OpenOutcome::NotLoadable;
        if (lastOpen_.detail.empty()) lastOpen_.detail = "the document has no Name element";
        say(MessageId::NameLoadError, text::kNameLoadError, Icon::Critical, Buttons::Ok,
            lastOpen_.detail);
        return;
    }
    lastOpen_ = OpenResult{OpenOutcome::Loaded, document::ReadStatus::Ok, {}, {}};
    runPassOfTarget();
}

// ---------------------------------------------------------------------------------
// The pass

void Session::setButtonsForPass(Family passFamily) {
    const Family source = document::familyOf(sourceRoot_);
    if (source == Family::None) return;
    // RP155 presets are not provided for by the 35x pass.
    if (sourceRoot_ == "RP155Preset" && passFamily == Family::F35x) return;
    const bool sameFamily = source == passFamily;
    buttons_.filter = !sameFamily;
    buttons_.ampA = buttons_.ampB = source == Family::F35x && !sameFamily;
}

void Session::runPassOfTarget() {
    const Family family = target_->family;
    setButtonsForPass(family);
    models::PassResult pass = models::runPass(document_, family, sourceRoot_, target_->root);
    if (pass.label5) label5_ = *pass.label5;
    if (pass.missingChild) {
        if (lastOpen_.outcome == OpenOutcome::Loaded) {
            lastOpen_.outcome = OpenOutcome::ParameterMissing;
            lastOpen_.detail = text::parameterMissing(*pass.missingChild);
        }
        say(MessageId::ParameterMissing, text::parameterMissing(*pass.missingChild),
            Icon::Critical);
        ClearPatch();
        return;
    }
    rows_ = std::move(pass.rows);
    removedBefore_.clear();
    refreshCount();
}

void Session::ClearPatch() {
    rawText_.clear();
    sourceRoot_.clear();
    clearFlagsAndEnableFilterButtons();
    rows_.clear();
    removedBefore_.clear();
    openedFile_.clear();
    setPatchName("");
    paramCount_ = "0";
}

bool Session::selectTarget(int option) {
    const HistoryStep step(*this, steps::kChangeTarget);
    const document::Target* t = document::targetByOption(option);
    if (!t || !t->selectable) return false;
    target_ = t;
    filtered_ = false;
    runPassOfTarget();
    return true;
}

void Session::reset() {
    const HistoryStep step(*this, steps::kReset);
    setPatchName(originalName_);
    clearFlagsAndEnableFilterButtons();
    paramCount_ = "0";
    runPassOfTarget();
}

void Session::setPatchName(std::string name) {
    const HistoryStep step(*this, steps::kPatchName, HistoryStep::Kind::NameEdit);
    patchName_ = std::move(name);
}

void Session::tellOnlyFirstOpened(std::string_view opened,
                                  const std::vector<std::string>& notOpened) {
    say(MessageId::OnePresetAtATime, text::onePresetAtATime(opened, notOpened), Icon::Information);
}

}  // namespace pw
