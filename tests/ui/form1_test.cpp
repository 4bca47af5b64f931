// SPDX-License-Identifier: GPL-3.0-or-later
// Drives the real main window end to end, Model Select, the list's keys and mouse, and
// the message boxes; the table model under QAbstractItemModelTester.

#include <QAbstractItemModelTester>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>

#include <QSignalSpy>
#include "captions.h"
#include "compare_window.h"
#include "qt_messenger.h"
#include "window_fixture.h"

using namespace pw;
using Tester = QAbstractItemModelTester;

class Form1Test : public pwui::WindowFixture {
    Q_OBJECT

  private slots:
    void init() { openWindow(); }
    void cleanup() { closeWindow(); }

    // A preset dropped on the window, checked against another target, filtered, one amp
    // channel kept, then a clean preset saved under a name typed into the box. The window's
    // texts as written before a preset is open, and with this two-amp one.
    void endToEnd() {
        Tester tester(form_->model(), Tester::FailureReportingMode::QtTest);
        pwui::compareCaptions(*form_, dir_->path(), "main_window");
        drop({copy(u"dual_amp_lead.rp355p"_s)});
        const Session& s = form_->session();
        QVERIFY(s.sourceRoot() == "RP355Preset" && form_->model()->rowCount() == 95);
        pwui::compareCaptions(*form_, dir_->path(), "main_window_open");

        QTest::mouseClick(option(4), Qt::LeftButton);
        QCOMPARE(s.target().caption, std::string_view("RP250"));
        // The cells carrying `mark`, -1 when a cell shows other text or colour than its row.
        const auto colours = [this, &s](Mark mark) {
            int n = 0;
            for (int r = 0; r < form_->model()->rowCount(); ++r)
                for (int c = 0; c < 5; ++c) {
                    const QModelIndex index = form_->model()->index(r, c);
                    const Row& row = s.rows().row(std::size_t(r) + 1);
                    if (index.data().toString().toStdString() != row.cells[c]) return -1;
                    if (row.marks[c] != mark) continue;
                    const QColor want = mark == Mark::Conflict ? Qt::red : Qt::blue;
                    if (index.data(Qt::ForegroundRole).value<QColor>() != want) return -1;
                    if (index.data(Qt::ToolTipRole).toString().isEmpty()) return -1;
                    ++n;
                }
            return n;
        };
        // Resolve Conflicts is disabled before Filter Patch: captions/main_window_open.txt.
        QVERIFY(colours(Mark::Conflict) > 0);

        click("cmdFilter");
        QVERIFY(s.filtered() && !child<QPushButton>("cmdFilter")->isEnabled());
        QVERIFY(colours(Mark::Change) > 0);
        click("cmdAmpA");
        QCOMPARE(child<QLineEdit>("tbPatchName")->text(), u"Dual_A"_s);
        QVERIFY(!child<QPushButton>("cmdAmpB")->isEnabled());
        QCOMPARE(child<QLabel>("lbParamCount")->text(), QString::number(s.rows().count()));
        click("cmdErrors");
        QVERIFY(said_->last().startsWith(u"Number of errors "_s));
        // Tools > Resolve Conflicts clears what is left.
        auto* resolve = child<QAction>("mnuResolve");
        QVERIFY(resolve->isEnabled());
        resolve->trigger();
        QVERIFY(said_->last().endsWith(u"No conflict is left."_s));
        QCOMPARE(colours(Mark::Conflict), 0);
        QCOMPARE(child<QLabel>("lbParamCount")->text(), QString::number(s.rows().count()));
        click("cmdReset");
        QCOMPARE(form_->model()->rowCount(), 95);
        QCOMPARE(child<QLineEdit>("tbPatchName")->text(), u"Dual Amp Lead"_s);

        windows_->openArguments({copy(u"surfs_up.rp255p"_s)});  // no Library
        QVERIFY(!windows_->library() && form_->model()->rowCount() == 66);
        QTest::mouseClick(option(1), Qt::LeftButton);
        QLineEdit* name = child<QLineEdit>("tbPatchName");
        name->selectAll();
        QTest::keyClicks(name, u"Beach"_s);
        said_->answers = {Answer::Yes};
        click("cmdSave");
        QVERIFY(QFile::exists(dir_->filePath(u"Beach.rp255p"_s)));
        // Every message names its file without the folder, the full path in its details.
        QVERIFY(QDir(dir_->path()).mkdir(u"surfs_up.rp255p.txt"_s));  // in the way
        said_->answers = {Answer::Yes};
        child<QAction>("mnuExport")->trigger();
        // Each as "text | detail" (captions/save_messages.txt).
        QString said;
        for (const Message& m : std::vector(said_->messages.end() - 3, said_->messages.end()))
            said += QString::fromStdString(m.text + " | " + m.detail + "\n");
        pwui::compareWithFile(said.replace(dir_->path(), u"<folder>"_s), "save_messages");
        QVERIFY(QDir(dir_->path()).rmdir(u"surfs_up.rp255p.txt"_s));
        child<QAction>("mnuExportData")->trigger();
        QCOMPARE(said_->last(), u"Saved to surfs_up.rp255p.txt"_s);
        form_->openFile(copy(u"reverse_dream.rp500p"_s));  // a model it only shows
        QVERIFY(form_->model()->rowCount() > 0 && !child<QPushButton>("cmdSave")->isEnabled());
    }

