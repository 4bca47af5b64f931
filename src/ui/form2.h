// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Model Select": one drop-down list per effect block, stacked at one place beside
// Cancel. Choosing a name from a list writes it into the row last clicked in the main
// list; typing into a list's text field only moves the list's highlight.

#include <QDialog>
#include <QMargins>
#include <vector>

#include "session/session.h"

class QComboBox;
class QPushButton;

namespace pw::ui {

class Form2 : public QDialog {
    Q_OBJECT
  public:
    // The outer size of the window, frame included.
    static constexpr QSize kOuterSize{330, 82};

    explicit Form2(Session& session, QWidget* parent = nullptr);

    // The frame the window system gives `window` (null until it has told it).
    static QMargins frameOf(const QWidget& window);

    // Before the first show: the frame's top left corner on the screen, and the frame
    // the window system is expected to give the window.
    void placeAt(QPoint frameTopLeft, QMargins expectedFrame);
    // Shows the dialog without blocking the main window and makes the block's list
    // visible.
    void openBlock(const catalogue::Block& block);

    // The drop-down list of a block (by its place in the catalogue).
    QComboBox* list(const catalogue::Block& block) const;
    QPushButton* cancelButton() const { return cmdCancel; }

  public slots:
    // Escape unloads the dialog as Cancel does.
    void reject() override;

  signals:
    // A pick has been handed to the session; the main window shows the result.
    void listItemUpdated();
    // The dialog is hidden or closed: where its frame was, and the frame.
    void leaving(QPoint frameTopLeft, QMargins frame);

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool event(QEvent* event) override;

  private:
    void cbo_Click(std::size_t block, int index);
    void cmdCancel_Click();
    void fitOuterSize();

    Session& session_;
    std::vector<QComboBox*> lists_;
    QPushButton* cmdCancel = nullptr;
};

}  // namespace pw::ui
