// SPDX-License-Identifier: GPL-3.0-or-later
// What the list highlights is what its keys act on, whatever rebuilt the list; Model
// Select writes only an entry chosen from its open list, closes when the list it was
// opened for changes, and opens at one size and place. All through keys and the mouse.

#include <QAction>
#include <QClipboard>

#include "window_fixture.h"

using namespace pw;

class HighlightTest : public pwui::WindowFixture {
    Q_OBJECT
    enum class Before { OpenAnother, Filter, CtrlClickOnIt, ClickBelow, Pick, RemoveLastRow, Undo };

  private slots:
    void init() { openWindow(); }
    void cleanup() { closeWindow(); }

    void keysActOnTheHighlightedRowOnly_data() {
        QTest::addColumn<Before>("before");
        QTest::addColumn<int>("expected");  // the row highlighted afterwards, 0 for none
        QTest::addColumn<QString>("preset");
        const QString big = u"dual_amp_lead.rp355p"_s;
        const QString small = u"golden/clean.rp250p"_s;  // three rows, room below
        QTest::newRow("another preset opened, Tab to the list") << Before::OpenAnother << 0 << big;
        QTest::newRow("Filter Patch") << Before::Filter << 0 << big;
        QTest::newRow("Ctrl+click on the highlighted row") << Before::CtrlClickOnIt << 0 << small;
        QTest::newRow("click below the rows") << Before::ClickBelow << 3 << small;
        // After a pick its row stays highlighted, but the keys act on no row.
        QTest::newRow("pick in Model Select") << Before::Pick << -1 << big;
        QTest::newRow("the last row removed") << Before::RemoveLastRow << 0 << big;
        QTest::newRow("Filter Patch undone") << Before::Undo << 3 << big;
    }

    // After each, the highlight and the selected row agree; Ctrl+C, Return and Ctrl+Delete
    // take the highlighted row, or do nothing when none is (or after a pick).
    void keysActOnTheHighlightedRowOnly() {
        QFETCH(Before, before);
        QFETCH(int, expected);
        QFETCH(QString, preset);
        form_->openFile(copy(preset));
        const Session& s = form_->session();
        lv()->setFocus();
        clickRow(3);
        switch (before) {
            case Before::OpenAnother:
                drop({copy(u"metal_zone.rp250p"_s)});
                child<QPushButton>("cmdSave")->setFocus();
                QTest::keyClick(child<QPushButton>("cmdSave"), Qt::Key_Tab);
                QCOMPARE(QApplication::focusWidget(), lv());
                break;
            case Before::CtrlClickOnIt:
                QTest::mouseClick(lv()->viewport(), Qt::LeftButton, Qt::ControlModifier,
                                  lv()->visualRect(form_->model()->index(2, 0)).center());
                break;
            case Before::ClickBelow:
                QTest::mouseClick(lv()->viewport(), Qt::LeftButton, {},
                                  QPoint(20, lv()->viewport()->height() - 5));
                break;
            case Before::Pick: {
                ui::Form2* dialog = openAmpList();
                QComboBox* cbo = dialog->findChild<QComboBox*>(u"cboAmp"_s);
                QTest::keyClick(cbo->lineEdit(), Qt::Key_Down);  // opens the list
                QTest::keyClick(cbo->view(), Qt::Key_Down);
                QTest::keyClick(cbo->view(), Qt::Key_Return);
                QVERIFY(!dialog->isVisible());
                expected = rowOf("2496", "8");
                lv()->setFocus();
                break;
            }
            case Before::RemoveLastRow:
                clickRow(form_->model()->rowCount());
                ctrl(Qt::Key_Delete);
                break;
            case Before::Filter:
            case Before::Undo:
                click("cmdFilter");
                lv()->setFocus();
                if (before == Before::Undo) QTest::keyClick(lv(), Qt::Key_Z, Qt::ControlModifier);
                break;
        }
        QCOMPARE(highlighted(), expected);
        const int acting = before == Before::Pick ? 0 : expected;
        QCOMPARE(s.selectedIndex(), acting);

        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText(u"untouched"_s);
        ctrl(Qt::Key_C);
        QCOMPARE(clipboard->text(), acting ? line(acting) : u"untouched"_s);
        const bool opens = acting != 0 && s.blockForDoubleClick() != nullptr;
        QTest::keyClick(lv(), Qt::Key_Return);
        QCOMPARE(form_->modelSelect() && form_->modelSelect()->isVisible(), opens);
        const int count = form_->model()->rowCount();
        const QString next = acting && acting < count ? line(acting + 1) : QString();
        lv()->setFocus();
        ctrl(Qt::Key_Delete);
        QCOMPARE(form_->model()->rowCount(), acting ? count - 1 : count);
        // The selected number names the row that moved up, and that row is highlighted.
        if (acting && !next.isEmpty()) QCOMPARE(line(highlighted()), next);
        QCOMPARE(s.selectedIndex(),
                 highlighted() == 0 || before == Before::Pick ? 0 : highlighted());
        QTest::keyClick(lv(), Qt::Key_Down);  // the arrows move both, as a click does
        QCOMPARE(s.selectedIndex(), highlighted());
        QTest::keyClick(lv(), Qt::Key_C);  // and so does a name's first letter
        QVERIFY(line(highlighted()).startsWith(u'C') == preset.startsWith(u"dual"_s));
    }

