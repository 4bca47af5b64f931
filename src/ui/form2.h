// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Model Select": one drop-down list per effect block, stacked at one place beside
// Cancel. Picking a name writes it into the row last clicked in the main list.

#include <QDialog>
#include <vector>

#include "session/session.h"

class QComboBox;
class QPushButton;

namespace pw::ui {

class Form2 : public QDialog {
    Q_OBJECT
  public:
    explicit Form2(Session& session, QWidget* parent = nullptr);

    // Shows the dialog without blocking the main window and makes the block's list
    // visible.
    void openBlock(const catalogue::Block& block);

    // The drop-down list of a block (by its place in the catalogue).
    QComboBox* list(const catalogue::Block& block) const;
    QPushButton* cancelButton() const { return cmdCancel; }

  signals:
    // A pick has been handed to the session; the main window shows the result.
    void listItemUpdated();

  protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void cbo_Click(std::size_t block, int index);
    void cmdCancel_Click();
    void fitOuterSize();

    Session& session_;
    std::vector<QComboBox*> lists_;
    QPushButton* cmdCancel = nullptr;
};

}  // namespace pw::ui
