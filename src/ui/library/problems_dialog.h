// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a scan met besides presets (a missing input, a broken pack, a link loop), one
// problem a line, in a list that can be read, selected and copied.

#include <QDialog>
#include <QStringList>

namespace pw::ui {

class ProblemsDialog : public QDialog {
    Q_OBJECT
  public:
    ProblemsDialog(const QStringList& problems, QWidget* parent);
};

}  // namespace pw::ui
