// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's state and every command that changes it, without any toolkit.
// The window shows this state; the command line and the tests drive it directly.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/effect_catalogue.h"
#include "document/file_io.h"
#include "document/file_writer.h"
#include "document/preset_document.h"
#include "document/targets.h"
#include "filter/resolve.h"
#include "params/param_list.h"
#include "session/messenger.h"
#include "session/write_outcome.h"

namespace pw {

// Enabled states of the buttons whose state the commands set. Every button starts
// enabled.
struct ButtonStates {
    bool save = true;
    bool filter = true;
    bool reset = true;
    bool ampA = true;
    bool ampB = true;
    bool operator==(const ButtonStates&) const = default;
};

class History;
class HistoryStep;
struct SessionSnapshot;

// What the last open did, for callers that need more than the messages.
enum class OpenOutcome { None, Loaded, NotLoadable, ParameterMissing };

// How an open ended: the outcome and, when the file could not be loaded, the reader's
// status, what it found wrong and where.
struct OpenResult {
    OpenOutcome outcome = OpenOutcome::None;
    document::ReadStatus status = document::ReadStatus::Ok;
    std::string detail;                 // "" when it was loaded
    std::optional<std::size_t> offset;  // the byte of the fault, when known
    bool loaded() const { return outcome == OpenOutcome::Loaded; }
};

class Session {
  public:
    // Files are written through `writer`: the real file system unless a test hands
    // the session another.
    explicit Session(Messenger& messenger,
                     document::FileWriter& writer = document::systemFileWriter());

    // --- commands -------------------------------------------------------------
    // Start-up: selects the target RP255, which runs its pass over the empty document.
    void start();
    // File > Open once the dialog returned a name: the file is read once, then the read
    // test and LoadPatch run over its bytes.
    OpenResult openFile(const std::filesystem::path& file);
    // Opens bytes read elsewhere (a member of a pack) as if they were the file `name`.
    OpenResult openBytes(const std::filesystem::path& name, std::string bytes);
    // A click on target option `option` (0 RP155 .. 5 RP350). The RP155 option is
    // disabled, so choosing it does nothing; returns whether the target changed.
    bool selectTarget(int option);
    void reset();
    void filter();
    // Amp A / Amp B ('A' or 'B'). Returns false when the click was refused with a message.
    bool selectAmpChannel(char channel);
    // Save and the exports tell how they ended (callers may ignore it).
    WriteResult save();
    void showErrors();
    WriteResult exportUserText();
    WriteResult exportCompleteText();
    void showOptions();
    void setPatchName(std::string name);
    // Several files dropped at once: the first was opened (openFile), the others were not;
    // tells the user which.
    void tellOnlyFirstOpened(std::string_view opened, const std::vector<std::string>& notOpened);
    // Tools > Resolve Conflicts: substitutes the models the target does not know and
    // removes the rows it does not know, then tells the user what it did. Refused with a
    // message (and nullopt) while resolveEnabled() is false.
    std::optional<filter::ResolveReport> resolveConflicts();

    // --- the parameter list's own commands -------------------------------------
    void clickRow(long long number);  // sets SelectedIndex, the row number from 1; 0 for none
    // Key down in the list: Ctrl+Delete removes row SelectedIndex; Ctrl+C returns the
    // line to put on the clipboard. Every key refreshes the count label.
    enum class Key { Delete, C, Other };
    std::optional<std::string> keyDown(Key key, bool ctrl);
    // The block the Model Select dialog opens for on a double-click, or null.
    const catalogue::Block* blockForDoubleClick() const;
    // A pick of entry `index` of `block` in Model Select: writes Setting and Value of
    // row SelectedIndex (when it names a row) and sets SelectedIndex to 0. Returns
    // whether a row was written.
    bool UpdateListItem(const catalogue::Block& block, std::size_t index);

