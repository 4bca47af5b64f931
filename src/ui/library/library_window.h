// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Library: every preset of the folders and packs opened, triaged against a target
// and amp channel, searched, filtered, opened in the main window and converted in one go.
// The window is a view of the core's library (pw::library::Library), which scans,
// triages, searches and converts off the window's thread; the window stays usable and
// each of them can be cancelled. Opening a preset is asked of whoever listens.

#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "collection/row_marks.h"
#include "document/file_writer.h"
#include "library/library.h"
#include "library_backend.h"
#include "library_convert.h"

class QAction;
class QBoxLayout;
class QMenu;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;
class QTimer;
class QUndoStack;

namespace pw::ui {

class LibraryModel;
class LibraryFilter;
class ConvertDialog;
class LibraryDetail;

class LibraryWindow : public QMainWindow, private library::LibraryListener {
    Q_OBJECT
  public:
    // Opens beside `beside`, triaging against `target` until another is chosen.
    LibraryWindow(QWidget& beside, const document::Target& target, QWidget* parent = nullptr);
    ~LibraryWindow() override;

    // Scans `inputs` (folders, packs, presets) into the table, replacing what it held.
    // What the collection's index knows unchanged is shown from it, unless `readAll`.
    void openInputs(const QStringList& inputs, bool readAll = false);

    LibraryModel* model() const { return model_; }
    LibraryFilter* filter() const { return filter_; }
    QTableView* table() const { return table_; }
    bool scanning() const { return library_->scanning(); }
    bool converting() const { return library_->converting(); }
    TriageSettings triageSettings() const { return library_->settings(); }
    // The report the last conversion wrote ("" if none).
    QString lastReport() const { return lastReport_; }
    // What the last scan met besides presets, one line each.
    QStringList scanProblems() const { return problems_; }

    // Tests: the writer outputs go through, and the answer to "replace this file?" (the
    // file's name, and whether it is a preset of the open library).
    void setFileWriter(document::FileWriter& writer) { writer_ = &writer; }
    using ReplaceQuestion =
        std::function<QMessageBox::StandardButton(const QString& file, bool inLibrary)>;
    void setReplaceQuestion(ReplaceQuestion ask) { askReplace_ = std::move(ask); }
    // Tests: what the dialog does once it is shown (the default: nothing, the user acts);
    // a dialog the hook leaves open is cancelled.
    void setConvertDialogHook(std::function<void(ConvertDialog&)> hook) {
        dialogHook_ = std::move(hook);
    }

  signals:
    // A preset to open: a file of its own, or a pack's member read whole (shown as
    // `shownName`, saved beside the pack in `saveFolder`).
    void openFileRequested(const QString& file);
    void openBytesRequested(const QString& shownName, const QString& saveFolder,
                            const std::string& bytes);
    void scanFinished();
    void triageFinished();
    void conversionFinished();

  public slots:
    void openFolder();
    void rescan();
    void convertSelected();
    void convertAllShown();
    void cancelWork();
    void openCurrent();
    // Opens the last conversion's folder in the file manager, or says that none could.
    void showOutputFolder();
    // Puts the selected presets, as they are or converted for the target, into a pack.
    void exportPack(bool converted);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildMenus();
    void buildControls();
    void settingsChanged();
    void searchChanged(const QString& text);
    void convertRows(std::vector<std::size_t> rows);
    void buildExport(QMenu* file);

    // What the library says, on the window's thread.
    void presetsAdded(std::size_t first, std::size_t count) override;
    void triaged(std::size_t first, std::size_t count) override;
    void progress(const library::Progress& progress) override;
    void scanned(const library::ScanReport& report) override;
    void retriaged(bool cancelled) override;
    void searched() override;
    void planned(const library::ConversionPlan& plan) override;
    void converted(const library::ConversionRun& run) override;

    void showProgress(const QString& what, std::size_t done, std::size_t total);
    void hideProgress();
    void refreshCount();
    void refreshActions();
    void refreshModelFilter();
    void fitColumns();
    void fitColumn(int column);

    QStringList inputs_;
    EntryMaker entries_;
    LibraryModel* model_ = nullptr;
    LibraryFilter* filter_ = nullptr;
    QTableView* table_ = nullptr;
    // The current preset's chain and facts under the table, and Compare (Ctrl+D).
    LibraryDetail* detail_ = nullptr;
    QMenu* detailMenu_ = nullptr;
    void buildDetail(QMenu* edit, QBoxLayout* layout);
    void refreshDetail();
    void compareSelected();
    QComboBox* target_ = nullptr;
    QComboBox* amp_ = nullptr;
    QLineEdit* search_ = nullptr;
    QTimer* rowSearch_ = nullptr;  // a row is looked for once typing pauses
    QComboBox* statusFilter_ = nullptr;
    QComboBox* modelFilter_ = nullptr;
    QCheckBox* duplicatesOnly_ = nullptr;
    QLabel* countLine_ = nullptr;
    QLabel* progressText_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* showProblems_ = nullptr;
    QPushButton* convertSelectedButton_ = nullptr;
    QPushButton* convertShownButton_ = nullptr;
    QAction* openFolder_ = nullptr;
    QAction* rescan_ = nullptr;
    QAction* convertSelected_ = nullptr;
    QAction* convertShown_ = nullptr;
    QAction* showFolder_ = nullptr;

    // The user's marks (library_window_marks.cpp): the store, opened with the window, the
    // marks of the rows, the actions that change them for the selection, and their undo.
    void buildMarks(QMenu* edit, QBoxLayout* quick);
    std::vector<std::size_t> selectedRows() const;
    void changeMarks(const collection::MarkChange& change);
    void showMarks(const collection::MarkEdit& edit);
    void editTagsAndNote();
    bool starClicked(QEvent* event);
    void refreshMarkActions();
    friend class MarkCommand;
    collection::Store store_;
    collection::RowMarks marks_{store_};
    QUndoStack* undo_ = nullptr;
    QAction* favourite_ = nullptr;
    QAction* hide_ = nullptr;
    QAction* tagsAndNote_ = nullptr;
    QCheckBox* showHidden_ = nullptr;

    std::unique_ptr<library::Library> library_;
    QPointer<ConvertDialog> dialog_;  // while Convert… is open
    qint64 scanStarted_ = 0;          // ms since the epoch
    QStringList problems_;
    QString lastReport_;
    QString lastFolder_;
    document::FileWriter* writer_;
    ReplaceQuestion askReplace_;
    std::function<void(ConvertDialog&)> dialogHook_;
    QAction* exportPack_ = nullptr;
    QAction* exportConverted_ = nullptr;
    QString lastPackFolder_;
};

}  // namespace pw::ui
