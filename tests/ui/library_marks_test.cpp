// SPDX-License-Identifier: GPL-3.0-or-later
// The user's marks in the Library window: the star clicked and keyed on a selection, twins
// showing one set of marks, Hide and Show hidden, tags completed from those in use and a
// note for a selection, Undo and Redo, marks kept when the window is made again, and a
// Library that works on without a collection.

#include <QCheckBox>
#include <QCompleter>
#include <QDialog>
#include <QDialogButtonBox>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTableView>

#include "captions.h"
#include "library/library_detail.h"
#include "library/library_model.h"
#include "library/library_window.h"
#include "window_fixture.h"

using pw::ui::LibraryModel;

class LibraryMarksTest : public pwui::WindowFixture {
    Q_OBJECT

  private slots:
    void initTestCase() { useOwnSettings(); }
    void init() {
        openWindow();
        // Three presets and a twin of one of them.
        for (const char* name : {"metal_zone.rp250p", "surfs_up.rp255p", "big_verb.rp350p"})
            copy(QLatin1String(name));
        QVERIFY(
            QFile::copy(dir_->filePath(u"surfs_up.rp255p"_s), dir_->filePath(u"twin.rp255p"_s)));
    }
    void cleanup() { closeWindow(); }

    // A click on a star of the selection stars every row of it; the key takes it away from
    // all of them once all have it, and gives it to all when one lacks it. A twin shows it
    // too, and so does the window made again over the same collection: the folder opened
    // again shows its rows from the collection's index, marks and all; Re-scan reads every
    // file again.
    void starByClickAndByKeyOnASelection() {
        open();
        QVERIFY(status().contains(QRegularExpression("presets read in \\d\\.\\d s")));  // < 10 s
        const int rows = library_->filter()->rowCount();
        select("metal_zone.rp250p", "surfs_up.rp255p");
        clickCell("surfs_up.rp255p", LibraryModel::Star);
        QCOMPARE(table()->selectionModel()->selectedRows().size(), 2);
        QCOMPARE(column(LibraryModel::Star), u"★|★||★"_s);

        key(Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(column(LibraryModel::Star), u"|||"_s);
        // One of two a favourite: both become favourites.
        select("big_verb.rp350p");
        clickCell("big_verb.rp350p", LibraryModel::Star);
        select("big_verb.rp350p", "metal_zone.rp250p");
        key(Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(column(LibraryModel::Star), u"★||★|"_s);

        // Favourites sort first.
        table()->sortByColumn(LibraryModel::Star, Qt::AscendingOrder);
        QCOMPARE(library_->filter()->index(2, LibraryModel::Star).data().toString(), QString());

        windows_ = std::make_unique<pw::ui::AppWindows>(*form_);  // the window made anew
        open();
        QVERIFY2(status().contains(u"files unchanged since last time"_s), qPrintable(status()));
        QVERIFY(library_->filter()->rowCount() == rows && column(LibraryModel::Star) == u"★||★|"_s);
        key(Qt::Key_F5, Qt::NoModifier);
        QTRY_VERIFY_WITH_TIMEOUT(!library_->scanning(), 20000);
        QVERIFY(status().contains(u"presets read in"_s));
        QVERIFY(library_->filter()->rowCount() == rows && column(LibraryModel::Star) == u"★||★|"_s);
    }

    // A hidden preset leaves the table; Show hidden brings it back greyed, and it can be
    // shown again (Unhide).
    void hiddenLeftOutUnlessShown() {
        open();
        select("metal_zone.rp250p");
        key(Qt::Key_H, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(shownRow("metal_zone.rp250p") == -1 && library_->filter()->rowCount() == 3);
        // Searching for hidden presets shows them, and only them.
        QCOMPARE(search("hidden"), 1);
        QVERIFY(shownRow("metal_zone.rp250p") >= 0);
        search("");
        auto* show = library_->findChild<QCheckBox*>(u"showHidden"_s);
        QTest::mouseClick(show, Qt::LeftButton);
        QCOMPARE(library_->filter()->rowCount(), 4);
        const QModelIndex hidden =
            library_->filter()->index(shownRow("metal_zone.rp250p"), LibraryModel::Name);
        QCOMPARE(hidden.data(Qt::ForegroundRole).value<QBrush>().color(),
                 table()->palette().color(QPalette::Disabled, QPalette::Text));
        select("metal_zone.rp250p");
        QCOMPARE(library_->findChild<QAction*>(u"hide"_s)->text(), u"Un&hide"_s);
        QVERIFY(
            library_->findChild<pw::ui::LibraryDetail*>()->facts()->text().endsWith("\nHidden"));
        key(Qt::Key_H, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::mouseClick(show, Qt::LeftButton);
        QVERIFY(shownRow("metal_zone.rp250p") >= 0);
    }

    // Tags typed for a selection are completed from the tags in use and added to every
    // preset of it, a tag taken away is taken from each, the note is every preset's; Undo
    // takes back the last change and Redo makes it again.
    void tagsCompletedAndNoteForASelectionUndone() {
        open();
        select("metal_zone.rp250p");
        editTags("blues, live");
        QCOMPARE(column(LibraryModel::Tags), u"blues, live|||"_s);

        select("metal_zone.rp250p", "surfs_up.rp255p");
        key(Qt::Key_T, Qt::ControlModifier);
        QVERIFY(tagsDialog());
        pwui::compareCaptions(*tagsDialog(), dir_->path(), "tags_and_note");
        auto* tags = tagsDialog()->findChild<QLineEdit*>(u"tags"_s);
        QCOMPARE(tags->text(), QString());                   // the two share no tag
        QVERIFY(QTest::qWaitForWindowActive(tagsDialog()));  // as the user meets it
        QTest::keyClicks(tags, u"gig, bl"_s);
        QAbstractItemView* popup = tags->completer()->popup();
        QTRY_VERIFY(popup->isVisible());
        QCOMPARE(popup->model()->rowCount(), 1);
        QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Return);
        QCOMPARE(tags->text(), u"gig, blues, "_s);
        QTest::keyClicks(tagsDialog()->findChild<QLineEdit*>(u"note"_s), u"from the 1998 pack"_s);
        QTest::mouseClick(
            tagsDialog()->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
            Qt::LeftButton);
        flushDeletes();
        QCOMPARE(column(LibraryModel::Tags), u"blues, gig, live|blues, gig||blues, gig"_s);
        QCOMPARE(cell("twin.rp255p", LibraryModel::Tags, Qt::ToolTipRole), u"from the 1998 pack"_s);
        // The detail pane shows the marks of the preset clicked.
        select("twin.rp255p");
        QLabel* facts = library_->findChild<pw::ui::LibraryDetail*>()->facts();
        QVERIFY2(facts->text().endsWith(u"\nTags: blues, gig\nNote: from the 1998 pack"_s),
                 qPrintable(facts->text()));
        // A mark made while it is shown shows at once.
        key(Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY2(facts->text().contains(u"\n★ Favourite\nTags: blues, gig"_s),
                 qPrintable(facts->text()));
        key(Qt::Key_Z, Qt::ControlModifier);
        QVERIFY2(!facts->text().contains(u"Favourite"_s), qPrintable(facts->text()));

        // Presets of several notes: the field says they are left as they are.
        select("metal_zone.rp250p", "big_verb.rp350p");
        key(Qt::Key_T, Qt::ControlModifier);
        pwui::compareWithFile(pwui::captionsOf(*tagsDialog(), dir_->path()), "several_notes");
        QTest::keyClick(tagsDialog(), Qt::Key_Escape);
        QTRY_VERIFY(!tagsDialog());
        // Taking "blues" from both leaves the other tags.
        select("metal_zone.rp250p", "surfs_up.rp255p");
        editTags("gig");
        QCOMPARE(column(LibraryModel::Tags), u"gig, live|gig||gig"_s);
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(column(LibraryModel::Tags), u"blues, gig, live|blues, gig||blues, gig"_s);
        key(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(column(LibraryModel::Tags), u"gig, live|gig||gig"_s);
        // The search field asks for tags (a twin's included) and stars.
        QCOMPARE(search("tag:gig -tag:live"), 2);
        QVERIFY(shownRow("surfs_up.rp255p") >= 0 && shownRow("twin.rp255p") >= 0);
        QCOMPARE(search("fav"), 0);
    }

    // A collection that cannot be made (its folder is a file) leaves the Library working
    // without marks, and says why once.
    void withoutACollectionTheLibraryWorks() {
        const QString file = dir_->filePath(u"not-a-folder"_s);
        writeFile(file, {});
        qputenv("XDG_DATA_HOME", QFile::encodeName(file));
        open();
        QCOMPARE(library_->filter()->rowCount(), 4);
        auto* said = library_->findChild<QLabel*>(u"marksNotice"_s);
        QVERIFY(said && said->isVisible() && said->wordWrap());
        QVERIFY2(said->text().contains(u"cannot be used"_s), qPrintable(said->text()));
        select("metal_zone.rp250p");
        clickCell("metal_zone.rp250p", LibraryModel::Star);
        key(Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(column(LibraryModel::Star), u"|||"_s);
        QCOMPARE(table()->selectionModel()->selectedRows().size(), 1);
    }

  private:
    void open() {
        windows_->openArguments({dir_->path()});  // as the command line names it
        QTRY_VERIFY_WITH_TIMEOUT(!(library_ = windows_->library())->scanning(), 20000);
        QVERIFY(QTest::qWaitForWindowActive(library_));
    }
    QTableView* table() const { return library_->table(); }
    // The row of the table showing `file`.
    int shownRow(const char* file) const {
        for (int r = 0; r < library_->filter()->rowCount(); ++r)
            if (library_->filter()->index(r, LibraryModel::File).data().toString() ==
                QLatin1String(file))
                return r;
        return -1;
    }
    QString cell(const char* file, int column, int role = Qt::DisplayRole) const {
        const int row = shownRow(file);
        return row < 0 ? u"(not shown)"_s
                       : library_->filter()->index(row, column).data(role).toString();
    }
    // The cells of `column` for metal_zone, surfs_up, big_verb and twin, with | between.
    QString column(int column) const {
        QStringList out;
        for (const char* file :
             {"metal_zone.rp250p", "surfs_up.rp255p", "big_verb.rp350p", "twin.rp255p"})
            out << cell(file, column);
        return out.join('|');
    }
    QString status() const { return library_->statusBar()->currentMessage(); }
    void clickCell(const char* file, int column, Qt::KeyboardModifiers keys = {}) {
        const QModelIndex index = library_->filter()->index(shownRow(file), column);
        QTest::mouseClick(table()->viewport(), Qt::LeftButton, keys,
                          table()->visualRect(index).center());
    }
    void select(const char* a, const char* b = nullptr) {
        clickCell(a, LibraryModel::Name);
        if (b) clickCell(b, LibraryModel::Name, Qt::ControlModifier);
    }
    // Shortcuts reach the window that is active.
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers) {
        library_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(library_));
        QTest::keyClick(library_, k, modifiers);
    }
    // Types `text` into the search field, in place of what it held: the rows shown then.
    int search(const char* text) {
        auto* field = library_->findChild<QLineEdit*>(u"search"_s);
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, QLatin1String(text));
        QCoreApplication::processEvents();
        return library_->filter()->rowCount();
    }
    QDialog* tagsDialog() const { return library_->findChild<QDialog*>(u"tagsAndNote"_s); }
    // Tags and Note for the selection: `typed` into the tags in place of what they held.
    void editTags(const char* typed) {
        key(Qt::Key_T, Qt::ControlModifier);
        QDialog* dialog = tagsDialog();
        QVERIFY(dialog && dialog->isVisible());
        auto* tags = dialog->findChild<QLineEdit*>(u"tags"_s);
        tags->selectAll();
        QTest::keyClicks(tags, QLatin1String(typed));
        QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
        QTRY_VERIFY(!tagsDialog());
    }

    pw::ui::LibraryWindow* library_ = nullptr;
};

QTEST_MAIN(LibraryMarksTest)
#include "library_marks_test.moc"
