// SPDX-License-Identifier: GPL-3.0-or-later
// The window as the user meets it: the keyboard in the list and in Model Select, the
// start-up state, message boxes, and what another open resets.

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <deque>

#include "form1.h"
#include "form2.h"
#include "param_table_model.h"
#include "qt_messenger.h"

using namespace pw;
using pw::ui::Form1;

namespace {

class Recorder : public Messenger {
  public:
    Answer show(const Message& message) override {
        texts << QString::fromStdString(message.text);
        return message.buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
    }
    QStringList texts;
};

// A small RP255 preset: an Amp row and a Gain row, so the list ends well above the
// bottom of the view.
const char* const kSmallPreset =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<RP255Preset SchemaVersion=\"1.2\">\r\n"
    "<Name>Small</Name><Params>"
    "<Param><ID>2496</ID><Position>8</Position><Value>335</Value><Name>Amp</Name>"
    "<Text>Clean</Text></Param>"
    "<Param><ID>2497</ID><Position>8</Position><Value>20</Value><Name>Gain</Name>"
    "<Text>20</Text></Param></Params></RP255Preset>\r\n";

}  // namespace

class FidelityTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        form_ = std::make_unique<Form1>(&recorder_);
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    }
    void cleanup() { form_.reset(); }

    void startsWithTheNameTextAndTheFocusOnSave() {
        QCOMPARE(form_->findChild<QLineEdit*>("tbPatchName")->text(), QStringLiteral("Patch Name"));
        QCOMPARE(form_->session().patchName(), std::string("Patch Name"));
        QCOMPARE(form_->focusWidget(), form_->findChild<QPushButton*>("cmdSave"));
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        QTRY_VERIFY(form_->testAttribute(Qt::WA_KeyboardFocusChange));
        const int pixels = QFontInfo(form_->font()).pixelSize();
        for (QWidget* w : form_->centralWidget()->findChildren<QWidget*>())
            QVERIFY2(QFontInfo(w->font()).pixelSize() == pixels, qPrintable(w->objectName()));
    }

    void keyboardMovesSelectTheRowTheyHighlight() {
        openSmall();
        lv()->setFocus();
        QTest::mouseClick(lv()->viewport(), Qt::LeftButton, {}, rowCenter(0));
        QTest::keyClick(lv(), Qt::Key_Down);
        QCOMPARE(form_->session().selectedIndex(), 2);
        QTest::keyClick(lv(), Qt::Key_Home);
        QCOMPARE(form_->session().selectedIndex(), 1);
        QTest::keyClick(lv(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Amp, Clean, 2496, 8, 335"));
        // Below the rows a double-click opens nothing, whatever row was clicked before.
        QTest::mouseDClick(lv()->viewport(), Qt::LeftButton, {},
                           QPoint(20, lv()->viewport()->height() - 5));
        QVERIFY(!form_->modelSelect());
    }

    void modelSelectPicksOnlyFromTheList() {
        openSmall();
        for (int opening = 0; opening < 2; ++opening) {
            form_->session().clickRow(1);
            form_->lv_DblClick();
            ui::Form2* dialog = form_->modelSelect();
            QVERIFY(dialog && dialog->isVisible());
            QTRY_COMPARE(dialog->frameGeometry().size(), QSize(330, 82));
            auto* cbo = dialog->findChild<QComboBox*>("cboAmp");
            cbo->lineEdit()->selectAll();
            QTest::keyClicks(cbo, QStringLiteral("83 JCM800"));
            QTest::keyClick(cbo, Qt::Key_Return);
            QTest::keyClick(cbo->lineEdit(), Qt::Key_Enter);
            QCOMPARE(form_->session().rows().row(1).setting(), std::string("Clean"));
            QVERIFY(dialog->isVisible());
            dialog->cancelButton()->click();
            QTRY_VERIFY(!form_->modelSelect());
        }
    }

    void pedalListShowsEveryEntryWhole() {
        openSmall();
        form_->session().clickRow(1);
        form_->lv_DblClick();
        auto* cbo = form_->modelSelect()->findChild<QComboBox*>("cboPedal");
        QAbstractItemView* view = cbo->view();
        QCOMPARE(view->textElideMode(), Qt::ElideNone);
        int widest = 0;
        for (int i = 0; i < cbo->count(); ++i)
            widest = std::max(widest, view->fontMetrics().horizontalAdvance(cbo->itemText(i)));
        QVERIFY(widest > cbo->width());
        QVERIFY(view->minimumWidth() > widest);
    }

    void saveNamesTheFileWithoutItsFolder() {
        openSmall();
        form_->findChild<QPushButton*>("cmdSave")->click();
        QCOMPARE(recorder_.texts.last(), QStringLiteral("Saved to Small.rp255p"));
        QVERIFY(QFile::exists(dir_->filePath(QStringLiteral("Small.rp255p"))));
    }

    void anotherOpenStartsAtTheTop() {
        const QString big = dir_->filePath(QStringLiteral("big.rp255p"));
        QFile::copy(QStringLiteral(PW_TEST_DATA_DIR "/surfs_up.rp255p"), big);
        form_->openFile(big);
        lv()->scrollToBottom();
        QVERIFY(lv()->verticalScrollBar()->value() > 0);
        form_->openFile(big);
        QCOMPARE(lv()->verticalScrollBar()->value(), 0);
    }

    void boxShowsTheFixedTextAndWrapsLongPaths() {
        ui::QtMessenger messenger;
        QString text, detailed, informative;
        int width = 0, narrowest = 0;
        auto inspect = [&] {
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(box);
                text = box->text(), detailed = box->detailedText();
                informative = box->informativeText(), width = box->width();
                // The narrowest the text can be laid out: its longest unbreakable run.
                narrowest = box->findChild<QLabel*>("qt_msgbox_label")->minimumSizeHint().width();
                box->accept();
            });
        };
        inspect();
        messenger.show(Message{MessageId::NameLoadError, "Element <Name>*</Name> LoadError", Icon::Critical, Buttons::Ok,
                               "the file does not exist"});
        QCOMPARE(text, QStringLiteral("Element <Name>*</Name> LoadError"));
        QCOMPARE(detailed, QStringLiteral("the file does not exist"));
        QCOMPARE(informative, QString());

        inspect();
        const std::string path = "/home/user/" + std::string(30, 'p') + "/" + std::string(200, 'q');
        messenger.show(Message{MessageId::SavedTo, "Saved to " + path, Icon::Information, Buttons::Ok, {}});
        QVERIFY(width <= QGuiApplication::primaryScreen()->availableGeometry().width());
        QVERIFY(narrowest < width);
        QCOMPARE(text.remove(QChar(0x200B)), QString::fromStdString("Saved to " + path));
    }

  private:
    QTreeView* lv() const { return form_->findChild<QTreeView*>("lv"); }
    QPoint rowCenter(int row) const {
        return lv()->visualRect(form_->model()->index(row, 0)).center();
    }
    void openSmall() {
        const QString file = dir_->filePath(QStringLiteral("small.rp255p"));
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(kSmallPreset);
        out.close();
        form_->openFile(file);
        QCOMPARE(form_->model()->rowCount(), 2);
    }

    Recorder recorder_;
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<Form1> form_;
};

QTEST_MAIN(FidelityTest)
#include "fidelity_test.moc"
