// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "About Patchwright": title, version, acknowledgements and a notice.

#include <QDialog>

class QLabel;
class QPushButton;
class QFrame;

namespace pw::ui {

class FrmAbout : public QDialog {
    Q_OBJECT
  public:
    explicit FrmAbout(QWidget* parent = nullptr);

    // The acknowledgements as the description label shows them.
    static QString descriptionText();
    static QString disclaimerText();

  private:
    QLabel* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QFrame* Line1 = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QPushButton* cmdOK = nullptr;
};

}  // namespace pw::ui
