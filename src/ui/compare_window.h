// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Two presets side by side: both chains one above the other, the tiles that differ
// marked, and below them the rows as the core's diff pairs them: only the differences,
// or every row on request, one line each with both sides; F8 and Shift+F8 go to the
// next and the previous difference.

#include <QWidget>
#include <string>

#include "params/param_list.h"

class QCheckBox;
class QLabel;
class QTreeWidget;

namespace pw::ui {

class ChainView;

class CompareWindow : public QWidget {
    Q_OBJECT
  public:
    struct Side {
        QString title;  // the file, as the window shows it
        std::string patchName;
        ParamList rows;
    };
    CompareWindow(Side a, Side b, QWidget* parent);

    ChainView* chainA() const { return chainA_; }
    ChainView* chainB() const { return chainB_; }
    QTreeWidget* rows() const { return list_; }
    QCheckBox* allRows() const { return allRows_; }
    QLabel* summary() const { return summary_; }

  public slots:
    void nextDifference();
    void previousDifference();

  private:
    void fillRows();
    void stepDifference(int step);

    Side a_;
    Side b_;
    ChainView* chainA_ = nullptr;
    ChainView* chainB_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QCheckBox* allRows_ = nullptr;
    QLabel* summary_ = nullptr;
};

}  // namespace pw::ui
