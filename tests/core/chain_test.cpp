// SPDX-License-Identifier: GPL-3.0-or-later
// The signal chain of a preset as the window, the Library and the command line draw it.

#include <pugixml.hpp>

#include "chain/chain.h"
#include "chain/chain_svg.h"
#include "document/targets.h"
#include "test_support.h"

namespace {

using pw::chain::Chain;

pw::ParamList opened(const std::string& file, std::string_view target,
                     const std::string& bytes = {}) {
    pwtest::ScriptedMessenger messenger;
    pw::Session session(messenger);
    session.start();
    session.selectTarget(pw::document::targetByCaption(target)->option);
    bytes.empty() ? session.openFile(std::string(PW_TEST_DATA_DIR) + "/" + file)
                  : session.openBytes(file, bytes);
    EXPECT_EQ(session.lastOpenOutcome(), pw::OpenOutcome::Loaded) << file;
    return session.rows();
}

// The stages of the tiles marked as conflicts, separated by |.
std::string conflicting(const Chain& chain) {
    std::string out;
    for (const auto& tile : chain.tiles)
        if (tile.conflict) out += (out.empty() ? "" : "|") + tile.stage;
    return out;
}

// The chains of tests/data/chains.tsv.
TEST(Chain, OfScenarioPresets) {
    for (const auto& f : pwtest::tsv("chains.tsv", 4)) {
        SCOPED_TRACE(f[0] + " for " + f[1]);
        const Chain chain = pw::chain::chainOf(opened(f[0], f[1]));
        EXPECT_EQ(f[2] == "*" ? "*" : pw::chain::chainLine(chain), f[2]);
        EXPECT_EQ(conflicting(chain), f[3]);
    }
}

// Each tile names its block and holds every row of it
// (tests/data/golden/chain_dual_amp_lead_tiles.txt).
TEST(Chain, TileNamesItsBlockAndHoldsEveryRow) {
    const pw::ParamList rows = opened("dual_amp_lead.rp355p", "RP350");
    const Chain chain = pw::chain::chainOf(rows);
    ASSERT_EQ(chain.tiles.size(), 14u);
    std::string said;  // each tile as described, then the rows of Amp B's
    for (const auto& tile : chain.tiles)
        said += pw::chain::tileDescription(tile) + "\n";
    said += pw::chain::tileRowsText(chain.tiles[6], rows) + "\n";
    EXPECT_EQ(said, pwtest::golden("golden/chain_dual_amp_lead_tiles.txt", said));
}

// The picture is an SVG document with a group per block, drawn as the files hold it.
TEST(Chain, SvgParsesAndNamesEveryBlock) {
    for (const char* file : {"crunch_time.rp150p", "dual_amp_lead.rp355p"}) {
        const Chain chain = pw::chain::chainOf(opened(file, "RP250"));
        const std::string svg = pw::chain::chainSvg(chain, "Tom & \"Jerry\" <Lead>");
        pugi::xml_document doc;
        ASSERT_TRUE(doc.load_string(svg.c_str())) << file;
        // Each block's place, colours, texts and title (tests/data/golden/chain_*.svg).
        EXPECT_EQ(svg, pwtest::golden(std::string("golden/chain_") + file + ".svg", svg)) << file;
    }
}

// A model the catalogue does not know shows its own text and value; a text longer than a
// tile is cut with an ellipsis in the picture and kept whole in the tile's title.
TEST(Chain, UnknownModelAndLongTextsInThePicture) {
    const std::string longName(40, 'W');
    const std::string bytes = pwtest::presetXml(
        "RP250Preset", "Long",
        {{"2432", "6", "9999", "Dist Type", longName}, {"2433", "6", "0", "Dist Enable", "Off"}});
    const Chain chain = pw::chain::chainOf(opened("long.rp250p", "RP250", bytes));
    ASSERT_EQ(chain.tiles.size(), 1u);
    EXPECT_EQ(pw::chain::tileDescription(chain.tiles[0]),
              "Distortion: " + longName + " (9999), off, conflict");
    // Whole in the title only, cut in the picture (tests/data/golden/chain_long_text.svg).
    const std::string svg = pw::chain::chainSvg(chain, "Long");
    EXPECT_EQ(svg, pwtest::golden("golden/chain_long_text.svg", svg));
}

}  // namespace