    void onlyAChoiceFromTheOpenListWrites_data() {
        QTest::addColumn<QString>("then");
        for (const char* then : {"Escape", "Cancel", "close", "tap on the arrow",
                                 "press on the arrow, release in the list",
                                 "Down, then Return in the list", "a click in the list"})
            QTest::newRow(then) << QString::fromLatin1(then);
    }

    // An exact model name typed into the text field writes nothing however the dialog is
    // left; the open list starts on the typed entry, and Return there chooses it.
    void onlyAChoiceFromTheOpenListWrites() {
        QFETCH(QString, then);
        form_->openFile(copy(u"dual_amp_lead.rp355p"_s));
        const int amp = rowOf("2496", "8");
        const std::string before = form_->session().rows().row(std::size_t(amp)).setting();
        ui::Form2* dialog = openAmpList();
        QComboBox* cbo = dialog->findChild<QComboBox*>(u"cboAmp"_s);
        QVERIFY(cbo->lineEdit()->hasFocus());
        const int entry = cbo->count() / 2;
        QVERIFY(cbo->itemText(entry).toStdString() != before);
        cbo->lineEdit()->selectAll();
        QTest::keyClicks(cbo->lineEdit(), cbo->itemText(entry));

        std::string written = before;
        if (then == QLatin1String("Escape")) {
            QTest::keyClick(cbo->lineEdit(), Qt::Key_Escape);
        } else if (then == QLatin1String("Cancel")) {
            QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
        } else if (then == QLatin1String("close")) {
            dialog->close();
        } else if (then == QLatin1String("tap on the arrow")) {
            QTest::mouseClick(cbo, Qt::LeftButton, {}, QPoint(cbo->width() - 6, cbo->height() / 2));
            QTRY_VERIFY(cbo->view()->isVisible());
            cbo->hidePopup();
        } else if (then == QLatin1String("press on the arrow, release in the list")) {
            pressOnTheArrowReleaseOver(cbo, entry);
        } else if (then == QLatin1String("a click in the list")) {
            QTest::mouseClick(cbo, Qt::LeftButton, {}, QPoint(cbo->width() - 6, cbo->height() / 2));
            QTRY_VERIFY(cbo->view()->isVisible());
            QTest::qWait(QApplication::doubleClickInterval() + 50);  // not the tap's release
            const QRect over = cbo->view()->visualRect(cbo->model()->index(entry, 0));
            QTest::mouseClick(cbo->view()->viewport(), Qt::LeftButton, {}, over.center());
            written = cbo->itemText(entry).toStdString();
        } else {
            QTest::keyClick(cbo->lineEdit(), Qt::Key_Down);
            QTRY_VERIFY(cbo->view()->isVisible());
            QCOMPARE(cbo->view()->currentIndex().row(), entry);  // typing moved the highlight
            QTest::keyClick(cbo->view(), Qt::Key_Return);
            written = cbo->itemText(entry).toStdString();
        }
        flushDeletes();
        QCOMPARE(form_->session().rows().row(std::size_t(amp)).setting(), written);
        if (written == before) return;
        // The key that chose leaves nothing behind for a name typed at the next opening.
        // Nor does the click that chose for a press on the arrow let go over the list.
        cbo = openAmpList()->findChild<QComboBox*>(u"cboAmp"_s);
        cbo->lineEdit()->selectAll();
        QTest::keyClicks(cbo->lineEdit(), cbo->itemText(entry + 1));
        if (then == QLatin1String("a click in the list"))
            pressOnTheArrowReleaseOver(cbo, entry + 1);
        QTest::keyClick(cbo->lineEdit(), Qt::Key_Escape);
        QCOMPARE(form_->session().rows().row(std::size_t(amp)).setting(), written);
    }

