// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a marked cell looks: its text in the mark's colour, readable on the list's own
// background, and a glyph after the text that tells the marks apart without colour
// (a cross after a conflict, a dot after a change). A selected row is drawn on a light tint
// of the highlight, so its marks stay readable.

#include <QColor>
#include <QIcon>
#include <QPalette>
#include <QStyledItemDelegate>

#include "params/param_list.h"

namespace pw::ui {

// The colour of `mark` drawn over `background` (invalid for Mark::Default).
QColor markColour(Mark mark, const QColor& background);
// The glyph of `mark`, drawn in `colour` (a null icon for Mark::Default).
QIcon markIcon(Mark mark, const QColor& colour);
// The background of a selected row: the list's base with a touch of the highlight,
// so that marks stay readable on it, in their own hue.
QColor selectionTint(const QPalette& palette);

class MarkDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Draws a marked cell's glyph just after its text.
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

}  // namespace pw::ui
