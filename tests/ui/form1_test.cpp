// Drives the real main window: its controls, menus, list and dialogs, with the
// messages recorded and the questions answered by a script.

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QUrl>
#include <deque>
#include <memory>
#include <vector>

#include "app_info.h"
#include "form1.h"
#include "form2.h"
#include "frm_about.h"
#include "open_dialog.h"
#include "param_table_model.h"
#include "qt_messenger.h"

using namespace pw;
using pw::ui::Form1;

namespace {

// Records every message; answers questions from a script (No when it runs out).
class ScriptedMessenger : public Messenger {
  public:
    Answer show(const Message& message) override {
        messages.push_back(message);
        if (message.buttons != Buttons::YesNo) return Answer::Ok;
        if (answers.empty()) return Answer::No;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    QStringList texts() const {
        QStringList out;
        for (const Message& m : messages)
            out << QString::fromStdString(m.text);
        return out;
    }
    QString last() const {
        return messages.empty() ? QString() : QString::fromStdString(messages.back().text);
    }

    std::vector<Message> messages;
    std::deque<Answer> answers;
};

QString cell(const Row& row, int column) {
    return QString::fromStdString(row.cells[column]);
}

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void startUp();
    void layoutAndTabOrder();
    void openDialogTypes();
    void openPreset();
    void openViewOnlyPreset();
    void targetFilterAmpAndErrors();
    void resetBringsBackTheOpenedRows();
    void saveAsksAndWritesBesideTheOpenedFile();
    void saveRefusals();
    void exportsWriteBesideThePreset();
    void optionsMessage();
    void patchNameFollowsTheTextBox();
    void modelSelectPickWritesTheRow();
    void modelSelectKeepsOrUnloads();
    void modelSelectTypingPicksNothing();
    void doubleClickOpensOnlyModelSelectRows();
    void copyAndDeleteKeys();
    void aboutBox();
    void shutDownClosesEverything();
    void shutDownLeavesForeignClipboard();
    void dropOpensTheFile();
    void modelPassesTheTester();
    void largePresetStaysQuick();
    void textsFit();
    void messageBoxes();

  private:
    QString copy(const QString& name);
    template <typename T>
    T* child(const char* name) const {
        T* w = form_->findChild<T*>(QLatin1String(name));
        if (!w) qFatal("no control %s", name);
        return w;
    }
    QRadioButton* option(int index) const;
    QTreeView* lv() const { return child<QTreeView>("lv"); }
    // The 1-based number of the first row with this ID and Position, or 0.
    int rowOf(const char* id, const char* position) const;
    void clickRow(int number);
    void doubleClickRow(int number);
    static void flushDeletes();

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<ScriptedMessenger> messenger_;
    std::unique_ptr<Form1> form_;
};

void Form1Test::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    messenger_ = std::make_unique<ScriptedMessenger>();
    form_ = std::make_unique<Form1>(messenger_.get());
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
}

void Form1Test::cleanup() {
    form_.reset();
    flushDeletes();
    messenger_.reset();
    dir_.reset();
}

void Form1Test::flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

QString Form1Test::copy(const QString& name) {
    const QString target = dir_->filePath(name);
    if (!QFile::copy(QStringLiteral(PW_TEST_DATA_DIR "/") + name, target))
        qFatal("cannot copy %s", qPrintable(name));
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    return target;
}

QRadioButton* Form1Test::option(int index) const {
    for (QRadioButton* op : form_->findChildren<QRadioButton*>(QStringLiteral("opModelSelect")))
        if (op->property("Index").toInt() == index) return op;
    qFatal("no option %d", index);
}

int Form1Test::rowOf(const char* id, const char* position) const {
    const ParamList& rows = form_->session().rows();
    for (std::size_t n = 1; n <= rows.count(); ++n)
        if (rows.row(n).id() == id && rows.row(n).position() == position) return int(n);
    return 0;
}

void Form1Test::clickRow(int number) {
    const QModelIndex index = form_->model()->index(number - 1, 0);
    lv()->scrollTo(index);
    QTest::mouseClick(lv()->viewport(), Qt::LeftButton, {}, lv()->visualRect(index).center());
}

void Form1Test::doubleClickRow(int number) {
    clickRow(number);
    const QModelIndex index = form_->model()->index(number - 1, 0);
    QTest::mouseDClick(lv()->viewport(), Qt::LeftButton, {}, lv()->visualRect(index).center());
}

// ---------------------------------------------------------------------------------