    // --- undo and redo (session_history.cpp) -------------------------------------
    bool undo();  // false when there is nothing to undo
    bool redo();
    std::string_view undoName() const;  // the step Undo takes back, "" when none
    std::string_view redoName() const;
    void endPatchNameEdit();  // the name box was left: the next edit is a new step

    // --- state ----------------------------------------------------------------
    const ParamList& rows() const { return rows_; }
    const document::Target& target() const { return *target_; }
    const std::string& sourceRoot() const { return sourceRoot_; }
    const std::string& patchName() const { return patchName_; }
    const std::string& originalPatchName() const { return originalName_; }
    const std::filesystem::path& openedFile() const { return openedFile_; }
    bool filtered() const { return filtered_; }
    bool ampChannelChosen() const { return ampChosen_; }
    const ButtonStates& buttons() const { return buttons_; }
    // The state of the Resolve Conflicts menu item: a patch is loaded and either filtered
    // or of the target's own family (which needs no filtering).
    bool resolveEnabled() const;
    const std::string& label4() const { return label4_; }
    const std::string& label5() const { return label5_; }
    const std::string& paramCountCaption() const { return paramCount_; }
    int selectedIndex() const { return selectedIndex_; }
    OpenOutcome lastOpenOutcome() const { return lastOpen_.outcome; }

    // Folder that Save writes the new preset into (the current folder unless set).
    void setSaveFolder(std::filesystem::path folder) { saveFolder_ = std::move(folder); }
    const std::filesystem::path& saveFolder() const { return saveFolder_; }
    // How Save's messages name the file: with its folder (the default), or by its bare
    // name where the window shows the folder elsewhere.
    enum class FileNaming { Path, BareName };
    void setFileNaming(FileNaming naming) { fileNaming_ = naming; }

    // The name Save would write: patch name and target extension in the save folder.
    std::filesystem::path saveFileName() const;

  private:
    friend class HistoryStep;
    OpenResult open(const std::filesystem::path& file, const document::ReadResult& read);
    void Read_Test(const document::ReadResult& read);
    void LoadPatch(const document::ReadResult& read);
    SessionSnapshot snapshot() const;
    void restore(const SessionSnapshot& state);
    void runPassOfTarget();
    void setButtonsForPass(document::Family passFamily);
    void ClearPatch();
    void clearFlagsAndEnableFilterButtons();
    void refreshCount();
    WriteResult writeFile(const std::filesystem::path& file, const std::string& bytes,
                          const std::string& shown);
    WriteResult sayWritten(const std::filesystem::path& file, const document::IoResult& written,
                           const std::string& shown);
    std::string shownName(const std::filesystem::path& file) const;
    WriteResult exportText(bool complete);
    Answer say(MessageId id, std::string_view text, Icon icon, Buttons buttons = Buttons::Ok,
               std::string detail = {});
    // A Save or export that a check refused: says `text` and tells the caller.
    WriteResult refuse(MessageId id, std::string_view text, Icon icon, std::string detail = {});

    Messenger& messenger_;
    document::FileWriter& writer_;
    const document::Target* target_;
    document::PresetDocument document_;
    ParamList rows_;
    std::filesystem::path openedFile_;
    std::string rawText_;
    std::string sourceRoot_;
    std::string originalName_;
    std::string patchName_;
    bool filtered_ = false;
    bool ampChosen_ = false;
    // The rows Filter Patch and the amp channel took since the rows were built, told by
    // the next Resolve Conflicts.
    std::vector<filter::ResolveChange> removedBefore_;
    ButtonStates buttons_;
    std::string label4_;
    std::string label5_;
    std::string paramCount_ = "0";
    int selectedIndex_ = 0;
    OpenResult lastOpen_;
    std::filesystem::path saveFolder_;
    struct HistoryDeleter {
        void operator()(History* history) const;
    };
    static History* newHistory();
    std::unique_ptr<History, HistoryDeleter> history_{newHistory()};
    FileNaming fileNaming_ = FileNaming::Path;
    bool readTestStoppedEarly_ = false;  // the last read test could not open its file
};

}  // namespace pw
