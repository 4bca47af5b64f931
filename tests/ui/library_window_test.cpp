// SPDX-License-Identifier: GPL-3.0-or-later
// The Library window driven through its widgets: a folder with a sub-folder, twins, a
// broken file and a pack opened; sorting, searching, the quick filters, another target;
// a preset (and a pack's member) opened in the main window; a conversion with its
// questions, its report and a writer that fails halfway; a scan and a conversion cancelled;
// the window's size, place, columns and keys. It runs on a screen of 1600 x 1000 pixels
// (tests/ui/CMakeLists.txt), with room beside the main window.

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <numeric>

#include "../support/archive_maker.h"
#include "../support/failing_writer.h"
#include "captions.h"
#include "collection/marking.h"
#include "library/archive_reader.h"
#include "library/convert_dialog.h"
#include "library/library_model.h"
#include "library/library_window.h"
#include "library/scan.h"
#include "library/source.h"
#include "library/status_look.h"
#include "library/triage.h"
#include "params/mark_colours.h"
#include "window_fixture.h"
#include "window_placement.h"

using namespace pw;
using ui::LibraryModel;
using ui::LibraryStatus;
using Tester = QAbstractItemModelTester;

namespace {

// The members of a .zip, by name.
QMap<QString, QByteArray> readZip(const QString& file) {
    QMap<QString, QByteArray> members;
    library::ArchiveReader zip(QFile::encodeName(file).toStdString());
    for (library::ArchiveMember m; zip.next(m, [](auto, auto) { return true; });)
        members[QString::fromStdString(m.name)] = QByteArray::fromStdString(m.bytes);
    return members;
}

// The real file system without waiting for the disk: these tests look at which files
// are there and whole, not at how durable they are (syncs wait long on a busy machine).
struct QuickWriter : pwtest::FailingWriter {
    IoResult syncFile(const Path&) override { return {}; }
    IoResult syncFileSystem(const Path&) override { return {}; }
    IoResult syncFolder(const Path&) override { return {}; }
};

}  // namespace

