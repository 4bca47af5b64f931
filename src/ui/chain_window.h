// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// View > Signal Chain: a small window with the open preset's chain, which the main
// window keeps up to date, and buttons that copy the picture or save it as PNG.

#include <QWidget>

#include "params/param_list.h"

class QPushButton;

namespace pw::ui {

class ChainView;

class ChainWindow : public QWidget {
    Q_OBJECT
  public:
    explicit ChainWindow(QWidget* parent);
    void showChain(const ParamList& list, const QString& patchName);
    ChainView* view() const { return view_; }
    // Writes the picture as PNG to `file`, replaced whole; returns the system's reason on
    // failure, "" when written.
    QString savePicture(const QString& file);

  public slots:
    void copyPicture();
    void savePictureAs();

  private:
    ChainView* view_ = nullptr;
    QWidget* scroll_ = nullptr;
    QString patchName_;
};

}  // namespace pw::ui
