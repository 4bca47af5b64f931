// SPDX-License-Identifier: GPL-3.0-or-later
// The signal chain in the real windows: View > Signal Chain follows the open preset,
// its edits and Undo; its picture copies and saves; File > Compare With… sets two
// presets side by side with exactly the rows the core's diff finds.

#include <QClipboard>
#include <QFileDialog>
#include <QImage>
#include <QMessageBox>
#include <QTableView>
#include <QTreeWidget>

#include "captions.h"
#include "chain_view.h"
#include "chain_window.h"
#include "compare_window.h"
#include "convert/convert.h"
#include "document/targets.h"
#include "library/library_detail.h"
#include "library/library_model.h"
#include "library/library_window.h"
#include "params/patch_diff.h"
#include "window_fixture.h"

class ChainWindowTest : public pwui::WindowFixture {
    Q_OBJECT
  private slots:
    void initTestCase() { useOwnSettings(); }
    void init() { openWindow(); }
    void cleanup() { closeWindow(); }

    // A two-channel preset against the start-up target (RP255): off blocks dimmed and saying
    // so, both amp channels, and the conflict mark on the blocks the RP255 lacks.
    void tilesShowEachBlock() {
        form_->openFile(copy(u"dual_amp_lead.rp355p"_s));
        pw::ui::ChainView* view = openChain()->view();
        // Each tile's name, one a line (captions/chain_tiles.txt: 14), and what the
        // distortion's shows.
        pwui::compareWithFile(names(view).join('\n') + '\n', "chain_tiles");
        QCOMPARE(view->tiles()[3]->texts(),
                 QStringList({"Distortion", "off", "Redline (1297)", "Gain 48", "Level 14"}));
        pwui::compareLooks(*view, "chain_conflicts");
        // Each tile's tip (its rows, "Name: Text" a line) is in captions/chain_window.txt.
        // Each tile grows with the font (inside the view, as looks/chain_conflicts.png shows).
        const QSize before = view->tiles()[0]->size();
        QFont bigger = view->font();
        bigger.setPointSizeF(bigger.pointSizeF() * 2);
        view->setFont(bigger);
        QVERIFY(view->tiles()[0]->width() > before.width() &&
                view->tiles()[0]->height() > before.height());
        QVERIFY(view->minimumWidth() >= view->tiles().back()->geometry().right());
    }

