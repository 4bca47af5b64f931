// SPDX-License-Identifier: GPL-3.0-or-later
#include "library_window.h"

#include "dropped_files.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QSet>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <chrono>
#include <memory>
#include <set>

#include "app_info.h"
#include "column_widths.h"
#include "convert_dialog.h"
#include "converted_marks.h"
#include "library/scan.h"
#include "library_detail.h"
#include "library_model.h"
#include "mark_look.h"
#include "problems_dialog.h"
#include "ui_text.h"
#include "window_placement.h"

namespace pw::ui {
namespace {

QLabel* buddyLabel(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

LibraryWindow::LibraryWindow(QWidget& beside, const document::Target& target, QWidget* parent)
    : QMainWindow(parent), writer_(&document::systemFileWriter()) {
    setObjectName(QStringLiteral("LibraryWindow"));
    setWindowTitle(tr("Library"));
    setWindowIcon(appIcon());
    setAcceptDrops(true);
    // What the library delivers comes on this window's thread, as queued calls; Qt drops
    // them once the window is gone.
    library_ = std::make_unique<library::Library>(
        [this](std::function<void()> call) {
            QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
        },
        static_cast<library::LibraryListener&>(*this), TriageSettings{&target, 'A'});
    askReplace_ = [this](const QString& file, bool inLibrary) {
        return QMessageBox::question(
            this, tr("Library"),
            (inLibrary ? tr("%1 exists already and is a preset of the open library. Replace it?")
                       : tr("%1 exists already. Replace it?"))
                .arg(file),
            QMessageBox::Yes | QMessageBox::YesToAll | QMessageBox::No | QMessageBox::NoToAll,
            QMessageBox::No);
    };
    buildMenus();
    buildControls();
    refreshActions();
    refreshCount();
    placeBeside(*this, beside, QSize(1240, 600));  // room for the star, style and tags too
}

LibraryWindow::~LibraryWindow() = default;

void LibraryWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    openFolder_ = file->addAction(tr("Open &Folder…"), this, &LibraryWindow::openFolder);
    openFolder_->setObjectName(QStringLiteral("openFolder"));
    openFolder_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    rescan_ = file->addAction(tr("&Re-scan"), this, &LibraryWindow::rescan);
    rescan_->setObjectName(QStringLiteral("rescan"));
    rescan_->setShortcut(QKeySequence(Qt::Key_F5));
    file->addSeparator();
    convertSelected_ =
        file->addAction(tr("Convert &Selected…"), this, &LibraryWindow::convertSelected);
    convertSelected_->setObjectName(QStringLiteral("convertSelected"));
    convertSelected_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    convertShown_ =
        file->addAction(tr("Convert &All Shown…"), this, &LibraryWindow::convertAllShown);
    convertShown_->setObjectName(QStringLiteral("convertAllShown"));
    convertShown_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
    showFolder_ =
        file->addAction(tr("Show &Output Folder"), this, &LibraryWindow::showOutputFolder);
    showFolder_->setObjectName(QStringLiteral("showFolder"));
    file->addSeparator();
    buildExport(file);
    file->addSeparator();
    QAction* close = file->addAction(tr("&Close"), this, &QWidget::close);
    close->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    QAction* find = edit->addAction(tr("&Find"), this, [this] {
        search_->setFocus(Qt::ShortcutFocusReason);
        search_->selectAll();
    });
    find->setObjectName(QStringLiteral("find"));
    find->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    QAction* open = edit->addAction(tr("&Open in Main Window"), this, &LibraryWindow::openCurrent);
    open->setObjectName(QStringLiteral("openInMain"));
    QAction* cancel =
        edit->addAction(tr("&Cancel Scan or Conversion"), this, &LibraryWindow::cancelWork);
    cancel->setObjectName(QStringLiteral("cancelAction"));
    cancel->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Period));
    detailMenu_ = edit;
}

