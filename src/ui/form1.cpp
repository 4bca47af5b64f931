// SPDX-License-Identifier: GPL-3.0-or-later
#include "form1.h"

#include "dropped_files.h"

#include "filter/block_settings.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QUrl>
#include <string>
#include <vector>

#include "app_info.h"
#include "chain_window.h"
#include "compare_window.h"
#include "form2.h"
#include "frm_about.h"
#include "library/library_inputs.h"
#include "open_dialog.h"
#include "param_list_view.h"
#include "param_table_model.h"
#include "qt_messenger.h"
#include "twips.h"
#include "ui_text.h"

namespace pw::ui {
namespace {

constexpr QSize kClientSize(452, 441);

// Places are given in twips, 15 to the pixel.
QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QRect& place,
                    const QString& tip) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(place);
    b->setToolTip(tip);
    b->setAutoDefault(false);
    return b;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, const QRect& place) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setTextFormat(Qt::PlainText);
    // Never lower than one line of text.
    l->setGeometry(
        place.adjusted(0, 0, 0, std::max(0, l->fontMetrics().height() - place.height())));
    return l;
}

// The caption with an access key: an ampersand before the first `key`.
QString withAccessKey(QString caption, QChar key) {
    const qsizetype at = caption.indexOf(key);
    if (at >= 0) caption.insert(at, QLatin1Char('&'));
    return caption;
}

// The access keys of the six target options, by option index. The menu bar takes
// Alt+F, Alt+T and Alt+H; the buttons take A, B, E, I, R and S.
constexpr std::array<char, 6> kOptionAccessKeys = {'1', '2', '3', '0', '5', 'P'};

// The positions of the six target options inside "Filter To:", by option index.
constexpr std::array<QPoint, 6> kOptionPlaces = {
    QPoint(120, 240),  QPoint(120, 600),  QPoint(120, 960),
    QPoint(1440, 240), QPoint(1440, 600), QPoint(1440, 960),
};

}  // namespace

Form1::Form1(Messenger* messenger, QWidget* parent)
    : QMainWindow(parent),
      ownMessenger_(messenger ? nullptr : std::make_unique<QtMessenger>(this)),
      messenger_(messenger ? *messenger : *ownMessenger_),
      session_(messenger_) {
    // Save names its file without the folder: the file goes beside the opened preset.
    session_.setFileNaming(Session::FileNaming::BareName);
    setObjectName(QStringLiteral("Form1"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowIcon(appIcon());
    setFont(windowFont());
    setAcceptDrops(true);
    if (ownMessenger_) ownMessenger_->setBeforeShow([this] { refresh(); });

    buildMenus();
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(kClientSize);
    buildControls(client);
    // One typeface for the whole form: no control keeps a toolkit font of its kind.
    for (QWidget* w : client->findChildren<QWidget*>())
        w->setFont(font());
    setCentralWidget(client);
    setFixedSize(sizeHint());

    // Start-up: the caption, then the start-up target as if it had been clicked.
    setWindowTitle(mainCaption());
    session_.start();
    refresh();
}

Form1::~Form1() {
    // The views and dialogs read the session: they go first.
    delete form2_;
    delete about_;
    delete takeCentralWidget();
    delete model_;
}

Form2* Form1::modelSelect() const {
    return form2_;
}

FrmAbout* Form1::about() const {
    return about_;
}

void Form1::buildMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    mnuFileOpen = file->addAction(tr("&Open"), this, &Form1::mnuFileOpen_Click);
    mnuFileOpen->setObjectName(QStringLiteral("mnuFileOpen"));
    mnuFileOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    mnuFileOpenFolder = file->addAction(tr("Open &Folder…"), this, &Form1::mnuFileOpenFolder_Click);
    mnuFileOpenFolder->setObjectName(QStringLiteral("mnuFileOpenFolder"));
    mnuFileOpenFolder->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    mnuCompare = file->addAction(tr("Compare &With…"), this, &Form1::mnuCompare_Click);
    mnuCompare->setObjectName(QStringLiteral("mnuCompare"));
    mnuFileExit = file->addAction(tr("E&xit"), this, &Form1::mnuFileExit_Click);
    mnuFileExit->setObjectName(QStringLiteral("mnuFileExit"));
    mnuFileExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    mnuUndo = edit->addAction(tr("&Undo"), this, &Form1::mnuUndo_Click);
    mnuUndo->setObjectName(QStringLiteral("mnuUndo"));
    mnuUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    mnuRedo = edit->addAction(tr("&Redo"), this, &Form1::mnuRedo_Click);
    mnuRedo->setObjectName(QStringLiteral("mnuRedo"));
    mnuRedo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});

    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->setObjectName(QStringLiteral("mnuView"));
    mnuSignalChain = view->addAction(tr("Signal &Chain"), this, &Form1::mnuSignalChain_Click);
    mnuSignalChain->setObjectName(QStringLiteral("mnuSignalChain"));

    QMenu* tools = menuBar()->addMenu(tr("&Tools"));
    tools->setObjectName(QStringLiteral("mnuTools"));
    mnuExport = tools->addAction(tr("Export User Text"), this, &Form1::mnuExport_Click);
    mnuExport->setObjectName(QStringLiteral("mnuExport"));
    mnuExportData = tools->addAction(tr("Export Complete Text"), this, &Form1::mnuExportData_Click);
    mnuExportData->setObjectName(QStringLiteral("mnuExportData"));
    mnuOptions = tools->addAction(tr("Options"), this, &Form1::mnuOptions_Click);
    mnuOptions->setObjectName(QStringLiteral("mnuOptions"));
    mnuMode = tools->addMenu(tr("&Mode"));
    mnuMode->setObjectName(QStringLiteral("mnuMode"));
    mnuMode->menuAction()->setObjectName(QStringLiteral("mnuModeAction"));
    mnuNormal = mnuMode->addAction(tr("Normal"));
    mnuNormal->setObjectName(QStringLiteral("mnuNormal"));
    mnuNormal->setCheckable(true);
    mnuNormal->setChecked(true);
    mnuNormal->setEnabled(false);
    mnuBatch = mnuMode->addAction(tr("Batch"));
    mnuBatch->setObjectName(QStringLiteral("mnuBatch"));
    mnuBatch->setEnabled(false);
    mnuResolve = tools->addAction(tr("Resolve Conflicts"), this, &Form1::mnuResolve_Click);
    mnuResolve->setObjectName(QStringLiteral("mnuResolve"));

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    mnuAbout = help->addAction(tr("About"), this, &Form1::mnuAbout_Click);
    mnuAbout->setObjectName(QStringLiteral("mnuAbout"));
}