    // The chain follows the amp channel, an edit, Undo, Filter and Resolve Conflicts.
    void chainFollowsEditsAndUndo() {
        form_->openFile(copy(u"dual_amp_lead.rp355p"_s));
        const pw::ui::ChainView* view = openChain()->view();
        const QStringList opened = names(view);
        QVERIFY(!nameOf(view, u"Amp B"_s).isEmpty());

        click("cmdAmpA");  // one channel left: no amp B, no EQ B
        QVERIFY(nameOf(view, u"Amp B"_s).isEmpty() && nameOf(view, u"EQ B"_s).isEmpty());
        const QStringList oneChannel = names(view);

        clickRow(rowOf("128", "3"));  // the wah's model row goes
        QTest::keyClick(lv(), Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(nameOf(view, u"Wah"_s), u"Wah"_s);

        QTest::keyClick(lv(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(names(view), oneChannel);
        QTest::keyClick(lv(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(names(view), opened);

        // Filter and Resolve Conflicts: no block is left that the RP255 does not know.
        click("cmdAmpA");
        click("cmdFilter");
        QVERIFY(names(view).join(QLatin1Char('|')).contains(u", conflict"_s));
        child<QAction>("mnuResolve")->trigger();
        QVERIFY(!names(view).join(QLatin1Char('|')).contains(u", conflict"_s));
    }

    void pictureCopiesAndSaves() {
        form_->openFile(copy(u"crunch_time.rp150p"_s));
        pw::ui::ChainWindow* window = openChain();
        pwui::compareCaptions(*window, dir_->path(), "chain_window");
        QTest::mouseClick(child<QPushButton>("copyPicture", window), Qt::LeftButton);
        const QImage copied = QApplication::clipboard()->image();
        QVERIFY(!copied.isNull());

        // Save as PNG proposes the patch's name and writes the picture where it is told.
        const QString png = dir_->filePath(u"chain.png"_s);
        QString proposed;
        chooseInFileDialog(png, [&](QFileDialog& dialog) {
            proposed = QFileInfo(dialog.selectedFiles().value(0)).fileName();
        });
        QTest::mouseClick(child<QPushButton>("savePicture", window), Qt::LeftButton);
        QCOMPARE(proposed, u"Crunch Time.png"_s);
        QCOMPARE(QImage(png).width(), copied.width());  // the whole chain, as copied
        QVERIFY(!window->savePicture(dir_->filePath(u"no/such/folder.png"_s)).isEmpty());
    }

    void twinsShowNoDifference() {
        form_->openFile(copy(u"surfs_up.rp255p"_s));
        const QString twin = dir_->filePath(u"twin.rp255p"_s);
        QVERIFY(QFile::copy(QStringLiteral(PW_TEST_DATA_DIR "/surfs_up.rp255p"), twin));
        pw::ui::CompareWindow* compare = form_->compareWith(twin);
        QVERIFY(compare);
        // No row differs: the captions list none under the columns.
        pwui::compareCaptions(*compare, dir_->path(), "compare_window");
        for (const pw::ui::ChainView* view : {compare->chainA(), compare->chainB()})
            for (const pw::ui::ChainTile* tile : view->tiles())
                QVERIFY(!tile->marked());
        compare->allRows()->setChecked(true);  // every row, each the same on both sides
        QCOMPARE(std::size_t(compare->rows()->topLevelItemCount()),
                 form_->session().rows().count());
    }

    // A preset against its conversion for the RP250 (amp A kept, conflicts resolved): one line per
    // difference of the core's diff, the tiles of the blocks that changed marked, F8 going from
    // difference to difference once every row is shown.
    void conversionShowsTheDiffsLines() {
        const QByteArray bytes = sample("dual_amp_lead.rp355p");
        pw::convert::Plan plan;
        plan.target = pw::document::targetByCaption("RP250");
        plan.amp = 'A';
        plan.resolve = true;
        const pw::convert::Result converted =
            pw::convert::convertPreset(std::string_view(bytes.constData(), bytes.size()), plan);
        QVERIFY(converted.savable());
        const QString convertedFile = dir_->filePath(QString::fromStdString(converted.fileName));
        writeFile(convertedFile, QByteArray::fromStdString(converted.bytes));

        QTest::mouseClick(option(plan.target->option), Qt::LeftButton);
        form_->openFile(copy(u"dual_amp_lead.rp355p"_s));
        pw::ui::CompareWindow* compare = form_->compareWith(convertedFile);
        QVERIFY(compare);

        pwui::ScriptedMessenger quiet;
        pw::Session other(quiet);
        other.start();
        other.selectTarget(plan.target->option);
        QVERIFY(other.openFile(QFile::encodeName(convertedFile).toStdString()).loaded());
        const pw::PatchDiff diff = pw::diffPatches(
            form_->session().patchName(), form_->session().rows(), other.patchName(), other.rows());
        QVERIFY(!diff.rows.empty());
        QTreeWidget* rows = compare->rows();
        QCOMPARE(std::size_t(rows->topLevelItemCount()), diff.rows.size());
        const auto number = [](std::size_t n) { return n == 0 ? u"–"_s : QString::number(n); };
        int onlyInA = 0, onlyInB = 0;
        for (int i = 0; i < rows->topLevelItemCount(); ++i) {
            const pw::RowDiff& line = diff.rows[std::size_t(i)];
            const QTreeWidgetItem* item = rows->topLevelItem(i);
            QVERIFY(item->text(0) == number(line.rowA) && item->text(1) == number(line.rowB));
            // A row on one side only says so on the other.
            onlyInB += item->text(4) == u"only in B"_s;
            onlyInA += item->text(5) == u"only in A"_s;
            QCOMPARE(item->text(4) == u"only in B"_s, line.rowA == 0);
            QCOMPARE(item->text(5) == u"only in A"_s, line.rowB == 0);
            // A row on both sides is named once, or "before → after" when it was renamed.
            if (line.rowA != 0 && line.rowB != 0) {
                const QString a =
                    QString::fromStdString(form_->session().rows().row(line.rowA).name());
                const QString b = QString::fromStdString(other.rows().row(line.rowB).name());
                QCOMPARE(item->text(2), a == b ? a : a + u" → "_s + b);
            }
        }
        QVERIFY(onlyInA > 0 && onlyInB > 0);
        QCOMPARE(compare->summary()->text(),
                 u"%1 differences; the patch names differ"_s.arg(diff.rows.size()));
        // Amp B went: its tile on A's side is marked, the wah (untouched) is not
        // (captions/compare_chain_a.txt).
        pwui::compareWithFile(names(compare->chainA()).join('\n') + '\n', "compare_chain_a");
        pwui::compareLooks(*compare, "compare_differences");

        compare->allRows()->setChecked(true);
        QVERIFY(std::size_t(rows->topLevelItemCount()) > diff.rows.size());
        QApplication::setActiveWindow(compare);
        QCOMPARE(QApplication::activeWindow(), compare);
        const auto at = [&](const pw::RowDiff& line) {
            return rows->currentItem()->text(0) == number(line.rowA) &&
                   rows->currentItem()->text(1) == number(line.rowB);
        };
        rows->setCurrentItem(rows->topLevelItem(0));
        // F8 goes to each difference in turn, and past the last one stays there.
        for (std::size_t k = at(diff.rows.front()) ? 1 : 0; k <= diff.rows.size(); ++k) {
            QTest::keyClick(rows, Qt::Key_F8);
            QVERIFY(at(diff.rows[std::min(k, diff.rows.size() - 1)]));
        }
        QTest::keyClick(rows, Qt::Key_F8, Qt::ShiftModifier);
        QVERIFY(at(diff.rows[diff.rows.size() - 2]));
        // The buttons go as the keys do.
        const QList<QPushButton*> buttons = compare->findChildren<QPushButton*>();
        const auto button = [&](const QString& text) {  // there, or the test fails
            return *std::ranges::find(buttons, text, &QAbstractButton::text);
        };
        QTest::mouseClick(button(u"&Previous Difference"_s), Qt::LeftButton);
        QVERIFY(at(diff.rows[diff.rows.size() - 3]));
        QTest::mouseClick(button(u"&Next Difference"_s), Qt::LeftButton);
        QVERIFY(at(diff.rows[diff.rows.size() - 2]));
    }

    // The Library's detail pane follows the current preset, hides and shows with Ctrl+I (and
    // remembers it); Ctrl+D sets the two presets selected side by side.
    void libraryShowsAndComparesPresets() {
        for (const char* name : {"crunch_time.rp150p", "dual_amp_lead.rp355p"})
            copy(QString::fromLatin1(name));
        QVERIFY(QFile::copy(QStringLiteral(PW_TEST_DATA_DIR "/dual_amp_lead.rp355p"),
                            dir_->filePath(u"twin.rp355p"_s)));
        writeFile(dir_->filePath(u"broken.rp250p"_s), "<RP250Preset><Name>x</Na");
        pw::ui::LibraryWindow* library = windows_->openLibrary({dir_->path()});
        QTRY_VERIFY_WITH_TIMEOUT(!library->scanning(), 20000);
        auto* detail = library->findChild<pw::ui::LibraryDetail*>();
        QVERIFY(detail && detail->isVisible());
        QTableView* table = library->table();
        const auto rowOfFile = [&](const QString& file) {
            for (int r = 0; r < library->model()->rowCount(); ++r)
                if (library->model()->entry(r).file == file)
                    return library->filter()->mapFromSource(library->model()->index(r, 0));
            qFatal("no row %s", qPrintable(file));
        };
        table->setFocus();
        table->setCurrentIndex(rowOfFile(u"dual_amp_lead.rp355p"_s));
        pwui::compareWithFile(names(detail->chain()).join('\n') + '\n', "chain_tiles");
        // Its facts: where it is, its model and status, and each change converting makes.
        pwui::compareWithFile(QString(detail->facts()->text()).replace(dir_->path(), u"<folder>"_s),
                              "library_detail");
        table->setCurrentIndex(rowOfFile(u"crunch_time.rp150p"_s));
        QCOMPARE(detail->facts()->text(),
                 dir_->filePath(u"crunch_time.rp150p"_s) + u"\nRP150 \u00B7 fits"_s);
        // One that cannot be read says why, once.
        table->setCurrentIndex(rowOfFile(u"broken.rp250p"_s));
        QCOMPARE(detail->facts()->text(),
                 dir_->filePath(u"broken.rp250p"_s) +
                     QStringLiteral("\nRP250 \u00B7 unreadable\nend tag does not match its "
                                    "start tag (at byte 22)"));
        table->setCurrentIndex(rowOfFile(u"crunch_time.rp150p"_s));
        QApplication::processEvents();  // the pane grows to the chain's whole height
        QVERIFY(detail->chain()->parentWidget()->height() >= detail->chain()->sizeHint().height());
        // One amp, its wah off (captions/chain_tiles_crunch_time.txt).
        pwui::compareWithFile(names(detail->chain()).join('\n') + '\n', "chain_tiles_crunch_time");

        QApplication::setActiveWindow(library);
        QTest::keyClick(table, Qt::Key_I, Qt::ControlModifier);
        QVERIFY(!detail->isVisible());
        QCOMPARE(QSettings().value(u"library/showDetail"_s).toBool(), false);
        QTest::keyClick(table, Qt::Key_I, Qt::ControlModifier);
        QVERIFY(detail->isVisible());

        table->selectionModel()->select(
            rowOfFile(u"dual_amp_lead.rp355p"_s),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QTest::keyClick(table, Qt::Key_D, Qt::ControlModifier);  // one preset: no comparison
        table->selectionModel()->select(rowOfFile(u"twin.rp355p"_s),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QTest::keyClick(table, Qt::Key_D, Qt::ControlModifier);
        const auto compares = library->findChildren<pw::ui::CompareWindow*>();
        QCOMPARE(compares.size(), 1);  // the two presets', and no row differs
        QCOMPARE(compares.front()->summary()->text(), u"No difference"_s);
        // A preset that cannot be read is said in the command's own box, and nothing opens.
        table->selectionModel()->select(rowOfFile(u"twin.rp355p"_s),
                                        QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
        table->selectionModel()->select(rowOfFile(u"broken.rp250p"_s),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QString said;
        QTimer::singleShot(0, [&said] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            said = box->windowTitle() + QLatin1Char('\n') + box->text();
            box->accept();
        });
        QTest::keyClick(table, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(said, u"Compare\n"_s + dir_->filePath(u"broken.rp250p"_s) +
                           u" could not be read: it is not a preset that can be read (end tag "
                           "does not match its start tag (at byte 22))"_s);
        QCOMPARE(library->findChildren<pw::ui::CompareWindow*>().size(), 1);
    }

  private:
    pw::ui::ChainWindow* openChain() {
        child<QAction>("mnuSignalChain")->trigger();
        pw::ui::ChainWindow* window = form_->chainWindow();
        if (!window) qFatal("no chain window");
        return window;
    }
    // The names of the tiles the user sees.
    static QStringList names(const pw::ui::ChainView* view) {
        QStringList out;
        for (const pw::ui::ChainTile* tile : view->tiles())
            if (tile->isVisible()) out << tile->accessibleName();
        return out;
    }
    static QString nameOf(const pw::ui::ChainView* view, const QString& stage) {
        for (const QString& name : names(view))
            if (name == stage || name.startsWith(stage + QLatin1Char(':')) ||
                name.startsWith(stage + QLatin1Char(',')))
                return name;
        return {};
    }
};

QTEST_MAIN(ChainWindowTest)
#include "chain_window_test.moc"
