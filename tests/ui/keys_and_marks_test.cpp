// SPDX-License-Identifier: GPL-3.0-or-later
// The window's keyboard (access keys, Return/F2, Ctrl+S, Ctrl+Q) and where it starts, how
// marks read on light, dark and selected rows, and a drop of several files.

#include <QAbstractButton>
#include <QLineEdit>
#include <QMenuBar>
#include <QSignalSpy>

#include "captions.h"
#include "mark_look.h"
#include "params/mark_colours.h"
#include "window_fixture.h"

using namespace pw;

class KeysAndMarksTest : public pwui::WindowFixture {
    Q_OBJECT
    const QPalette original_ = QApplication::palette();

    static Rgb rgb(const QColor& c) { return {c.red(), c.green(), c.blue()}; }
    static QPalette listPalette(QColor base, QColor text, QColor highlight) {
        QPalette p = QApplication::palette();
        p.setColor(QPalette::Base, base);
        p.setColor(QPalette::Text, text);
        p.setColor(QPalette::Highlight, highlight);
        p.setColor(QPalette::HighlightedText, Qt::white);
        return p;
    }

  private slots:
    void init() { openWindow(); }
    void cleanup() {
        closeWindow();
        QApplication::setPalette(original_);
    }

    // The window starts with the name text and the focus on Save (unless a control has it
    // already), in one font size; every button has an access key of its own, which clicks it.
    void startsWithTheNameTextAndTheFocusOnSaveEveryButtonHasItsOwnAccessKey() {
        QCOMPARE(child<QLineEdit>("tbPatchName")->text(), u"Patch Name"_s);
        QCOMPARE(form_->session().patchName(), std::string("Patch Name"));
        QCOMPARE(form_->focusWidget(), child<QPushButton>("cmdSave"));
        QTRY_VERIFY(form_->testAttribute(Qt::WA_KeyboardFocusChange));
        const int pixels = QFontInfo(form_->font()).pixelSize();
        for (QWidget* w : form_->centralWidget()->findChildren<QWidget*>())
            QVERIFY2(QFontInfo(w->font()).pixelSize() == pixels, qPrintable(w->objectName()));
        QList<QKeySequence> taken;
        for (QAction* menu : form_->menuBar()->actions())
            taken << QKeySequence::mnemonic(menu->text());
        for (QAbstractButton* b : form_->centralWidget()->findChildren<QAbstractButton*>()) {
            const QKeySequence key = QKeySequence::mnemonic(b->text());
            QVERIFY2(!key.isEmpty() && !taken.contains(key), qPrintable(b->text()));
            taken << key;
            if (!b->isEnabled()) continue;
            QSignalSpy clicked(b, &QAbstractButton::clicked);
            QTest::keyClick(form_.get(), key[0].key(), Qt::AltModifier);
            QTRY_COMPARE(clicked.count(), 1);
        }
        // A control given the focus before the window is first active keeps it.
        closeWindow();
        openWindow("tbPatchName");
        QTest::qWait(20);
        QCOMPARE(QApplication::focusWidget(), child<QLineEdit>("tbPatchName"));
    }