void Form1::buildControls(QWidget* client) {
    Label3 = label(client, "Label3", tr("Patch Loaded:"), twips(360, 120, 1050, 195));
    Label4 = label(client, "Label4", QString(), twips(1440, 120, 525, 195));
    Label4->setAccessibleName(tr("Patch loaded"));
    // Written by the load-and-check pass; never shown.
    Label5 = label(client, "Label5", QString(), QRect(0, kClientSize.height(), 100, 13));
    Label5->setVisible(false);

    model_ = new ParamTableModel(session_, this);
    lv = new ParamListView(client);
    lv->setObjectName(QStringLiteral("lv"));
    lv->setAccessibleName(tr("Parameters"));
    lv->setGeometry(twips(240, 360, 6255, 3975));
    lv->setModel(model_);
    for (int c = 0; c < kColumnCount; ++c)
        lv->header()->resizeSection(c, ParamTableModel::columnWidth(c));
    connect(lv, &QAbstractItemView::clicked, this, &Form1::lv_ItemClick);
    // The highlight the user moves is the selected row: one row for the keys and the eye.
    connect(lv, &ParamListView::highlightChanged, this,
            [this](int number) { session_.clickRow(number); });
    connect(lv, &ParamListView::listDoubleClicked, this, &Form1::lv_DblClick);
    connect(lv, &ParamListView::keyDown, this, &Form1::lv_KeyDown);
    connect(lv, &ParamListView::rowOpenRequested, this, &Form1::lv_DblClick);

    // Frames draw their caption on the top border, so the controls placed near the
    // top of a frame stay clear of the border.
    client->setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 6px; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
        " left: 6px; padding: 0 2px; }"));
    Frame2 = new QGroupBox(tr("Filter To:"), client);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setGeometry(twips(240, 4440, 2895, 1935));
    for (const document::Target& target : document::kTargets) {
        const int i = target.option;
        auto* op =
            new QRadioButton(withAccessKey(qs(target.caption), kOptionAccessKeys[i]), Frame2);
        op->setObjectName(QStringLiteral("opModelSelect"));
        op->setProperty("Index", i);
        op->setGeometry(twips(kOptionPlaces[i].x(), kOptionPlaces[i].y(), 1335, 255));
        // A click, or the arrow keys inside the group, choose the target.
        connect(op, &QRadioButton::toggled, this, [this, i](bool on) {
            if (on && !refreshing_) opModelSelect_Click(i);
        });
        opModelSelect[i] = op;
    }
    opModelSelect[1]->setToolTip(tr("Filters, checks loaded patch to the RP255"));

    tbPatchName = new QLineEdit(client);
    tbPatchName->setObjectName(QStringLiteral("tbPatchName"));
    tbPatchName->setGeometry(twips(3360, 4560, 2175, 285));
    tbPatchName->setToolTip(tr("Name of patch, you name it to your liking"));
    tbPatchName->setAccessibleName(tr("Patch Name"));
    connect(tbPatchName, &QLineEdit::textChanged, this, &Form1::tbPatchName_Change);
    connect(tbPatchName, &QLineEdit::editingFinished, this,
            [this] { session_.endPatchNameEdit(); });
    // The box's own undo would take back typing the Edit menu already counts as a step.
    tbPatchName->installEventFilter(this);
    tbPatchName->setText(tr("Patch Name"));  // real text, copied into the patch name

    Frame1 = new QGroupBox(tr("Amp Channel Select"), client);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(twips(3360, 4920, 2055, 975));

    cmdAmpA = button(client, "cmdAmpA", tr("&Amp A"), twips(3480, 5280, 735, 375),
                     tr("Select settings relating to Amp A, Cab A, EQ A"));
    cmdAmpB = button(client, "cmdAmpB", tr("Amp &B"), twips(4440, 5280, 735, 375),
                     tr("Select settings relating to Amp B, Cab B, EQ B"));
    cmdErrors = button(client, "cmdErrors", tr("Err&ors"), twips(5760, 5280, 735, 375),
                       tr("Displays number of errors in relation to patch filtering too"));
    cmdFilter = button(client, "cmdFilter", tr("F&ilter Patch"), twips(360, 5880, 1335, 375),
                       tr("Filter/Fix patch with values known to the RP unit selected"));
    cmdReset = button(client, "cmdReset", tr("&Reset"), twips(2040, 5880, 735, 375),
                      tr("Reload patch to original"));
    cmdSave =
        button(client, "cmdSave", tr("&Save"), twips(3720, 6000, 1215, 375), tr("Save patch"));
    lbParamCount = label(client, "lbParamCount", QStringLiteral("0"), twips(5160, 6120, 105, 195));
    lbParamCount->setToolTip(tr("Displays number of parameters the patch contains <Param>"));
    lbParamCount->setProperty("baseToolTip", lbParamCount->toolTip());
    lbParamCount->setAccessibleName(tr("Parameter count"));

    // The buttons inside the frames' areas sit on the window, above the frames.
    for (QWidget* w : {cmdAmpA, cmdAmpB, cmdFilter, cmdReset})
        w->raise();

    connect(cmdAmpA, &QPushButton::clicked, this, &Form1::cmdAmpA_Click);
    connect(cmdAmpB, &QPushButton::clicked, this, &Form1::cmdAmpB_Click);
    connect(cmdErrors, &QPushButton::clicked, this, &Form1::cmdErrors_Click);
    connect(cmdFilter, &QPushButton::clicked, this, &Form1::cmdFilter_Click);
    connect(cmdReset, &QPushButton::clicked, this, &Form1::cmdReset_Click);
    connect(cmdSave, &QPushButton::clicked, this, &Form1::cmdSave_Click);
    // Ctrl+S anywhere in the window is a click on Save (nothing while Save is greyed).
    auto* saveKey = new QAction(this);
    saveKey->setObjectName(QStringLiteral("saveShortcut"));
    saveKey->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(saveKey, &QAction::triggered, cmdSave, &QPushButton::click);
    addAction(saveKey);

    // Tab order.
    QList<QWidget*> order{cmdSave, lv};
    for (QRadioButton* op : opModelSelect)
        order.append(op);
    order.append({cmdReset, cmdAmpA, tbPatchName, cmdFilter, cmdAmpB, cmdErrors});
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
    cmdSave->setFocus(Qt::TabFocusReason);
}

