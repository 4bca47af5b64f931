// SPDX-License-Identifier: GPL-3.0-or-later
// The Edit menu of the real window: Ctrl+Z takes back each step and Ctrl+Y or
// Ctrl+Shift+Z does it again, the controls showing each state exactly as before.

#include <QAction>
#include <QLabel>
#include <QLineEdit>

#include "window_fixture.h"

class EditMenuTest : public pwui::WindowFixture {
    Q_OBJECT
  private slots:
    void init() { openWindow(); }
    void cleanup() { closeWindow(); }

    void undoAndRedoShowEachState() {
        form_->openFile(copy(u"dual_amp_lead.rp355p"_s));
        auto* redo = child<QAction>("mnuRedo");
        auto* name = child<QLineEdit>("tbPatchName");
        QStringList states{shown()};
        click("cmdAmpA");
        states << shown();
        click("cmdFilter");
        states << shown();
        clickRow(2);
        QTest::keyClick(lv(), Qt::Key_Delete, Qt::ControlModifier);
        states << shown();
        name->setFocus();
        QTest::keyClicks(name, u"xy"_s);
        lv()->setFocus();  // the step is "Patch Name" (ctrlZInTheNameBoxIsTheMenusUndo)
        states << shown();

        for (qsizetype k = states.size() - 1; k > 0; --k) {
            QTest::keyClick(lv(), Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(shown(), states[k - 1]);
        }
        QVERIFY(!child<QAction>("mnuUndo")->isEnabled());
        QCOMPARE(redo->text(), u"&Redo Amp A"_s);
        for (qsizetype k = 1; k < states.size(); ++k) {
            QTest::keyClick(lv(), k % 2 ? Qt::Key_Y : Qt::Key_Z,
                            k % 2 ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
            QCOMPARE(shown(), states[k]);
        }
        QVERIFY(!redo->isEnabled());
    }

    // The name box has no undo of its own: Ctrl+Z there takes back the step the menu names.
    void ctrlZInTheNameBoxIsTheMenusUndo() {
        form_->openFile(copy(u"dual_amp_lead.rp355p"_s));
        click("cmdAmpA");
        const QString afterAmp = shown();
        auto* name = child<QLineEdit>("tbPatchName");
        name->setFocus();
        name->end(false);
        QTest::keyClicks(name, u"xy"_s);
        auto* undo = child<QAction>("mnuUndo");
        QCOMPARE(undo->text(), u"&Undo Patch Name"_s);
        QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(shown() == afterAmp && undo->text() == u"&Undo Amp A"_s);
        QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(child<QPushButton>("cmdAmpA")->isEnabled());
        QTest::keyClick(name, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(shown(), afterAmp);
    }

  private:
    // What the window shows: the list's cells, the labels, the name and the buttons.
    QString shown() const {
        QStringList out;
        for (const char* name : {"lbParamCount", "Label4"})
            out << child<QLabel>(name)->text();
        out << child<QLineEdit>("tbPatchName")->text();
        for (const char* name : {"cmdFilter", "cmdReset", "cmdAmpA", "cmdAmpB", "cmdSave"})
            out << QString::number(child<QPushButton>(name)->isEnabled());
        const pw::ui::ParamTableModel* m = form_->model();
        for (int r = 0; r < m->rowCount(); ++r)
            for (int c = 0; c < m->columnCount(); ++c)
                out << m->index(r, c).data().toString() +
                           m->index(r, c).data(Qt::ForegroundRole).toString();
        return out.join('|');
    }
};

QTEST_MAIN(EditMenuTest)
#include "edit_menu_test.moc"