class LibraryWindowTest : public pwui::WindowFixture {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        useOwnSettings();
        // The collection of marks, in a folder of the tests' own.
        qputenv("XDG_DATA_HOME", QFile::encodeName(settingsDir_->filePath(u"data"_s)));
    }
    void init() {
        openWindow();
        makeLibrary();
    }
    void cleanup() {
        library_ = nullptr;
        writer_.failure.reset();
        closeWindow();
    }

    void openFolderAndPackSortAndSearch() {
        open({root_, pack_});
        Tester tester(model(), Tester::FailureReportingMode::QtTest);
        Tester proxyTester(library_->filter(), Tester::FailureReportingMode::QtTest);
        for (const int past : {-1, int(LibraryModel::ColumnCount)})  // no title past the columns
            QVERIFY(!model()->headerData(past, Qt::Horizontal).isValid());
        QCOMPARE(model()->rowCount(), 10);
        // Each row's status is anotherTargetDuringTheScan's; the broken preset's and the pack
        // member's model show through the quick filters below.
        // The twins share a group, and nothing else is in one.
        const auto group = [&](const char* file) {
            return model()->index(rowNamed(file), LibraryModel::Duplicate).data();
        };
        QVERIFY(group("surfs_up.rp255p").isValid());
        QCOMPARE(group("surfs_up.rp255p"), group("more/twin.rp255p"));
        QVERIFY(!group("big_verb.rp350p").isValid());
        QTRY_VERIFY(lib<QLabel>("countLine")->text().startsWith(u"10 presets: "_s));
        const QString read = library_->statusBar()->currentMessage();
        const QRegularExpression said(u"^10 presets read in \\d+\\.\\d s; 1 other file skipped$"_s);
        QVERIFY2(said.match(read).hasMatch(), qPrintable(read));
        const QList<QTimer*> timers = library_->findChildren<QTimer*>();  // idle, nothing runs
        QTRY_VERIFY(std::none_of(timers.begin(), timers.end(), std::mem_fn(&QTimer::isActive)));
        // Results for a row it does not have (of a scan since replaced) change nothing, and
        // an empty batch adds nothing.
        QSignalSpy changed(model(), &QAbstractItemModel::dataChanged);
        QSignalSpy inserted(model(), &QAbstractItemModel::rowsAboutToBeInserted);
        model()->setTriages({{10, {}}});
        model()->setOutcomes({{10, {}}});
        model()->setMarks({{10, {}}});
        model()->append({});
        QCOMPARE(changed.count() + inserted.count(), 0);
        // A notice for each run of rows changed: three rows apart, three notices.
        model()->setTriages({{0, model()->entry(0).triage},
                             {2, model()->entry(2).triage},
                             {4, model()->entry(4).triage}});
        QCOMPARE(changed.count(), 3);

        // A click on the header sorts by name, another the other way.
        QHeaderView* header = library_->table()->horizontalHeader();
        const auto clickHeader = [&](int column) {
            QTest::mouseClick(
                header->viewport(), Qt::LeftButton, {},
                QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
        };
        const auto caseless = [](const QString& a, const QString& b) {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        };
        clickHeader(LibraryModel::Name);
        const QStringList names = shown(LibraryModel::Name);
        QVERIFY2(std::is_sorted(names.begin(), names.end(), caseless),
                 qPrintable(names.join(QLatin1Char('|'))));
        clickHeader(LibraryModel::Name);
        QCOMPARE(shown(LibraryModel::Name), QStringList(names.rbegin(), names.rend()));
        // By status, and within one status by the number of changes, fewest first.
        clickHeader(LibraryModel::Status);
        std::vector<std::pair<int, std::size_t>> statuses;
        for (int r = 0; r < library_->filter()->rowCount(); ++r) {
            const QModelIndex at = library_->filter()->mapToSource(library_->filter()->index(r, 0));
            const pw::ui::TriageView& t = model()->entry(at.row()).triage;
            statuses.emplace_back(int(t.status), t.substitutions + t.removals);
        }
        QVERIFY(std::is_sorted(statuses.begin(), statuses.end()));
        // The text columns by their text, letter case ignored; twins first, by group.
        for (const int column :
             {LibraryModel::Model, LibraryModel::Uses, LibraryModel::Style, LibraryModel::File}) {
            clickHeader(column);
            const QStringList texts = shown(column);
            QVERIFY2(std::is_sorted(texts.begin(), texts.end(), caseless),
                     qPrintable(texts.join(QLatin1Char('|'))));
        }
        clickHeader(LibraryModel::Duplicate);
        QCOMPARE(shown(LibraryModel::Duplicate).mid(0, 5).join(QLatin1Char('|')), u"1|1|2|2|"_s);

        // Ctrl+F, then typing filters as it goes; Escape brings every row back.
        QTest::keyClick(library_, Qt::Key_F, Qt::ControlModifier);
        auto* search = lib<QLineEdit>("search");
        QCOMPARE(QApplication::focusWidget(), search);
        // The files shown once `text` is typed in place of what the field held.
        const auto find = [&](const QString& text) {
            search->clear();
            QTest::keyClicks(search, text);
            return shown(LibraryModel::File);
        };
        QCOMPARE(find(u"rp15"_s), QStringList{u"crunch_time.rp150p"_s});
        QTest::keyClick(search, Qt::Key_Escape);
        QCOMPARE(library_->filter()->rowCount(), 10);
        QCOMPARE(find(u"lead.rp355"_s).size(), 2);  // a file and a pack's member
        QTRY_VERIFY(lib<QLabel>("countLine")->text().startsWith(u"2 of 10 presets: "_s));
        QTest::keyClick(library_, Qt::Key_F, Qt::ControlModifier);  // again: typing replaces
        QTest::keyClicks(search, u"rp15"_s);
        QCOMPARE(search->text(), u"rp15"_s);
        // Accents, letter case and folder names are the core's matching (library_search.tsv,
        // search_folding.tsv).
        // What a preset is, read from its rows, is a column and a word to search for.
        QCOMPARE(find(u"style:\"gain, modulated, ambient\" -model:rp355"_s),
                 QStringList{u"metal_zone.rp250p"_s});
        QCOMPARE(shown(LibraryModel::Style), QStringList{u"high gain, modulated, ambient"_s});
        // The row the field's hint offers: once typing pauses, the presets holding it (one in
        // the folder, and the pack's copy of it).
        const QString hint = search->placeholderText();
        find(hint.mid(hint.indexOf(u"such as "_s) + 8));
        QTRY_COMPARE(shown(LibraryModel::Model), QStringList(2, u"RP355"_s));
        QTRY_VERIFY(std::none_of(timers.begin(), timers.end(), std::mem_fn(&QTimer::isActive)));
        search->clear();

        // Quick filters: duplicates only (the twins, and the pack's copy of a sample), then a
        // status.
        QTest::mouseClick(lib<QCheckBox>("duplicatesOnly"), Qt::LeftButton);
        QCOMPARE(library_->filter()->rowCount(), 4);
        open({root_, pack_});  // read again with the box ticked: the twins are known at the end
        QCOMPARE(library_->filter()->rowCount(), 4);
        QTest::mouseClick(lib<QCheckBox>("duplicatesOnly"), Qt::LeftButton);
        auto* status = lib<QComboBox>("statusFilter");
        status->setCurrentIndex(status->findData(int(LibraryStatus::Unreadable)));
        QCOMPARE(shown(LibraryModel::File), QStringList{u"more/broken.rp250p"_s});
        status->setCurrentIndex(0);
        // A model: its presets alone.
        lib<QComboBox>("modelFilter")->setCurrentText(u"RP255"_s);
        QCOMPARE(shown(LibraryModel::Model), QStringList(3, u"RP255"_s));
    }

    void anotherTargetReadsThePresetsAgain() {
        open({root_});
        QSignalSpy triaged(library_, &ui::LibraryWindow::triageFinished);
        // No bytes are kept: a new status comes from the file as it is now.
        writeFile(root_ + u"/metal_zone.rp250p"_s, sample("pluck_funk.g4p"));
        // Rows shown by their status follow as each one's status changes.
        auto* status = lib<QComboBox>("statusFilter");
        status->setCurrentIndex(status->findData(int(LibraryStatus::Converts)));
        lib<QComboBox>("target")->setFocus();
        QSignalSpy changed(model(), &QAbstractItemModel::dataChanged);
        lib<QComboBox>("target")->setCurrentText(u"RP150"_s);
        QVERIFY(triaged.wait(20000));
        // A notice for each run of rows changed: some, and fewer than the rows.
        QVERIFY(!changed.empty() && changed.size() < model()->rowCount() / 2);
        // Each row's status against the RP150 is anotherTargetDuringTheScan's (the same rows
        // and more); here, the file replaced is read anew, and no bytes are kept.
        for (const ui::LibraryEntry& e : model()->entries())
            QVERIFY(e.preset->bytes.empty());
        QCOMPARE(int(model()->entry(rowNamed("metal_zone.rp250p")).triage.status),
                 int(LibraryStatus::ViewOnly));
        // Only the rows that convert for the RP150 are shown, each with its changes.
        pwui::compareWithFile(pwui::captionsOf(*library_, dir_->path()), "library_rp150");
    }

    // The Library's own texts and those of its Convert dialog, as written. Every column is as
    // wide as the widest text it can hold (the status column as every status), and the file
    // column has the width left over. Tab goes from the table to the buttons below it; the
    // arrows move from row to row; Return opens the current preset in the main window.
    void captionsKeysAndReturnOpensInTheMainWindow() {
        open({root_, pack_});
        // A row clicked: the pane says all that changes in it (its lines scroll, the window
        // keeps its size), and drawn without the pane (it shows this run's temporary
        // folder), the row's status keeps its colour on the highlight.
        QTableView* table = library_->table();
        const QModelIndex lead = shownCell("dual_amp_lead.rp355p", LibraryModel::Status);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(lead).center());
        pwui::compareWithFile(pwui::captionsOf(*library_, dir_->path()), "library_window");
        QTest::keyClick(table, Qt::Key_I, Qt::ControlModifier);
        pwui::compareLooks(*library_, "library_window");
        QTest::keyClick(table, Qt::Key_I, Qt::ControlModifier);
        // Each cell's text fits its column, but for a long name, the models used or the
        // style, and the file, which takes what is left: as drawn in looks/library_window.png.
        // Each status as wide as it can be: the glyph and margins of a cell shown, and the text.
        const QModelIndex cell = library_->filter()->index(0, LibraryModel::Status);
        const QFontMetrics fm = table->fontMetrics();
        const int around =
            table->sizeHintForIndex(cell).width() - fm.horizontalAdvance(cell.data().toString());
        for (int s = 0; s <= int(LibraryStatus::Unreadable); ++s) {
            const QString text = LibraryModel::statusText({LibraryStatus(s), 17, 5, {}, false, {}});
            QVERIFY2(fm.horizontalAdvance(text) + around <=
                         table->horizontalHeader()->sectionSize(LibraryModel::Status),
                     qPrintable(text));
        }
        // The Result column's own width, the table filled and the rows' height: as drawn in
        // looks/library_window.png.
        convertAllShown([&](ui::ConvertDialog& d) {
            // Browse… puts the folder chosen in the field.
            chooseInFileDialog(dir_->path(), [](QFileDialog& f) {
                QCOMPARE(f.windowTitle(), u"Output Folder"_s);
            });
            QTest::mouseClick(d.findChild<QPushButton*>(u"browse"_s), Qt::LeftButton);
            auto* folder = d.findChild<QLineEdit*>(u"outputFolder"_s);
            QCOMPARE(folder->text(), dir_->path());
            folder->setText(out_);
            QTRY_VERIFY(d.dryRun().has_value());
            // (Not compared as drawn: the field shows this run's temporary folder.)
            pwui::compareWithFile(pwui::captionsOf(d, dir_->path()), "convert_dialog");
            QTest::keyClick(&d, Qt::Key_Escape);
        });
        activate();
        table->setFocus();
        table->setCurrentIndex(library_->filter()->index(0, 0));
        QTest::keyClick(table, Qt::Key_Down);
        QCOMPARE(table->currentIndex().row(), 1);
        QTest::keyClick(table, Qt::Key_Tab);
        QVERIFY(qobject_cast<QPushButton*>(QApplication::focusWidget()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), table);
        table->setCurrentIndex(shownCell("big_verb.rp350p", LibraryModel::Name));
        QTest::keyClick(table, Qt::Key_Return);
        QCOMPARE(form_->session().sourceRoot(), std::string("RP350Preset"));
        QCOMPARE(form_->session().openedFile().filename().string(), std::string("big_verb.rp350p"));

        // A member of the pack opens from the pack, its first row in view; Save writes beside
        // the pack.
        QScrollBar* rowsScroll = lv()->verticalScrollBar();
        QTRY_VERIFY(rowsScroll->maximum() > 0);
        rowsScroll->setValue(rowsScroll->maximum());
        const QModelIndex member = shownCell("pack.zip › Pack/jump.rp255p", LibraryModel::Name);
        table->scrollTo(member);
        const QPoint at = table->visualRect(member).center();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(form_->session().sourceRoot(), std::string("RP255Preset"));
        QCOMPARE(form_->model()->rowCount(), int(form_->session().rows().count()));
        QVERIFY(form_->session().rows().count() > 0);
        QCOMPARE(QString::fromStdString(form_->session().saveFolder().string()), dir_->path());
        QCOMPARE(rowsScroll->value(), 0);
    }

    void foldersAndPacksGoToTheLibrary() {
        // A pack dropped on the main window opens the Library, whichever ending of the packs
        // the library reads it has; a preset still opens there.
        const QString xar = dir_->filePath(u"pack.xar"_s);
        QVERIFY(QFile::copy(pack_, xar));
        drop({xar});
        QVERIFY((library_ = windows_->library()) && library_->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!library_->scanning(), 20000);
        QVERIFY(said_->texts.isEmpty());  // the main window did not take it for a preset
        form_->activateWindow();          // asked for again, the Library comes to the front
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        drop({pack_});
        QTRY_VERIFY_WITH_TIMEOUT(!library_->scanning(), 20000);
        QVERIFY(QApplication::activeWindow() == library_ && model()->rowCount() == 2);
        drop({root_ + u"/big_verb.rp350p"_s});
        QVERIFY(form_->session().sourceRoot() == "RP350Preset" && model()->rowCount() == 2);
        // A folder dropped on the Library itself is read in place of what it showed.
        drop({root_}, library_);
        QTRY_VERIFY_WITH_TIMEOUT(!library_->scanning(), 20000);
        QCOMPARE(model()->rowCount(), 8);
        QVERIFY(refusesWebLink(library_));
    }

    // An output folder that cannot be made (a file has its name) is said so, and nothing
    // is written.
    void aFolderThatCannotBeMadeIsSaid() {
        open({root_});
        writeFile(out_, "a file");
        QString said;
        convertAllShown([&](ui::ConvertDialog& d) {
            QTRY_VERIFY(d.dryRun().has_value());
            QTimer::singleShot(0, library_, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (box) said = box->windowTitle() + '|' + box->text();
                if (box) box->close();
            });
            d.accept();
        });
        QTRY_VERIFY(!said.isEmpty());
        QCOMPARE(said, "Library|The folder " + out_ + " could not be made.");
        QVERIFY(!library_->converting() && QFileInfo(out_).isFile());
    }

    void convertWithQuestionsAndReport() {
        open({root_});
        const int metal = rowNamed("metal_zone.rp250p");
        const int surfs = rowNamed("surfs_up.rp255p");
        convert({metal, surfs});
        QCOMPARE(resultOf(metal), u"written: Metal Zone.rp255p"_s);
        QVERIFY(filesIn(out_).contains(u"Metal Zone.rp255p"_s));
        QVERIFY(QFileInfo(library_->lastReport()).dir() == QDir(out_));
        // The report's columns are library_model_test's (PlanThenConvertWhatItPlanned).
        QCOMPARE(readAll(library_->lastReport()).count("\r\n"), 3);
        QCOMPARE(ui::ConvertDialog::rememberedFolder(), QDir(out_).absolutePath());
        // The box at the end counts what was done and names the report.
        QMessageBox* done = lib<QMessageBox>("conversionDone");
        QCOMPARE(done->text(),
                 u"2 written.\nReport: "_s + QDir::toNativeSeparators(library_->lastReport()));
        done->close();

        // Again: both outputs exist. No keeps the first, Yes replaces the second.
        const QString metalOut = QDir(out_).filePath(u"Metal Zone.rp255p"_s);
        writeFile(metalOut, "mine");
        QStringList asked;
        QList<QMessageBox::StandardButton> answers = {QMessageBox::No, QMessageBox::Yes};
        library_->setReplaceQuestion([&](const QString& file, bool) {
            asked << file;
            return answers.takeFirst();
        });
        convert({metal, surfs});
        QVERIFY(asked.size() == 2 && readAll(metalOut) == "mine");
        QCOMPARE(resultOf(metal), u"kept the existing Metal Zone.rp255p"_s);
        QCOMPARE(resultOf(surfs), u"written: Surf's Up.rp255p"_s);
        done = library_->findChild<QMessageBox*>(u"conversionDone"_s);
        QVERIFY(done && done->text().startsWith(u"1 written, 1 existing kept.\n"_s));
        done->close();
        // A third time: No to All, asked once, keeps both.
        asked.clear();
        answers = {QMessageBox::NoToAll};
        convert({metal, surfs});
        QVERIFY(asked.size() == 1 && readAll(metalOut) == "mine");
        QCOMPARE(resultOf(surfs), u"kept the existing Surf's Up.rp255p"_s);
        // And Yes to All, asked once, replaces both.
        answers = {QMessageBox::YesToAll};
        convert({metal, surfs});
        QVERIFY(asked.size() == 2 && readAll(metalOut) != "mine");
    }

    // Converted into the library's own folder: a preset being converted is never replaced,
    // and the question about another preset of the library says that it is one.
    void conversionKeepsThePresetsItConverts() {
        const QString own = root_ + u"/Surf's Up.rp255p"_s;
        writeFile(own, sample("surfs_up.rp255p"));
        writeFile(root_ + u"/Metal Zone.rp255p"_s, sample("jump_yaya.rp255p"));
        open({root_});
        QList<bool> inLibrary;
        library_->setReplaceQuestion([&](const QString&, bool in) {
            inLibrary << in;
            return QMessageBox::No;
        });
        const int self = rowNamed("Surf's Up.rp255p");
        convert({self, rowNamed("metal_zone.rp250p")}, root_);
        QCOMPARE(resultOf(self), u"cannot"_s);
        QVERIFY(model()->entry(self).outcome.reason.contains(u"being converted"_s));
        QVERIFY(readAll(own) == sample("surfs_up.rp255p") && inLibrary == QList<bool>{true});
        const QString said = lib<QMessageBox>("conversionDone")->text();
        QVERIFY(said.startsWith("0 written, 1 cannot, 1 existing kept.\n"));
    }

    void failingWriterLeavesCompleteOrAbsent() {
        open({root_});
        writer_.failure = pwtest::Failure{pwtest::Step::RenameOver, ENOSPC, 0, 2};
        std::vector<int> rows(std::size_t(model()->rowCount()));
        std::iota(rows.begin(), rows.end(), 0);
        convert(rows);
        int written = 0, failed = 0;
        for (int r = 0; r < model()->rowCount(); ++r) {
            const ui::Outcome& o = model()->entry(r).outcome;
            const QString file = QDir(out_).filePath(o.output);
            if (o.kind == ui::OutcomeKind::Written) {
                ++written;
                QVERIFY(readAll(file).startsWith("<?xml") &&
                        readAll(file).trimmed().endsWith("Preset>"));
            }
            if (o.kind == ui::OutcomeKind::Failed) {
                ++failed;
                QVERIFY(!QFile::exists(file));
                // The cell says it failed; resting on it says why.
                const QModelIndex result = model()->index(r, LibraryModel::Result);
                QCOMPARE(result.data().toString(), u"failed"_s);
                QCOMPARE(result.data(Qt::ToolTipRole).toString(),
                         QString::fromLocal8Bit(std::strerror(ENOSPC)));
            }
        }
        QVERIFY(written > 0 && failed > 0 && readAll(library_->lastReport()).contains(",failed,"));
        // The bar went to its end before it went away.
        const auto* bar = lib<QProgressBar>("progress");
        QVERIFY(bar->value() == bar->maximum() && bar->maximum() == int(model()->entries().size()));
        for (const QString& f : filesIn(out_))
            QVERIFY2(!f.startsWith(QLatin1Char('.')) && !f.contains(u"tmp"_s), qPrintable(f));
    }

    // Closed while it reads, the Library shows no progress when it is shown again. A scan
    // and a conversion cancelled.
    void cancelScanAndConversion() {
        writeMany();
        library_ = windows_->openLibrary({root_});
        QVERIFY(library_->scanning());
        library_->close();
        library_->show();
        QVERIFY(!lib<QProgressBar>("progress")->isVisible() &&
                !lib<QPushButton>("cancel")->isVisible());
        // Read again through its own Open Folder.
        chooseInFileDialog(root_, [](auto& f) { QCOMPARE(f.windowTitle(), u"Open Folder"_s); });
        lib<QAction>("openFolder")->trigger();
        library_->setFileWriter(writer_);
        QSignalSpy scanned(library_, &ui::LibraryWindow::scanFinished);
        QVERIFY(lib<QPushButton>("cancel")->isVisible());
        QTest::mouseClick(lib<QPushButton>("cancel"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(scanned.size(), 1, 20000);
        QVERIFY(model()->rowCount() < 3008);
        const QString stopped = library_->statusBar()->currentMessage();
        QVERIFY2(stopped.startsWith("Scan cancelled: ") && stopped.endsWith(" read."),
                 qPrintable(stopped));
        QVERIFY(!lib<QPushButton>("cancel")->isVisible());

        activate();
        QTest::keyClick(library_, Qt::Key_F5);
        QVERIFY(library_->scanning());
        QTRY_VERIFY_WITH_TIMEOUT(!library_->scanning(), 30000);
        QCOMPARE(model()->rowCount(), 3008);
        QCOMPARE(lib<QProgressBar>("progress")->value(), 3008);  // the last file read
        const QModelIndex wide = shownCell("many/2999.rp250p", LibraryModel::Name);
        QVERIFY(library_->table()->sizeHintForIndex(wide).width() <=
                library_->table()->columnWidth(LibraryModel::Name));
        // Converting waits while the folder is read again.
        QTest::keyClick(library_, Qt::Key_F5);
        QVERIFY(!lib<QAction>("convertAllShown")->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(!library_->scanning(), 30000);
        QSignalSpy done(library_, &ui::LibraryWindow::conversionFinished);
        // While it converts, neither another folder, a new reading nor another conversion
        // can begin.
        bool convertingLocked = false;
        convertAllShown([this, &convertingLocked](ui::ConvertDialog& d) {
            QTRY_VERIFY_WITH_TIMEOUT(d.dryRun().has_value(), 20000);
            d.accept();
            QTimer::singleShot(0, library_, [this, &convertingLocked] {
                convertingLocked = library_->converting() &&
                                   !lib<QAction>("openFolder")->isEnabled() &&
                                   !lib<QAction>("rescan")->isEnabled() &&
                                   !lib<QAction>("convertAllShown")->isEnabled();
                QTest::mouseClick(lib<QPushButton>("cancel"), Qt::LeftButton);
            });
        });
        QTRY_COMPARE_WITH_TIMEOUT(done.size(), 1, 30000);
        QVERIFY(convertingLocked && lib<QAction>("openFolder")->isEnabled() &&
                lib<QAction>("rescan")->isEnabled());
        std::size_t written = 0, notDone = 0;
        for (const ui::LibraryEntry& e : model()->entries()) {
            written += e.outcome.kind == ui::OutcomeKind::Written;
            notDone += e.outcome.kind == ui::OutcomeKind::NotDone;
        }
        QVERIFY(notDone > 0);
        const QString said = lib<QMessageBox>("conversionDone")->text();
        const auto n = [](std::size_t k) { return QLocale().toString(qulonglong(k)); };
        QVERIFY2(said.startsWith("Conversion cancelled: " + n(written) + " written, ") &&
                     said.contains(", " + n(notDone) + " not done.\nReport: "),
                 qPrintable(said));
        // Every preset written is there whole, nothing else but the report.
        QCOMPARE(std::size_t(filesIn(out_).size()), written + 1);
    }

    // Each status keeps its hue and a readable contrast on dark backgrounds, and its glyph
    // alone (drawn in one colour) tells it from the others.
    void statusesReadOnDarkAndWithoutColour() {
        const auto rgb = [](const QColor& c) { return Rgb{c.red(), c.green(), c.blue()}; };
        QList<QImage> glyphs;
        for (int s = 0; s <= int(LibraryStatus::Unreadable); ++s) {
            const auto status = LibraryStatus(s);
            const QColor pure = ui::statusColour(status, Qt::white);
            for (const QColor& dark : {QColor(35, 38, 41), QColor(Qt::black)}) {
                const QColor shown = ui::statusColour(status, dark);
                QVERIFY(contrastRatio(rgb(shown), rgb(dark)) >= 4.5);
                if (pure.saturation() > 0) QCOMPARE(shown.hue(), pure.hue());
            }
            const QImage glyph = ui::statusIcon(status, Qt::black).pixmap(16, 16).toImage();
            QVERIFY(!glyphs.contains(glyph));
            glyphs << glyph;
        }
    }

    // Two presets saved under one name, and a name Save refuses. A row's cells say when the
    // pointer rests on them how it converts, what Fix Names would make of a refused name and
    // the whole path (why a conversion failed: failingWriterLeavesCompleteOrAbsent). The
    // dialog says what will happen before anything is written, and Fix Names changes its sums.
    void dryRunSaysWhatWillHappen() {
        openDry(true);
        const auto tip = [&](const char* file, int column) {
            return model()->index(rowNamed(file), column).data(Qt::ToolTipRole).toString();
        };
        const QString refused = u"Save refuses the patch name; Fix Names makes it \"Loud_\"."_s;
        QCOMPARE(tip("a.rp250p", LibraryModel::Status), QString());
        QCOMPARE(tip("c.rp250p", LibraryModel::Status), refused);
        QCOMPARE(tip("c.rp250p", LibraryModel::File), dir_->filePath(u"dry/c.rp250p"_s));
        // Where the presets convert with changes.
        lib<QComboBox>("target")->setCurrentText(u"RP150"_s);
        const QString converts = u"Resolve Conflicts: 1 substituted, 4 removed"_s;
        QTRY_COMPARE_WITH_TIMEOUT(tip("a.rp250p", LibraryModel::Status), converts, 20000);
        QCOMPARE(tip("c.rp250p", LibraryModel::Status), converts + QLatin1Char('\n') + refused);
        QStringList said;
        convertAllShown([&](ui::ConvertDialog& d) {
            // Without Fix Names, then with it, then also without Resolve Conflicts: what has
            // conflicts cannot be converted.
            for (const auto& [name, on] :
                 {std::pair("fixNames", false), {"fixNames", true}, {"resolve", false}}) {
                auto* box = d.findChild<QCheckBox*>(QLatin1String(name));
                if (box->isChecked() != on) QTest::mouseClick(box, Qt::LeftButton);
                QTRY_VERIFY(d.dryRun().has_value());
                said << d.findChild<QLabel*>(u"summary"_s)->text();
            }
            QTest::keyClick(&d, Qt::Key_Escape);
        });
        // Without Fix Names, then with it, then without Resolve Conflicts
        // (captions/dry_run_summaries.txt).
        pwui::compareWithFile(said.join('\n') + '\n', "dry_run_summaries");
        QVERIFY(!QFileInfo::exists(out_));
    }

    // A target chosen while the scan runs: every row ends triaged against it, those read
    // before the change and those after.
    void anotherTargetDuringTheScan() {
        writeMany();
        library_ = windows_->openLibrary({root_});
        QSignalSpy triaged(library_, &ui::LibraryWindow::triageFinished);
        QTRY_VERIFY(model()->rowCount() > 0);
        QVERIFY(library_->scanning());
        lib<QComboBox>("target")->setCurrentText(u"RP150"_s);
        QTRY_COMPARE_WITH_TIMEOUT(triaged.size(), 1, 60000);
        QCOMPARE(model()->rowCount(), 3008);
        const document::Target& rp150 = *document::targetByCaption("RP150");
        std::map<std::uint64_t, int> want;  // by the rows: the name does not change a status
        for (const ui::LibraryEntry& e : model()->entries()) {
            if (!e.preset->readable) continue;
            auto [at, added] = want.emplace(e.preset->rowsKey, 0);
            if (added)
                at->second =
                    int(library::triage(library::readSource(e.preset->source).bytes, rp150, 'A')
                            .status);
            QCOMPARE(int(e.triage.status), at->second);
        }
    }

    // A plan that comes for options no longer shown (the user was quicker) is not shown.
    void aPlanForOptionsNoLongerShownIsNotShown() {
        std::vector<library::ConversionPlan> asked;
        ui::ConvertDialog d(
            2, {document::targetByCaption("RP250"), 'A'},
            [&](const library::ConvertOptions& o) { asked.emplace_back().options = o; }, nullptr);
        d.show();
        auto* folder = d.findChild<QLineEdit*>();
        // Typing quicker than the pause it waits for asks once, and nothing more comes.
        const std::size_t before = asked.size();
        folder->selectAll();
        QTest::keyClicks(folder, out_, Qt::NoModifier, 20);
        QTRY_VERIFY(!asked.empty() && asked.back().options.folder == out_.toStdString());
        QTest::qWait(450);
        QCOMPARE(asked.size(), before + 1);
        const std::size_t typed = asked.size() - 1;
        QTest::mouseClick(d.findChild<QCheckBox*>(u"resolve"_s), Qt::LeftButton);
        QTest::mouseClick(d.findChild<QCheckBox*>(u"fixNames"_s), Qt::LeftButton);
        for (const std::size_t late : {typed, typed + 1})  // both options differ, then one
            d.setPlan(asked.at(late));
        QVERIFY(!d.dryRun());
        d.setPlan(asked.at(typed + 2));
        QVERIFY(d.dryRun());
    }

    // Outputs that exist already: the summary wraps, and the dialog grows down (not across)
    // to show all of it.
    void convertDialogGrowsWithItsSummary() {
        openDry(false);
        QString said;
        bool whole = false, cancelled = false;
        convertAllShown([&](ui::ConvertDialog& d) {
            if (QTest::qWaitFor([&] { return d.dryRun().has_value(); }))
                for (const ui::Outcome& o : d.dryRun()->outcomes)
                    writeFile(QDir(out_).filePath(o.output), "mine");
            const int width = d.width();
            QTest::mouseClick(d.findChild<QCheckBox*>(u"fixNames"_s), Qt::LeftButton);
            auto* summary = d.findChild<QLabel*>(u"summary"_s);
            // Nothing can be converted until the new dry run has said what will happen.
            const bool waited =
                !d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled();
            whole = waited && QTest::qWaitFor([&] {
                        return d.dryRun().has_value() && d.width() == width &&
                               summary->height() >= summary->heightForWidth(summary->width()) &&
                               d.rect().contains(summary->geometry());
                    });
            said = summary->text();
            // Cancel closes it, as Escape does.
            QTest::mouseClick(d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel),
                              Qt::LeftButton);
            cancelled = !d.isVisible();
            if (!cancelled) QTest::keyClick(&d, Qt::Key_Escape);
        });
        QCOMPARE(said, QStringLiteral("2 will be written, 0 cannot, 1 name fixed, 0 would collide, "
                                      "1 exists already (you will be asked)"));
        QVERIFY(whole && cancelled);
    }

    // At any scale the Library opens whole on the screen, beside the main window when there
    // is room for it, else over no more of it than its least width asks; and it stays so.
    void opensOnTheScreenBesideTheMainWindow() {
        open({root_});
        QVERIFY(QTest::qWaitForWindowExposed(library_));
        // It stays so with the count line long and the progress bar shown beside it.
        convert({rowNamed("metal_zone.rp250p")});
        const QRect screen = form_->screen()->availableGeometry();
        const QRect main = form_->frameGeometry();
        const QRect placed = library_->frameGeometry();
        QVERIFY(screen.contains(placed));
        const int room = std::max(main.left() - screen.left(), screen.right() - main.right());
        const int least = library_->minimumSizeHint().width() + placed.width() - library_->width();
        QVERIFY(placed.intersected(main).width() <= std::max(0, least - room));
    }

    // A window goes beside its anchor: to the right where there is room (just enough
    // too), else to the left (no wider than the room there), else on the side with more
    // room, as narrow as it may be; on a screen that begins at the desktop's left edge, and
    // on one to the right of another (the test list).
    void placedBesideWhereThereIsRoom() {
        QWidget anchor, window;
        window.setMinimumSize(600, 300);
        const int left = QGuiApplication::primaryScreen()->availableGeometry().left();
        for (const auto& [at, x, width] : {std::tuple{0, 500, 900},
                                           {1100, 200, 900},
                                           {700, 0, 700},
                                           {500, 1000, 600},
                                           {550, 1000, 600},
                                           {560, 0, 600}}) {
            anchor.setGeometry(left + at, 700, 500, 200);
            ui::placeBeside(window, anchor, QSize(900, 600));
            QCOMPARE(window.geometry(), QRect(left + x, 400, width, 600));
        }
    }

    // What the scan met besides presets is listed where it can be read and copied; Show in
    // Folder without a file manager (as on this platform) says so.
    void problemsListedAndNoFileManagerSaid() {
        open({dir_->filePath(u"gone"_s)});  // no preset: nothing to convert
        QVERIFY(!lib<QPushButton>("convertShownButton")->isEnabled());
        writeFile(root_ + u"/bad.zip"_s, "not a pack");
        open({root_, dir_->filePath(u"gone"_s)});
        QCOMPARE(library_->scanProblems().size(), 2);
        QVERIFY(library_->scanProblems().contains(
            root_ + u"/bad.zip: broken archive (Unrecognized archive format)"_s));
        QVERIFY(lib<QPushButton>("showProblems")->isVisible());
        QTest::mouseClick(lib<QPushButton>("showProblems"), Qt::LeftButton);
        auto* list = lib<QPlainTextEdit>("problemList");
        QCOMPARE(list->toPlainText(), library_->scanProblems().join(QLatin1Char('\n')));
        pwui::compareWithFile(pwui::captionsOf(*list->window(), dir_->path()), "problems_dialog");
        QTest::mouseClick(list->window()->findChild<QPushButton*>(u"copyProblems"_s),
                          Qt::LeftButton);
        QCOMPARE(QApplication::clipboard()->text(), list->toPlainText());
        list->window()->close();
        // Opened again on one folder: the window is that folder's, its problems the new scan's.
        open({root_});
        QCOMPARE(library_->windowTitle(), "Library - " + QDir::toNativeSeparators(root_));
        QVERIFY(library_->scanProblems().size() == 1 &&
                library_->statusBar()->currentMessage().endsWith(u"; 1 problem"_s));

        convert({rowNamed("metal_zone.rp250p")});
        for (QAbstractButton* b : lib<QMessageBox>("conversionDone")->buttons())
            if (b->text() == u"Show in &Folder"_s) QTest::mouseClick(b, Qt::LeftButton);
        auto* said = lib<QMessageBox>("noFileManager");
        QVERIFY(said->isVisible() && said->text().contains(QDir::toNativeSeparators(out_)));
    }

    // The selected presets go into one pack, as they are (a pack's member too, one that
    // cannot be read left out) or converted for the window's target, the report inside.
    void exportSelectionAsPack() {
        open({root_, pack_});
        // The save dialog: its title, a pack's name proposed, packs listed; ".zip" is added.
        QStringList suggested;
        QString out = dir_->filePath(u"shared"_s);
        const auto answer = [&](const QString& title) {
            chooseInFileDialog(out, [&, title](QFileDialog& d) {
                QCOMPARE(d.windowTitle(), title);
                QCOMPARE(d.nameFilters(), QStringList{u"Packs (*.zip)"_s});
                suggested << d.selectedFiles().value(0);
            });
        };
        select({rowNamed("crunch_time.rp150p"), rowNamed("pack.zip › Pack/jump.rp255p"),
                rowNamed("more/broken.rp250p")});
        answer(u"Export as Pack"_s);
        fileMenu(Qt::Key_P);
        QCOMPARE(QFileInfo(suggested.first()).fileName(), u"Presets.zip"_s);
        out += u".zip"_s;
        QMessageBox* done = nullptr;
        QTRY_VERIFY((done = library_->findChild<QMessageBox*>(u"packDone"_s)));
        QMap<QString, QByteArray> packed = readZip(out);
        QCOMPARE(packed.keys(),
                 (QStringList{u"crunch_time.rp150p"_s, u"jump.rp255p"_s, u"report.csv"_s}));
        QCOMPARE(packed.value(u"jump.rp255p"_s), sample("jump_yaya.rp255p"));
        const QByteArray report = packed.value(u"report.csv"_s);
        // The report, and the busy cursor gone once the pack is written.
        QVERIFY(report.startsWith("file,member,name,packed as,outcome\n") &&
                report.contains(",left out: ") && !QApplication::overrideCursor());
        QVERIFY(done->text().startsWith(u"Packed 2 of 3 presets into "_s));
        done->close();

        out = dir_->filePath(u"converted.zip"_s);
        answer(u"Export Converted as Pack"_s);
        fileMenu(Qt::Key_V);
        QTRY_VERIFY(QFile::exists(out));
        packed = readZip(out);
        const QString extension = QString::fromUtf8(library_->triageSettings().target->extension);
        QVERIFY(packed.contains(u"Crunch Time"_s + extension) &&
                packed.value(u"report.csv"_s).contains(",converted\n"));
        // The next pack is suggested beside the last one.
        QCOMPARE(suggested.size(), 2);
        QCOMPARE(QFileInfo(suggested.last()).absolutePath(), dir_->path());
    }

    // A preset converted by the Library takes the marks of the preset it came from.
    void convertedCopiesTakeTheirMarks() {
        open({root_});
        collection::Store store;
        QVERIFY(store.open(collection::Store::defaultPath()).ok());
        // Tagged "heavy", with a note ({favourite, hidden, tags added, tags taken, note}).
        const collection::MarkChange change{{}, {}, {"heavy"}, {}, "for the gig"};
        // An RP150 preset: converted for the RP255 its rows change.
        const QString crunch = root_ + u"/crunch_time.rp150p"_s;
        QCOMPARE(
            collection::markInputs(store, {QFile::encodeName(crunch).toStdString()}, change).marked,
            std::size_t(1));
        convert({rowNamed("metal_zone.rp250p"), rowNamed("crunch_time.rp150p")});
        for (const auto& p : library::scan({QFile::encodeName(out_).toStdString()}, {}).presets) {
            const collection::ContentKey key = collection::contentKey(p);
            const auto got = store.marks(std::span(&key, 1));
            QCOMPARE(got.contains(key), p.name == "Crunch Time");
            if (got.contains(key))
                QCOMPARE(got.at(key), (collection::Marks{false, false, {"heavy"}, "for the gig"}));
        }
    }

  private:
    // library/: five samples, a twin in a sub-folder, a broken preset, a view-only one;
    // pack.zip: two presets in a folder of its own.
    void makeLibrary() {
        root_ = dir_->filePath(u"library"_s);
        out_ = dir_->filePath(u"out"_s);
        for (const char* name : {"dual_amp_lead.rp355p", "big_verb.rp350p", "crunch_time.rp150p",
                                 "metal_zone.rp250p", "surfs_up.rp255p", "pluck_funk.g4p"})
            writeFile(root_ + QLatin1Char('/') + QLatin1String(name), sample(name));
        writeFile(root_ + u"/more/twin.rp255p"_s, sample("surfs_up.rp255p").replace("\r\n", "\n"));
        writeFile(root_ + u"/more/broken.rp250p"_s, "<RP250Preset><Name>x</Na");
        writeFile(root_ + u"/more/notes.txt"_s, "not a preset");
        pack_ = dir_->filePath(u"pack.zip"_s);
        pwtest::makeArchive(pack_.toStdString(),
                            {{"Pack/jump.rp255p", sample("jump_yaya.rp255p").toStdString()},
                             {"Pack/lead.rp355p", sample("dual_amp_lead.rp355p").toStdString()}});
    }
    void open(const QStringList& inputs) {
        library_ = windows_->openLibrary(inputs);
        library_->setFileWriter(writer_);
        QTRY_VERIFY_WITH_TIMEOUT(!library_->scanning(), 20000);
    }
    // dry/: a.rp250p, its twin b.rp250p if `twin`, and c.rp250p under a name Save refuses.
    void openDry(bool twin) {
        const QString folder = dir_->filePath(u"dry"_s);
        QByteArray metal = sample("metal_zone.rp250p");
        writeFile(folder + u"/a.rp250p"_s, metal);
        if (twin) writeFile(folder + u"/b.rp250p"_s, metal);
        writeFile(folder + u"/c.rp250p"_s,
                  metal.replace("<Name>Metal Zone</Name>", "<Name>Loud!</Name>"));
        open({folder});
    }
    LibraryModel* model() const { return library_->model(); }
    // Where the table shows `file`'s cell in `column`.
    QModelIndex shownCell(const char* file, int column) const {
        return library_->filter()->mapFromSource(model()->index(rowNamed(file), column));
    }
    // What the Result column says of a source row.
    QString resultOf(int row) const {
        return model()->index(row, LibraryModel::Result).data().toString();
    }
    // Shortcuts reach the window that is active.
    void activate() {
        library_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(library_));
    }
    template <typename T>
    T* lib(const char* name) const {
        return child<T>(name, library_);
    }
    // The shown rows' texts in `column`, top to bottom.
    QStringList shown(int column) const {
        QStringList out;
        for (int r = 0; r < library_->filter()->rowCount(); ++r)
            out << library_->filter()->index(r, column).data().toString();
        return out;
    }
    int rowNamed(const char* file) const {
        for (int r = 0; r < model()->rowCount(); ++r)
            if (model()->entry(r).file == QString::fromUtf8(file)) return r;
        qFatal("no row %s", file);
    }
    // Convert All Shown (Ctrl+Shift+E) into out/: `inside` works the dialog.
    void convertAllShown(std::function<void(ui::ConvertDialog&)> inside) {
        library_->setConvertDialogHook([this, inside](ui::ConvertDialog& d) {
            d.findChild<QLineEdit*>(u"outputFolder"_s)->setText(out_);
            inside(d);
        });
        activate();
        QTest::keyClick(library_, Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
    }
    // Runs a conversion of `rows` (source rows) into `out` (out/ unless said) through the
    // dialog, Resolve Conflicts on, as a user would.
    // Converts `rows` through the dialog, asked for by the button below the table (Ctrl+E is
    // its command's shortcut, in the captions).
    void convert(const std::vector<int>& rows, const QString& out = {}) {
        select(rows);
        library_->setConvertDialogHook([out = out.isEmpty() ? out_ : out](ui::ConvertDialog& d) {
            auto* folder = d.findChild<QLineEdit*>(u"outputFolder"_s);
            folder->clear();
            QTest::keyClicks(folder, out);
            // What was worked out for another folder cannot be carried out.
            QVERIFY(!d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled());
            auto* box = d.findChild<QCheckBox*>(u"resolve"_s);
            if (!box->isChecked()) QTest::mouseClick(box, Qt::LeftButton);
            QTRY_VERIFY(d.dryRun().has_value());
            QTest::keyClick(&d, Qt::Key_Return);
        });
        QSignalSpy done(library_, &ui::LibraryWindow::conversionFinished);
        activate();
        QTest::mouseClick(lib<QPushButton>("convertSelectedButton"), Qt::LeftButton);
        QVERIFY2(library_->converting() || done.size() == 1, "the dialog was not accepted");
        QTRY_COMPARE_WITH_TIMEOUT(done.size(), 1, 20000);
    }
    // Selects `rows` (source rows) in the table.
    void select(const std::vector<int>& rows) {
        QItemSelection selection;
        for (int r : rows) {
            const QModelIndex i = library_->filter()->mapFromSource(model()->index(r, 0));
            selection.select(i, i);
        }
        library_->table()->selectionModel()->select(
            selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    // Picks a File menu entry by its access key, as a user would.
    void fileMenu(Qt::Key key) {
        activate();
        QTest::keyClick(library_, Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
        QTest::keyClick(QApplication::activePopupWidget(), key);
    }
    // Enough presets that neither a scan nor a conversion is over at once.
    void writeMany() {
        // An RP250 preset: it fits the RP255 and needs Resolve Conflicts for the RP150. The
        // widest name is far down the list.
        const QByteArray bytes = sample("metal_zone.rp250p");
        for (int i = 0; i < 3000; ++i) {
            QByteArray one = bytes;
            const QByteArray name = i == 2999 ? "WWWW WWWW WWWW" : QByteArray::number(i);
            one.replace("<Name>Metal Zone</Name>", "<Name>" + name + "</Name>");
            writeFile(root_ + u"/many/%1.rp250p"_s.arg(i), one);
        }
    }
    static QStringList filesIn(const QString& folder) {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    QString root_, pack_, out_;
    ui::LibraryWindow* library_ = nullptr;
    QuickWriter writer_;
};

QTEST_MAIN(LibraryWindowTest)
#include "library_window_test.moc"