    // At every opening Model Select shows every pedal entry whole (its size and place are
    // highlight_test's), and a name typed into the box with Return or Enter writes nothing;
    // a pick with the mouse in the drop-down list writes the row; Cancel unloads the dialog.
    void modelSelect() {
        form_->openFile(copy(u"dual_amp_lead.rp355p"_s));
        const Session& s = form_->session();
        doubleClickRow(rowOf("2497", "8"));  // Amp Gain has no block
        QVERIFY(!form_->modelSelect());
        const int amp = rowOf("2496", "8");
        const auto open = [&](const char* typed) {
            const std::string before = s.rows().row(std::size_t(amp)).setting();
            doubleClickRow(amp);
            ui::Form2* dialog = form_->modelSelect();
            const QPoint middle = form_->frameGeometry().center();  // the dialog stands over it
            QVERIFY(dialog && (dialog->frameGeometry().center() - middle).manhattanLength() < 3);
            auto* pedal = dialog->findChild<QComboBox*>("cboPedal");
            int widest = 0;
            for (int i = 0; i < pedal->count(); ++i)
                widest = std::max(
                    widest, pedal->view()->fontMetrics().horizontalAdvance(pedal->itemText(i)));
            QVERIFY(widest > pedal->width() && pedal->view()->minimumWidth() > widest);
            auto* cbo = dialog->findChild<QComboBox*>("cboAmp");
            cbo->lineEdit()->selectAll();
            QTest::keyClicks(cbo, QLatin1String(typed));
            QTest::keyClick(cbo, Qt::Key_Return);
            QTest::keyClick(cbo->lineEdit(), Qt::Key_Enter);
            QCOMPARE(s.rows().row(std::size_t(amp)).setting(), before);
            QVERIFY(dialog->isVisible());
        };
        open("83 JCM800");
        ui::Form2* dialog = form_->modelSelect();
        pwui::compareCaptions(*dialog, dir_->path(), "model_select");
        pickWithTheMouse(dialog->findChild<QComboBox*>(u"cboAmp"_s), u"83 JCM800"_s);
        QCOMPARE(s.rows().row(std::size_t(amp)).setting(), std::string("83 JCM800"));
        QCOMPARE(s.rows().row(std::size_t(amp)).value(), std::string("317"));
        QCOMPARE(form_->model()->index(amp - 1, kValue).data(Qt::ForegroundRole).value<QColor>(),
                 QColor(0, 0, 255));
        QVERIFY(s.selectedIndex() == 0 && !dialog->isVisible());

        open("65 Blackface Twin");
        QCOMPARE(form_->modelSelect(), dialog);
        QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
        flushDeletes();
        QVERIFY(!form_->modelSelect());
    }

