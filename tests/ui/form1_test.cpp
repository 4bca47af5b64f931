// SPDX-License-Identifier: GPL-3.0-or-later
// Drives the real main window once end to end, Model Select and the list keys, with the
// messages recorded and the questions answered by a script; the table model under
// QAbstractItemModelTester.

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QUrl>
#include <deque>
#include <memory>

#include "form1.h"
#include "form2.h"
#include "param_table_model.h"
#include "pw_version.h"
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

// Fields set by name, so that the test does not depend on their order.
Message message(std::string text, Icon icon, Buttons buttons, std::string detail = {}) {
    Message m;
    m.text = std::move(text);
    m.icon = icon;
    m.buttons = buttons;
    m.detail = std::move(detail);
    return m;
}

QString cell(const Row& row, int column) {
    return QString::fromStdString(row.cells[column]);
}

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void endToEnd();
    void modelSelectPick();
    void listKeysAndClipboardAtExit();
    void modelPassesTheTester();
    void messageBoxes();

  private:
    QString copy(const QString& name);
    template <typename T>
    T* child(const char* name) const {
        T* w = form_->findChild<T*>(QLatin1String(name));
        if (!w) qFatal("no control %s", name);
        return w;
    }
    void click(const char* button) {
        QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton);
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

// A preset dropped on the window, checked against another target, filtered, one amp
// channel kept, then a clean preset saved under a name typed into the box.
void Form1Test::endToEnd() {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(copy(QStringLiteral("dual_amp_lead.rp355p")))});
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form_.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form_.get(), &drop);
    const Session& s = form_->session();
    QCOMPARE(s.sourceRoot(), std::string("RP355Preset"));
    QCOMPARE(form_->model()->rowCount(), 95);
    QCOMPARE(child<QLabel>("lbParamCount")->text(), QStringLiteral("95"));
    QCOMPARE(child<QLabel>("Label4")->text(),
             QStringLiteral("RP355Preset Original Patch Name: Dual Amp Lead"));

    QTest::mouseClick(option(4), Qt::LeftButton);
    QCOMPARE(s.target().caption, std::string_view("RP250"));
    // The cells carrying `mark`, -1 when a cell shows other text or colour than its row.
    const auto colours = [this, &s](Mark mark) {
        int n = 0;
        for (int r = 0; r < form_->model()->rowCount(); ++r)
            for (int c = 0; c < 5; ++c) {
                const QModelIndex index = form_->model()->index(r, c);
                const Row& row = s.rows().row(std::size_t(r) + 1);
                if (index.data().toString() != cell(row, c)) return -1;
                if (row.marks[c] != mark) continue;
                const QColor want = mark == Mark::Conflict ? QColor(255, 0, 0) : QColor(0, 0, 255);
                if (index.data(Qt::ForegroundRole).value<QColor>() != want) return -1;
                if (index.data(Qt::ToolTipRole).toString().isEmpty()) return -1;
                ++n;
            }
        return n;
    };
    QVERIFY(colours(Mark::Conflict) > 0);
    QVERIFY(!child<QAction>("mnuResolve")->isEnabled());  // not before Filter Patch

    click("cmdFilter");
    QVERIFY(s.filtered());
    QVERIFY(!child<QPushButton>("cmdFilter")->isEnabled());
    QVERIFY(colours(Mark::Change) > 0);
    click("cmdAmpA");
    QCOMPARE(child<QLineEdit>("tbPatchName")->text(), QStringLiteral("Dual_A"));
    QVERIFY(!child<QPushButton>("cmdAmpB")->isEnabled());
    QCOMPARE(child<QLabel>("lbParamCount")->text(), QString::number(s.rows().count()));
    click("cmdErrors");
    QVERIFY(messenger_->last().startsWith(QStringLiteral("Number of errors ")));
    // Tools > Resolve Conflicts, the last item of the menu, clears what is left.
    auto* resolve = child<QAction>("mnuResolve");
    QCOMPARE(child<QMenu>("mnuTools")->actions().last(), resolve);
    QVERIFY(resolve->isEnabled());
    resolve->trigger();
    QVERIFY(messenger_->last().endsWith(QStringLiteral("No conflict is left.")));
    QCOMPARE(colours(Mark::Conflict), 0);
    QCOMPARE(child<QLabel>("lbParamCount")->text(), QString::number(s.rows().count()));
    click("cmdReset");
    QCOMPARE(form_->model()->rowCount(), 95);
    QCOMPARE(child<QLineEdit>("tbPatchName")->text(), QStringLiteral("Dual Amp Lead"));

    form_->openFile(copy(QStringLiteral("surfs_up.rp255p")));
    QTest::mouseClick(option(1), Qt::LeftButton);
    QLineEdit* name = child<QLineEdit>("tbPatchName");
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("Beach"));
    messenger_->answers = {Answer::Yes};
    click("cmdSave");
    QCOMPARE(messenger_->last(),
             QStringLiteral("Saved to Beach.rp255p"));
}

