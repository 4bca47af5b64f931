// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a new window opens: beside the window it belongs to, not over it, and whole on
// that window's screen, whatever the screen's size and scale.

#include <QSize>

class QWidget;

namespace pw::ui {

// Sizes `window` to `wanted` (its client area) or less, never under its minimum size, and
// moves it beside `anchor`, on the side with room for it; without room on either side it
// goes to the screen's edge on the roomier side, over as little of `anchor` as it can.
void placeBeside(QWidget& window, const QWidget& anchor, QSize wanted);

}  // namespace pw::ui
