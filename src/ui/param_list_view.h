#pragma once
// The report-style list `lv`: reports item clicks, double-clicks anywhere on it and
// every key pressed in it; it never sorts.

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

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void reportKeyboardMove(int rowBefore);
};

}  // namespace pw::ui
