// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every text a window shows of itself, one line each in the order its parts were made:
// its title, its menus and their commands with their keys and tips, its labels, buttons,
// boxes, the items of its lists, the hints of its fields, its tables' column headers and
// rows with their tips, and how each widget was set up (traitsOf);
// each control that cannot be used at the moment says so, and each one checked.
// Compared with a file of tests/ui/captions, so that no caption changes unnoticed;
// PW_UPDATE_SCENARIOS=1 writes the file from the window (read the diff before committing).

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include "pw_version.h"

using namespace Qt::StringLiterals;

namespace pwui {

// How a widget was set up beyond its texts, where it differs from a new one's: each
// property of tests/ui/captions/traits.tsv a widget of its kind has, with the value Qt
// starts it at there; and whether it goes when closed.
inline QString traitsOf(const QWidget& w) {
    static const auto fresh = [] {
        QFile file(QStringLiteral(PW_TEST_DATA_DIR "/../ui/captions/traits.tsv"));
        if (!file.open(QIODevice::ReadOnly)) qFatal("cannot read traits.tsv");
        std::vector<QList<QByteArray>> rows;
        for (const QByteArray& line : file.readAll().split('\n'))
            if (!line.startsWith('#') && line.contains('\t')) rows.push_back(line.split('\t'));
        return rows;
    }();
    QStringList t;
    for (const QList<QByteArray>& row : fresh)
        if (const QVariant v = w.property(row[0]); v.isValid() && v.toString() != row[1])
            t << row[0] + QLatin1Char(' ') + v.toString();
    if (w.testAttribute(Qt::WA_DeleteOnClose)) t << u"deleted on close"_s;
    return t.join(u", "_s);
}

inline QString captionsOf(const QWidget& window, const QString& folder) {
    // A widget just shown or hidden has its window's least size worked out again, one level
    // of nested widgets per round of posted layout requests.
    for (int level = 0; level < 8; ++level)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QStringList lines{u"title: "_s + QString(window.windowTitle())
                                         .replace(QStringLiteral(PW_VERSION_TEXT), u"<version>"_s)
                                         .replace(folder, u"<folder>"_s)};
    const auto add = [&](const QObject* o, const QString& kind, const QString& text) {
        if (text.isEmpty()) return;
        QString said = text;
        const auto* w = qobject_cast<const QWidget*>(o);
        const auto* a = qobject_cast<const QAction*>(o);
        const auto* b = qobject_cast<const QAbstractButton*>(o);
        if (kind != u"tip"_s) {
            if ((w && !w->isEnabled()) || (a && !a->isEnabled())) said += u" (disabled)"_s;
            if ((a && a->isChecked()) || (b && b->isChecked())) said += u" (checked)"_s;
        }
        said.replace(folder, u"<folder>"_s)
            .replace(QStringLiteral(PW_VERSION_TEXT), u"<version>"_s)
            .replace(QLatin1Char('\n'), u"\\n"_s);
        lines << kind + QLatin1Char(' ') + o->objectName() + u": "_s + said;
    };
    if (const QString traits = traitsOf(window); !traits.isEmpty())
        lines << u"traits of the window: "_s + traits;
    for (const QObject* o : window.findChildren<QObject*>()) {
        if (o->objectName().startsWith(u"qt_"_s)) continue;
        if (const auto* a = qobject_cast<const QAction*>(o)) {
            if (a->isSeparator() || a->menu()) continue;
            add(o, u"command"_s,
                a->text() + (a->shortcut().isEmpty() ? QString()
                                                     : u" ["_s + a->shortcut().toString() + ']'));
        } else if (const auto* m = qobject_cast<const QMenu*>(o)) {
            add(o, u"menu"_s, m->title());
        } else if (const auto* b = qobject_cast<const QAbstractButton*>(o)) {
            add(o, u"button"_s, b->text());
        } else if (const auto* g = qobject_cast<const QGroupBox*>(o)) {
            add(o, u"group"_s, g->title());
        } else if (const auto* l = qobject_cast<const QLabel*>(o)) {
            add(o, u"label"_s, l->text());
        } else if (const auto* c = qobject_cast<const QComboBox*>(o)) {
            QStringList items;
            for (int i = 0; i < c->count(); ++i)
                items << c->itemText(i);
            add(o, u"list"_s, items.join(u" | "_s));
        } else if (const auto* e = qobject_cast<const QLineEdit*>(o)) {
            add(o, u"field"_s, e->placeholderText());
        } else if (const auto* v = qobject_cast<const QAbstractItemView*>(o);
                   v && v->model() && !qobject_cast<const QHeaderView*>(o) &&
                   !qobject_cast<const QComboBox*>(o->parent()->parent())) {
            QStringList headers;
            for (int column = 0; column < v->model()->columnCount(); ++column)
                headers << v->model()->headerData(column, Qt::Horizontal).toString();
            add(o, u"columns"_s, headers.join(u" | "_s));
            const auto cells = [v](int row, int role) {  // a row's texts or tips, if any
                QStringList out;
                for (int column = 0; column < v->model()->columnCount(); ++column)
                    out << v->model()->index(row, column).data(role).toString();
                return out.join(QString()).isEmpty() ? QString() : out.join(u" | "_s);
            };
            for (int row = 0; row < v->model()->rowCount(); ++row)
                for (const auto& [kind, role] : {std::pair("row", 0), std::pair("tip", 3)})
                    add(o, QLatin1String(kind), cells(row, role));  // display, tool tip
        } else if (const auto* timer = qobject_cast<const QTimer*>(o)) {
            add(o, "timer",
                QString::number(timer->interval()) + (timer->isSingleShot() ? " ms, once" : " ms"));
        }
        if (const auto* w = qobject_cast<const QWidget*>(o)) {
            add(o, u"tip"_s, w->toolTip());
            add(o, u"spoken"_s, w->accessibleName());  // what a screen reader says
            if (const QString traits = traitsOf(*w); !traits.isEmpty())
                lines << u"traits "_s + o->objectName() + u": "_s + traits;
        } else if (const auto* a = qobject_cast<const QAction*>(o);
                   a && a->toolTip() !=
                            QString(a->text()).remove(QLatin1Char('&')).remove(QChar(0x2026)))
            add(o, u"tip"_s, a->toolTip());
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

// Compares `shown` with tests/ui/captions/`name`.txt, line by line.
inline void compareWithFile(const QString& shown, const char* name) {
    const QString file =
        QStringLiteral(PW_TEST_DATA_DIR "/../ui/captions/") + QLatin1String(name) + ".txt";
    if (qEnvironmentVariableIsSet("PW_UPDATE_SCENARIOS")) {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(shown.toUtf8());
    }
    QFile in(file);
    QVERIFY2(in.open(QIODevice::ReadOnly), qPrintable(file));
    const QStringList expected = QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'));
    const QStringList got = shown.split(QLatin1Char('\n'));
    for (int i = 0; i < std::max(expected.size(), got.size()); ++i)
        QCOMPARE(got.value(i), expected.value(i));
}

// Compares what `window` draws with tests/ui/looks/`name`.png, pixel for pixel: its size,
// the place of each control, its fonts and colours. Its status bar is left out (it says
// how long things took). A window still settling (a column fitted or a bar hidden after
// the last event) is given three seconds. A window that differs is left in the temporary
// folder as `name`-shown.png to compare by eye.
inline void compareLooks(QWidget& window, const QByteArray& name) {
    const QString file = QStringLiteral(PW_TEST_DATA_DIR "/../ui/looks/") + name + ".png";
    const auto draw = [&window] {
        QRect drawn = window.rect();
        if (const auto* bar = window.findChild<QStatusBar*>(QString(), Qt::FindDirectChildrenOnly);
            bar && bar->isVisible())
            drawn.setBottom(bar->y() - 1);
        return window.grab(drawn).toImage().convertToFormat(QImage::Format_RGB32);
    };
    QImage shown = draw();
    if (qEnvironmentVariableIsSet("PW_UPDATE_SCENARIOS")) {  // drawn once it has settled
        QTest::qWait(500);
        QVERIFY((shown = draw()).save(file));
    }
    const QImage expected = QImage(file).convertToFormat(QImage::Format_RGB32);
    for (QDeadlineTimer settled(3000); shown != expected && !settled.hasExpired(); shown = draw())
        QTest::qWait(50);
    if (shown == expected) return;
    const QString kept = QDir::temp().filePath(name + "-shown.png");
    shown.save(kept);
    QFAIL(qPrintable(
        u"%1 does not look as %2 (see %3)"_s.arg(QString::fromLatin1(name), file, kept)));
}

// Compares the window's captions with tests/ui/captions/`name`.txt and its look with
// tests/ui/looks/`name`.png.
inline void compareCaptions(QWidget& window, const QString& folder, const char* name) {
    compareWithFile(captionsOf(window, folder), name);
    compareLooks(window, name);
}

}  // namespace pwui