void Form1::fitLabels() {
    // "Patch Loaded:" whole, and a little room after it should the font run wide.
    const int label3Width = std::max(twips(0, 0, 1050, 0).width(),
                                     Label3->fontMetrics().horizontalAdvance(Label3->text()) + 1);
    Label3->resize(label3Width, Label3->height());
    Label4->move(std::max(twips(1440, 0, 0, 0).x(), Label3->x() + label3Width + 4), Label4->y());
    setFittedText(Label4, QString::fromStdString(session_.label4()));
    setFittedText(lbParamCount, QString::fromStdString(session_.paramCountCaption()));
}

void Form1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    fitLabels();  // the font's final measures are known once the window is shown
    startFocusShown_ = true;
}

void Form1::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // The first control of the tab order starts with the focus, shown as if tabbed to
    // (the window's first activation would otherwise hide the focus frame).
    // The activation gives the focus back afterwards, so this waits for it.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && startFocusShown_) {
        startFocusShown_ = false;
        QTimer::singleShot(0, this, [this] {
            if (QApplication::focusWidget() != cmdSave && QApplication::focusWidget()) return;
            cmdSave->setFocus(Qt::TabFocusReason);
            setAttribute(Qt::WA_KeyboardFocusChange);
        });
    }
}

void Form1::setFittedText(QLabel* target, const QString& text) {
    // Sized to fit its text, as far as the window reaches.
    const int room = kClientSize.width() - target->x() - 8;
    const int wanted = target->fontMetrics().horizontalAdvance(text) + 2;
    if (wanted <= room) {
        target->setText(text);
        target->setToolTip(target->property("baseToolTip").toString());
        target->resize(std::max(wanted, 1), target->height());
    } else {
        target->setText(target->fontMetrics().elidedText(text, Qt::ElideRight, room));
        target->setToolTip(text);
        target->resize(room, target->height());
    }
    target->setAccessibleDescription(text);
}

