// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The report-style list `lv`: reports item clicks, double-clicks on a row, every key
// pressed in it and every change of its highlight the user makes; it never sorts.
// Return and F2 open the selected row as a double-click on it would.

#include <QTreeView>

#include "session/session.h"

namespace pw::ui {

class ParamListView : public QTreeView {
    Q_OBJECT
  public:
    explicit ParamListView(QWidget* parent = nullptr);

    // The highlighted row's number from 1, or 0 when no row is highlighted.
    int highlightedRow() const;
    // Highlights row `number` (0: none) without reporting it as the user's change.
    void setHighlightedRow(int number);

  signals:
    // A double-click on a row.
    void listDoubleClicked();
    // The user moved or removed the highlight (click, Ctrl+click, keys): the new row's
    // number from 1, or 0 for none.
    void highlightChanged(int number);
    // A key went down while the list had the focus.
    void keyDown(pw::Session::Key key, bool ctrl);
    // Return, Enter or F2.
    void rowOpenRequested();

  protected:
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;

  private:
    // The application's palette with the selection drawn on a light tint.
    void followPalette();

    bool settingHighlight_ = false;
};

}  // namespace pw::ui