void LibraryWindow::buildControls() {
    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(client);

    target_ = new QComboBox(client);
    target_->setObjectName(QStringLiteral("target"));
    for (const document::Target& target : document::kTargets)
        if (target.selectable) target_->addItem(qs(target.caption), target.option);
    target_->setCurrentIndex(target_->findData(library_->settings().target->option));
    amp_ = new QComboBox(client);
    amp_->setObjectName(QStringLiteral("amp"));
    amp_->addItem(tr("Amp A"), int('A'));
    amp_->addItem(tr("Amp B"), int('B'));
    amp_->setToolTip(tr("The amp channel kept of a two-amp preset going to a one-amp model"));
    search_ = new QLineEdit(client);
    search_->setObjectName(QStringLiteral("search"));
    search_->setClearButtonEnabled(true);
    search_->setPlaceholderText(
        tr("Name, file, model, model used, tag:blues, style:\"high gain\", fav, -word "
           "for not, or a row such as Amp A Type=Brown Sound"));
    search_->installEventFilter(this);
    auto* top = new QHBoxLayout();
    top->addWidget(buddyLabel(tr("&Target:"), target_, client));
    top->addWidget(target_);
    top->addWidget(buddyLabel(tr("A&mp channel:"), amp_, client));
    top->addWidget(amp_);
    top->addSpacing(12);
    top->addWidget(buddyLabel(tr("&Search:"), search_, client));
    top->addWidget(search_, 1);
    layout->addLayout(top);

    statusFilter_ = new QComboBox(client);
    statusFilter_->setObjectName(QStringLiteral("statusFilter"));
    statusFilter_->addItem(tr("All"), -1);
    const std::array<std::pair<LibraryStatus, QString>, 5> statuses = {{
        {LibraryStatus::Fits, tr("fits")},
        {LibraryStatus::Converts, tr("converts")},
        {LibraryStatus::Cannot, tr("cannot")},
        {LibraryStatus::ViewOnly, tr("view only")},
        {LibraryStatus::Unreadable, tr("unreadable")},
    }};
    for (const auto& [status, word] : statuses)
        statusFilter_->addItem(word, int(status));
    modelFilter_ = new QComboBox(client);
    modelFilter_->setObjectName(QStringLiteral("modelFilter"));
    modelFilter_->addItem(tr("All"), QString());
    duplicatesOnly_ = new QCheckBox(tr("&Duplicates only"), client);
    duplicatesOnly_->setObjectName(QStringLiteral("duplicatesOnly"));
    auto* quick = new QHBoxLayout();
    quick->addWidget(buddyLabel(tr("Stat&us:"), statusFilter_, client));
    quick->addWidget(statusFilter_);
    quick->addWidget(buddyLabel(tr("Mode&l:"), modelFilter_, client));
    quick->addWidget(modelFilter_);
    quick->addWidget(duplicatesOnly_);
    quick->addStretch(1);
    layout->addLayout(quick);

    model_ = new LibraryModel(this);
    filter_ = new LibraryFilter(model_, this);
    // A flat table: it lays out 100,000 rows as fast as a few.
    table_ = new QTableView(client);
    table_->setObjectName(QStringLiteral("table"));
    table_->setAccessibleName(tr("Presets"));
    table_->setShowGrid(false);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);  // many at once, as a table does
    // The arrows move in the table; Tab goes on to the buttons.
    table_->setTabKeyNavigation(false);
    table_->setTextElideMode(Qt::ElideMiddle);
    table_->setModel(filter_);
    table_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);  // the scan's order
    table_->setSortingEnabled(true);
    // The file column takes the width the others leave.
    table_->horizontalHeader()->setSectionResizeMode(LibraryModel::File, QHeaderView::Stretch);
    table_->horizontalHeader()->setHighlightSections(false);
    table_->setItemDelegateForColumn(LibraryModel::Status,
                                     new StatusDelegate(LibraryModel::StatusRole, table_));
    QPalette palette = table_->palette();
    const QColor tint = selectionTint(palette);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Highlight, tint);
        palette.setColor(group, QPalette::HighlightedText, palette.color(group, QPalette::Text));
    }
    table_->setPalette(palette);
    table_->installEventFilter(this);
    table_->viewport()->installEventFilter(this);
    layout->addWidget(table_, 1);
    buildDetail(detailMenu_, layout);
    buildMarks(detailMenu_, quick);

    countLine_ = new QLabel(client);
    countLine_->setObjectName(QStringLiteral("countLine"));
    // It wraps rather than widen the window past the screen while the progress shows.
    countLine_->setWordWrap(true);
    progressText_ = new QLabel(client);
    progress_ = new QProgressBar(client);
    progress_->setObjectName(QStringLiteral("progress"));
    progress_->setMaximumWidth(240);
    cancel_ = new QPushButton(tr("&Cancel"), client);
    cancel_->setObjectName(QStringLiteral("cancel"));
    auto* bottom = new QHBoxLayout();
    bottom->addWidget(countLine_, 1);
    bottom->addWidget(progressText_);
    bottom->addWidget(progress_);
    bottom->addWidget(cancel_);
    layout->addLayout(bottom);

    convertSelectedButton_ = new QPushButton(tr("Con&vert Selected…"), client);
    convertSelectedButton_->setObjectName(QStringLiteral("convertSelectedButton"));
    convertShownButton_ = new QPushButton(tr("Convert All S&hown…"), client);
    convertShownButton_->setObjectName(QStringLiteral("convertShownButton"));
    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    buttons->addWidget(convertSelectedButton_);
    buttons->addWidget(convertShownButton_);
    layout->addLayout(buttons);
    // Tab goes from the table to the buttons; the detail pane comes after them.
    QWidget::setTabOrder(table_, convertSelectedButton_);
    QWidget::setTabOrder(convertSelectedButton_, convertShownButton_);
    QWidget::setTabOrder(convertShownButton_, detail_);
    setCentralWidget(client);
    hideProgress();
    showProblems_ = new QPushButton(tr("Show &Problems…"), this);
    showProblems_->setObjectName(QStringLiteral("showProblems"));
    showProblems_->setFlat(true);
    statusBar()->addPermanentWidget(showProblems_);
    showProblems_->hide();
    connect(showProblems_, &QPushButton::clicked, this, [this] {
        auto* dialog = new ProblemsDialog(problems_, this);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->show();
    });

    connect(target_, &QComboBox::currentIndexChanged, this, &LibraryWindow::settingsChanged);
    connect(amp_, &QComboBox::currentIndexChanged, this, &LibraryWindow::settingsChanged);
    // Text is looked for at every key; a row ("Amp Type=...") is looked for by the library
    // in every preset's rows, once typing pauses.
    rowSearch_ = new QTimer(this);
    rowSearch_->setSingleShot(true);
    rowSearch_->setInterval(300);
    connect(rowSearch_, &QTimer::timeout, this, [this] {
        const std::string text = search_->text().toStdString();
        library_->search(text);
        filter_->setSearch(library::SearchText(text), *library_);
    });
    connect(search_, &QLineEdit::textChanged, this, &LibraryWindow::searchChanged);
    connect(statusFilter_, &QComboBox::currentIndexChanged, this, [this] {
        const int status = statusFilter_->currentData().toInt();
        filter_->setStatusFilter(status < 0 ? std::nullopt
                                            : std::optional<LibraryStatus>(LibraryStatus(status)));
    });
    connect(modelFilter_, &QComboBox::currentIndexChanged, this,
            [this] { filter_->setModelFilter(modelFilter_->currentData().toString()); });
    connect(duplicatesOnly_, &QCheckBox::toggled, filter_, &LibraryFilter::setDuplicatesOnly);
    connect(table_, &QTableView::doubleClicked, this, &LibraryWindow::openCurrent);
    connect(cancel_, &QPushButton::clicked, this, &LibraryWindow::cancelWork);
    connect(convertSelectedButton_, &QPushButton::clicked, this, &LibraryWindow::convertSelected);
    connect(convertShownButton_, &QPushButton::clicked, this, &LibraryWindow::convertAllShown);
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &LibraryWindow::refreshActions);

    // The count line follows every change of the rows shown, once per turn of the loop.
    auto* recount = new QTimer(this);
    recount->setSingleShot(true);
    recount->setInterval(0);
    connect(recount, &QTimer::timeout, this, &LibraryWindow::refreshCount);
    const auto later = [recount] { recount->start(); };
    connect(filter_, &QAbstractItemModel::rowsInserted, this, later);
    connect(filter_, &QAbstractItemModel::rowsRemoved, this, later);
    connect(filter_, &QAbstractItemModel::modelReset, this, later);
    connect(filter_, &QAbstractItemModel::layoutChanged, this, later);
    connect(filter_, &QAbstractItemModel::dataChanged, this, later);
}