void Form1Test::startUp() {
    const QString version = QStringLiteral("%1.%2.%3")
                                .arg(PW_VERSION_MAJOR)
                                .arg(PW_VERSION_MINOR)
                                .arg(PW_VERSION_PATCH);
    QCOMPARE(form_->windowTitle(), QStringLiteral("Patchwright ") + version);
    QCOMPARE(form_->objectName(), QStringLiteral("Form1"));

    // RP255 is the target, RP155 cannot be chosen, the others can.
    QVERIFY(option(1)->isChecked());
    QCOMPARE(option(1)->text(), QStringLiteral("RP255"));
    QCOMPARE(form_->session().target().caption, std::string_view("RP255"));
    QVERIFY(!option(0)->isEnabled());
    for (int i = 1; i < 6; ++i)
        QVERIFY(option(i)->isEnabled());
    QCOMPARE(option(1)->toolTip(), QStringLiteral("Filters, checks loaded patch to the RP255"));

    for (const char* name : {"cmdAmpA", "cmdAmpB", "cmdErrors", "cmdFilter", "cmdReset", "cmdSave"})
        QVERIFY2(child<QPushButton>(name)->isEnabled(), name);
    QCOMPARE(form_->model()->rowCount(), 0);
    QCOMPARE(child<QLabel>("lbParamCount")->text(), QStringLiteral("0"));
    QCOMPARE(child<QLabel>("Label3")->text(), QStringLiteral("Patch Loaded:"));
    QCOMPARE(child<QLabel>("Label4")->text(), QString());
    QVERIFY(!child<QLabel>("Label5")->isVisible());
    QCOMPARE(child<QLineEdit>("tbPatchName")->text(), QStringLiteral("Patch Name"));

    // Menus.
    auto* open = child<QAction>("mnuFileOpen");
    QCOMPARE(open->text(), QStringLiteral("&Open"));
    QCOMPARE(open->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    QCOMPARE(child<QAction>("mnuFileExit")->text(), QStringLiteral("E&xit"));
    QCOMPARE(child<QAction>("mnuExport")->text(), QStringLiteral("Export User Text"));
    QCOMPARE(child<QAction>("mnuExportData")->text(), QStringLiteral("Export Complete Text"));
    QCOMPARE(child<QAction>("mnuOptions")->text(), QStringLiteral("Options"));
    QCOMPARE(child<QMenu>("mnuMode")->title(), QStringLiteral("&Mode"));
    auto* normal = child<QAction>("mnuNormal");
    QVERIFY(normal->isChecked());
    QVERIFY(!normal->isEnabled());
    QVERIFY(!child<QAction>("mnuBatch")->isEnabled());
    QCOMPARE(child<QAction>("mnuAbout")->text(), QStringLiteral("About"));
    QStringList titles;
    for (QMenu* m : {child<QMenu>("mnuFile"), child<QMenu>("mnuTools"), child<QMenu>("mnuHelp")})
        titles << m->title();
    QCOMPARE(titles, (QStringList{"&File", "&Tools", "&Help"}));

    // A fixed window with a minimize button and no maximize button.
    QCOMPARE(form_->centralWidget()->size(), QSize(452, 441));
    QCOMPARE(form_->minimumSize(), form_->maximumSize());
    QVERIFY(form_->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!form_->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(messenger_->messages.empty());
}

void Form1Test::layoutAndTabOrder() {
    const auto geometryOf = [this](const char* name) { return child<QWidget>(name)->geometry(); };
    QCOMPARE(geometryOf("lv"), QRect(16, 24, 417, 265));
    QCOMPARE(geometryOf("Frame2"), QRect(16, 296, 193, 129));
    QCOMPARE(geometryOf("tbPatchName"), QRect(224, 304, 145, 19));
    QCOMPARE(geometryOf("Frame1"), QRect(224, 328, 137, 65));
    QCOMPARE(geometryOf("cmdAmpA"), QRect(232, 352, 49, 25));
    QCOMPARE(geometryOf("cmdAmpB"), QRect(296, 352, 49, 25));
    QCOMPARE(geometryOf("cmdErrors"), QRect(384, 352, 49, 25));
    QCOMPARE(geometryOf("cmdFilter"), QRect(24, 392, 89, 25));
    QCOMPARE(geometryOf("cmdReset"), QRect(136, 392, 49, 25));
    QCOMPARE(geometryOf("cmdSave"), QRect(248, 400, 81, 25));
    QCOMPARE(geometryOf("Label3").topLeft(), QPoint(24, 8));
    QCOMPARE(geometryOf("lbParamCount").topLeft(), QPoint(344, 408));
    QCOMPARE(option(0)->geometry(), QRect(8, 16, 89, 17));
    QCOMPARE(option(2)->geometry(), QRect(8, 64, 89, 17));
    QCOMPARE(option(5)->geometry(), QRect(96, 64, 89, 17));

    QCOMPARE(child<QPushButton>("cmdSave")->toolTip(), QStringLiteral("Save patch"));
    QCOMPARE(child<QPushButton>("cmdFilter")->text(), QStringLiteral("Filter Patch"));
    QCOMPARE(child<QGroupBox>("Frame2")->title(), QStringLiteral("Filter To:"));
    QCOMPARE(child<QGroupBox>("Frame1")->title(), QStringLiteral("Amp Channel Select"));
    QCOMPARE(child<QLabel>("lbParamCount")->toolTip(),
             QStringLiteral("Displays number of parameters the patch contains <Param>"));

    // The columns and their widths.
    QHeaderView* header = lv()->header();
    const QStringList names{"Name", "Setting", "ID", "Position", "Value"};
    const QList<int> widths{112, 100, 53, 52, 52};
    for (int c = 0; c < 5; ++c) {
        QCOMPARE(form_->model()->headerData(c, Qt::Horizontal).toString(), names[c]);
        QCOMPARE(header->sectionSize(c), widths[c]);
    }
    QVERIFY(!lv()->isSortingEnabled());

    // Tab order: the focusable controls in the order the window has always had.
    const QList<QWidget*> expected{child<QWidget>("cmdSave"),
                                   lv(),
                                   option(0),
                                   option(1),
                                   option(2),
                                   option(3),
                                   option(4),
                                   option(5),
                                   child<QWidget>("cmdReset"),
                                   child<QWidget>("cmdAmpA"),
                                   child<QWidget>("tbPatchName"),
                                   child<QWidget>("cmdFilter"),
                                   child<QWidget>("cmdAmpB"),
                                   child<QWidget>("cmdErrors")};
    QList<QWidget*> chain;
    QWidget* w = expected.first();
    do {
        if (expected.contains(w) && !chain.contains(w)) chain << w;
        w = w->nextInFocusChain();
    } while (w != expected.first());
    QCOMPARE(chain, expected);
}

void Form1Test::openDialogTypes() {
    QCOMPARE(ui::openDialogTitle(),
             QStringLiteral("Select a RP Patch, use FILE TYPE to filter specific patch model"));
    const QStringList filters = ui::openDialogFilters();
    QCOMPARE(filters.size(), 11);
    QCOMPARE(filters.first(), QStringLiteral("All RP Patches (*.rp???p *.rp????p)"));
    QCOMPARE(filters[9], QStringLiteral("GNX4 & GNX3K (*.g4p *.g3kp)"));
    QCOMPARE(filters.last(), QStringLiteral("GSP1101 (*.gsp1101p)"));
}

void Form1Test::openPreset() {
    const QString file = copy(QStringLiteral("dual_amp_lead.rp355p"));
    form_->openFile(file);
    const Session& s = form_->session();
    QCOMPARE(s.rows().count(), std::size_t(95));
    QCOMPARE(form_->model()->rowCount(), 95);
    QCOMPARE(child<QLabel>("lbParamCount")->text(), QStringLiteral("95"));
    QCOMPARE(child<QLabel>("Label4")->text(),
             QStringLiteral("RP355Preset Original Patch Name: Dual Amp Lead"));
    QCOMPARE(child<QLineEdit>("tbPatchName")->text(), QStringLiteral("Dual Amp Lead"));
    QCOMPARE(QString::fromStdString(s.saveFolder().string()), dir_->path());
    for (const char* name : {"cmdSave", "cmdFilter", "cmdAmpA", "cmdAmpB", "cmdErrors"})
        QVERIFY2(child<QPushButton>(name)->isEnabled(), name);

    // The cells show the rows' texts and marks; a mark explains itself.
    const Row& first = s.rows().row(1);
    QCOMPARE(form_->model()->index(0, 0).data().toString(), cell(first, kName));
    QCOMPARE(form_->model()->index(0, 4).data().toString(), cell(first, kValue));
    int conflicts = 0;
    for (int r = 0; r < form_->model()->rowCount(); ++r) {
        for (int c = 0; c < 5; ++c) {
            const QModelIndex index = form_->model()->index(r, c);
            const Mark mark = s.rows().row(std::size_t(r) + 1).marks[c];
            const QVariant colour = index.data(Qt::ForegroundRole);
            if (mark == Mark::Conflict) {
                ++conflicts;
                QCOMPARE(colour.value<QColor>(), QColor(255, 0, 0));
                QVERIFY(index.data(Qt::ToolTipRole).toString().contains(QStringLiteral("RP255")));
            } else {
                QVERIFY(!colour.isValid());
                QVERIFY(!index.data(Qt::ToolTipRole).isValid());
            }
        }
    }
    QVERIFY(conflicts > 0);
    QVERIFY(messenger_->messages.empty());
}

void Form1Test::openViewOnlyPreset() {
    form_->openFile(copy(QStringLiteral("pluck_funk.g4p")));
    QCOMPARE(form_->session().sourceRoot(), std::string("Gnx4Preset"));
    for (const char* name : {"cmdSave", "cmdFilter", "cmdReset", "cmdAmpA", "cmdAmpB"})
        QVERIFY2(!child<QPushButton>(name)->isEnabled(), name);
    QVERIFY(child<QPushButton>("cmdErrors")->isEnabled());
    QVERIFY(!option(0)->isEnabled());
    QVERIFY(option(4)->isEnabled());

    // A file that is not there: the name cannot be loaded, the list stays.
    const int before = form_->model()->rowCount();
    form_->openFile(dir_->filePath(QStringLiteral("missing.rp255p")));
    QCOMPARE(messenger_->last(), QStringLiteral("Element <Name>*</Name> LoadError"));
    QCOMPARE(messenger_->messages.back().icon, Icon::Critical);
    QCOMPARE(form_->model()->rowCount(), before);
}

void Form1Test::targetFilterAmpAndErrors() {
    form_->openFile(copy(QStringLiteral("dual_amp_lead.rp355p")));
    const Session& s = form_->session();

    QTest::mouseClick(option(4), Qt::LeftButton);
    QVERIFY(option(4)->isChecked());
    QVERIFY(!option(1)->isChecked());
    QCOMPARE(s.target().caption, std::string_view("RP250"));
    QCOMPARE(form_->model()->rowCount(), int(s.rows().count()));
    QVERIFY(s.rows().row(1).marks[0] != Mark::Change);

    QTest::mouseClick(child<QPushButton>("cmdFilter"), Qt::LeftButton);
    QVERIFY(s.filtered());
    QVERIFY(!child<QPushButton>("cmdFilter")->isEnabled());
    QVERIFY(child<QPushButton>("cmdReset")->isEnabled());
    QCOMPARE(form_->model()->rowCount(), int(s.rows().count()));
    QCOMPARE(child<QLabel>("lbParamCount")->text(), QString::number(s.rows().count()));
    bool blue = false;
    for (int r = 0; r < form_->model()->rowCount() && !blue; ++r)
        for (int c = 0; c < 5; ++c)
            if (form_->model()->index(r, c).data(Qt::ForegroundRole).value<QColor>() ==
                QColor(0, 0, 255))
                blue = true;
    QVERIFY(blue);

    QTest::mouseClick(child<QPushButton>("cmdAmpA"), Qt::LeftButton);
    QCOMPARE(child<QLineEdit>("tbPatchName")->text(), QStringLiteral("Dual_A"));
    QCOMPARE(s.patchName(), std::string("Dual_A"));
    QVERIFY(s.ampChannelChosen());
    QVERIFY(!child<QPushButton>("cmdAmpA")->isEnabled());
    QVERIFY(!child<QPushButton>("cmdAmpB")->isEnabled());
    for (const Row& row : s.rows())
        QVERIFY(row.name().find("Amp B ") == std::string::npos);

    QTest::mouseClick(child<QPushButton>("cmdErrors"), Qt::LeftButton);
    QVERIFY(messenger_->last().startsWith(QStringLiteral("Number of errors ")));
    QCOMPARE(messenger_->messages.back().icon, Icon::Information);

    // Keyboard in the option group chooses too.
    option(5)->setFocus();
    QTest::mouseClick(option(5), Qt::LeftButton);
    QCOMPARE(s.target().caption, std::string_view("RP350"));
    QVERIFY(!s.filtered());
}

void Form1Test::resetBringsBackTheOpenedRows() {
    form_->openFile(copy(QStringLiteral("dual_amp_lead.rp355p")));
    const int opened = form_->model()->rowCount();
    QTest::mouseClick(child<QPushButton>("cmdAmpB"), Qt::LeftButton);
    QVERIFY(form_->model()->rowCount() < opened);
    QCOMPARE(child<QLineEdit>("tbPatchName")->text(), QStringLiteral("Dual_B"));
    QTest::mouseClick(child<QPushButton>("cmdReset"), Qt::LeftButton);
    QCOMPARE(form_->model()->rowCount(), opened);
    QCOMPARE(child<QLineEdit>("tbPatchName")->text(), QStringLiteral("Dual Amp Lead"));
    QVERIFY(child<QPushButton>("cmdAmpA")->isEnabled());
    QVERIFY(child<QPushButton>("cmdFilter")->isEnabled());
    QVERIFY(!form_->session().ampChannelChosen());
}

void Form1Test::saveAsksAndWritesBesideTheOpenedFile() {
    form_->openFile(copy(QStringLiteral("surfs_up.rp255p")));
    const Session& s = form_->session();
    QVERIFY(!child<QPushButton>("cmdReset")->isEnabled());  // an RP255 preset
    QCOMPARE(s.rows().count(), std::size_t(66));
    auto* save = child<QPushButton>("cmdSave");
    const QString target = dir_->filePath(QStringLiteral("Surf's Up.rp255p"));

    messenger_->answers = {Answer::No};
    QTest::mouseClick(save, Qt::LeftButton);
    QCOMPARE(messenger_->last(),
             QStringLiteral("Do you want to save patch name as: Surf's Up.rp255p"));
    QCOMPARE(messenger_->messages.back().icon, Icon::Question);
    QCOMPARE(messenger_->messages.back().buttons, Buttons::YesNo);
    QVERIFY(!QFile::exists(target));

    messenger_->answers = {Answer::Yes};
    QTest::mouseClick(save, Qt::LeftButton);
    QCOMPARE(messenger_->last(), QStringLiteral("Saved to Surf's Up.rp255p"));
    QVERIFY(QFile::exists(target));

    // Saving again asks about overwriting; No cancels.
    messenger_->answers = {Answer::Yes, Answer::No};
    messenger_->messages.clear();
    QTest::mouseClick(save, Qt::LeftButton);
    QCOMPARE(
        messenger_->texts(),
        (QStringList{
            QStringLiteral("Do you want to save patch name as: Surf's Up.rp255p"),
            QStringLiteral(
                "Surf's Up.rp255p Already Exists. Do you want to overwrite the existing file?"),
            QStringLiteral("Saving patch canceled.")}));
    QCOMPARE(messenger_->messages[1].icon, Icon::Critical);

    // A new name typed into the box names the next file.
    QLineEdit* name = child<QLineEdit>("tbPatchName");
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("Beach"));
    QCOMPARE(s.patchName(), std::string("Beach"));
    messenger_->answers = {Answer::Yes};
    QTest::mouseClick(save, Qt::LeftButton);
    QVERIFY(QFile::exists(dir_->filePath(QStringLiteral("Beach.rp255p"))));
}

void Form1Test::saveRefusals() {
    QTest::mouseClick(child<QPushButton>("cmdSave"), Qt::LeftButton);
    QCOMPARE(messenger_->last(), QStringLiteral("Please Load A File First."));
    QCOMPARE(messenger_->messages.back().icon, Icon::Exclamation);

    form_->openFile(copy(QStringLiteral("dual_amp_lead.rp355p")));
    QTest::mouseClick(child<QPushButton>("cmdSave"), Qt::LeftButton);
    QCOMPARE(messenger_->last(), QStringLiteral("Please select an Amp Channel to save."));

    child<QLineEdit>("tbPatchName")->setText(QStringLiteral("a/b"));
    QTest::mouseClick(child<QPushButton>("cmdSave"), Qt::LeftButton);
    QCOMPARE(messenger_->last(),
             QStringLiteral("BAD File Name, /\\][!@#$%^&*()}{][| Not Allowed."));
    QCOMPARE(messenger_->messages.back().icon, Icon::Critical);
}

void Form1Test::exportsWriteBesideThePreset() {
    const QString file = copy(QStringLiteral("metal_zone.rp250p"));
    form_->openFile(file);
    child<QAction>("mnuExport")->trigger();
    const QString text = file + QStringLiteral(".txt");
    QCOMPARE(messenger_->last(), QStringLiteral("Saved to ") + text);
    QVERIFY(QFile::exists(text));
    QCOMPARE(child<QPushButton>("cmdFilter")->isEnabled(), form_->session().buttons().filter);

    messenger_->answers = {Answer::Yes};
    child<QAction>("mnuExportData")->trigger();
    QCOMPARE(messenger_->last(), QStringLiteral("Saved to ") + text);
    QFile written(text);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(written.readAll().contains("ID="));
}

void Form1Test::optionsMessage() {
    child<QAction>("mnuOptions")->trigger();
    QCOMPARE(messenger_->messages.size(), std::size_t(1));
    QCOMPARE(messenger_->last(), QStringLiteral("Reserved for future use."));
    QCOMPARE(messenger_->messages.back().icon, Icon::Information);
    QCOMPARE(messenger_->messages.back().buttons, Buttons::Ok);

    // Before any file: the exports say so.
    child<QAction>("mnuExport")->trigger();
    QCOMPARE(messenger_->last(), QStringLiteral("Please select a file first."));
}

void Form1Test::patchNameFollowsTheTextBox() {
    form_->openFile(copy(QStringLiteral("metal_zone.rp250p")));
    QLineEdit* name = child<QLineEdit>("tbPatchName");
    name->clear();
    QCOMPARE(form_->session().patchName(), std::string());
    QTest::keyClicks(name, QStringLiteral("Solo"));
    QCOMPARE(form_->session().patchName(), std::string("Solo"));
    QCOMPARE(name->text(), QStringLiteral("Solo"));
}

void Form1Test::modelSelectPickWritesTheRow() {
    form_->openFile(copy(QStringLiteral("dual_amp_lead.rp355p")));
    const Session& s = form_->session();
    const int amp = rowOf("2496", "8");
    QVERIFY(amp > 0);
    const Row before = s.rows().row(std::size_t(amp));

    doubleClickRow(amp);
    QCOMPARE(s.selectedIndex(), amp);
    ui::Form2* dialog = form_->modelSelect();
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    QVERIFY(!dialog->isModal());
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Model Select"));
    QTRY_COMPARE(dialog->frameGeometry().size(), QSize(330, 82));
    auto* cboAmp = dialog->findChild<QComboBox*>(QStringLiteral("cboAmp"));
    QVERIFY(cboAmp);
    QVERIFY(cboAmp->isVisible());
    QVERIFY(cboAmp->isEditable());
    QCOMPARE(cboAmp->insertPolicy(), QComboBox::NoInsert);
    QCOMPARE(cboAmp->geometry(), QRect(16, 16, 185, 21));
    QCOMPARE(cboAmp->currentText(), QStringLiteral("Select Amp Model"));
    QCOMPARE(dialog->findChildren<QComboBox*>().size(), qsizetype(13));
    for (QComboBox* other : dialog->findChildren<QComboBox*>()) {
        QCOMPARE(other->geometry().topLeft(), QPoint(16, 16));
        if (other != cboAmp) QVERIFY2(!other->isVisible(), qPrintable(other->objectName()));
    }
    auto* cancel = dialog->findChild<QPushButton*>(QStringLiteral("cmdCancel"));
    QCOMPARE(cancel->geometry(), QRect(216, 16, 89, 25));
    QCOMPARE(cancel->text(), QStringLiteral("Cancel"));

    // The main window stays usable while the dialog is open.
    QVERIFY(form_->isEnabled());

    // Pick "83 JCM800" from the drop-down list with the mouse.
    const int jcm = cboAmp->findText(QStringLiteral("83 JCM800"));
    QVERIFY(jcm >= 0);
    cboAmp->showPopup();
    QAbstractItemView* popup = cboAmp->view();
    QVERIFY(QTest::qWaitForWindowExposed(popup->window()));
    const QModelIndex entry = popup->model()->index(jcm, 0);
    popup->scrollTo(entry);
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, popup->visualRect(entry).center());

    const Row& after = s.rows().row(std::size_t(amp));
    QCOMPARE(cell(after, kSetting), QStringLiteral("83 JCM800"));
    QCOMPARE(cell(after, kValue), QStringLiteral("317"));
    QCOMPARE(after.name(), before.name());
    QCOMPARE(after.id(), before.id());
    QCOMPARE(after.position(), before.position());
    QCOMPARE(form_->model()->index(amp - 1, kSetting).data().toString(),
             QStringLiteral("83 JCM800"));
    QCOMPARE(form_->model()->index(amp - 1, kSetting).data(Qt::ForegroundRole).value<QColor>(),
             QColor(0, 0, 255));
    QCOMPARE(form_->model()->index(amp - 1, kValue).data(Qt::ForegroundRole).value<QColor>(),
             QColor(0, 0, 255));
    QVERIFY(form_->model()
                ->index(amp - 1, kValue)
                .data(Qt::ToolTipRole)
                .toString()
                .startsWith(QStringLiteral("Changed")));
    QCOMPARE(s.selectedIndex(), 0);
    QVERIFY(form_->modelSelect());  // kept loaded ...
    QVERIFY(!dialog->isVisible());  // ... but hidden
    QVERIFY(!cboAmp->isVisible());
}

