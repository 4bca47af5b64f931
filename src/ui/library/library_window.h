// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Library: every preset of the folders and packs opened, triaged against a target
// and amp channel, searched, filtered, opened in the main window and converted in one go.
// Scans, triages and conversions run off the window's thread; the window stays usable
// and each of them can be cancelled.

#include <QMainWindow>
#include <QMessageBox>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "background_job.h"
#include "document/file_writer.h"
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

namespace pw::ui {

class Form1;
class LibraryModel;
class LibraryFilter;
class ConvertDialog;
class LibraryDetail;

class LibraryWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit LibraryWindow(Form1& main, QWidget* parent = nullptr);
    ~LibraryWindow() override;

    // Scans `inputs` (folders, packs, presets) into the table, replacing what it held.
    void openInputs(const QStringList& inputs);

    LibraryModel* model() const { return model_; }
    LibraryFilter* filter() const { return filter_; }
    QTableView* table() const { return table_; }
    bool scanning() const { return scanning_; }
    bool converting() const { return converting_; }
    TriageSettings triageSettings() const { return settings_; }
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
    // Tests: what the dialog does once it is shown (the default: nothing, the user acts).
    void setConvertDialogHook(std::function<void(ConvertDialog&)> hook) {
        dialogHook_ = std::move(hook);
    }

  signals:
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

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildMenus();
    void buildControls();
    void settingsChanged();
    void startRetriage(std::vector<std::size_t> rows);
    void addBatch(std::vector<LibraryEntry> batch, TriageSettings settings);
    void scanDone(const ScanSummary& summary);
    void convertRows(std::vector<std::size_t> rows);
    void convertDone(std::vector<std::size_t> rows, std::vector<PresetPtr> presets,
                     ConvertOptions options, std::vector<Outcome> outcomes, bool cancelled);
    void showProgress(const QString& what, std::size_t done, std::size_t total);
    void hideProgress();
    void refreshCount();
    void refreshActions();
    void refreshModelFilter();
    void fitColumns();
    void fitColumn(int column);

    Form1& main_;
    QStringList inputs_;
    TriageSettings settings_;
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

    BackgroundJob scanJob_;
    BackgroundJob triageJob_;
    BackgroundJob convertJob_;
    bool scanning_ = false;
    bool triaging_ = false;
    bool converting_ = false;
    unsigned scanGeneration_ = 0;
    unsigned triageGeneration_ = 0;
    std::vector<std::size_t> staleRows_;  // rows triaged against other settings
    bool columnsFitted_ = false;
    QStringList problems_;
    QString lastReport_;
    QString lastFolder_;
    document::FileWriter* writer_;
    ReplaceQuestion askReplace_;
    std::function<void(ConvertDialog&)> dialogHook_;
};

}  // namespace pw::ui
