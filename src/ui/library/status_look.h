// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a preset's status looks in the Library: its word, a glyph that tells the statuses
// apart without colour (a tick, a dot, a cross, an eye, an exclamation mark) and a colour
// that stays readable on the table's background, light or dark, as the main window's marks.

#include <QColor>
#include <QIcon>
#include <QStyledItemDelegate>

namespace pw::ui {

// The statuses in the order the table sorts them.
enum class LibraryStatus { Fits, Converts, Cannot, ViewOnly, Unreadable };

// The status's colour over `background` (pure on light backgrounds, lightened on dark).
QColor statusColour(LibraryStatus status, const QColor& background);
// The status's glyph, drawn in `colour`.
QIcon statusIcon(LibraryStatus status, const QColor& colour);

// Draws the status column: the glyph before the word, both in the status's colour.
class StatusDelegate : public QStyledItemDelegate {
  public:
    // `statusRole`: the model's role that holds a LibraryStatus as an int.
    StatusDelegate(int statusRole, QObject* parent)
        : QStyledItemDelegate(parent), role_(statusRole) {}

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

  private:
    int role_;
};

}  // namespace pw::ui
