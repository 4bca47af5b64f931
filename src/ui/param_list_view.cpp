// SPDX-License-Identifier: GPL-3.0-or-later
#include "param_list_view.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

#include "mark_look.h"

namespace pw::ui {

ParamListView::ParamListView(QWidget* parent) : QTreeView(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSortingEnabled(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTextElideMode(Qt::ElideRight);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setSortIndicatorShown(false);
    setItemDelegate(new MarkDelegate(this));
    followPalette();
}

void ParamListView::followPalette() {
    QPalette palette = QApplication::palette(this);
    const QColor tint = selectionTint(palette);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Highlight, tint);
        palette.setColor(group, QPalette::HighlightedText, palette.color(group, QPalette::Text));
    }
    setPalette(palette);
}

void ParamListView::changeEvent(QEvent* event) {
    QTreeView::changeEvent(event);
    if (event->type() == QEvent::ApplicationPaletteChange) followPalette();
}

void ParamListView::mouseDoubleClickEvent(QMouseEvent* event) {
    // Let the view handle the press as a click first, then report the double-click
    // when it hit a row; empty space below the rows opens nothing.
    QTreeView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid())
        emit listDoubleClicked();
}

void ParamListView::keyPressEvent(QKeyEvent* event) {
    const bool ctrl = event->modifiers().testFlag(Qt::ControlModifier);
    const bool open = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                      event->key() == Qt::Key_F2;
    if (open && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        event->accept();
        if (currentIndex().isValid()) emit rowOpenRequested(currentIndex());
        emit keyDown(Session::Key::Other, false);
        return;
    }
    Session::Key key = Session::Key::Other;
    if (event->key() == Qt::Key_Delete) key = Session::Key::Delete;
    if (event->key() == Qt::Key_C) key = Session::Key::C;
    const int before = currentIndex().row();
    // Ctrl+C belongs to the list's own copy command, not to the view's.
    if (!(ctrl && key == Session::Key::C))
        QTreeView::keyPressEvent(event);
    else
        event->accept();
    reportKeyboardMove(before);
    emit keyDown(key, ctrl);
}

void ParamListView::reportKeyboardMove(int rowBefore) {
    const QModelIndex now = currentIndex();
    // Only a move that highlights the row counts: the bare focus frame that taking the
    // focus puts on the first row selects nothing.
    if (now.isValid() && now.row() != rowBefore && selectionModel()->isSelected(now))
        emit currentRowMovedByKey(now);
}

}  // namespace pw::ui