void Form1Test::modelSelectKeepsOrUnloads() {
    form_->openFile(copy(QStringLiteral("dual_amp_lead.rp355p")));
    const int amp = rowOf("2496", "8");
    doubleClickRow(amp);
    ui::Form2* dialog = form_->modelSelect();
    auto* cboAmp = dialog->findChild<QComboBox*>(QStringLiteral("cboAmp"));
    // The arrow key moves the selection: that is a pick as well.
    QTest::keyClick(cboAmp, Qt::Key_Down);
    QCOMPARE(form_->session().rows().row(std::size_t(amp)).setting(),
             std::string("57 Tweed Champ"));
    QVERIFY(!dialog->isVisible());

    // Opened again it is the same dialog, showing the picked name.
    doubleClickRow(amp);
    QCOMPARE(form_->modelSelect(), dialog);
    QVERIFY(cboAmp->isVisible());
    QCOMPARE(cboAmp->currentText(), QStringLiteral("57 Tweed Champ"));

    // Cancel unloads it; the row keeps its selection.
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdCancel")), Qt::LeftButton);
    flushDeletes();
    QVERIFY(!form_->modelSelect());
    QCOMPARE(form_->session().selectedIndex(), amp);

    doubleClickRow(amp);
    dialog = form_->modelSelect();
    QVERIFY(dialog);
    QCOMPARE(dialog->findChild<QComboBox*>(QStringLiteral("cboAmp"))->currentText(),
             QStringLiteral("Select Amp Model"));

    // The close box (or Esc) unloads it too.
    dialog->close();
    flushDeletes();
    QVERIFY(!form_->modelSelect());
}

