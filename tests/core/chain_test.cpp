// SPDX-License-Identifier: GPL-3.0-or-later
// The signal chain of a preset as the window, the Library and the command line draw it.

#include <pugixml.hpp>

#include <set>

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
    if (bytes.empty())
        session.openFile(std::string(PW_TEST_DATA_DIR) + "/" + file);
    else
        session.openBytes(file, bytes);
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

TEST(Chain, TileNamesItsBlockAndHoldsEveryRow) {
    const pw::ParamList rows = opened("dual_amp_lead.rp355p", "RP350");
    const Chain chain = pw::chain::chainOf(rows);
    ASSERT_EQ(chain.tiles.size(), 14u);
    const auto& ampB = chain.tiles[6];
    EXPECT_EQ(pw::chain::tileDescription(ampB), "Amp B: 83 JCM800 / British 4x12, Gain 6, Level 5");
    EXPECT_EQ(pw::chain::tileRowsText(ampB, rows),
              "Amp B Enable: On\nAmp B Type: JCM800\nAmp B Gain: 6\nAmp B Level: 5\n"
              "Cab B Type: British 4x12");
    EXPECT_EQ(pw::chain::tileDescription(chain.tiles[2]),
              "Compressor: Dyna Comp (197), off, Output 13, Sensitivity 73");
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
    const std::string svg = pw::chain::chainSvg(chain, "Long");
    EXPECT_NE(svg.find("<title>Distortion: " + longName + " (9999), off, conflict</title>"),
              std::string::npos);
    EXPECT_EQ(svg.find(longName), svg.rfind(longName));  // whole in the title only
    EXPECT_NE(svg.find(std::string(18, 'W') + "\u2026<"), std::string::npos);
}

}  // namespace
