// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The report-style list `lv`: reports item clicks, double-clicks anywhere on it and
// every key pressed in it; it never sorts. Return and F2 open the current row as a
// double-click on it would.

#include <QTreeView>

#include "session/session.h"

namespace pw::ui {

class ParamListView : public QTreeView {
    Q_OBJECT
  public:
    explicit ParamListView(QWidget* parent = nullptr);

  signals:
    // A double-click on a row.
    void listDoubleClicked();
    // The keyboard moved the current row (arrows, Home/End, paging, type-ahead): for the session
    // this is a click on that row.
    void currentRowMovedByKey(const QModelIndex& row);
    // A key went down while the list had the focus.
    void keyDown(pw::Session::Key key, bool ctrl);
    // Return, Enter or F2 on the current row.
    void rowOpenRequested(const QModelIndex& row);

  protected:
    void changeEvent(QEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // The application's palette with the selection drawn on a light tint.
    void followPalette();
    void reportKeyboardMove(int rowBefore);
};

}  // namespace pw::ui
