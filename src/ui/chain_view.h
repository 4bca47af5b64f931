// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A preset's signal chain drawn left to right: one tile per block (the core's chain),
// the two amp channels one above the other, lines between the blocks. Each tile is a
// widget of its own with the block's description as its accessible name and every row
// of the block as its tooltip. Sizes follow the font; colours follow the palette.

#include <QWidget>
#include <vector>

#include "chain/chain.h"

namespace pw::ui {

class ChainTile : public QWidget {
    Q_OBJECT
  public:
    explicit ChainTile(QWidget* parent);
    void setTile(const chain::Tile& tile, const QString& rows, bool marked);
    const chain::Tile& tile() const { return tile_; }
    // Marked as differing from the other preset of a comparison.
    bool marked() const { return marked_; }
    // The texts the tile shows, top to bottom ("Distortion", "off", "Screamer TS9", ...).
    QStringList texts() const;
    QSize sizeHint() const override;
    // A tile's size in `font`, for `knobs` lines of knobs: it grows with the font.
    static QSize sizeFor(const QFont& font, std::size_t knobs);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    chain::Tile tile_;
    bool marked_ = false;
};

class ChainView : public QWidget {
    Q_OBJECT
  public:
    explicit ChainView(QWidget* parent = nullptr);
    // Shows the chain of `list`; `marked` (by tile) outlines the tiles that differ from
    // another preset. Tiles are reused, so an update does not flicker.
    void showChain(const ParamList& list, const std::vector<bool>& marked = {});
    const chain::Chain& chain() const { return chain_; }
    std::vector<ChainTile*> tiles() const { return tiles_; }
    QSize sizeHint() const override;
    // The picture as it is drawn, at the screen's scale.
    QPixmap picture();
    // A scroll area around `view` as high as its chain, scrolling sideways only.
    static QWidget* scrolled(ChainView* view);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void placeTiles();
    QSize tileSize() const;

    chain::Chain chain_;
    std::vector<chain::Place> places_;
    std::vector<ChainTile*> tiles_;
};

}  // namespace pw::ui
