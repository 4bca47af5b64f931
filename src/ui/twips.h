// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fixed forms are laid out in twips, 15 to a pixel at 96 dots per inch.

#include <QRect>
#include <QtMath>

namespace pw::ui {

inline QRect twips(int left, int top, int width, int height) {
    return QRect(qRound(left / 15.0), qRound(top / 15.0), qRound(width / 15.0),
                 qRound(height / 15.0));
}

}  // namespace pw::ui
