// SPDX-License-Identifier: GPL-3.0-or-later
#include "chain_view.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

#include "mark_look.h"
#include "ui_text.h"

namespace pw::ui {
namespace {

// Tile sizes in characters and lines of the font, so they scale with it.
constexpr int kTileColumns = 20;
constexpr int kHeaderLines = 2;  // the block, then the model
constexpr int kMinKnobLines = 2;

QColor mixed(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(static_cast<float>(a.redF() * (1 - t) + b.redF() * t),
                            static_cast<float>(a.greenF() * (1 - t) + b.greenF() * t),
                            static_cast<float>(a.blueF() * (1 - t) + b.blueF() * t));
}

int gap(const QFontMetrics& fm) {
    return fm.horizontalAdvance(QLatin1Char('M')) * 2;
}

}  // namespace

ChainTile::ChainTile(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::TabFocus);
}

void ChainTile::setTile(const chain::Tile& tile, const QString& rows, bool marked) {
    tile_ = tile;
    marked_ = marked;
    setAccessibleName(qs(chain::tileDescription(tile)) + (marked ? tr(", differs") : QString()));
    setToolTip(rows);
    update();  // a small tile: drawn again at the next paint, unchanged or not
}

QStringList ChainTile::texts() const {
    QStringList out{qs(tile_.stage)};
    if (!tile_.on) out << tr("off");
    out << qs(tile_.model);
    for (const chain::Knob& knob : tile_.knobs)
        out << qs(knob.label + " " + knob.text);
    return out;
}

QSize ChainTile::sizeFor(const QFont& font, std::size_t knobs) {
    const QFontMetrics fm(font);
    const int lines = kHeaderLines + std::max(kMinKnobLines, static_cast<int>(knobs));
    return {fm.averageCharWidth() * kTileColumns, fm.lineSpacing() * lines + fm.height()};
}

QSize ChainTile::sizeHint() const {
    return sizeFor(font(), tile_.knobs.size());
}

