// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: the parameter list, the target options and every command
// button. It shows the session's state and hands every command to the session.

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <memory>
#include <optional>

#include "session/session.h"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;

namespace pw::ui {

class ChainWindow;
class CompareWindow;
class Form2;
class FrmAbout;
class ParamListView;
class ParamTableModel;
class QtMessenger;

class Form1 : public QMainWindow {
    Q_OBJECT
  public:
    // Messages go to `messenger` when given (tests script the answers), otherwise to
    // message boxes.
    explicit Form1(Messenger* messenger = nullptr, QWidget* parent = nullptr);
    ~Form1() override;

    Session& session() { return session_; }
    const Session& session() const { return session_; }
    ParamTableModel* model() const { return model_; }
    // The Model Select dialog while it is loaded, else null.
    Form2* modelSelect() const;
    // The About window while it is open, else null.
    FrmAbout* about() const;

    // What choosing a file in the open dialog does (also a file given on the command
    // line or dropped onto the window): Save will write beside it.
    void openFile(const QString& file);
    // Preset bytes read elsewhere (a member of a pack), opened as File > Open would open
    // a file; Save writes into `saveFolder`.
    void openBytes(const QString& shownName, const QString& saveFolder, const std::string& bytes);
    // Shows the session's state in every control.
    void refresh();
    // View > Signal Chain while it is open, else null.
    ChainWindow* chainWindow() const;
    // File > Compare With… once the dialog returned `file`: the open preset beside it,
    // both read for the target. Null when `file` could not be loaded (its message said why).
    CompareWindow* compareWith(const QString& file);

  signals:
    // Folders, packs or presets to show in the Library (File > Open Folder, a drop).
    void libraryRequested(const QStringList& inputs);

  public slots:
    void mnuFileOpen_Click();
    void mnuFileOpenFolder_Click();
    void mnuFileExit_Click();
    void mnuCompare_Click();
    void mnuSignalChain_Click();
    void mnuUndo_Click();
    void mnuRedo_Click();
    void mnuExport_Click();
    void mnuExportData_Click();
    void mnuOptions_Click();
    void mnuResolve_Click();
    void mnuAbout_Click();
    void cmdAmpA_Click();
    void cmdAmpB_Click();
    void cmdErrors_Click();
    void cmdFilter_Click();
    void cmdReset_Click();
    void cmdSave_Click();
    void opModelSelect_Click(int index);
    void tbPatchName_Change(const QString& text);
    void lv_ItemClick(const QModelIndex& item);
    void lv_DblClick();
    void lv_KeyDown(pw::Session::Key key, bool ctrl);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void buildMenus();
    void buildControls(QWidget* client);
    void setFittedText(QLabel* label, const QString& text);
    void fitLabels();
    void refreshEditMenu();
    // Runs a command that may rebuild the list; a list that changed loses its
    // highlight and the selected row, and closes a Model Select opened for it.
    template <typename Command>
    void rebuildingCommand(Command&& command);
    // The list changed under the Model Select dialog: it closes, its pick would land
    // on another row.
    void closeModelSelectOnChange();
    // The list highlights the session's selected row, or none.
    void showSelectedRow();
    void stepThroughHistory(bool (Session::*step)());

    std::unique_ptr<QtMessenger> ownMessenger_;
    Messenger& messenger_;
    Session session_;
    ParamTableModel* model_ = nullptr;
    QPointer<Form2> form2_;
    std::optional<QPoint> form2Place_;  // where Model Select was left, frame included
    QMargins form2Frame_;               // its frame, once the window system told it
    QPointer<FrmAbout> about_;
    QPointer<ChainWindow> chain_;
    QString clipboardLine_;
    bool refreshing_ = false;
    bool startFocusShown_ = false;  // the first activation shows the focus on Save

    // Controls, by the names the window has always used.
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    ParamListView* lv = nullptr;
    QGroupBox* Frame2 = nullptr;
    std::array<QRadioButton*, 6> opModelSelect{};
    QLineEdit* tbPatchName = nullptr;
    QGroupBox* Frame1 = nullptr;
    QPushButton* cmdAmpA = nullptr;
    QPushButton* cmdAmpB = nullptr;
    QPushButton* cmdErrors = nullptr;
    QPushButton* cmdFilter = nullptr;
    QPushButton* cmdReset = nullptr;
    QPushButton* cmdSave = nullptr;
    QLabel* lbParamCount = nullptr;

    QAction* mnuFileOpen = nullptr;
    QAction* mnuFileOpenFolder = nullptr;
    QAction* mnuFileExit = nullptr;
    QAction* mnuCompare = nullptr;
    QAction* mnuSignalChain = nullptr;
    QAction* mnuUndo = nullptr;
    QAction* mnuRedo = nullptr;
    QAction* mnuExport = nullptr;
    QAction* mnuExportData = nullptr;
    QAction* mnuOptions = nullptr;
    QMenu* mnuMode = nullptr;
    QAction* mnuNormal = nullptr;
    QAction* mnuBatch = nullptr;
    QAction* mnuResolve = nullptr;
    QAction* mnuAbout = nullptr;
};

}  // namespace pw::ui