void Form1Test::modelSelectTypingPicksNothing() {
    form_->openFile(copy(QStringLiteral("dual_amp_lead.rp355p")));
    const int amp = rowOf("2496", "8");
    const std::string setting = form_->session().rows().row(std::size_t(amp)).setting();
    doubleClickRow(amp);
    auto* cboAmp = form_->modelSelect()->findChild<QComboBox*>(QStringLiteral("cboAmp"));
    cboAmp->lineEdit()->clear();
    QTest::keyClicks(cboAmp->lineEdit(), QStringLiteral("83 JCM800"));
    QTest::keyClick(cboAmp->lineEdit(), Qt::Key_Return);
    QCOMPARE(form_->session().rows().row(std::size_t(amp)).setting(), setting);
    QVERIFY(form_->modelSelect()->isVisible());
    QCOMPARE(form_->session().selectedIndex(), amp);

    // A pick when SelectedIndex names no row (the last row was removed) writes nothing.
    const int last = int(form_->session().rows().count());
    clickRow(last);
    lv()->setFocus();
    QTest::keyClick(lv(), Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(form_->session().selectedIndex(), last);
    QVERIFY(!form_->session().rows().hasRow(last));
    emit cboAmp->activated(3);
    for (const Row& row : form_->session().rows())
        for (Mark mark : row.marks)
            QVERIFY(mark != Mark::Change);
    QCOMPARE(form_->session().selectedIndex(), 0);
    QVERIFY(!form_->modelSelect()->isVisible());
}

void Form1Test::doubleClickOpensOnlyModelSelectRows() {
    form_->openFile(copy(QStringLiteral("dual_amp_lead.rp355p")));
    // Amp Gain has no block.
    doubleClickRow(rowOf("2497", "8"));
    QVERIFY(!form_->modelSelect());
    // The pedal block belongs to ID 8194 at Position 19 only.
    doubleClickRow(rowOf("8194", "20"));
    QVERIFY(!form_->modelSelect());
    const int pedal = rowOf("8194", "19");
    QVERIFY(pedal > 0);
    doubleClickRow(pedal);
    QVERIFY(form_->modelSelect());
    auto* cboPedal = form_->modelSelect()->findChild<QComboBox*>(QStringLiteral("cboPedal"));
    QVERIFY(cboPedal->isVisible());
    QCOMPARE(cboPedal->currentText(), QStringLiteral("Select Pedal Assignment"));
    const int gain = cboPedal->findText(QStringLiteral("Amp Gain"));
    QVERIFY(gain >= 0);
    cboPedal->setCurrentIndex(gain);
    emit cboPedal->activated(gain);
    QCOMPARE(form_->session().rows().row(std::size_t(pedal)).value(), std::string("526785"));

    // Opening a second block while the first is still open shows both lists.
    doubleClickRow(rowOf("2496", "8"));
    const int cabinet = rowOf("2560", "9");
    QVERIFY(cabinet > 0);
    doubleClickRow(cabinet);
    QVERIFY(form_->modelSelect()->findChild<QComboBox*>(QStringLiteral("cboAmp"))->isVisible());
    QVERIFY(form_->modelSelect()->findChild<QComboBox*>(QStringLiteral("cboCAB"))->isVisible());
}

void Form1Test::copyAndDeleteKeys() {
    form_->openFile(copy(QStringLiteral("metal_zone.rp250p")));
    const Session& s = form_->session();
    const std::size_t count = s.rows().count();
    QClipboard* clipboard = QGuiApplication::clipboard();
    const auto line = [&s](std::size_t n) {
        QStringList cells;
        for (const std::string& c : s.rows().row(n).cells)
            cells << QString::fromStdString(c);
        return cells.join(QStringLiteral(", "));
    };

    // Nothing selected: the keys do nothing.
    clipboard->setText(QStringLiteral("untouched"));
    lv()->setFocus();
    QTest::keyClick(lv(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("untouched"));

    clickRow(3);
    QCOMPARE(s.selectedIndex(), 3);
    QTest::keyClick(lv(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), line(3));
    QCOMPARE(form_->clipboardLine(), line(3));

    const QString fourth = line(4);
    QTest::keyClick(lv(), Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(s.rows().count(), count - 1);
    QCOMPARE(form_->model()->rowCount(), int(count - 1));
    QCOMPARE(child<QLabel>("lbParamCount")->text(), QString::number(count - 1));
    QTest::keyClick(lv(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(clipboard->text(), fourth);

    // Without Ctrl the keys remove and copy nothing.
    QTest::keyClick(lv(), Qt::Key_Delete);
    QTest::keyClick(lv(), Qt::Key_C);
    QCOMPARE(s.rows().count(), count - 1);
    QCOMPARE(clipboard->text(), fourth);

    // After the last row is gone, the keys do nothing.
    clickRow(int(count - 1));
    QTest::keyClick(lv(), Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(s.rows().count(), count - 2);
    QTest::keyClick(lv(), Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(s.rows().count(), count - 2);
}

void Form1Test::aboutBox() {
    child<QAction>("mnuAbout")->trigger();
    ui::FrmAbout* about = form_->about();
    QVERIFY(about);
    QVERIFY(QTest::qWaitForWindowExposed(about));
    QVERIFY(!about->isModal());
    QCOMPARE(about->windowTitle(), QStringLiteral("About Patchwright"));
    QCOMPARE(about->size(), QSize(382, 237));
    QVERIFY(!about->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!about->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    const QString version = ui::versionText();
    QVERIFY(form_->windowTitle().endsWith(QLatin1Char(' ') + version));
    QCOMPARE(about->findChild<QLabel*>(QStringLiteral("lblTitle"))->text(),
             QStringLiteral("Patchwright"));
    QCOMPARE(about->findChild<QLabel*>(QStringLiteral("lblVersion"))->text(),
             QStringLiteral("Version ") + version);
    const QString description = about->findChild<QLabel*>(QStringLiteral("lblDescription"))->text();
    QVERIFY(description.startsWith(QStringLiteral("Acknowledgements:\r\n\r\n")));
    QCOMPARE(description.count(QStringLiteral("\r\n")), 4);
    QVERIFY(!about->findChild<QLabel*>(QStringLiteral("lblDisclaimer"))->text().isEmpty());
    QVERIFY(about->findChild<QWidget*>(QStringLiteral("Line1")));
    QVERIFY(!about->findChild<QLabel*>(QStringLiteral("picIcon"))->pixmap().isNull());
    auto* ok = about->findChild<QPushButton*>(QStringLiteral("cmdOK"));
    QVERIFY(ok->isDefault());
    QCOMPARE(ok->geometry(), QRect(283, 175, 84, 23));

    // One at most.
    child<QAction>("mnuAbout")->trigger();
    QCOMPARE(form_->about(), about);
    QCOMPARE(QApplication::topLevelWidgets().count(about), 1);

    QTest::keyClick(about, Qt::Key_Escape);
    flushDeletes();
    QVERIFY(!form_->about());

    // Enter presses OK.
    child<QAction>("mnuAbout")->trigger();
    QTest::keyClick(form_->about(), Qt::Key_Return);
    flushDeletes();
    QVERIFY(!form_->about());
}

void Form1Test::shutDownClosesEverything() {
    form_->openFile(copy(QStringLiteral("dual_amp_lead.rp355p")));
    doubleClickRow(rowOf("2496", "8"));
    child<QAction>("mnuAbout")->trigger();
    QVERIFY(form_->modelSelect() && form_->about());
    clickRow(2);
    QTest::keyClick(lv(), Qt::Key_C, Qt::ControlModifier);
    QVERIFY(!QGuiApplication::clipboard()->text().isEmpty());

    child<QAction>("mnuFileExit")->trigger();
    flushDeletes();
    QVERIFY(!form_->isVisible());
    QVERIFY(!form_->modelSelect());
    QVERIFY(!form_->about());
    QCOMPARE(QGuiApplication::clipboard()->text(), QString());
}

void Form1Test::shutDownLeavesForeignClipboard() {
    form_->openFile(copy(QStringLiteral("metal_zone.rp250p")));
    clickRow(1);
    QTest::keyClick(lv(), Qt::Key_C, Qt::ControlModifier);
    QGuiApplication::clipboard()->setText(QStringLiteral("copied elsewhere"));
    form_->close();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("copied elsewhere"));
}

void Form1Test::dropOpensTheFile() {
    const QString file = copy(QStringLiteral("big_verb.rp350p"));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(file)});
    const QPointF at(100, 100);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form_.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form_.get(), &drop);
    QCOMPARE(form_->session().sourceRoot(), std::string("RP350Preset"));
    QCOMPARE(form_->model()->rowCount(), int(form_->session().rows().count()));
    QVERIFY(form_->model()->rowCount() > 0);
}

void Form1Test::modelPassesTheTester() {
    QAbstractItemModelTester tester(form_->model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    form_->openFile(copy(QStringLiteral("dual_amp_lead.rp355p")));
    QTest::mouseClick(option(4), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>("cmdFilter"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>("cmdAmpA"), Qt::LeftButton);
    clickRow(2);
    lv()->setFocus();
    QTest::keyClick(lv(), Qt::Key_Delete, Qt::ControlModifier);
    QTest::mouseClick(child<QPushButton>("cmdReset"), Qt::LeftButton);
    form_->openFile(copy(QStringLiteral("crunch_time.rp150p")));
    form_->openFile(copy(QStringLiteral("reverse_dream.rp500p")));
    QTest::mouseClick(option(2), Qt::LeftButton);
    QVERIFY(form_->model()->rowCount() > 0);
}

void Form1Test::largePresetStaysQuick() {
    // 30,000 parameters: open, check and show.
    const QString file = dir_->filePath(QStringLiteral("large.rp255p"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        "<RP255Preset SchemaVersion=\"1.2\" xmlns=\"http://www.digitech.com/xml/preset\">\n"
        "  <Name>Large</Name>\n  <Params>\n");
    for (int i = 0; i < 30000; ++i)
        out.write(QStringLiteral("    <Param><ID>%1</ID><Position>%2</Position><Value>%3</Value>"
                                 "<Name>Param %4</Name><Text>%3</Text></Param>\n")
                      .arg(2497 + i % 5)
                      .arg(8)
                      .arg(i % 100)
                      .arg(i)
                      .toUtf8());
    out.write("  </Params>\n</RP255Preset>\n");
    out.close();

    // The session opens and checks; what the window adds is showing the rows.
    form_->session().openFile(file.toStdString());
    QElapsedTimer timer;
    timer.start();
    form_->refresh();
    QCoreApplication::processEvents();
    const qint64 ms = timer.elapsed();
    qInfo("showing 30000 rows: %lld ms (sanitized debug build)", ms);
    QCOMPARE(form_->model()->rowCount(), 30000);
    QCOMPARE(child<QLabel>("lbParamCount")->text(), QStringLiteral("30000"));
    QVERIFY(ms < 1000);
}

namespace {

// Whether a control's caption fits in it, whatever the font turned out to be.
bool fits(const QWidget* w, const QString& text, int margin) {
    const QFontMetrics metrics = w->fontMetrics();
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\n")));
    int wide = 0;
    for (const QString& line : lines)
        wide = std::max(wide, metrics.horizontalAdvance(line));
    return wide + margin <= w->width() && metrics.height() * int(lines.size()) <= w->height();
}

}  // namespace

void Form1Test::textsFit() {
    form_->openFile(copy(QStringLiteral("dual_amp_lead.rp355p")));
    for (QPushButton* b : form_->findChildren<QPushButton*>())
        QVERIFY2(fits(b, b->text(), 8), qPrintable(b->objectName()));
    for (QRadioButton* op : form_->findChildren<QRadioButton*>())
        QVERIFY2(fits(op, op->text(), 20), qPrintable(op->text()));
    for (const char* name : {"Label3", "Label4", "lbParamCount"}) {
        auto* l = child<QLabel>(name);
        QVERIFY2(fits(l, l->text(), 0), name);
    }
    // Label3 ends before Label4 begins.
    auto* label3 = child<QLabel>("Label3");
    QVERIFY(label3->x() + label3->fontMetrics().horizontalAdvance(label3->text()) <
            child<QLabel>("Label4")->x());

    child<QAction>("mnuAbout")->trigger();
    for (QLabel* l : form_->about()->findChildren<QLabel*>()) {
        if (l->objectName() == QLatin1String("picIcon")) continue;
        if (l->wordWrap()) {
            const QRect needed = l->fontMetrics().boundingRect(QRect(0, 0, l->width(), 10000),
                                                               Qt::TextWordWrap, l->text());
            QVERIFY2(needed.height() <= l->height(), qPrintable(l->objectName()));
        } else {
            QVERIFY2(fits(l, l->text(), 0), qPrintable(l->objectName()));
        }
    }
}

void Form1Test::messageBoxes() {
    ui::QtMessenger messenger(form_.get());
    QString title, informative;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool noIsDefault = false;
    const auto inspect = [&](QMessageBox::StandardButton expectedDefault) {
        QTimer::singleShot(0, [&, expectedDefault] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            title = box->windowTitle();
            icon = box->icon();
            informative = box->detailedText();
            noIsDefault = box->defaultButton() == box->button(expectedDefault);
            QTest::keyClick(box, Qt::Key_Return);  // the default button
        });
    };

    inspect(QMessageBox::No);
    const Answer answer = messenger.show(
        Message{"Do you want to save patch name as: x.rp255p", Icon::Question, Buttons::YesNo, {}});
    QCOMPARE(answer, Answer::No);
    QCOMPARE(title, QStringLiteral("Patchwright"));
    QCOMPARE(icon, QMessageBox::Question);
    QVERIFY(noIsDefault);

    inspect(QMessageBox::Ok);
    QCOMPARE(messenger.show(Message{"Saved to x", Icon::Information, Buttons::Ok, "detail"}),
             Answer::Ok);
    QCOMPARE(icon, QMessageBox::Information);
    QCOMPARE(informative, QStringLiteral("detail"));

    inspect(QMessageBox::Ok);
    messenger.show(Message{"Please Load A File First.", Icon::Exclamation, Buttons::Ok, {}});
    QCOMPARE(icon, QMessageBox::Warning);
    inspect(QMessageBox::Ok);
    messenger.show(Message{"Function Read_Test Failed.", Icon::None, Buttons::Ok, {}});
    QCOMPARE(icon, QMessageBox::NoIcon);
}

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
