// SPDX-License-Identifier: GPL-3.0-or-later
#include "mark_look.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "glyph_icon_engine.h"
#include "param_table_model.h"
#include "params/mark_colours.h"

namespace pw::ui {
namespace {

Rgb rgb(const QColor& c) {
    return Rgb{c.red(), c.green(), c.blue()};
}

QColor mix(const QColor& a, const QColor& b, double share) {
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * share),
                            float(a.greenF() + (b.greenF() - a.greenF()) * share),
                            float(a.blueF() + (b.blueF() - a.blueF()) * share));
}

// Paints the glyph at any size, in every mode, always in the mark's colour.
class MarkIconEngine : public GlyphIconEngine {
  public:
    MarkIconEngine(Mark mark, QColor colour) : mark_(mark), colour_(colour) {}
    QIconEngine* clone() const override { return new MarkIconEngine(mark_, colour_); }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        const QRectF box = QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        if (mark_ == Mark::Conflict) {
            painter->setPen(
                QPen(colour_, std::max(1.5, box.width() / 4.5), Qt::SolidLine, Qt::RoundCap));
            painter->drawLine(box.topLeft(), box.bottomRight());
            painter->drawLine(box.topRight(), box.bottomLeft());
        } else {
            painter->setPen(Qt::NoPen);
            painter->setBrush(colour_);
            painter->drawEllipse(box);
        }
        painter->restore();
    }

  private:
    Mark mark_;
    QColor colour_;
};

// The glyph's size, and the gap between the text and the glyph.
constexpr int kGlyphSize = 7;
constexpr int kGlyphGap = 3;

}  // namespace

QColor markColour(Mark mark, const QColor& background) {
    if (mark == Mark::Default) return {};
    // The mark's colour value is stored as red + 256 green + 65536 blue.
    const int value = colourValue(mark);
    const Rgb pure{value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF};
    const Rgb tone = markColourOn(pure, rgb(background));
    return QColor(tone.r, tone.g, tone.b);
}

QIcon markIcon(Mark mark, const QColor& colour) {
    if (mark == Mark::Default) return {};
    return QIcon(new MarkIconEngine(mark, colour));
}

QColor selectionTint(const QPalette& palette) {
    const QColor base = palette.color(QPalette::Active, QPalette::Base);
    const QColor highlight = palette.color(QPalette::Active, QPalette::Highlight);
    const bool dark = base.lightnessF() < 0.5;
    if (!dark) return mix(base, highlight, 0.2);
    // On a dark list the tint is no lighter than the list (a black list allows a
    // glimmer), so a mark needs no more lightening on the selected row than elsewhere and
    // keeps its hue instead of fading towards the text colour.
    QColor tint = mix(base, highlight, 0.4);
    const double ceiling = std::max(relativeLuminance(rgb(base)), 0.01);
    while (relativeLuminance(rgb(tint)) > ceiling)
        tint = QColor::fromRgbF(tint.redF() * 0.97f, tint.greenF() * 0.97f, tint.blueF() * 0.97f);
    return tint;
}

void MarkDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    const auto mark = Mark(index.data(ParamTableModel::MarkRole).toInt());
    if (mark == Mark::Default) return;
    // The list draws its selection on a light tint (its palette's highlight), so a
    // selected mark keeps its colour, chosen for the tint.
    const bool selected = option->state.testFlag(QStyle::State_Selected);
    const QColor colour =
        markColour(mark, option->palette.color(selected ? QPalette::Highlight : QPalette::Base));
    option->palette.setColor(QPalette::Text, colour);
    option->palette.setColor(QPalette::HighlightedText, colour);
    option->icon = markIcon(mark, colour);
}

void MarkDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QStyle* style = cell.widget ? cell.widget->style() : QApplication::style();
    const QIcon glyph = cell.icon;
    if (glyph.isNull()) {
        style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, cell.widget);
        return;
    }
    // The glyph follows the text; only a text too long to leave it room gives some up.
    cell.icon = QIcon();
    cell.features &= ~QStyleOptionViewItem::HasDecoration;
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &cell, painter, cell.widget);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, cell.widget) + 1;
    const int textEnd = cell.rect.left() + margin + cell.fontMetrics.horizontalAdvance(cell.text);
    const int lastGlyphLeft = cell.rect.right() - kGlyphSize;
    int glyphLeft = textEnd + kGlyphGap;
    if (glyphLeft > lastGlyphLeft) {
        glyphLeft = lastGlyphLeft;
        cell.rect.setRight(lastGlyphLeft - kGlyphGap + margin);
    }
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, cell.widget);
    glyph.paint(painter, QRect(glyphLeft, cell.rect.center().y() - kGlyphSize / 2 + 1, kGlyphSize,
                               kGlyphSize));
}

}  // namespace pw::ui
