// SPDX-License-Identifier: GPL-3.0-or-later
// The substitutes of Resolve Conflicts against the check tables and against
// tests/data/characters.tsv (what each model sounds like, written apart from the
// table), and what Resolve does to a list and says about it.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "catalogue/substitutions.h"
#include "document/targets.h"
#include "filter/resolve.h"
#include "models/family_lists.h"
#include "session/messages.h"
#include "test_support.h"

namespace {

using pw::catalogue::Block;
using pw::document::Target;

std::vector<const Target*> targets() {
    std::vector<const Target*> out;
    for (const Target& t : pw::document::kTargets)
        if (t.selectable) out.push_back(&t);
    return out;
}

const Block& block(std::string_view title) {
    for (const Block& b : pw::catalogue::blocks())
        if (b.title == title) return b;
    throw std::logic_error("no block " + std::string(title));
}

// (block, value) -> character, and the named models, from characters.tsv.
struct Characters {
    std::map<std::pair<std::string, std::int64_t>, std::string> byValue;
    std::vector<std::vector<std::string>> rows;
    Characters() : rows(pwtest::tsv("characters.tsv")) {
        for (const auto& r : rows) {
            const std::size_t colon = r.at(1).find(':');
            const std::int64_t v =
                colon == std::string::npos
                    ? std::stoll(r[1])
                    : std::stoll(r[1]) * 65536 + std::stoll(r[1].substr(colon + 1));
            byValue[{r[0], v}] = r.at(3);
        }
    }
    std::string of(std::string_view blockTitle, std::int64_t value) const {
        const auto it = byValue.find({std::string(blockTitle), value});
        return it == byValue.end() ? "(not in characters.tsv)" : it->second;
    }
};

// Every model number some target knows in a block: the catalogue's, and what the
// larger models' tables know besides.
std::set<std::int64_t> candidates(const Block& b) {
    std::set<std::int64_t> out;
    if (b.onlyAtPosition19) {
        for (const auto& item : pw::models::lists355::pedalValues)
            for (std::int64_t v = item.first; v <= item.last; ++v)
                out.insert(v);
    } else {
        for (std::int64_t v = 0; v < 2048; ++v)
            out.insert(v);
    }
    for (const auto& entry : b.entries)
        out.insert(entry.value);
    std::erase_if(out, [&](std::int64_t v) {
        for (const Target* t : targets())
            if (pw::filter::targetKnowsModel(b, static_cast<double>(v), *t)) return false;
        return true;
    });
    return out;
}

TEST(SubstitutionTable, EveryLineReplacesAnUnknownModelWithAKnownOneOfItsCharacter) {
    const Characters characters;
    for (const auto& line : pw::catalogue::substitutions()) {
        const std::string what = std::string(line.block) + " " + std::to_string(line.replaced);
        const Block& b = block(line.block);
        const auto* entry = pw::catalogue::substituteEntry(line);
        ASSERT_NE(entry, nullptr) << what << " " << line.substitute;
        EXPECT_FALSE(line.reason.empty()) << what;
        EXPECT_EQ(characters.of(line.block, line.replaced), line.character) << what;
        EXPECT_EQ(characters.of(line.block, entry->value), line.character)
            << what << ": " << line.substitute << " has another character";
        std::istringstream captions{std::string(line.targets)};
        for (std::string caption; captions >> caption;) {
            const Target* t = pw::document::targetByCaption(caption);
            ASSERT_TRUE(t && t->selectable) << what << " " << caption;
            EXPECT_TRUE(pw::filter::targetKnowsModel(b, entry->value, *t)) << what << caption;
            EXPECT_FALSE(pw::filter::targetKnowsModel(b, line.replaced, *t)) << what << caption;
            EXPECT_EQ(pw::catalogue::substitutionFor(b, line.replaced, caption), &line)
                << what << " " << caption << ": one line per model and target";
        }
    }
}

TEST(SubstitutionTable, CharacterSubstitutesAreKnownEverywhereAndHaveTheirCharacter) {
    const Characters characters;
    std::set<std::string_view> neutral;
    for (const auto& c : pw::catalogue::characterSubstitutes()) {
        const Block& b = block(c.block);
        const auto* entry = pw::catalogue::entryOf(c.block, c.substitute);
        ASSERT_NE(entry, nullptr) << c.block << " " << c.substitute;
        for (const Target* t : targets())
            EXPECT_TRUE(pw::filter::targetKnowsModel(b, entry->value, *t))
                << c.substitute << " for " << t->caption;
        if (c.character.empty())
            neutral.insert(c.block);
        else
            EXPECT_EQ(characters.of(c.block, entry->value), c.character) << c.substitute;
    }
    for (const Block& b : pw::catalogue::blocks())
        EXPECT_TRUE(neutral.contains(b.title)) << b.title << " has no neutral entry";
}

TEST(SubstitutionTable, EveryModelATargetLacksHasASubstituteThere) {
    std::size_t lacking = 0;
    for (const Block& b : pw::catalogue::blocks())
        for (std::int64_t value : candidates(b))
            for (const Target* t : targets()) {
                const double v = static_cast<double>(value);
                if (pw::filter::targetKnowsModel(b, v, *t)) continue;
                ++lacking;
                const auto choice = pw::catalogue::chooseSubstitute(b, v, "", t->caption);
                ASSERT_TRUE(choice) << b.title << " " << value << " for " << t->caption;
                EXPECT_TRUE(pw::filter::targetKnowsModel(b, choice->entry->value, *t))
                    << b.title << " " << value << " for " << t->caption;
            }
    EXPECT_GT(lacking, 0u);
}

// The words of a model's name tell its character or nothing: never another character.
TEST(SubstitutionTable, NamesTellTheirOwnCharacterOrNothing) {
    const Characters characters;
    std::size_t told = 0;
    for (const auto& r : characters.rows) {
        const std::string_view said = pw::catalogue::characterOfName(block(r[0]), r[2]);
        told += !said.empty();
        if (!said.empty()) {
            EXPECT_EQ(said, r[3]) << r[0] << " " << r[2];
        }
    }
    EXPECT_GT(told, characters.rows.size() / 2);
    for (auto [title, name, said] : {std::tuple{"Mod/FX", "Player", ""},
                                     {"Distortion", "Mode", ""},
                                     {"Mod/FX", "Auto Ya", "filter"},
                                     {"Amp", "Dread Acoustic", "acoustic"},
                                     {"Delay", "Modulated", "modulated"},
                                     {"Amp", "Lead Stack", "high gain"},
                                     {"Delay", "DM Two", "analog"},
                                     {"Delay", "Admiral", ""}})
        EXPECT_EQ(pw::catalogue::characterOfName(block(title), name), said) << name;
}

// --- what Resolve does to a list -------------------------------------------------

pw::Row row(std::string name, std::string setting, std::string id, std::string position,
            std::string value, std::initializer_list<pw::Column> conflicts = {}) {
    pw::Row r;
    r.cells = {std::move(name), std::move(setting), std::move(id), std::move(position),
               std::move(value)};
    for (pw::Column c : conflicts)
        r.mark(c, pw::Mark::Conflict);
    return r;
}

std::vector<std::string> lines(const pw::filter::ResolveReport& report) {
    std::vector<std::string> out;
    for (const auto& change : report.changes)
        out.push_back(pw::text::resolveChangeLine(change, true));
    return out;
}

TEST(Resolve, SaysEveryChangeWithTheRowNumbersLeftAndWhatWasLost) {
    pw::ParamList list;
    list.append(row("Dist Type", "Redline", "2432", "6", "1297", {pw::kValue}));
    list.append(row("Dist Gain", "50", "2488", "6", "50", {pw::kId}));
    list.append(row("Amp A Type", "Stoner Rock", "2496", "8", "368", {pw::kValue}));
    list.append(row("Volume Pre FX", "0", "2626", "13", "0", {pw::kPosition}));
    list.append(row("Amp A Type", "Doom Metal", "2496", "8", "378", {pw::kSetting}));
    list.append(row("Mod Type", "Reverse Swirl", "768", "14", "999", {pw::kValue}));
    const auto report = pw::filter::ResolveConflicts(list, *pw::document::targetByCaption("RP250"));
    EXPECT_EQ(lines(report),
              (std::vector<std::string>{
                  "Row 1 Dist Type: Redline \u2192 Death (high gain)",
                  "removed: Dist Gain = 50 (the RP250 has no Redline)",
                  "Row 2 Amp A Type: Stoner Rock \u2192 01 Dual Rectifier (high gain)",
                  "removed: Volume Pre FX = 0 (the RP250 has no Volume Pre FX)",
                  "Row 3 Amp A Type: Doom Metal \u2192 DigiTech Metal (high gain)",
                  "Row 4 Mod Type: Reverse Swirl \u2192 CEChorus (neither its number nor its name "
                  "tells: a plain chorus)"}));
    EXPECT_EQ(report.substituted, 4u);
    EXPECT_EQ(report.removed, 2u);
    EXPECT_EQ(report.conflictsLeft, 0u);
    ASSERT_EQ(list.count(), 4u);
    EXPECT_EQ(list.row(2).value(), "321");
    EXPECT_EQ(report.changes[1].oldValue, "50");
    EXPECT_EQ(report.changes[1].id, "2488");
}

// A pedal on a control of amp channel B follows channel B when it is the one kept, and
// drives nothing when channel A is kept.
TEST(Resolve, APedalOnChannelBFollowsTheChannelKept) {
    for (char kept : {'A', 'B'}) {
        pw::ParamList list;
        list.append(row(std::string("Amp ") + kept + " Gain", "40", "2497", "8", "40"));
        list.append(row("Pedal Assign 1", "Amp B Gain", "8194", "19", "657857", {pw::kValue}));
        const auto report =
            pw::filter::ResolveConflicts(list, *pw::document::targetByCaption("RP150"));
        ASSERT_EQ(report.changes.size(), 1u) << kept;
        EXPECT_EQ(list.row(2).setting(), kept == 'B' ? "Amp Gain" : "None");
        EXPECT_EQ(list.row(2).value(), kept == 'B' ? "526785" : "0");
        EXPECT_EQ(pw::text::resolveChangeLine(report.changes[0]),
                  kept == 'B' ? "Pedal Assign 1: Amp B Gain \u2192 Amp Gain (the same control of "
                                "the one amp channel)"
                              : "Pedal Assign 1: Amp B Gain \u2192 None (a control of amp channel "
                                "B, which is not the channel kept)");
    }
}

}  // namespace
