// SPDX-License-Identifier: GPL-3.0-or-later
#include "chain/chain_svg.h"

#include <algorithm>
#include <cstddef>
#include <sstream>

#include "document/display_text.h"

namespace pw::chain {
namespace {

// Sizes in pixels; a text is elided to the columns a tile holds, so none overlaps.
constexpr int kTileWidth = 150;
constexpr int kGap = 28;
constexpr int kMargin = 16;
constexpr int kTitleHeight = 30;
constexpr int kLine = 16;
constexpr std::size_t kColumns = 19;
constexpr const char* kConflictColour = "#ff0000";

std::string escaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string shown(std::string_view text) {
    return escaped(document::displayText(text, kColumns));
}

int tileHeight(const Chain& chain) {
    std::size_t knobs = 0;
    for (const Tile& t : chain.tiles)
        knobs = std::max(knobs, t.knobs.size());
    return 3 * kLine + static_cast<int>(knobs) * kLine + 8;
}

void writeTile(std::ostream& out, const Tile& t, int px, int py, int height) {
    out << "  <g" << (t.on ? "" : " opacity=\"0.5\"") << ">\n";
    out << "    <title>" << escaped(tileDescription(t)) << "</title>\n";
    out << "    <rect x=\"" << px << "\" y=\"" << py << "\" width=\"" << kTileWidth
        << "\" height=\"" << height << "\" rx=\"6\" fill=\"#f2f2f2\" stroke=\""
        << (t.conflict ? kConflictColour : "#555555") << "\" stroke-width=\""
        << (t.conflict ? 2 : 1) << "\"/>\n";
    const int tx = px + 8;
    int ty = py + kLine;
    out << "    <text x=\"" << tx << "\" y=\"" << ty << "\" font-size=\"11\" fill=\"#555555\">"
        << shown(t.stage) << (t.on ? "" : " \u00b7 off") << "</text>\n";
    if (t.conflict)
        out << "    <text x=\"" << px + kTileWidth - 16 << "\" y=\"" << ty
            << "\" font-size=\"12\" fill=\"" << kConflictColour << "\">\u2715</text>\n";
    ty += kLine + 2;
    out << "    <text x=\"" << tx << "\" y=\"" << ty
        << "\" font-size=\"13\" font-weight=\"bold\" fill=\"#000000\">" << shown(t.model)
        << "</text>\n";
    for (const Knob& knob : t.knobs) {
        ty += kLine;
        out << "    <text x=\"" << tx << "\" y=\"" << ty << "\" font-size=\"11\" fill=\"#222222\">"
            << shown(knob.label + " " + knob.text) << "</text>\n";
    }
    out << "  </g>\n";
}

}  // namespace

std::string chainSvg(const Chain& chain, std::string_view title) {
    const int height = tileHeight(chain);
    const std::vector<Place> places = layoutOf(chain);
    const int rows = chain.twoChannels() ? 2 : 1;
    const int width = std::max(kMargin * 2 + columnsOf(places) * (kTileWidth + kGap) - kGap,
                               2 * kMargin + kTileWidth);
    const int total = kMargin + kTitleHeight + rows * height + (rows - 1) * kGap + kMargin;
    const auto xOf = [](const Place& p) { return kMargin + p.column * (kTileWidth + kGap); };
    const auto yOf = [&](const Place& p) {
        return kMargin + kTitleHeight + p.lane * (height + kGap) / 2;
    };

    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << width << "\" height=\"" << total
        << "\" viewBox=\"0 0 " << width << ' ' << total << "\" font-family=\"sans-serif\">\n";
    out << "  <title>" << escaped(title) << "</title>\n";
    out << "  <rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
    out << "  <text x=\"" << kMargin << "\" y=\"" << kMargin + 14
        << "\" font-size=\"15\" font-weight=\"bold\">" << escaped(document::displayText(title, 80))
        << "</text>\n";
    for (const Place& b : places)
        for (std::size_t i : b.from)
            out << "  <line x1=\"" << xOf(places[i]) + kTileWidth << "\" y1=\""
                << yOf(places[i]) + height / 2 << "\" x2=\"" << xOf(b) << "\" y2=\""
                << yOf(b) + height / 2 << "\" stroke=\"#555555\" stroke-width=\"2\"/>\n";
    for (std::size_t i = 0; i < places.size(); ++i)
        writeTile(out, chain.tiles[i], xOf(places[i]), yOf(places[i]), height);
    out << "</svg>\n";
    return out.str();
}

}  // namespace pw::chain