void Form1::refresh() {
    refreshing_ = true;
    model_->sync();

    Label5->setText(QString::fromStdString(session_.label5()));
    const QString name = QString::fromStdString(session_.patchName());
    if (tbPatchName->text() != name) {
        const QSignalBlocker block(tbPatchName);
        tbPatchName->setText(name);
    }

    const ButtonStates& b = session_.buttons();
    cmdSave->setEnabled(b.save);
    cmdFilter->setEnabled(b.filter);
    cmdReset->setEnabled(b.reset);
    cmdAmpA->setEnabled(b.ampA);
    cmdAmpB->setEnabled(b.ampB);
    cmdErrors->setEnabled(true);
    // Models whose own knobs are missing, apart from the conflicts the button counts.
    QStringList missing;
    for (const std::string& warning : filter::missingSettingsWarnings(session_.rows()))
        missing << tr("Missing settings: %1").arg(QString::fromStdString(warning));
    cmdErrors->setToolTip(missing.join(QLatin1Char('\n')));
    mnuResolve->setEnabled(session_.resolveEnabled());

    for (const document::Target& target : document::kTargets) {
        QRadioButton* op = opModelSelect[target.option];
        op->setEnabled(target.selectable);
        if (target.option == session_.target().option) op->setChecked(true);
    }
    fitLabels();
    refreshEditMenu();
    if (chain_) chain_->showChain(session_.rows(), name);
    refreshing_ = false;
}

void Form1::refreshEditMenu() {
    const QString undo = qs(session_.undoName());
    const QString redo = qs(session_.redoName());
    mnuUndo->setText(undo.isEmpty() ? tr("&Undo") : tr("&Undo %1").arg(undo));
    mnuUndo->setEnabled(!undo.isEmpty());
    mnuRedo->setText(redo.isEmpty() ? tr("&Redo") : tr("&Redo %1").arg(redo));
    mnuRedo->setEnabled(!redo.isEmpty());
}

void Form1::openFile(const QString& file) {
    const QFileInfo info(file);
    session_.setSaveFolder(
        std::filesystem::path(QFile::encodeName(info.absolutePath()).toStdString()));
    session_.openFile(std::filesystem::path(QFile::encodeName(file).toStdString()));
    // Another preset: no row of it is selected yet.
    session_.clickRow(0);
    closeModelSelectOnChange();
    refresh();
    showSelectedRow();
    lv->scrollToTop();  // another preset starts at its first row
}

template <typename Command>
void Form1::rebuildingCommand(Command&& command) {
    const ParamList before = session_.rows();
    command();
    if (session_.rows().rows() != before.rows()) {
        session_.clickRow(0);
        closeModelSelectOnChange();
    }
    refresh();
    showSelectedRow();
}