    void modelSelectClosesWhenTheListChanges_data() {
        QTest::addColumn<QString>("change");
        for (const char* change : {"remove a row", "open another", "Filter Patch", "Undo"})
            QTest::newRow(change) << QString::fromLatin1(change);
    }

    void modelSelectClosesWhenTheListChanges() {
        QFETCH(QString, change);
        form_->openFile(copy(u"dual_amp_lead.rp355p"_s));
        click("cmdAmpA");
        openAmpList();
        if (change == QLatin1String("remove a row")) {
            clickRow(1);
            ctrl(Qt::Key_Delete);
        } else if (change == QLatin1String("open another")) {
            drop({copy(u"big_verb.rp350p"_s)});
        } else if (change == QLatin1String("Filter Patch")) {
            click("cmdFilter");
        } else {
            child<QAction>("mnuUndo")->trigger();
        }
        flushDeletes();
        QVERIFY(!form_->modelSelect());
    }

    // Outer size 330 x 82 at every opening, and the place where it was left: after a
    // pick, Escape, Cancel, and after the user moved it.
    void modelSelectOpensAtOneSizeAndPlace() {
        form_->openFile(copy(u"dual_amp_lead.rp355p"_s));
        ui::Form2* dialog = openAmpList();
        // Cancel's access key, Alt+C, is in captions/model_select.txt, and used below.
        QRect place = dialog->frameGeometry();
        QCOMPARE(place.size(), QSize(330, 82));
        for (const char* leave : {"pick", "Escape", "Alt+C", "moved, then Cancel"}) {
            QComboBox* cbo = dialog->findChild<QComboBox*>(u"cboAmp"_s);
            if (leave == std::string_view("pick")) {
                QTest::keyClick(cbo->lineEdit(), Qt::Key_Down);
                QTest::keyClick(cbo->view(), Qt::Key_Return);
            } else if (leave == std::string_view("Escape")) {
                QTest::keyClick(dialog, Qt::Key_Escape);
            } else if (leave == std::string_view("Alt+C")) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::AltModifier);
            } else {
                dialog->move(dialog->pos() + QPoint(30, 40));
                place.translate(30, 40);
                QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
            }
            QTRY_VERIFY2(!form_->modelSelect() || !form_->modelSelect()->isVisible(), leave);
            flushDeletes();
            dialog = openAmpList();
            QCOMPARE(dialog->frameGeometry(), place);
        }
    }

  private:
    // The mouse goes down on the arrow, not on an entry: letting go over one is no choice.
    void pressOnTheArrowReleaseOver(QComboBox* cbo, int entry) {
        QTest::mousePress(cbo, Qt::LeftButton, {}, QPoint(cbo->width() - 6, cbo->height() / 2));
        QTRY_VERIFY(cbo->view()->isVisible());
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        const QRect over = cbo->view()->visualRect(cbo->model()->index(entry, 0));
        QTest::mouseMove(cbo->view()->viewport(), over.center());
        QTest::mouseRelease(cbo->view()->viewport(), Qt::LeftButton, {}, over.center());
        if (cbo->view()->isVisible()) cbo->hidePopup();
    }
    int highlighted() const {
        const QModelIndexList rows = lv()->selectionModel()->selectedRows();
        return rows.isEmpty() ? 0 : rows.first().row() + 1;
    }
    QString line(int number) const {
        QStringList cells;
        for (int c = 0; c < kColumnCount; ++c)
            cells << form_->model()->index(number - 1, c).data().toString();
        return cells.join(u", "_s);
    }
    // Model Select for the Amp row, active (the test program stops when it does not open).
    ui::Form2* openAmpList() {
        doubleClickRow(rowOf("2496", "8"));
        ui::Form2* dialog = form_->modelSelect();
        if (!dialog || !QTest::qWaitFor([&] { return QApplication::activeWindow() == dialog; }))
            qFatal("Model Select did not open");
        // The pointer rests off the lists, where an open list would highlight the entry
        // under it.
        QTest::mouseMove(dialog, QPoint(2, 2));
        return dialog;
    }
    void ctrl(Qt::Key key) { QTest::keyClick(lv(), key, Qt::ControlModifier); }
};

QTEST_MAIN(HighlightTest)
#include "highlight_test.moc"
