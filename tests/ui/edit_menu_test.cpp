// SPDX-License-Identifier: GPL-3.0-or-later
// The Edit menu of the real window: Ctrl+Z takes back each step and Ctrl+Y or
// Ctrl+Shift+Z does it again, the controls showing each state exactly as before.

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include "form1.h"
#include "param_table_model.h"

class EditMenuTest : public QObject {
    Q_OBJECT
  private slots:
    void undoAndRedoShowEachState();
};

namespace {

struct Silent : pw::Messenger {
    pw::Answer show(const pw::Message&) override { return pw::Answer::No; }
};

// What the window shows: the list's cells, the labels, the name and the buttons.
QString shown(const pw::ui::Form1& f) {
    QStringList out;
    for (const char* name : {"lbParamCount", "Label4"})
        out << f.findChild<QLabel*>(name)->text();
    out << f.findChild<QLineEdit*>("tbPatchName")->text();
    for (const char* name : {"cmdFilter", "cmdReset", "cmdAmpA", "cmdAmpB", "cmdSave"})
        out << QString::number(f.findChild<QPushButton*>(name)->isEnabled());
    const pw::ui::ParamTableModel* m = f.model();
    for (int r = 0; r < m->rowCount(); ++r)
        for (int c = 0; c < m->columnCount(); ++c)
            out << m->index(r, c).data().toString() +
                       m->index(r, c).data(Qt::ForegroundRole).toString();
    return out.join('|');
}

}  // namespace

void EditMenuTest::undoAndRedoShowEachState() {
    Silent messenger;
    pw::ui::Form1 form(&messenger);
    form.openFile(QStringLiteral(PW_TEST_DATA_DIR "/dual_amp_lead.rp355p"));
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QStringList menus;
    for (QAction* a : form.menuBar()->actions())
        menus << a->text();
    QCOMPARE(menus, (QStringList{"&File", "&Edit", "&Tools", "&Help"}));
    auto* undo = form.findChild<QAction*>("mnuUndo");
    auto* redo = form.findChild<QAction*>("mnuRedo");
    QVERIFY(!undo->isEnabled() && !redo->isEnabled());

    auto* lv = form.findChild<QTreeView*>("lv");
    auto* name = form.findChild<QLineEdit*>("tbPatchName");
    QStringList states{shown(form)};
    QTest::mouseClick(form.findChild<QPushButton*>("cmdAmpA"), Qt::LeftButton);
    states << shown(form);
    QTest::mouseClick(form.findChild<QPushButton*>("cmdFilter"), Qt::LeftButton);
    states << shown(form);
    QTest::mouseClick(lv->viewport(), Qt::LeftButton, {},
                      lv->visualRect(form.model()->index(1, 0)).center());
    QTest::keyClick(lv, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(undo->text(), QStringLiteral("&Undo Remove Row"));
    states << shown(form);
    name->setFocus();
    QTest::keyClicks(name, QStringLiteral("xy"));
    lv->setFocus();
    QCOMPARE(undo->text(), QStringLiteral("&Undo Patch Name"));
    states << shown(form);

    for (qsizetype k = states.size() - 1; k > 0; --k) {
        QTest::keyClick(lv, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(shown(form), states[k - 1]);
    }
    QVERIFY(!undo->isEnabled());
    QCOMPARE(redo->text(), QStringLiteral("&Redo Amp A"));
    for (qsizetype k = 1; k < states.size(); ++k) {
        QTest::keyClick(lv, k % 2 ? Qt::Key_Y : Qt::Key_Z,
                        k % 2 ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(shown(form), states[k]);
    }
    QVERIFY(!redo->isEnabled());
}

QTEST_MAIN(EditMenuTest)
#include "edit_menu_test.moc"