    // A model picked in Model Select keeps the old model's knobs; the Errors button says
    // which of its own are missing, and Resolve Conflicts gives them the old knobs' values in
    // one step that Undo takes back whole.
    void pickedModelGetsItsKnobsOnResolve() {
        form_->openFile(copy(u"surfs_up.rp255p"_s));  // a Rodent: 82, 23, 44
        QTest::mouseClick(option(1), Qt::LeftButton);
        const Session& s = form_->session();
        // Drive, Tone and Level of the Screamer, then the Rodent's Distortion.
        const auto knobs = [this, &s] {
            std::string out;
            for (const char* id : {"2434", "2435", "2436", "2437"}) {
                const int n = rowOf(id, "6");  // the first such row
                out += (out.empty() ? "" : " ") +
                       (n ? s.rows().row(std::size_t(n)).value() : std::string("absent"));
            }
            return out;
        };
        doubleClickRow(rowOf("2432", "6"));
        ui::Form2* dialog = form_->modelSelect();
        QVERIFY(dialog);
        pickWithTheMouse(dialog->findChild<QComboBox*>(u"cboDistortion"_s), u"Screamer TS9"_s);
        QCOMPARE(knobs(), std::string("absent absent absent 82"));
        QCOMPARE(child<QPushButton>("cmdErrors")->toolTip(),
                 u"Missing settings: Dist Type Screamer TS9: no Drive, Tone, Level"_s);

        child<QAction>("mnuResolve")->trigger();
        QVERIFY(said_->last().contains(
            QStringLiteral("Dist Type Screamer TS9: Drive 82 (from Distortion), Tone 23 (from "
                           "Filter), Level 44 (from Volume)")));
        QCOMPARE(knobs(), std::string("82 23 44 absent"));
        QVERIFY(child<QPushButton>("cmdErrors")->toolTip().isEmpty());

        QTest::keyClick(form_.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(knobs(), std::string("absent absent absent 82"));
        QCOMPARE(s.rows().row(std::size_t(rowOf("2432", "6"))).setting(),
                 std::string("Screamer TS9"));
    }

    void keyboardMovesSelectTheRowTheyHighlight() {
        form_->openFile(copy(u"golden/clean.rp250p"_s));  // three rows, the Amp second
        lv()->setFocus();
        clickRow(3);
        for (const auto& [key, selected] :
             {std::pair{Qt::Key_Up, 2}, {Qt::Key_Home, 1}, {Qt::Key_Down, 2}}) {
            QTest::keyClick(lv(), key);
            QCOMPARE(form_->session().selectedIndex(), selected);
        }
        // Below the rows a double-click opens nothing, whatever row was selected before.
        QTest::mouseDClick(lv()->viewport(), Qt::LeftButton, {},
                           QPoint(20, lv()->viewport()->height() - 5));
        QVERIFY(!form_->modelSelect());
    }

    // Ctrl+C and Ctrl+Delete act on the selected row only; at exit the program empties the
    // clipboard only when it still holds the program's own line.
    void listKeysAndClipboardAtExit() {
        const QString zone = copy(u"metal_zone.rp250p"_s);
        form_->openFile(zone);
        Tester tester(form_->model(), Tester::FailureReportingMode::QtTest);
        const Session& s = form_->session();
        const std::size_t count = s.rows().count();
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText(u"untouched"_s);
        lv()->setFocus();
        QTest::keyClick(lv(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), u"untouched"_s);

        clickRow(3);
        QTest::keyClick(lv(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), u"Wah Type, Cry Wah, 128, 3, 132"_s);
        QTest::keyClick(lv(), Qt::Key_Delete);
        QCOMPARE(s.rows().count(), count);
        QTest::keyClick(lv(), Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(form_->model()->rowCount(), int(count - 1));
        QCOMPARE(child<QLabel>("lbParamCount")->text(), QString::number(count - 1));
        QTest::keyClick(lv(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), u"Wah Enable, Off, 129, 3, 0"_s);

        child<QAction>("mnuFileExit")->trigger();
        flushDeletes();
        QCOMPARE(clipboard->text(), QString());
        windows_.reset();
        form_ = std::make_unique<ui::Form1>(said_.get());
        form_->openFile(zone);
        clickRow(3);
        QTest::keyClick(lv(), Qt::Key_C, Qt::ControlModifier);
        clipboard->setText(u"copied elsewhere"_s);
        form_->close();
        QCOMPARE(clipboard->text(), u"copied elsewhere"_s);
    }

    // A patch name too long for the window is cut, the whole line in the tooltip; a short
    // one after it shows whole, and the tooltip goes. The same preset opened again starts
    // at the top. About leaves the window usable.
    void aLongNameIsCutWithTheWholeAsTooltip() {
        const QString shortName = copy(u"surfs_up.rp255p"_s);
        const QString longName = dir_->filePath(u"long.rp255p"_s);
        auto* loaded = child<QLabel>("Label4");
        // Whatever its length, the line stays inside the window, with its margin.
        QByteArray patch;  // the patch name, up to 120 letters long
        for (int n = 40; n <= 120; ++n) {
            writeFile(longName, sample("surfs_up.rp255p").replace("Surf's Up", patch.fill('m', n)));
            form_->openFile(longName);
            QVERIFY(loaded->geometry().right() < loaded->parentWidget()->width() - 8);
        }
        QVERIFY(loaded->toolTip().endsWith(QLatin1String(patch)) &&
                loaded->text() != loaded->toolTip());
        form_->openFile(shortName);
        QVERIFY(loaded->text().endsWith(u"Surf's Up"_s));
        QCOMPARE(loaded->toolTip(), QString());
        lv()->scrollToBottom();
        QVERIFY(lv()->verticalScrollBar()->value() > 0);
        form_->openFile(shortName);
        QCOMPARE(lv()->verticalScrollBar()->value(), 0);

        form_->findChild<QAction*>(u"mnuAbout"_s)->trigger();
        auto* about = form_->findChild<QDialog*>(u"frmAbout"_s);
        QVERIFY(about && about->isVisible());
        pwui::compareCaptions(*about, dir_->path(), "about");
        QVERIFY(!about->isModal());
        about->close();
        // The window's icon is drawn for every size a desktop asks for, none of them scaled.
        const QList<QSize> sizes = form_->windowIcon().availableSizes();
        for (int size : {16, 24, 32, 48, 64, 128, 256})
            QVERIFY2(sizes.contains(QSize(size, size)), qPrintable(QString::number(size)));
    }

    // File > Open, Compare With and Open Folder ask through their dialogs: the preset types
    // listed as the open dialog lists them; a preset chosen opens or is compared, a folder
    // goes to the Library.
    void menusAskThroughTheirDialogs() {
        QString title;
        QStringList filters;
        chooseInFileDialog(copy(u"surfs_up.rp255p"_s), [&](QFileDialog& d) {
            title = d.windowTitle();
            filters = d.nameFilters();
        });
        child<QAction>("mnuFileOpen")->trigger();
        // Its title, then its file types (captions/open_dialog.txt).
        pwui::compareWithFile(title + '\n' + filters.join('\n') + '\n', "open_dialog");
        QCOMPARE(form_->session().patchName(), std::string("Surf's Up"));

        chooseInFileDialog(copy(u"big_verb.rp350p"_s));
        child<QAction>("mnuCompare")->trigger();
        auto* compare = form_->findChild<pw::ui::CompareWindow*>();
        QVERIFY(compare && compare->isVisible() && compare->windowTitle().contains(u"Big Verb"_s));

        QSignalSpy asked(form_.get(), &pw::ui::Form1::libraryRequested);
        chooseInFileDialog(dir_->path());
        child<QAction>("mnuFileOpenFolder")->trigger();
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked.first().first().toStringList(), QStringList{dir_->path()});
        form_->close();  // and the main window closed closes the other windows
        QVERIFY(!compare->isVisible());
    }

    // Each box: the program's title, the icon asked for, No the default of a question, the
    // reason in the details area only, and a long path wrapped within the screen.
    void messageBoxes() {
        ui::QtMessenger messenger(form_.get());
        QString title, text, detailed, informative;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        bool defaultAsked = false;
        int width = 0, narrowest = 0;
        // Shows a message; No is the default a question must have, OK that of the others.
        const auto show = [&](MessageId id, const std::string& said, Icon asked,
                              Buttons buttons = Buttons::Ok, const std::string& detail = {}) {
            const auto expectedDefault =
                buttons == Buttons::YesNo ? QMessageBox::No : QMessageBox::Ok;
            QTimer::singleShot(0, [&, expectedDefault] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(box);
                title = box->windowTitle(), icon = box->icon();
                text = box->textFormat() == Qt::PlainText ? box->text() : QString();  // as written
                detailed = box->detailedText(), informative = box->informativeText();
                width = box->width();
                // The narrowest the text can be laid out: its longest unbreakable run.
                narrowest = box->findChild<QLabel*>("qt_msgbox_label")->minimumSizeHint().width();
                defaultAsked = box->defaultButton() == box->button(expectedDefault);
                QTest::keyClick(box, Qt::Key_Return);  // the default button
            });
            return messenger.show({id, said, asked, buttons, detail});
        };

        QCOMPARE(show(MessageId::SavedTo, "Do you want to save patch name as: x.rp255p",
                      Icon::Question, Buttons::YesNo),
                 Answer::No);
        QVERIFY(title == u"Patchwright"_s && icon == QMessageBox::Question);
        QVERIFY(defaultAsked);

        QCOMPARE(show(MessageId::NameLoadError, "Element <Name>*</Name> LoadError", Icon::Critical,
                      Buttons::Ok, "the file does not exist"),
                 Answer::Ok);
        QCOMPARE(icon, QMessageBox::Critical);
        // The text, the reason underneath, nothing besides them.
        QCOMPARE(text + '|' + detailed + '|' + informative,
                 u"Element <Name>*</Name> LoadError|the file does not exist|"_s);

        const std::string path = "/home/user/" + std::string(30, 'p') + "/" + std::string(200, 'q');
        show(MessageId::SavedTo, "Saved to " + path, Icon::Information);
        QCOMPARE(icon, QMessageBox::Information);
        QVERIFY(width <= QGuiApplication::primaryScreen()->availableGeometry().width());
        QVERIFY(narrowest < width);
        int run = 0, longest = 0;  // no more than 40 characters go without a place to break
        for (const QChar c : text)
            longest = std::max(longest, run = c.isSpace() || c == QChar(0x200B) ? 0 : run + 1);
        QCOMPARE(longest, 40);
        QCOMPARE(text.count(QChar(0x200B)), 3 + 4);  // after each folder; in the 200 q's
        QCOMPARE(text.remove(QChar(0x200B)), QString::fromStdString("Saved to " + path));
        const std::string fits = "/home/user/" + std::string(29, 'p');  // 40 characters
        show(MessageId::SavedTo, "Saved to " + fits, Icon::Information);
        QCOMPARE(text, QString::fromStdString("Saved to " + fits));  // as it is, no break marks

        // A long report scrolls inside a box that fits the screen (also at a scale factor
        // of 2, see the test list), its OK on the screen.
        std::string report =
            "Resolve Conflicts: 80 models substituted, 0 rows removed.\n\nSubstituted:";
        for (int i = 1; i <= 80; ++i)
            report += "\nRow " + std::to_string(i) + " Amp Type: 1 (1) -> 2 (2), closest";
        report += " of the same character";  // the widest line
        QRect boxPlace, okPlace;
        bool scrolls = false, wholeWidth = false;
        QString said;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();  // there, or the test fails
            boxPlace = box->frameGeometry();
            const QAbstractButton* ok = box->findChild<QDialogButtonBox*>()->buttons().first();
            okPlace = QRect(ok->mapToGlobal(QPoint(0, 0)), ok->size());
            const auto* area = box->findChild<QPlainTextEdit*>(u"lines"_s);
            scrolls = area && area->verticalScrollBar()->maximum() > 0 &&
                      !area->toPlainText().contains(u"No conflict"_s);
            // Its widest line whole, where the screen has room.
            wholeWidth =
                area && (area->horizontalScrollBar()->maximum() == 0 ||
                         box->width() >= box->screen()->availableGeometry().width() * 2 / 3);
            // The first paragraph beside the icon above the lines, the last below them (the
            // title and the window's sizes, which vary with the scale, left out).
            const auto labels = box->findChildren<QLabel*>();
            if (labels.size() == 3 && labels[0]->geometry().right() < labels[1]->x())
                said = pwui::captionsOf(*box, dir_->path()).section('\n', 2);
            QTest::keyClick(box, Qt::Key_Return);
        });
        report += "\n\nNo conflict is left.";
        messenger.show({MessageId::ResolveSummary, report, Icon::Information, Buttons::Ok, {}});
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(screen.contains(boxPlace) && screen.contains(okPlace) && scrolls && wholeWidth);
        pwui::compareWithFile(said, "long_message");
        // Sixteen lines make a report, however large the font, its first line above the
        // rest, all in sight where the screen has room; two fit a plain box, and so do
        // fifteen where they take no more than half the screen (not at a scale of 2).
        const bool scaled = qEnvironmentVariableIsSet("QT_SCALE_FACTOR");
        for (const int count : {2, 15, 16}) {
            const std::string many = "first" + u"\nline"_s.repeated(count - 1).toStdString();
            QString kind, above;
            bool inSight = false;
            QTimer::singleShot(0, [&] {
                QWidget* box = QApplication::activeModalWidget();  // there, or the test fails
                kind = box->objectName();
                const auto* lines = box->findChild<QPlainTextEdit*>();  // the rest below
                const int room = box->screen()->availableGeometry().height() * 2 / 3;
                inSight = lines && (lines->verticalScrollBar()->maximum() == 0 ||
                                    box->height() >= room);  // or as tall as it may be
                const QList<QLabel*> labels = box->findChildren<QLabel*>();
                above = labels.value(1)->text() + '|' +
                        (lines ? lines->toPlainText().section('\n', 0, 0) : QString());
                // "|i" for the glyph of an information, drawn as a message box draws it.
                const QIcon info = box->style()->standardIcon(QStyle::SP_MessageBoxInformation);
                above += labels[0]->pixmap().toImage() == info.pixmap(32).toImage() ? "|i" : "";
                QTest::keyClick(box, Qt::Key_Return);
            });
            messenger.show({MessageId::ResolveSummary, many, Icon::Information, Buttons::Ok, {}});
            QCOMPARE(kind == u"longMessage"_s, count == 16 || (count == 15 && scaled));
            if (count == 16) QVERIFY(above == u"first|line|i"_s && inSight);
        }

        show(MessageId::SavedTo, "Please Load A File First.", Icon::Exclamation);
        QCOMPARE(icon, QMessageBox::Warning);
        show(MessageId::SavedTo, "Function Read_Test Failed.", Icon::None);
        QCOMPARE(icon, QMessageBox::NoIcon);
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