void ChainTile::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    const QColor base = pal.color(QPalette::Base);
    QColor text = pal.color(QPalette::Text);
    QColor fill = mixed(base, pal.color(QPalette::Button), 0.6);
    if (!tile_.on) {  // an off block is dimmed, and says so in words
        text = mixed(text, base, 0.5);
        fill = base;
    }
    const QColor conflict = markColour(Mark::Conflict, fill);
    QColor border = tile_.conflict ? conflict : mixed(text, base, 0.4);
    if (marked_) border = pal.color(QPalette::Highlight);
    const QFontMetrics fm(font());
    const qreal pen = std::max(1.0, fm.height() / 12.0) * (marked_ || tile_.conflict ? 2 : 1);
    const QRectF box = QRectF(rect()).adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2);
    p.setPen(QPen(border, pen, marked_ ? Qt::DashLine : Qt::SolidLine));
    p.setBrush(fill);
    p.drawRoundedRect(box, fm.height() / 3.0, fm.height() / 3.0);
    if (hasFocus()) {
        p.setPen(QPen(pal.color(QPalette::Highlight), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(box.adjusted(2, 2, -2, -2), fm.height() / 4.0, fm.height() / 4.0);
    }

    const int pad = fm.averageCharWidth();
    const int width = this->width() - 2 * pad;
    int y = pad / 2;
    const int glyph = fm.height();
    const auto line = [&](const QString& s, const QFont& f, const QColor& c, int room) {
        const QFontMetrics m(f);
        p.setFont(f);
        p.setPen(c);
        p.drawText(QRect(pad, y, room, m.lineSpacing()), Qt::AlignLeft | Qt::AlignVCenter,
                   m.elidedText(s, Qt::ElideRight, room));
        y += m.lineSpacing();
    };
    QFont small = font();
    if (font().pointSizeF() > 0) small.setPointSizeF(font().pointSizeF() * 0.9);
    const QString header =
        tile_.on ? qs(tile_.stage) : qs(tile_.stage) + QStringLiteral(" · ") + tr("off");
    line(header, small, mixed(text, base, 0.3), width - (tile_.conflict ? glyph : 0));
    if (tile_.conflict)
        markIcon(Mark::Conflict, conflict)
            .paint(&p, QRect(this->width() - pad - glyph, pad / 2, glyph, glyph));
    QFont bold = font();
    bold.setBold(true);
    line(qs(tile_.model), bold, text, width);
    for (const chain::Knob& knob : tile_.knobs)  // the tile is sized to hold them all
        line(qs(knob.label + " " + knob.text), font(), text, width);
}

ChainView::ChainView(QWidget* parent) : QWidget(parent) {
    setAccessibleName(tr("Signal chain"));
}

void ChainView::showChain(const ParamList& list, const std::vector<bool>& marked) {
    chain_ = chain::chainOf(list);
    places_ = chain::layoutOf(chain_);
    while (tiles_.size() > chain_.tiles.size()) {
        delete tiles_.back();
        tiles_.pop_back();
    }
    while (tiles_.size() < chain_.tiles.size()) {
        auto* tile = new ChainTile(this);
        tile->show();
        tiles_.push_back(tile);
    }
    for (std::size_t i = 0; i < tiles_.size(); ++i)
        tiles_[i]->setTile(chain_.tiles[i], qs(chain::tileRowsText(chain_.tiles[i], list)),
                           i < marked.size() && marked[i]);
    placeTiles();
}

QSize ChainView::tileSize() const {
    QSize size;
    for (const ChainTile* t : tiles_)
        size = size.expandedTo(t->sizeHint());
    return size.isValid() ? size : ChainTile::sizeFor(font(), 0);
}

void ChainView::placeTiles() {
    const QSize tile = tileSize();
    const int g = gap(fontMetrics());
    for (std::size_t i = 0; i < tiles_.size(); ++i) {
        const chain::Place& at = places_[i];
        tiles_[i]->setGeometry(g / 2 + at.column * (tile.width() + g),
                               g / 2 + at.lane * (tile.height() + g) / 2, tile.width(),
                               tile.height());
    }
    setMinimumSize(sizeHint());
    updateGeometry();
    // The scroll area around the view, and what holds it, take the chain's height.
    for (QWidget* w = parentWidget(); w != nullptr && !w->isWindow(); w = w->parentWidget())
        w->updateGeometry();
    update();
}

QSize ChainView::sizeHint() const {
    const QSize tile = tileSize();
    const int g = gap(fontMetrics());
    const int columns = std::max(1, chain::columnsOf(places_));
    const int rows = chain_.twoChannels() ? 2 : 1;
    return {columns * (tile.width() + g), rows * tile.height() + (rows - 1) * g + g};
}

void ChainView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) placeTiles();
}

void ChainView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), palette().color(QPalette::Base));
    const QColor line =
        mixed(palette().color(QPalette::Text), palette().color(QPalette::Base), 0.4);
    p.setPen(QPen(line, std::max(1.0, fontMetrics().height() / 8.0)));
    for (std::size_t i = 0; i < tiles_.size(); ++i)  // a place for each tile
        for (std::size_t from : places_[i].from) {
            const QRect a = tiles_[from]->geometry();
            const QRect b = tiles_[i]->geometry();
            p.drawLine(QPointF(a.right() + 1, a.center().y()), QPointF(b.left(), b.center().y()));
        }
}

namespace {
// Keeps the area as high as the chain it holds, plus its sideways scroll bar.
class ChainScrollArea : public QScrollArea {
  public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override {
        const QSize inner = widget()->sizeHint();
        const int frame = 2 * frameWidth();
        return {inner.width() + frame,
                inner.height() + frame + style()->pixelMetric(QStyle::PM_ScrollBarExtent)};
    }
    QSize minimumSizeHint() const override { return {0, sizeHint().height()}; }
};
}  // namespace

QWidget* ChainView::scrolled(ChainView* view) {
    auto* area = new ChainScrollArea;
    area->setWidget(view);
    area->setWidgetResizable(true);
    area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return area;
}

QPixmap ChainView::picture() {
    resize(sizeHint().expandedTo(size()));
    return grab();
}

}  // namespace pw::ui
