// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's title, version and icon as the windows show them.

#include <QFont>
#include <QIcon>
#include <QString>

namespace pw::ui {

// "Patchwright"
QString appTitle();
// "1.0.0": major, minor and revision in plain decimal.
QString versionText();
// "Patchwright 1.0.0": the main window's caption.
QString mainCaption();
// The application icon, compiled into the program.
QIcon appIcon();
// The font of the windows: the layout is laid out in pixels for a small sans serif.
QFont windowFont();

}  // namespace pw::ui