// A pick with the mouse in the drop-down list writes the row; Cancel unloads the dialog.
void Form1Test::modelSelectPick() {
    form_->openFile(copy(QStringLiteral("dual_amp_lead.rp355p")));
    const Session& s = form_->session();
    doubleClickRow(rowOf("2497", "8"));  // Amp Gain has no block
    QVERIFY(!form_->modelSelect());
    const int amp = rowOf("2496", "8");
    doubleClickRow(amp);
    ui::Form2* dialog = form_->modelSelect();
    QVERIFY(dialog && dialog->isVisible() && !dialog->isModal());
    auto* cboAmp = dialog->findChild<QComboBox*>(QStringLiteral("cboAmp"));
    QCOMPARE(cboAmp->currentText(), QStringLiteral("Select Amp Model"));

    const int jcm = cboAmp->findText(QStringLiteral("83 JCM800"));
    cboAmp->showPopup();
    QAbstractItemView* popup = cboAmp->view();
    QVERIFY(QTest::qWaitForWindowExposed(popup->window()));
    const QModelIndex entry = popup->model()->index(jcm, 0);
    popup->scrollTo(entry);
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, popup->visualRect(entry).center());
    QCOMPARE(s.rows().row(std::size_t(amp)).setting(), std::string("83 JCM800"));
    QCOMPARE(s.rows().row(std::size_t(amp)).value(), std::string("317"));
    QCOMPARE(form_->model()->index(amp - 1, kValue).data(Qt::ForegroundRole).value<QColor>(),
             QColor(0, 0, 255));
    QCOMPARE(s.selectedIndex(), 0);
    QVERIFY(!dialog->isVisible());

    doubleClickRow(amp);
    QCOMPARE(form_->modelSelect(), dialog);
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdCancel")), Qt::LeftButton);
    flushDeletes();
    QVERIFY(!form_->modelSelect());
}

// Ctrl+C and Ctrl+Delete act on the selected row only; at exit the program empties the
// clipboard only when it still holds the program's own line.
void Form1Test::listKeysAndClipboardAtExit() {
    form_->openFile(copy(QStringLiteral("metal_zone.rp250p")));
    const Session& s = form_->session();
    const std::size_t count = s.rows().count();
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("untouched"));
    lv()->setFocus();
    QTest::keyClick(lv(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("untouched"));

    clickRow(3);
    QTest::keyClick(lv(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("Wah Type, Cry Wah, 128, 3, 132"));
    QTest::keyClick(lv(), Qt::Key_Delete);
    QCOMPARE(s.rows().count(), count);
    QTest::keyClick(lv(), Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(form_->model()->rowCount(), int(count - 1));
    QCOMPARE(child<QLabel>("lbParamCount")->text(), QString::number(count - 1));
    QTest::keyClick(lv(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("Wah Enable, Off, 129, 3, 0"));

    child<QAction>("mnuFileExit")->trigger();
    flushDeletes();
    QCOMPARE(clipboard->text(), QString());
    clipboard->setText(QStringLiteral("copied elsewhere"));
    form_ = std::make_unique<Form1>(messenger_.get());
    form_->close();
    QCOMPARE(clipboard->text(), QStringLiteral("copied elsewhere"));
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
        message("Do you want to save patch name as: x.rp255p", Icon::Question, Buttons::YesNo));
    QCOMPARE(answer, Answer::No);
    QCOMPARE(title, QStringLiteral("Patchwright"));
    QCOMPARE(icon, QMessageBox::Question);
    QVERIFY(noIsDefault);

    inspect(QMessageBox::Ok);
    QCOMPARE(messenger.show(message("Saved to x", Icon::Information, Buttons::Ok, "detail")),
             Answer::Ok);
    QCOMPARE(icon, QMessageBox::Information);
    QCOMPARE(informative, QStringLiteral("detail"));

    inspect(QMessageBox::Ok);
    messenger.show(message("Please Load A File First.", Icon::Exclamation, Buttons::Ok));
    QCOMPARE(icon, QMessageBox::Warning);
    inspect(QMessageBox::Ok);
    messenger.show(message("Function Read_Test Failed.", Icon::None, Buttons::Ok));
    QCOMPARE(icon, QMessageBox::NoIcon);
}

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
