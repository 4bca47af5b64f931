// SPDX-License-Identifier: GPL-3.0-or-later
#include "status_look.h"

#include <QPainter>
#include <QPainterPath>

#include "glyph_icon_engine.h"
#include "params/mark_colours.h"

namespace pw::ui {
namespace {

// The pure colour of each status: green, the change mark's blue, the conflict mark's
// red, grey, and a dark orange.
Rgb pureColour(LibraryStatus status) {
    switch (status) {
        case LibraryStatus::Fits:
            return {0, 128, 0};
        case LibraryStatus::Converts:
            return {0, 0, 255};
        case LibraryStatus::Cannot:
            return {255, 0, 0};
        case LibraryStatus::ViewOnly:
            return {96, 96, 96};
        case LibraryStatus::Unreadable:
            return {176, 80, 0};
    }
    return {};
}

class StatusIconEngine : public GlyphIconEngine {
  public:
    StatusIconEngine(LibraryStatus status, QColor colour) : status_(status), colour_(colour) {}
    QIconEngine* clone() const override { return new StatusIconEngine(status_, colour_); }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        const qreal side = std::min(rect.width(), rect.height()) * 0.7;
        const QRectF box(rect.center().x() - side / 2 + 0.5, rect.center().y() - side / 2 + 0.5,
                         side, side);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        QPen pen(colour_, std::max(1.5, side / 5), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        painter->setPen(pen);
        switch (status_) {
            case LibraryStatus::Fits: {  // a tick
                QPainterPath tick;
                tick.moveTo(box.left(), box.center().y());
                tick.lineTo(box.left() + side * 0.38, box.bottom());
                tick.lineTo(box.right(), box.top());
                painter->drawPath(tick);
                break;
            }
            case LibraryStatus::Converts:  // a dot, as a changed cell
                painter->setPen(Qt::NoPen);
                painter->setBrush(colour_);
                painter->drawEllipse(
                    box.adjusted(side * 0.1, side * 0.1, -side * 0.1, -side * 0.1));
                break;
            case LibraryStatus::Cannot:  // a cross, as a conflict
                painter->drawLine(box.topLeft(), box.bottomRight());
                painter->drawLine(box.topRight(), box.bottomLeft());
                break;
            case LibraryStatus::ViewOnly: {  // an eye
                pen.setWidthF(std::max(1.0, side / 8));
                painter->setPen(pen);
                QPainterPath eye;
                eye.moveTo(box.left(), box.center().y());
                eye.quadTo(box.center().x(), box.top() - side * 0.2, box.right(), box.center().y());
                eye.quadTo(box.center().x(), box.bottom() + side * 0.2, box.left(),
                           box.center().y());
                painter->drawPath(eye);
                painter->setBrush(colour_);
                painter->drawEllipse(box.center(), side * 0.15, side * 0.15);
                break;
            }
            case LibraryStatus::Unreadable:  // an exclamation mark
                painter->drawLine(QPointF(box.center().x(), box.top()),
                                  QPointF(box.center().x(), box.top() + side * 0.6));
                painter->drawPoint(QPointF(box.center().x(), box.bottom()));
        }
        painter->restore();
    }

  private:
    LibraryStatus status_;
    QColor colour_;
};

}  // namespace

QColor statusColour(LibraryStatus status, const QColor& background) {
    const Rgb tone = markColourOn(pureColour(status),
                                  Rgb{background.red(), background.green(), background.blue()});
    return QColor(tone.r, tone.g, tone.b);
}

QIcon statusIcon(LibraryStatus status, const QColor& colour) {
    return QIcon(new StatusIconEngine(status, colour));
}

void StatusDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    const QVariant status = index.data(role_);
    if (!status.isValid()) return;
    const bool selected = option->state.testFlag(QStyle::State_Selected);
    const QColor colour =
        statusColour(LibraryStatus(status.toInt()),
                     option->palette.color(selected ? QPalette::Highlight : QPalette::Base));
    option->palette.setColor(QPalette::Text, colour);
    option->palette.setColor(QPalette::HighlightedText, colour);
    option->icon = statusIcon(LibraryStatus(status.toInt()), colour);
    option->features |= QStyleOptionViewItem::HasDecoration;
    option->decorationSize =
        QSize(option->fontMetrics.height() - 2, option->fontMetrics.height() - 2);
}

}  // namespace pw::ui
