// SPDX-License-Identifier: GPL-3.0-or-later
#include "library_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
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
#include "form1.h"
#include "library/scan.h"
#include "library_detail.h"
#include "library_model.h"
#include "mark_look.h"
#include "problems_dialog.h"
#include "window_placement.h"

namespace pw::ui {
namespace {

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QString number(std::size_t n) {
    return QLocale().toString(qulonglong(n));
}

QLabel* buddyLabel(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

// Says when a report is due: at most every `ms` milliseconds, and always for the last.
class Throttle {
  public:
    explicit Throttle(int ms = 50) : every_(ms) {}
    bool due(bool last) {
        const auto now = std::chrono::steady_clock::now();
        if (!last && now - last_ < every_) return false;
        last_ = now;
        return true;
    }

  private:
    std::chrono::milliseconds every_;
    std::chrono::steady_clock::time_point last_{};
};

}  // namespace

LibraryWindow::LibraryWindow(Form1& main, QWidget* parent)
    : QMainWindow(parent), main_(main), writer_(&document::systemFileWriter()) {
    setObjectName(QStringLiteral("LibraryWindow"));
    setWindowTitle(tr("Library"));
    setWindowIcon(appIcon());
    setAcceptDrops(true);
    settings_.target = &main.session().target();
    settings_.amp = 'A';
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
    placeBeside(*this, main_, QSize(980, 600));
}

LibraryWindow::~LibraryWindow() {
    scanJob_.stop();
    triageJob_.stop();
    convertJob_.stop();
}

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
    target_->setCurrentIndex(target_->findData(settings_.target->option));
    amp_ = new QComboBox(client);
    amp_->setObjectName(QStringLiteral("amp"));
    amp_->addItem(tr("Amp A"), int('A'));
    amp_->addItem(tr("Amp B"), int('B'));
    amp_->setToolTip(tr("The amp channel kept of a two-amp preset going to a one-amp model"));
    search_ = new QLineEdit(client);
    search_->setObjectName(QStringLiteral("search"));
    search_->setClearButtonEnabled(true);
    search_->setPlaceholderText(
        tr("Name, file, model, model used, or a row such as "
           "Amp A Type=Brown Sound"));
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
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
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
    layout->addWidget(table_, 1);
    buildDetail(detailMenu_, layout);

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
    // Text is looked for at every key; a row ("Amp Type=...") is looked for in every
    // preset's rows, so that search waits for a pause in the typing.
    auto* rowSearch = new QTimer(this);
    rowSearch->setSingleShot(true);
    rowSearch->setInterval(300);
    connect(rowSearch, &QTimer::timeout, this, [this] { filter_->setSearchText(search_->text()); });
    connect(search_, &QLineEdit::textChanged, this, [this, rowSearch](const QString& text) {
        if (text.contains(QLatin1Char('='))) {
            rowSearch->start();
            return;
        }
        rowSearch->stop();
        filter_->setSearchText(text);
    });
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
    if (!inputs_.isEmpty()) openInputs(QStringList(inputs_));  // a copy: openInputs sets inputs_
}

void LibraryWindow::openInputs(const QStringList& inputs) {
    if (converting_) {
        statusBar()->showMessage(tr("A conversion is running: cancel it first."), 5000);
        return;
    }
    scanJob_.stop();
    triageJob_.stop();
    triaging_ = false;
    staleRows_.clear();
    problems_.clear();
    showProblems_->hide();
    model_->clear();
    inputs_.clear();
    for (const QString& input : inputs)
        inputs_ << QFileInfo(input).absoluteFilePath();
    setWindowTitle(inputs_.size() == 1
                       ? tr("Library - %1").arg(QDir::toNativeSeparators(inputs_.first()))
                       : tr("Library"));
    columnsFitted_ = false;
    scanning_ = true;
    refreshActions();
    showProgress(tr("Reading…"), 0, 0);
    const unsigned generation = ++scanGeneration_;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    scanJob_.start([this, inputs = inputs_, settings = settings_, generation,
                    clock](const std::atomic<bool>& cancel) {
        Throttle throttle, rowThrottle(100);
        // Rows go to the window as soon as the first are read, then at most every 100 ms:
        // fewer, larger insertions keep the window's share of the cores small.
        std::vector<LibraryEntry> pending;
        const auto flush = [&](TriageSettings used) {
            if (pending.empty()) return;
            post(this, [this, generation, used, batch = std::exchange(pending, {})]() mutable {
                if (generation == scanGeneration_) addBatch(std::move(batch), used);
            });
        };
        ScanCalls calls;
        calls.batch = [&](std::vector<LibraryEntry> batch, TriageSettings used) {
            for (LibraryEntry& e : batch)
                pending.push_back(std::move(e));
            if (rowThrottle.due(false)) flush(used);
        };
        calls.progress = [&](std::size_t done, std::size_t total) {
            if (!throttle.due(total > 0 && done == total)) return;
            post(this, [this, generation, done, total] {
                if (generation == scanGeneration_ && scanning_)
                    showProgress(tr("Reading…"), done, total);
            });
        };
        calls.finished = [&](ScanSummary summary) {
            flush(settings);
            const qint64 ms = clock->elapsed();
            post(this, [this, generation, summary = std::move(summary), ms]() mutable {
                if (generation != scanGeneration_) return;
                model_->setPresets(std::move(summary.read));
                // A row search needs the rows, which only the whole presets carry.
                if (search_->text().contains(QLatin1Char('=')))
                    filter_->setSearchText(search_->text());
                model_->setDuplicateGroups(summary.duplicateGroups);
                statusBar()->showMessage(
                    tr("%1 presets read in %2 s; %3 other files skipped")
                        .arg(number(summary.presets), QLocale().toString(double(ms) / 1000, 'f', 1),
                             number(summary.skipped)) +
                    (summary.problems.isEmpty() ? QString()
                     : summary.problems.size() == 1
                         ? tr("; 1 problem")
                         : tr("; %1 problems").arg(number(std::size_t(summary.problems.size())))));
                scanDone(summary);  // a cancelled scan says so instead
            });
        };
        scanLibrary(inputs, settings, calls, cancel);
    });
}

void LibraryWindow::addBatch(std::vector<LibraryEntry> batch, TriageSettings used) {
    const std::size_t first = model_->entries().size();
    const std::size_t count = batch.size();
    model_->append(std::move(batch));
    // Rows triaged against other settings wait for the scan's end, which brings their bytes.
    if (!(used == settings_))
        for (std::size_t i = first; i < first + count; ++i)
            staleRows_.push_back(i);
    if (!columnsFitted_ && model_->rowCount() > 0) {
        columnsFitted_ = true;
        fitColumns();
    }
}

void LibraryWindow::scanDone(const ScanSummary& summary) {
    scanning_ = false;
    if (!staleRows_.empty() && !triaging_) startRetriage(std::exchange(staleRows_, {}));
    problems_ = summary.problems;
    showProblems_->setVisible(!problems_.isEmpty());
    hideProgress();
    refreshModelFilter();
    fitColumns();
    refreshActions();
    refreshCount();
    if (summary.cancelled)
        statusBar()->showMessage(tr("Scan cancelled: %1 of %2 read.")
                                     .arg(number(summary.filesRead), number(summary.filesTotal)));
    emit scanFinished();
}

void LibraryWindow::settingsChanged() {
    const document::Target* target = document::targetByOption(target_->currentData().toInt());
    TriageSettings now{target ? target : settings_.target, char(amp_->currentData().toInt())};
    if (now == settings_) return;
    settings_ = now;
    ++triageGeneration_;
    staleRows_.clear();
    std::vector<std::size_t> rows(model_->entries().size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i] = i;
    // While the scan runs, the rows have no bytes yet: they are triaged at its end.
    if (scanning_) {
        triageJob_.stop();
        triaging_ = false;
        staleRows_ = std::move(rows);
        return;
    }
    startRetriage(std::move(rows));
}

void LibraryWindow::startRetriage(std::vector<std::size_t> rows) {
    triageJob_.stop();
    triaging_ = true;
    std::vector<PresetPtr> presets;
    presets.reserve(rows.size());
    for (std::size_t row : rows)
        presets.push_back(model_->entry(int(row)).preset);
    const unsigned generation = triageGeneration_;
    triageJob_.start([this, rows = std::move(rows), presets = std::move(presets), generation,
                      settings = settings_](const std::atomic<bool>& cancel) {
        // A chunk at a time, so the table changes as the work goes on.
        constexpr std::size_t kChunk = 2000;
        for (std::size_t from = 0; from < presets.size() && !cancel; from += kChunk) {
            const std::size_t to = std::min(presets.size(), from + kChunk);
            const std::vector<PresetPtr> part(presets.begin() + std::ptrdiff_t(from),
                                              presets.begin() + std::ptrdiff_t(to));
            std::vector<TriageView> views = triageAll(part, settings, cancel);
            if (cancel) return;
            std::vector<std::pair<std::size_t, TriageView>> changes;
            for (std::size_t i = 0; i < views.size(); ++i)
                changes.emplace_back(rows[from + i], std::move(views[i]));
            post(this, [this, generation, changes = std::move(changes)] {
                if (generation == triageGeneration_) model_->setTriages(changes);
            });
        }
        post(this, [this, generation] {
            if (generation != triageGeneration_) return;
            triaging_ = false;
            if (!staleRows_.empty()) {
                startRetriage(std::exchange(staleRows_, {}));
                return;
            }
            refreshCount();
            emit triageFinished();
        });
    });
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
                                 tr("%1 could not be read: %2").arg(e.filePath, problem));
            return;
        }
        const QFileInfo pack(
            QFile::decodeName(QByteArray::fromStdString(preset.source.file.native())));
        main_.openBytes(pack.fileName() + QLatin1Char('/') + qs(preset.source.member),
                        pack.absolutePath(), *bytes);
    } else {
        main_.openFile(QFile::decodeName(QByteArray::fromStdString(preset.source.file.native())));
    }
    main_.show();
    main_.raise();
    main_.activateWindow();
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
    if (rows.empty() || scanning_ || converting_) return;
    std::vector<PresetPtr> presets;
    for (std::size_t row : rows)
        presets.push_back(model_->entry(int(row)).preset);
    ConvertDialog dialog(presets, settings_, this);
    if (dialogHook_) QTimer::singleShot(0, &dialog, [this, &dialog] { dialogHook_(dialog); });
    const int answer = dialog.exec();
    if (answer != QDialog::Accepted || !dialog.dryRun()) return;
    const ConvertOptions options = dialog.options();
    const DryRun& dry = *dialog.dryRun();

    // An existing file is replaced only when the user says so.
    std::vector<bool> replace(presets.size(), false);
    std::optional<bool> all;
    QSet<QString> libraryFiles;  // made when a file exists already
    if (!dry.existing.empty())
        for (const LibraryEntry& e : model_->entries())
            if (!e.preset->source.inArchive())
                libraryFiles.insert(QFileInfo(e.filePath).canonicalFilePath());
    for (std::size_t i : dry.existing) {
        if (!all) {
            const QString existing =
                QFileInfo(QDir(options.folder).filePath(dry.outcomes[i].output))
                    .canonicalFilePath();
            switch (askReplace_(dry.outcomes[i].output, libraryFiles.contains(existing))) {
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
    if (!QDir().mkpath(options.folder)) {
        QMessageBox::warning(this, tr("Library"),
                             tr("The folder %1 could not be made.").arg(options.folder));
        return;
    }

    converting_ = true;
    refreshActions();
    showProgress(tr("Converting…"), 0, presets.size());
    document::FileWriter* writer = writer_;
    convertJob_.start([this, rows = std::move(rows), presets = std::move(presets), options,
                       replace = std::move(replace), writer](const std::atomic<bool>& cancel) {
        Throttle throttle;
        std::vector<Outcome> outcomes = runConvert(
            presets, options, replace, *writer,
            [&](std::size_t done, std::size_t total) {
                if (!throttle.due(done == total)) return;
                post(this, [this, done, total] { showProgress(tr("Converting…"), done, total); });
            },
            cancel);
        const bool cancelled = cancel;
        post(this, [this, rows, presets, options, outcomes = std::move(outcomes), cancelled] {
            convertDone(rows, presets, options, outcomes, cancelled);
        });
    });
}

void LibraryWindow::convertDone(std::vector<std::size_t> rows, std::vector<PresetPtr> presets,
                                ConvertOptions options, std::vector<Outcome> outcomes,
                                bool cancelled) {
    converting_ = false;
    hideProgress();
    std::vector<std::pair<std::size_t, Outcome>> changes;
    std::array<std::size_t, 7> counts{};
    for (std::size_t i = 0; i < rows.size() && i < outcomes.size(); ++i) {
        ++counts[std::size_t(outcomes[i].kind)];
        changes.emplace_back(rows[i], outcomes[i]);
    }
    model_->setOutcomes(changes);
    fitColumn(LibraryModel::Result);
    QString error;
    lastReport_ = writeReport(options.folder, presets, outcomes, *writer_, error);
    lastFolder_ = options.folder;
    refreshActions();

    QString text = (cancelled ? tr("Conversion cancelled: %1 written") : tr("%1 written"))
                       .arg(number(counts[std::size_t(OutcomeKind::Written)]));
    const std::array<std::pair<OutcomeKind, QString>, 5> others = {{
        {OutcomeKind::Cannot, tr("%1 cannot")},
        {OutcomeKind::Collides, tr("%1 collide")},
        {OutcomeKind::Kept, tr("%1 existing kept")},
        {OutcomeKind::Failed, tr("%1 failed")},
        {OutcomeKind::NotDone, tr("%1 not done")},
    }};
    for (const auto& [kind, words] : others)
        if (counts[std::size_t(kind)])
            text += QStringLiteral(", ") + words.arg(number(counts[std::size_t(kind)]));
    text += QLatin1Char('.');
    text += lastReport_.isEmpty() ? tr("\nThe report could not be written: %1").arg(error)
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
    if (converting_)
        convertJob_.cancel();
    else if (scanning_)
        scanJob_.cancel();
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
    const bool idle = !scanning_ && !converting_;
    const bool any = model_->rowCount() > 0;
    const bool selected = table_->selectionModel()->hasSelection();
    convertSelected_->setEnabled(idle && selected);
    convertSelectedButton_->setEnabled(idle && selected);
    convertShown_->setEnabled(idle && any);
    convertShownButton_->setEnabled(idle && any);
    rescan_->setEnabled(!converting_ && !inputs_.isEmpty());
    openFolder_->setEnabled(!converting_);
    showFolder_->setEnabled(!lastFolder_.isEmpty());
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
    if (column == LibraryModel::Name || column == LibraryModel::Uses ||
        column == LibraryModel::Result)
        width = std::min(width, std::max(120, table_->viewport()->width() / 4));
    header->resizeSection(column, width);
}

// --- closing and drops --------------------------------------------------------------

void LibraryWindow::closeEvent(QCloseEvent* event) {
    scanJob_.stop();
    triageJob_.stop();
    convertJob_.stop();
    scanning_ = converting_ = triaging_ = false;
    hideProgress();
    event->accept();
}

void LibraryWindow::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* dropped = event->mimeData();
    if (dropped->hasUrls() && !dropped->urls().isEmpty() && dropped->urls().first().isLocalFile())
        event->acceptProposedAction();
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