    void returnAndF2OpenTheRow_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("opens");
        QTest::newRow("Return on Amp Type") << int(Qt::Key_Return) << "2496" << true;
        QTest::newRow("F2 on Amp Type") << int(Qt::Key_F2) << "2496" << true;
        QTest::newRow("Return on Amp Gain") << int(Qt::Key_Return) << "2497" << false;
    }
    void returnAndF2OpenTheRow() {
        QFETCH(int, key);
        QFETCH(QString, id);
        QFETCH(bool, opens);
        form_->openFile(copy(u"dual_amp_lead.rp355p"_s));
        lv()->setFocus();
        lv()->setCurrentIndex(cell(qPrintable(id), "8", 0));
        QTest::keyClick(lv(), Qt::Key(key));
        QCOMPARE(form_->modelSelect() && form_->modelSelect()->isVisible(), opens);
        QCOMPARE(form_->session().selectedIndex(), lv()->currentIndex().row() + 1);
    }

    void ctrlSSavesAsSaveDoesAndCtrlQExits() {
        for (bool loaded : {false, true}) {
            if (loaded) form_->openFile(copy(u"dual_amp_lead.rp355p"_s));
            said_->texts.clear();
            child<QPushButton>("cmdSave")->click();
            const QStringList byButton = said_->texts;
            said_->texts.clear();
            QTest::keyClick(form_.get(), Qt::Key_S, Qt::ControlModifier);
            QVERIFY(!byButton.isEmpty());
            QCOMPARE(said_->texts, byButton);
        }
        QTest::keyClick(form_.get(), Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(!form_->isVisible());
    }

    void marksReadOnEveryPalette_data() {
        QTest::addColumn<QPalette>("palette");
        QTest::addColumn<bool>("dark");
        QTest::newRow("light") << listPalette(Qt::white, Qt::black, 0x308cc6) << false;
        QTest::newRow("dark") << listPalette(0x232629, 0xeff0f1, 0x3daee9) << true;
        QTest::newRow("black") << listPalette(Qt::black, Qt::white, 0x2a82da) << true;
    }
    void marksReadOnEveryPalette() {
        QFETCH(QPalette, palette);
        QFETCH(bool, dark);
        QApplication::setPalette(palette);  // a theme is in place before the window opens
        closeWindow();
        openWindow();
        form_->openFile(copy(u"dual_amp_lead.rp355p"_s));  // conflicts under RP255
        Session& session = form_->session();
        session.clickRow(cell("2496", "8", 0).row() + 1);  // a pick marks the row changed
        session.UpdateListItem(*session.blockForDoubleClick(), 0);
        form_->refresh();
        const std::tuple<QModelIndex, Mark, QColor> marks[] = {
            {cell("207", "4", kSetting), Mark::Conflict, QColor(255, 0, 0)},
            {cell("2496", "8", kValue), Mark::Change, QColor(0, 0, 255)}};
        const QColor base = lv()->palette().color(QPalette::Base);
        for (const auto& [index, mark, pure] : marks) {
            const QColor shown = index.data(Qt::ForegroundRole).value<QColor>();
            const Row& row = session.rows().row(std::size_t(index.row()) + 1);
            QCOMPARE(index.data().toString().toStdString(), row.cells[index.column()]);
            if (!dark) QCOMPARE(shown, pure);
            if (dark) QVERIFY(contrastRatio(rgb(shown), rgb(base)) >= 4.5);

            // Selected, the cell's most contrasting pixel is still of the mark's hue.
            lv()->setCurrentIndex(index);
            const QRect place = lv()->visualRect(index);
            const QImage image = lv()->viewport()->grab(place).toImage();
            const QColor backdrop = image.pixelColor(image.width() - 4, place.height() / 2);
            const Rgb background = rgb(backdrop);
            QColor ink = backdrop;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (contrastRatio(rgb(image.pixelColor(x, y)), background) >
                        contrastRatio(rgb(ink), background))
                        ink = image.pixelColor(x, y);
            const int hueOff = std::abs(ink.hue() - pure.hue()) % 360;
            QVERIFY2(std::min(hueOff, 360 - hueOff) < 15 && ink.saturation() > 30,
                     qPrintable(ink.name()));
            QVERIFY(contrastRatio(rgb(ink), background) >= 3.0);  // through anti-aliasing
            const QColor chosen = ui::markColour(mark, backdrop);
            QVERIFY(!dark || contrastRatio(rgb(chosen), background) >= 4.5);
            // ... and no paler than on the rows around it: it does not fade to the text.
            QVERIFY(chosen.lightnessF() <= ui::markColour(mark, base).lightnessF() + 0.05);
        }
        // The list as drawn: its marks, their icons and the selected row's tint.
        pwui::compareLooks(*lv()->viewport(), QByteArray("marks_") + QTest::currentDataTag());
    }

    void severalDroppedFilesOpenTheFirstAndSaySo() {
        drop({copy(u"big_verb.rp350p"_s), copy(u"surfs_up.rp255p"_s),
              copy(u"crunch_time.rp150p"_s)});
        QCOMPARE(form_->session().sourceRoot(), std::string("RP350Preset"));
        QCOMPARE(said_->messages.back().icon, Icon::Information);
        // The whole message (captions/several_dropped.txt).
        pwui::compareWithFile(said_->texts.join(QLatin1Char('|')) + '\n', "several_dropped");

        // A link from a web page is no file to open: the window does not take it.
        QVERIFY(refusesWebLink());
    }
};

QTEST_MAIN(KeysAndMarksTest)
#include "keys_and_marks_test.moc"
