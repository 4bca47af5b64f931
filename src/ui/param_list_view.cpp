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

int ParamListView::highlightedRow() const {
    if (!selectionModel()) return 0;
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? 0 : rows.first().row() + 1;
}

void ParamListView::setHighlightedRow(int number) {
    if (!selectionModel() || highlightedRow() == number) return;
    settingHighlight_ = true;
    // Row `number` counts from 1; outside the list the index is invalid and none is selected.
    const QModelIndex row = model()->index(number - 1, 0);
    if (row.isValid()) {
        selectionModel()->setCurrentIndex(
            row, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(row);
    } else {
        selectionModel()->clearSelection();
        selectionModel()->clearCurrentIndex();
    }
    settingHighlight_ = false;
}

void ParamListView::selectionChanged(const QItemSelection& selected,
                                     const QItemSelection& deselected) {
    QTreeView::selectionChanged(selected, deselected);
    if (!settingHighlight_) emit highlightChanged(highlightedRow());
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

void ParamListView::mousePressEvent(QMouseEvent* event) {
    // Empty space below the rows takes the focus and leaves the highlight as it is.
    if (!indexAt(event->position().toPoint()).isValid()) {
        setFocus(Qt::MouseFocusReason);
        event->accept();
        return;
    }
    QTreeView::mousePressEvent(event);
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
        emit rowOpenRequested();
        emit keyDown(Session::Key::Other, false);
        return;
    }
    Session::Key key = Session::Key::Other;
    if (event->key() == Qt::Key_Delete) key = Session::Key::Delete;
    if (event->key() == Qt::Key_C) key = Session::Key::C;
    // Ctrl+C belongs to the list's own copy command, not to the view's.
    if (!(ctrl && key == Session::Key::C))
        QTreeView::keyPressEvent(event);
    else
        event->accept();
    emit keyDown(key, ctrl);
}

}  // namespace pw::ui
