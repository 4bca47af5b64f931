// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace pw::ui {

void placeBeside(QWidget& window, const QWidget& anchor, QSize wanted) {
    const QScreen* screen = anchor.screen() ? anchor.screen() : QGuiApplication::primaryScreen();
    const QRect free = screen->availableGeometry();
    const QRect beside = anchor.frameGeometry();
    // The new window's frame is not known before it is shown: take the anchor's.
    const QSize frame = beside.size() - anchor.geometry().size();
    const QSize least = window.minimumSizeHint().expandedTo(window.minimumSize()) + frame;
    QSize size = (wanted + frame).boundedTo(free.size());

    const int roomRight = free.right() - beside.right();
    const int roomLeft = beside.left() - free.left();
    int x = 0;
    if (roomRight >= least.width()) {
        size.setWidth(std::min(size.width(), roomRight));
        x = beside.right() + 1;
    } else if (roomLeft >= least.width()) {
        size.setWidth(std::min(size.width(), roomLeft));
        x = beside.left() - size.width();
    } else {
        size.setWidth(
            std::min(size.width(), std::max(least.width(), std::max(roomLeft, roomRight))));
        x = roomRight >= roomLeft ? free.right() + 1 - size.width() : free.left();
    }
    const int y = std::clamp(beside.top(), free.top(), free.bottom() + 1 - size.height());
    window.resize(size - frame);
    window.move(x, y);
}

}  // namespace pw::ui