void Form1::closeModelSelectOnChange() {
    // A dialog hidden after a pick stays loaded; only one still waiting for a pick closes.
    if (form2_ && form2_->isVisible()) form2_->close();
}

void Form1::showSelectedRow() {
    if (session_.selectedIndex() != 0 && !session_.rows().hasRow(session_.selectedIndex()))
        session_.clickRow(0);
    lv->setHighlightedRow(session_.selectedIndex());
}

// --- menus -----------------------------------------------------------------------

void Form1::mnuFileOpen_Click() {
    const QStringList filters = openDialogFilters();
    QString chosenFilter = filters.first();
    const QString file = QFileDialog::getOpenFileName(
        this, openDialogTitle(), QString(), filters.join(QStringLiteral(";;")), &chosenFilter);
    if (file.isEmpty()) return;  // cancelled: nothing changes
    openFile(file);
}

void Form1::mnuFileOpenFolder_Click() {
    const QString folder = QFileDialog::getExistingDirectory(this, tr("Open Folder"));
    if (!folder.isEmpty()) emit libraryRequested({folder});
}

void Form1::openBytes(const QString& shownName, const QString& saveFolder,
                      const std::string& bytes) {
    session_.setSaveFolder(std::filesystem::path(QFile::encodeName(saveFolder).toStdString()));
    session_.openBytes(std::filesystem::path(QFile::encodeName(shownName).toStdString()), bytes);
    refresh();
    lv->scrollToTop();
}

void Form1::mnuFileExit_Click() {
    close();
}

void Form1::mnuUndo_Click() {
    stepThroughHistory(&Session::undo);
}

void Form1::mnuRedo_Click() {
    stepThroughHistory(&Session::redo);
}

void Form1::stepThroughHistory(bool (Session::*step)()) {
    // The restored patch comes with the row it had selected, highlighted again.
    const ParamList before = session_.rows();
    if (!(session_.*step)()) return;
    if (session_.rows().rows() != before.rows()) closeModelSelectOnChange();
    refresh();
    showSelectedRow();
}

ChainWindow* Form1::chainWindow() const {
    return chain_;
}

void Form1::mnuSignalChain_Click() {
    if (!chain_) chain_ = new ChainWindow(this);
    chain_->showChain(session_.rows(), QString::fromStdString(session_.patchName()));
    chain_->show();
    chain_->raise();
    chain_->activateWindow();
}

void Form1::mnuCompare_Click() {
    const QString file = QFileDialog::getOpenFileName(
        this, tr("Compare With"), QString(), openDialogFilters().join(QStringLiteral(";;")));
    if (!file.isEmpty()) compareWith(file);
}

CompareWindow* Form1::compareWith(const QString& file) {
    Session other(messenger_);
    other.start();
    other.selectTarget(session_.target().option);
    if (!other.openFile(std::filesystem::path(QFile::encodeName(file).toStdString())).loaded())
        return nullptr;
    const QString mine =
        session_.openedFile().empty()
            ? tr("(no preset)")
            : QFileInfo(QFile::decodeName(session_.openedFile().c_str())).fileName();
    auto* window =
        new CompareWindow({mine, session_.patchName(), session_.rows()},
                          {QFileInfo(file).fileName(), other.patchName(), other.rows()}, this);
    window->show();
    return window;
}

void Form1::mnuExport_Click() {
    rebuildingCommand([this] { session_.exportUserText(); });
}

void Form1::mnuExportData_Click() {
    rebuildingCommand([this] { session_.exportCompleteText(); });
}

void Form1::mnuOptions_Click() {
    session_.showOptions();
}

void Form1::mnuResolve_Click() {
    rebuildingCommand([this] { session_.resolveConflicts(); });
}

void Form1::mnuAbout_Click() {
    if (!about_) about_ = new FrmAbout(this);
    about_->show();
    about_->raise();
    about_->activateWindow();
}

// --- buttons and options ---------------------------------------------------------

void Form1::cmdAmpA_Click() {
    rebuildingCommand([this] { session_.selectAmpChannel('A'); });
}

void Form1::cmdAmpB_Click() {
    rebuildingCommand([this] { session_.selectAmpChannel('B'); });
}

void Form1::cmdErrors_Click() {
    session_.showErrors();
}

void Form1::cmdFilter_Click() {
    rebuildingCommand([this] { session_.filter(); });
}

