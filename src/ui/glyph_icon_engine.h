// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An icon drawn by its paint() at whatever size is asked: the glyphs of the marks and of
// the Library's statuses. A pixmap is the same drawing on a transparent image.

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

namespace pw::ui {

class GlyphIconEngine : public QIconEngine {
  public:
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap image(size);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        paint(&painter, image.rect(), mode, state);
        return image;
    }
};

}  // namespace pw::ui