bool LibraryWindow::eventFilter(QObject* watched, QEvent* event) {
    if (table_ && watched == table_->viewport() && starClicked(event)) return true;
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (watched == search_ && key->key() == Qt::Key_Escape && !search_->text().isEmpty()) {
            search_->clear();
            return true;
        }
        if (watched == table_ && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            openCurrent();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// --- scanning --------------------------------------------------------------------

void LibraryWindow::openFolder() {
    const QString folder = QFileDialog::getExistingDirectory(this, tr("Open Folder"));
    if (!folder.isEmpty()) openInputs({folder});
}

void LibraryWindow::rescan() {
    if (!inputs_.isEmpty()) openInputs(QStringList(inputs_), true);  // a copy: it sets inputs_
}

void LibraryWindow::openInputs(const QStringList& inputs, bool readAll) {
    if (converting()) {
        statusBar()->showMessage(tr("A conversion is running: cancel it first."), 5000);
        return;
    }
    problems_.clear();
    showProblems_->hide();
    model_->clear();
    marks_.clear();
    inputs_.clear();
    std::vector<std::filesystem::path> paths;
    for (const QString& input : inputs) {
        inputs_ << QFileInfo(input).absoluteFilePath();
        paths.emplace_back(QFile::encodeName(inputs_.last()).toStdString());
    }
    entries_ = EntryMaker(inputs_);
    setWindowTitle(inputs_.size() == 1
                       ? tr("Library - %1").arg(QDir::toNativeSeparators(inputs_.first()))
                       : tr("Library"));
    scanStarted_ = QDateTime::currentMSecsSinceEpoch();
    for (const std::filesystem::path& input : paths)
        store_.rememberInput(input);
    if (readAll)
        library_->scan(std::move(paths));
    else
        library_->open(std::move(paths));
    refreshActions();
    showProgress(tr("Reading…"), 0, 0);
}

void LibraryWindow::presetsAdded(std::size_t first, std::size_t count) {
    std::vector<LibraryEntry> batch;
    batch.reserve(count);
    marks_.append(std::span(library_->presets()).subspan(first, count));
    for (std::size_t i = first; i < first + count; ++i) {
        batch.push_back(entries_.make(library_->presets()[i], library_->triages()[i]));
        batch.back().marks = marks_.of(i);
    }
    model_->append(std::move(batch));
    if (first == 0) fitColumns();  // to a reading's first rows; again once all are read
}

void LibraryWindow::progress(const library::Progress& p) {
    if (p.stage == library::Stage::Scanning && scanning())
        showProgress(tr("Reading…"), p.done, p.total);
    else if (p.stage == library::Stage::Converting && converting())
        showProgress(tr("Converting…"), p.done, p.total);
}

void LibraryWindow::scanned(const library::ScanReport& report) {
    model_->setDuplicateGroups(library_->duplicateGroups());
    problems_.clear();
    for (const library::ScanProblem& problem : report.problems)
        problems_ << QStringLiteral("%1: %2").arg(
                         QFile::decodeName(QByteArray::fromStdString(problem.path.native())),
                         qs(library::problemWord(problem.kind))) +
                         (problem.detail.empty() ? QString()
                                                 : QStringLiteral(" (%1)").arg(qs(problem.detail)));
    const qint64 ms = QDateTime::currentMSecsSinceEpoch() - scanStarted_;
    const QString seconds = QLocale().toString(double(ms) / 1000, 'f', 1);
    const std::size_t skipped = report.counts.skipped;
    const QString others = skipped == 1 ? tr("1 other file skipped")
                                        : tr("%1 other files skipped").arg(number(skipped));
    statusBar()->showMessage(
        (report.counts.recalled == 0
             ? tr("%1 presets read in %2 s; %3").arg(number(report.counts.presets), seconds, others)
             : tr("%1 presets in %2 s, %3 files unchanged since last time; %4")
                   .arg(number(report.counts.presets), seconds, number(report.counts.recalled),
                        others)) +
        (problems_.isEmpty()     ? QString()
         : problems_.size() == 1 ? tr("; 1 problem")
                                 : tr("; %1 problems").arg(number(std::size_t(problems_.size())))));
    showProblems_->setVisible(!problems_.isEmpty());
    hideProgress();
    refreshModelFilter();
    fitColumns();
    refreshActions();
    refreshCount();
    if (report.cancelled)
        statusBar()->showMessage(tr("Scan cancelled: %1 of %2 read.")
                                     .arg(number(report.filesRead), number(report.filesTotal)));
    emit scanFinished();
}

void LibraryWindow::settingsChanged() {
    const document::Target* target = document::targetByOption(target_->currentData().toInt());
    library_->retarget(TriageSettings{target ? target : library_->settings().target,
                                      char(amp_->currentData().toInt())});
}

void LibraryWindow::triaged(std::size_t first, std::size_t count) {
    std::vector<std::pair<std::size_t, TriageView>> changes;
    changes.reserve(count);
    for (std::size_t i = first; i < first + count; ++i)
        changes.emplace_back(i, triageView(library_->triages()[i]));
    model_->setTriages(changes);
}

void LibraryWindow::retriaged(bool) {
    refreshCount();
    emit triageFinished();
}

void LibraryWindow::searchChanged(const QString& text) {
    library::SearchText search(text.toStdString());
    if (search.asksForRows()) {
        rowSearch_->start();
        return;
    }
    rowSearch_->stop();
    library_->search({});
    filter_->setSearch(std::move(search), *library_);
}

void LibraryWindow::searched() {
    if (library_->searchText().asksForRows()) filter_->invalidate();
}

// --- opening a preset in the main window --------------------------------------------

void LibraryWindow::openCurrent() {
    const QModelIndex current = table_->currentIndex();
    if (!current.isValid()) return;
    const LibraryEntry& e = model_->entry(filter_->mapToSource(current).row());
    const library::Preset& preset = *e.preset;
    if (preset.source.inArchive()) {
        QString problem;
        const std::optional<std::string> bytes = readPresetBytes(preset, problem);
        if (!bytes) {
            QMessageBox::warning(this, tr("Library"),
                                 tr("%1 could not be read: %2").arg(wholePathOf(e), problem));
            return;
        }
        const QFileInfo pack(QFile::decodeName(QByteArray::fromStdString(preset.source.file)));
        emit openBytesRequested(pack.fileName() + QLatin1Char('/') + qs(preset.source.member),
                                pack.absolutePath(), *bytes);
    } else {
        emit openFileRequested(QFile::decodeName(QByteArray::fromStdString(preset.source.file)));
    }
}

// --- converting --------------------------------------------------------------------

void LibraryWindow::convertSelected() {
    std::vector<std::size_t> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows())
        rows.push_back(std::size_t(filter_->mapToSource(index).row()));
    std::sort(rows.begin(), rows.end());
    convertRows(std::move(rows));
}

void LibraryWindow::convertAllShown() {
    std::vector<std::size_t> rows;
    for (int r = 0; r < filter_->rowCount(); ++r)
        rows.push_back(std::size_t(filter_->mapToSource(filter_->index(r, 0)).row()));
    std::sort(rows.begin(), rows.end());
    convertRows(std::move(rows));
}

void LibraryWindow::convertRows(std::vector<std::size_t> rows) {
    if (rows.empty() || scanning() || converting()) return;
    ConvertDialog dialog(
        rows.size(), library_->settings(),
        [this, rows](const library::ConvertOptions& options) { library_->plan(rows, options); },
        this);
    dialog_ = &dialog;
    if (dialogHook_)
        QTimer::singleShot(0, &dialog, [this, &dialog] {
            dialogHook_(dialog);
            if (dialog.isVisible()) dialog.reject();  // a hook that stopped short ends it
        });
    const int answer = dialog.exec();
    dialog_ = nullptr;
    if (answer != QDialog::Accepted || !dialog.dryRun()) return;
    const library::ConversionPlan& plan = dialog.dryRun()->plan;
    const QString folder =
        QFile::decodeName(QByteArray::fromStdString(plan.options.folder.native()));

    // An existing file is replaced only when the user says so.
    std::vector<bool> replace(plan.presets.size(), false);
    std::optional<bool> all;
    QSet<QString> libraryFiles;  // made when a file exists already
    if (!plan.existing.empty())
        for (const LibraryEntry& e : model_->entries())
            if (!e.preset->source.inArchive())
                libraryFiles.insert(QFileInfo(wholePathOf(e)).canonicalFilePath());
    for (std::size_t i : plan.existing) {
        if (!all) {
            const QString output = qs(plan.outcomes[i].output);
            const QString existing = QFileInfo(QDir(folder).filePath(output)).canonicalFilePath();
            switch (askReplace_(output, libraryFiles.contains(existing))) {
                case QMessageBox::YesToAll:
                    all = true;
                    break;
                case QMessageBox::NoToAll:
                    all = false;
                    break;
                case QMessageBox::Yes:
                    replace[i] = true;
                    continue;
                default:
                    continue;
            }
        }
        replace[i] = *all;
    }
    if (!QDir().mkpath(folder)) {
        QMessageBox::warning(this, tr("Library"),
                             tr("The folder %1 could not be made.").arg(folder));
        return;
    }
    library_->convert(plan, std::move(replace), *writer_);
    refreshActions();
    showProgress(tr("Converting…"), 0, plan.presets.size());
}

void LibraryWindow::planned(const library::ConversionPlan& plan) {
    if (dialog_) dialog_->setPlan(plan);
}

void LibraryWindow::converted(const library::ConversionRun& run) {
    hideProgress();
    passOnMarks(run);
    std::vector<std::pair<std::size_t, Outcome>> changes;
    for (std::size_t i = 0; i < run.rows.size() && i < run.outcomes.size(); ++i)
        changes.emplace_back(run.rows[i], outcomeView(run.outcomes[i]));
    model_->setOutcomes(changes);
    fitColumn(LibraryModel::Result);
    lastReport_ = QFile::decodeName(QByteArray::fromStdString(run.report.native()));
    lastFolder_ = QFile::decodeName(QByteArray::fromStdString(run.options.folder.native()));
    refreshActions();

    const auto count = [&](library::OutcomeKind kind) { return run.counts[std::size_t(kind)]; };
    QString text = (run.cancelled ? tr("Conversion cancelled: %1 written") : tr("%1 written"))
                       .arg(number(count(library::OutcomeKind::Written)));
    const std::array<std::pair<library::OutcomeKind, QString>, 5> others = {{
        {library::OutcomeKind::Cannot, tr("%1 cannot")},
        {library::OutcomeKind::Collides, tr("%1 collide")},
        {library::OutcomeKind::Kept, tr("%1 existing kept")},
        {library::OutcomeKind::Failed, tr("%1 failed")},
        {library::OutcomeKind::NotDone, tr("%1 not done")},
    }};
    for (const auto& [kind, words] : others)
        if (count(kind)) text += QStringLiteral(", ") + words.arg(number(count(kind)));
    text += QLatin1Char('.');
    text += lastReport_.isEmpty()
                ? tr("\nThe report could not be written: %1").arg(qs(run.reportError))
                : tr("\nReport: %1").arg(QDir::toNativeSeparators(lastReport_));
    emit conversionFinished();
    if (!isVisible()) return;  // closed while converting: the report says it all
    auto* box =
        new QMessageBox(QMessageBox::Information, tr("Library"), text, QMessageBox::Close, this);
    box->setObjectName(QStringLiteral("conversionDone"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton* show = box->addButton(tr("Show in &Folder"), QMessageBox::ActionRole);
    connect(show, &QPushButton::clicked, showFolder_, &QAction::trigger);
    box->open();
}

void LibraryWindow::showOutputFolder() {
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(lastFolder_))) return;
    auto* box = new QMessageBox(
        QMessageBox::Warning, tr("Library"),
        tr("No file manager could show the folder %1.").arg(QDir::toNativeSeparators(lastFolder_)),
        QMessageBox::Close, this);
    box->setObjectName(QStringLiteral("noFileManager"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void LibraryWindow::cancelWork() {
    library_->cancel();
}

// --- look and state -----------------------------------------------------------------

void LibraryWindow::showProgress(const QString& what, std::size_t done, std::size_t total) {
    progressText_->setText(what);
    // Until the total is known the bar stays empty: a busy bar animates without end and
    // takes the cores from the scan.
    const int most = int(std::min<std::size_t>(std::max<std::size_t>(total, 1), INT_MAX));
    if (progress_->maximum() != most) progress_->setRange(0, most);
    progress_->setValue(int(std::min<std::size_t>(done, std::size_t(most))));
    progressText_->show();
    progress_->show();
    cancel_->show();
}

void LibraryWindow::hideProgress() {
    progressText_->hide();
    progress_->hide();
    cancel_->hide();
}

void LibraryWindow::refreshCount() {
    countLine_->setText(filter_->countLine());
}

void LibraryWindow::refreshActions() {
    const bool idle = !scanning() && !converting();
    const bool any = model_->rowCount() > 0;
    const bool selected = table_->selectionModel()->hasSelection();
    convertSelected_->setEnabled(idle && selected);
    convertSelectedButton_->setEnabled(idle && selected);
    convertShown_->setEnabled(idle && any);
    convertShownButton_->setEnabled(idle && any);
    rescan_->setEnabled(!converting() && !inputs_.isEmpty());
    openFolder_->setEnabled(!converting());
    showFolder_->setEnabled(!lastFolder_.isEmpty());
    for (QAction* action : {exportPack_, exportConverted_})
        action->setEnabled(idle && selected);
    refreshMarkActions();
}

void LibraryWindow::refreshModelFilter() {
    std::set<QString> models;
    for (const LibraryEntry& e : model_->entries())
        if (!e.model.isEmpty()) models.insert(e.model);
    const QString chosen = modelFilter_->currentData().toString();
    const QSignalBlocker block(modelFilter_);
    modelFilter_->clear();
    modelFilter_->addItem(tr("All"), QString());
    for (const QString& m : models)
        modelFilter_->addItem(m, m);
    modelFilter_->setCurrentIndex(std::max(0, modelFilter_->findData(chosen)));
}

void LibraryWindow::fitColumns() {
    for (int c = 0; c < LibraryModel::ColumnCount; ++c)
        if (c != LibraryModel::File) fitColumn(c);
}

// As wide as the column's widest text, whichever row it is in; a name, the models used
// or a conversion's result at most a quarter of the table.
void LibraryWindow::fitColumn(int column) {
    QHeaderView* header = table_->horizontalHeader();
    const QFontMetrics metrics = table_->fontMetrics();
    // What a cell keeps beside its text, as the styles lay out an item.
    const int margins =
        2 * (table_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table_) + 1) + 1;
    int width = widestText(*model_, column, metrics) + margins;
    if (column == LibraryModel::Status) width += metrics.height() + margins;  // the glyph
    width = std::max(width, header->sectionSizeHint(column));
    // Long texts are cut: a name at a quarter of the table, the models used and the style
    // at a seventh, so that the file keeps room.
    if (column == LibraryModel::Name || column == LibraryModel::Result ||
        column == LibraryModel::Tags)
        width = std::min(width, std::max(120, table_->viewport()->width() / 4));
    if (column == LibraryModel::Uses || column == LibraryModel::Style)
        width = std::min(width, std::max(100, table_->viewport()->width() / 7));
    header->resizeSection(column, width);
}

// --- closing and drops --------------------------------------------------------------

void LibraryWindow::closeEvent(QCloseEvent* event) {
    // The work running ends with the library; the window only hides meanwhile.
    library_->cancel();
    hideProgress();
    event->accept();
}

void LibraryWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (offersLocalFiles(*event->mimeData())) event->acceptProposedAction();
}

void LibraryWindow::dropEvent(QDropEvent* event) {
    QStringList inputs;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) inputs << url.toLocalFile();
    if (inputs.isEmpty()) return;
    event->acceptProposedAction();
    openInputs(inputs);
}

}  // namespace pw::ui