void Form1::cmdReset_Click() {
    rebuildingCommand([this] { session_.reset(); });
}

void Form1::cmdSave_Click() {
    session_.save();
    refresh();
}

void Form1::opModelSelect_Click(int index) {
    rebuildingCommand([this, index] { session_.selectTarget(index); });
}

void Form1::tbPatchName_Change(const QString& text) {
    session_.setPatchName(text.toStdString());
    refreshEditMenu();
}

// --- the parameter list ----------------------------------------------------------

void Form1::lv_ItemClick(const QModelIndex& item) {
    // A click on the highlighted row selects it again (after a pick nothing is
    // selected while the row stays highlighted); a Ctrl+click that took the highlight
    // away selects nothing.
    if (item.isValid() && lv->highlightedRow() == item.row() + 1) session_.clickRow(item.row() + 1);
}

void Form1::lv_DblClick() {
    const catalogue::Block* block = session_.blockForDoubleClick();
    if (!block) return;
    if (!form2_) {
        form2_ = new Form2(session_, this);
        connect(form2_, &Form2::listItemUpdated, this, &Form1::refresh);
        connect(form2_, &Form2::leaving, this, [this](QPoint place, QMargins frame) {
            form2Place_ = place;
            if (!frame.isNull()) form2Frame_ = frame;
        });
        // Every opening at the same place and size: where it was left, else over the
        // middle of the main window. Until the window system tells the dialog's frame,
        // it is taken to be the main window's.
        const QMargins frame = form2Frame_.isNull() ? Form2::frameOf(*this) : form2Frame_;
        const QPoint place =
            form2Place_.value_or(frameGeometry().center() - QPoint(Form2::kOuterSize.width() / 2,
                                                                   Form2::kOuterSize.height() / 2));
        form2_->placeAt(place, frame);
    }
    form2_->openBlock(*block);
}

void Form1::lv_KeyDown(Session::Key key, bool ctrl) {
    const std::size_t before = session_.rows().count();
    if (std::optional<std::string> line = session_.keyDown(key, ctrl)) {
        clipboardLine_ = QString::fromStdString(*line);
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->clear();
        clipboard->setText(clipboardLine_);
    }
    const bool removed = session_.rows().count() != before;
    if (removed) closeModelSelectOnChange();
    refresh();
    // A removed row: the selected number names the row that moved up, highlighted.
    if (removed) showSelectedRow();
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == tbPatchName &&
        (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(key->keyCombination());
        const auto is = [&pressed](const QAction* action) {
            return action->shortcuts().contains(pressed);
        };
        if (is(mnuUndo) || is(mnuRedo)) {
            // Not the box's: the Edit menu's shortcut takes the key.
            if (event->type() == QEvent::ShortcutOverride)
                event->ignore();
            else
                (is(mnuUndo) ? mnuUndo : mnuRedo)->trigger();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// --- shut-down and drops ---------------------------------------------------------

void Form1::closeEvent(QCloseEvent* event) {
    // Leave the clipboard alone if the user has put something else on it since.
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboardLine_.isEmpty() && clipboard->text() == clipboardLine_) clipboard->clear();

    if (form2_) form2_->close();
    if (about_) about_->close();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible()) w->close();
    event->accept();
}

void Form1::dragEnterEvent(QDragEnterEvent* event) {
    if (offersLocalFiles(*event->mimeData())) event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile()) return;
    event->acceptProposedAction();
    // A folder or a pack among them: the whole drop goes to the Library.
    QStringList inputs;
    bool forLibrary = false;
    for (const QUrl& url : urls) {
        if (!url.isLocalFile()) continue;
        inputs << url.toLocalFile();
        forLibrary = forLibrary || isLibraryInput(inputs.last());
    }
    if (forLibrary) {
        emit libraryRequested(inputs);
        return;
    }
    openFile(urls.first().toLocalFile());
    if (urls.size() == 1) return;
    // One preset is open at a time: say which files were left out.
    const auto nameOf = [](const QUrl& url) {
        return (url.isLocalFile() ? QFileInfo(url.toLocalFile()).fileName() : url.toDisplayString())
            .toStdString();
    };
    std::vector<std::string> notOpened;
    for (qsizetype i = 1; i < urls.size(); ++i)
        notOpened.push_back(nameOf(urls[i]));
    session_.tellOnlyFirstOpened(nameOf(urls.first()), notOpened);
}

}  // namespace pw::ui
