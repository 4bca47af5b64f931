// SPDX-License-Identifier: GPL-3.0-or-later
// The substitutes of Resolve Conflicts against the check tables and against
// tests/data/characters.tsv (what each model sounds like, written apart from the
// table), and what Resolve does to a list and says about it.

#include <map>
#include <set>

#include "catalogue/model_settings.h"
#include "catalogue/substitutions.h"
#include "convert/convert.h"
#include "document/targets.h"
#include "filter/block_settings.h"
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

// The Position of each block's model row (of amp channel A).
const std::map<std::string_view, std::string> kPositions = {
    {"Amp", "8"},        {"Cabinet", "9"},     {"Wah", "3"},           {"Compressor", "4"},
    {"Distortion", "6"}, {"Noise gate", "12"}, {"Mod/FX", "14"},       {"Delay", "15"},
    {"EQ", "24"},        {"Reverb", "16"},     {"Tone library", "26"}, {"FX library", "26"}};

// (block, value) -> the model named there and its character, from characters.tsv.
struct Characters {
    std::map<std::pair<std::string, std::int64_t>, std::pair<std::string, std::string>> byValue;
    std::vector<std::vector<std::string>> rows;
    Characters() : rows(pwtest::tsv("characters.tsv")) {
        for (const auto& r : rows) {
            std::int64_t v = std::stoll(r.at(1));  // a value, or "position:id"
            if (const std::size_t colon = r[1].find(':'); colon != std::string::npos)
                v = v * 65536 + std::stoll(r[1].substr(colon + 1));
            byValue[{r[0], v}] = {r.at(2), r.at(3)};
        }
    }
    std::pair<std::string, std::string> of(std::string_view blockTitle, std::int64_t value) const {
        const auto it = byValue.find({std::string(blockTitle), value});
        const std::string missing = "(not in characters.tsv)";
        return it == byValue.end() ? std::pair(missing, missing) : it->second;
    }
};

// Every model number some target knows in a block: the catalogue's, and what the
// larger models' tables know besides.
std::set<std::int64_t> candidates(const Block& b) {
    std::set<std::int64_t> out;
    if (b.onlyAtPosition19)
        for (const auto& item : pw::models::lists355::pedalValues)
            for (std::int64_t v = item.first; v <= item.last; ++v)
                out.insert(v);
    else
        for (std::int64_t v = 0; v < 2048; ++v)
            out.insert(v);
    for (const auto& entry : b.entries)
        out.insert(entry.value);
    std::erase_if(out, [&](std::int64_t v) {
        for (const Target* t : targets())
            if (pw::filter::targetKnowsModel(b, static_cast<double>(v), *t)) return false;
        return true;
    });
    return out;
}

// Every line replaces a model a target lacks with one it knows, of the same character; a
// line is of the other amp channel exactly when it is a pedal's on a control of channel B
// (its name says "Amp B" or "EQ B"). Each line as Resolve says it, for each target it
// serves, from a preset holding the model it replaces: what took its place and why
// (tests/data/golden/substitutions.txt; PW_UPDATE_SCENARIOS=1 writes it). A pedal's lines
// are said in the next section.
TEST(SubstitutionTable, EveryLineReplacesAnUnknownModelWithAKnownOneOfItsCharacter) {
    const Characters characters;
    std::size_t channelB = 0;
    std::string said;
    const Block tuner{"Tuner", "", "", "", "", false, {}};  // of no target: it knows no model
    EXPECT_FALSE(pw::filter::targetKnowsModel(tuner, 0, *targets().front()));
    for (const auto& line : pw::catalogue::substitutions()) {
        const std::string what = std::string(line.block) + " " + std::to_string(line.replaced);
        const Block& b = block(line.block);
        const bool pedalOfB = line.block == "Pedal assignment" &&
                              (line.known.starts_with("Amp B ") || line.known.starts_with("EQ B "));
        channelB += pedalOfB;
        EXPECT_EQ(line.otherChannel, pedalOfB) << what;
        const auto* entry = pw::catalogue::substituteEntry(line);
        ASSERT_NE(entry, nullptr) << what << " " << line.substitute;
        EXPECT_FALSE(line.reason.empty()) << what;
        const auto [model, character] = characters.of(line.block, line.replaced);
        EXPECT_EQ(character, line.character) << what;
        // A line that names the model it replaces names it as characters.tsv does.
        EXPECT_EQ(line.known.empty() ? line.known : model, line.known) << what;
        EXPECT_EQ(characters.of(line.block, entry->value).second, line.character)
            << what << ": " << line.substitute << " has another character";
        // A preset holding the model the line replaces (a pedal's is not converted here).
        const std::string bytes = pwtest::presetXml(
            "RP355Preset", "S",
            {{std::string(b.parameterId), b.onlyAtPosition19 ? "19" : kPositions.at(line.block),
              std::to_string(line.replaced), std::string(line.block) + " Type", "X"}});
        std::istringstream captions{std::string(line.targets)};
        for (std::string caption; captions >> caption;) {
            const Target* t = pw::document::targetByCaption(caption);
            ASSERT_TRUE(t && t->selectable) << what << " " << caption;
            EXPECT_TRUE(pw::filter::targetKnowsModel(b, entry->value, *t)) << what << caption;
            EXPECT_FALSE(pw::filter::targetKnowsModel(b, line.replaced, *t)) << what << caption;
            EXPECT_EQ(pw::catalogue::substitutionFor(b, line.replaced, caption), &line)
                << what << " " << caption << ": one line per model and target";
            if (b.onlyAtPosition19) continue;
            const pw::convert::Result r = pw::convert::convertPreset(
                bytes, {.target = t, .amp = 'A', .resolve = true, .render = false});
            for (const auto& c : r.resolveReport.changes)
                said += caption + " " + c.name + " " + std::to_string(line.replaced) + " \u2192 " +
                        c.newSetting + ": " + c.reason + "\n";
        }
    }
    EXPECT_GT(channelB, 5u);
    EXPECT_EQ(said, pwtest::golden("golden/substitutions.txt", said));
}

// Each entry of the character table is known to every target and has its character. A
// model no line replaces becomes what the character its name tells chooses, or the block's
// neutral entry: each entry, chosen for the first model of characters.tsv whose name tells
// it (else for a model named by the character's words), as the choice says it
// (tests/data/golden/character_substitutes.txt).
TEST(SubstitutionTable, CharacterSubstitutesAreKnownEverywhereAndHaveTheirCharacter) {
    const Characters characters;
    std::set<std::string_view> neutral;
    std::string said;
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
            EXPECT_EQ(characters.of(c.block, entry->value).second, c.character) << c.substitute;
        std::string name(c.character);
        for (auto r = characters.rows.rbegin(); r != characters.rows.rend(); ++r)
            if ((*r)[0] == c.block && !c.character.empty() &&
                pw::catalogue::characterOfName(b, (*r)[2]) == c.character)
                name = (*r)[2];
        const auto choice = pw::catalogue::chooseSubstitute(b, 1e9, name, "RP150");
        ASSERT_TRUE(choice) << c.block << " " << name;
        said += std::string(c.block) + " \"" + name + "\" \u2192 " +
                std::string(choice->entry->name) + ": " + std::string(choice->reason) + "\n";
    }
    for (const Block& b : pw::catalogue::blocks())
        EXPECT_TRUE(neutral.contains(b.title)) << b.title << " has no neutral entry";
    EXPECT_EQ(said, pwtest::golden("golden/character_substitutes.txt", said));
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
        EXPECT_EQ(said.empty() ? r[3] : std::string(said), r[3]) << r[0] << " " << r[2];
    }
    EXPECT_GT(told, characters.rows.size() / 2);
    for (const auto& f : pwtest::tsv("name_characters.tsv"))
        EXPECT_EQ(pw::catalogue::characterOfName(block(f.at(0)), f.at(1)),
                  f.at(2) == "-" ? "" : f.at(2))
            << f.at(1);
}

// --- what Resolve does to a list -------------------------------------------------

using pwtest::row;

TEST(Resolve, SaysEveryChangeWithTheRowNumbersLeftAndWhatWasLost) {
    pw::ParamList list;
    list.append(row("Dist Type", "Redline", "2432", "6", "1297", {pw::kValue}));
    list.append(row("Dist Gain", "50", "2488", "6", "50", {pw::kId}));
    list.append(row("Dist Low", "80", "2489", "6", "80", {pw::kId}));
    list.append(row("Dist Level", "17", "2491", "6", "17", {pw::kId}));
    list.append(row("Dist Mid Freq", "30", "2461", "6", "30"));
    list.append(row("Amp A Type", "Stoner Rock", "2496", "8", "368", {pw::kValue}));
    list.append(row("Volume Pre FX", "0", "2626", "13", "0", {pw::kPosition}));
    list.append(row("Amp A Type", "Doom Metal", "2496", "8", "399", {pw::kSetting}));
    list.append(row("Mod Type", "Reverse Swirl", "768", "14", "999", {pw::kValue}));
    const auto report = pw::filter::ResolveConflicts(list, *pw::document::targetByCaption("RP250"));
    // The substitute's knobs stand after its row; what the old knobs held is carried by
    // role, the rest is neutral and said so; a knob of another model has no role there
    // (the report's lines with the row numbers: tests/data/golden/resolve_changes.txt).
    std::string said;
    for (const auto& change : report.changes)
        said += pw::text::resolveChangeLine(change, true) + "\n";
    EXPECT_EQ(said, pwtest::golden("golden/resolve_changes.txt", said));
    EXPECT_EQ(std::tie(report.substituted, report.removed, report.settingsCarried,
                       report.settingsNeutral, report.conflictsLeft),
              std::tuple(4u, 5u, 2u, 5u, 0u));
    ASSERT_EQ(list.count(), 11u);
    EXPECT_EQ(std::tie(list.row(3).name(), list.row(3).id(), list.row(3).value()),
              std::tuple("Dist Low", "2477", "80"));
    EXPECT_EQ(std::tuple(list.row(6).value(), report.changes[1].oldValue, report.changes[1].id),
              std::tuple("321", "50", "2488"));
}

// Filter Patch names every row it took away, the last one included, and why.
TEST(Resolve, FilterRemovalsNameEveryRowGoneTheLastIncluded) {
    pw::ParamList before, after;
    for (pw::ParamList* list : {&before, &after})
        list->append(row("Amp Gain", "40", "2497", "8", "40"));
    before.append(row("Volume Pre FX", "0", "2626", "13", "0"));
    const auto removed = pw::filter::filterRemovals(before, after, "RP250");
    ASSERT_EQ(removed.size(), 1u);
    EXPECT_EQ(removed[0].name, "Volume Pre FX");
    EXPECT_EQ(removed[0].reason, "Filter Patch: the RP250 has no row at Position 13");
}

// A pedal on a control of amp channel B follows channel B when it is the one kept, and
// drives nothing when channel A is kept; a pedal on another control is not moved by it
// (what Resolve says of each, and of every line of the pedal with channel B kept:
// tests/data/golden/pedal_channels.txt).
TEST(Resolve, APedalOnChannelBFollowsTheChannelKept) {
    std::string said;
    const Target& rp150 = *pw::document::targetByCaption("RP150");
    // The channels whose rows the list holds: B alone is kept only when A's rows are gone.
    for (const std::string kept : {"A", "B", "AB", ""}) {
        pw::ParamList list, presence;
        for (pw::ParamList* l : {&list, &presence})
            for (char channel : kept)
                l->append(row(std::string("Amp ") + channel + " Gain", "40", "2497", "8", "40"));
        list.append(row("Pedal Assign 1", "Amp B Gain", "8194", "19", "657857", {pw::kValue}));
        const auto report = pw::filter::ResolveConflicts(list, rp150);
        ASSERT_EQ(report.changes.size(), 1u) << kept;
        const pw::Row& pedal = list.row(list.count());
        EXPECT_EQ(pedal.setting(), kept == "B" ? "Amp Gain" : "None") << kept;
        EXPECT_EQ(pedal.value(), kept == "B" ? "526785" : "0") << kept;
        said += pw::text::resolveChangeLine(report.changes[0]) + "\n";
        // A control of neither channel goes where its line says, whichever is kept.
        presence.append(
            row("Pedal Assign 1", "EQ Presence", "8194", "19", "1576071", {pw::kValue}));
        pw::filter::ResolveConflicts(presence, rp150);
        EXPECT_EQ(presence.row(presence.count()).setting(), "EQ Treble") << kept;
    }
    // Every line of the pedal, channel B kept: the EQ follows the channel as the amp does.
    for (const auto& line : pw::catalogue::substitutions()) {
        if (line.block != "Pedal assignment") continue;
        pw::ParamList pedal;
        pedal.append(row("Amp B Gain", "40", "2497", "8", "40"));
        pedal.append(row("Pedal Assign 1", std::string(line.known), "8194", "19",
                         std::to_string(line.replaced), {pw::kValue}));
        const auto report = pw::filter::ResolveConflicts(pedal, rp150);
        ASSERT_EQ(report.changes.size(), 1u) << line.known;
        said += pw::text::resolveChangeLine(report.changes[0]) + "\n";
    }
    EXPECT_EQ(said, pwtest::golden("golden/pedal_channels.txt", said));
}

}  // namespace

// --- a substitute's own knobs ------------------------------------------------------

// For every model of model_knobs.tsv and every target that lacks it, converted with
// Resolve from a preset holding the model and its knobs: the substitute has every knob
// the file lists for it, under the row Name it lists; each knob of a role the old model
// had holds the old knob's value, cut to the knob's largest; a knob of a role the old
// model lacked holds its neutral value; and nothing is left in conflict or missing.
TEST(ResolveKnobs, EverySubstituteGetsItsKnobsWithTheValuesOfTheSameRole) {
    struct Knob {
        std::string id, name, role, rowName;
        int neutral = 0, max = 0;
    };
    std::map<std::pair<std::string, std::string>, std::vector<Knob>> knobs;
    for (const auto& f : pwtest::tsv("model_knobs.tsv"))
        knobs[{f.at(0), f.at(1)}].push_back(
            {f.at(2), f.at(3), f.at(4), f.at(5), std::stoi(f.at(6)), std::stoi(f.at(7))});
    std::size_t conversions = 0, neutrals = 0;
    for (const auto& [model, modelKnobs] : knobs) {
        const auto& [blockTitle, value] = model;
        const Block& theBlock = block(blockTitle);
        const std::string typeId(theBlock.parameterId), position = kPositions.at(blockTitle);
        for (const std::string caption : {"RP150", "RP250", "RP255", "RP350"}) {
            const pw::document::Target& target = *pw::document::targetByCaption(caption);
            if (pw::filter::targetKnowsModel(theBlock, std::stod(value), target)) continue;
            const bool big = !pw::filter::targetKnowsModel(theBlock, std::stod(value),
                                                           *pw::document::targetByCaption("RP255"));
            // Small knob values are carried as they are; large ones are cut.
            for (const int from : {11, 300}) {
                std::vector<pwtest::P> params{{typeId, position, value, blockTitle + " Type", "X"}};
                std::map<std::string, int> oldByRole;
                int knobValue = from;
                for (const Knob& k : modelKnobs) {
                    const std::string v = std::to_string(knobValue += 7);
                    params.push_back({k.id, position, v, blockTitle + " " + k.name, v});
                    if (!k.role.empty()) oldByRole[k.role] = knobValue;
                }
                const std::string bytes =
                    pwtest::presetXml(big ? "RP355Preset" : "RP255Preset", "Knobs", params);
                const pw::convert::Result r = pw::convert::convertPreset(
                    bytes, {.target = &target, .amp = 'A', .resolve = true, .render = false});
                SCOPED_TRACE(blockTitle + " " + value + " to " + caption + " from " +
                             std::to_string(from));
                ASSERT_TRUE(r.resolveRan);
                ++conversions;
                std::string substitute;
                for (const pw::Row& row : r.rows)
                    if (row.id() == typeId && row.position() == position) substitute = row.value();
                ASSERT_NE(substitute, value);
                const auto own = knobs.find({blockTitle, substitute});
                ASSERT_NE(own, knobs.end()) << "no knobs listed for the substitute " << substitute;
                for (const Knob& k : own->second) {
                    const auto at =
                        std::find_if(r.rows.begin(), r.rows.end(), [&](const pw::Row& row) {
                            return row.id() == k.id && row.position() == position;
                        });
                    ASSERT_NE(at, r.rows.end()) << "missing knob " << k.name;
                    EXPECT_EQ(at->name(), k.rowName);
                    const auto old = oldByRole.find(k.role);
                    if (k.role.empty() ||
                        pw::catalogue::presetFor(blockTitle, std::stoi(value), std::stoi(k.id)))
                        continue;
                    if (old != oldByRole.end()) {
                        EXPECT_EQ(at->value(), std::to_string(std::min(old->second, k.max)))
                            << k.name << " takes the old " << k.role;
                    } else if (from == 11) {
                        EXPECT_EQ(at->value(), std::to_string(k.neutral)) << k.name;
                        ++neutrals;
                    }
                }
                EXPECT_EQ(r.resolveReport.conflictsLeft, 0u);
                EXPECT_EQ(pw::filter::missingSettingsWarnings(r.rows), std::vector<std::string>{});
            }
        }
    }
    EXPECT_TRUE(conversions >= 54u && neutrals >= 10u);
}

// A pedal on a knob of the replaced model follows it to the substitute's knob of the same
// role, there already or added; a pedal on a knob no knob of the substitute takes over
// drives nothing.
TEST(ResolveKnobs, APedalFollowsItsKnobOrLetsGo) {
    const auto at = [](int position, int id) { return std::to_string(position * 65536 + id); };
    // The pedal (ID 8194 at Position 19) and each LFO (8258 at 22 and at 23).
    for (const auto& [id, position] : {std::pair("8194", "19"), {"8258", "22"}, {"8258", "23"}}) {
        pw::ParamList list;  // the RP350 lacks the Redline: a Death takes its place
        list.append(row("Dist Type", "Redline", "2432", "6", "1297", {pw::kValue}));
        list.append(row("Dist Gain", "50", "2488", "6", "50", {pw::kId}));
        list.append(row("Dist Low", "80", "2489", "6", "80", {pw::kId}));
        list.append(row("Assign", "Dist Low", id, position, at(6, 2489), {pw::kValue}));
        list.append(row("Assign", "Dist Gain", id, position, at(6, 2488), {pw::kValue}));
        pw::filter::ResolveConflicts(list, *pw::document::targetByCaption("RP350"));
        std::vector<std::pair<std::string, std::string>> assigned;
        for (const pw::Row& r : list)
            if (r.id() == id) assigned.emplace_back(r.setting(), r.value());
        // The Death's Low takes the pedal; the RP350's LFOs drive no distortion knob.
        const std::pair<std::string, std::string> low =
            id == std::string("8194") ? std::pair("DigiTechDeathMetalDistortionLow", at(6, 2477))
                                      : std::pair("None", "0");
        EXPECT_EQ(assigned, (std::vector<std::pair<std::string, std::string>>{low, {"None", "0"}}))
            << id << " at " << position;
    }
    // The Death's Low there already: the pedal follows to it, and the Redline's Low goes
    // within the substitution's line, not on a line of its own.
    pw::ParamList list;
    list.append(row("Dist Type", "Redline", "2432", "6", "1297", {pw::kValue}));
    list.append(row("Dist Low", "80", "2477", "6", "80", {}));
    list.append(row("Dist Low", "80", "2489", "6", "80", {pw::kId}));
    list.append(row("Assign", "Dist Low", "8194", "19", at(6, 2489), {pw::kValue}));
    const pw::filter::ResolveReport report =
        pw::filter::ResolveConflicts(list, *pw::document::targetByCaption("RP350"));
    for (const pw::filter::ResolveChange& change : report.changes)
        EXPECT_NE(change.kind, pw::filter::ChangeKind::Removed) << change.reason;
    EXPECT_EQ(list.row(list.count()).value(), at(6, 2477));  // the pedal's Assign
    // A pedal on a knob of another model than the one replaced is left as it is.
    pw::ParamList other;
    other.append(row("Dist Type", "Redline", "2432", "6", "1297", {pw::kValue}));
    other.append(row("Dist Gain", "50", "2488", "6", "50", {pw::kId}));
    other.append(row("Assign", "Dist Drive", "8194", "19", at(6, 2434), {}));
    pw::filter::ResolveConflicts(other, *pw::document::targetByCaption("RP350"));
    EXPECT_EQ(other.row(other.count()).value(), at(6, 2434));
}

// A pick of the model a row holds already is no change: no line, no knob touched.
// A pick of another model that shares some knob IDs with the old one (a Flanger's, in
// tests/data/picks/swoosh.rp255p): the old model's own knobs go, the shared ones stay as
// they were, the new one's are added (a knob of an old role takes its value), and the rows
// of other blocks are left alone (ID@Position=Value a row: golden/pick_shared_knobs.txt).
TEST(ResolveKnobs, APickOfTheSameModelChangesNothingOfAnotherDropsTheOldModelsOwnKnobs) {
    pw::convert::Plan plan{.target = pw::document::targetByCaption("RP255"),
                           .picks = {{"Dist Type", "Rodent"}},
                           .render = false};
    const auto same = pw::convert::convertPreset(pwtest::sample("surfs_up.rp255p"), plan);
    EXPECT_TRUE(same.pickMatches == std::vector<std::size_t>{1} && same.picks.empty());
    plan.picks = {{"Mod Type", "MXRFlanger"}};
    const auto r = pw::convert::convertPreset(pwtest::sample("picks/swoosh.rp255p"), plan);
    ASSERT_EQ(r.picks.size(), 1u);
    std::string rows;
    for (const pw::Row& row : r.rows)
        rows += row.id() + "@" + row.position() + "=" + row.value() + "\n";
    EXPECT_EQ(rows, pwtest::golden("golden/pick_shared_knobs.txt", rows));
}

// In the window, Resolve tells the rows Filter Patch and the amp channel took before it,
// once (tests/data/golden/resolve_told_removals.txt); Undo brings the telling back with
// the rows.
class ResolveInTheWindow : public pwtest::SessionFixture {};

TEST_F(ResolveInTheWindow, TellsWhatFilterAndTheAmpChannelTookOnce) {
    ASSERT_TRUE(s.openFile(pwtest::dataFile("big_verb.rp350p")).loaded());
    ASSERT_TRUE(s.selectTarget(pw::document::targetByCaption("RP150")->option));
    s.filter();
    s.selectAmpChannel('A');
    const auto lines = [](const pw::filter::ResolveReport& r) {
        std::string out;
        for (const auto& c : r.changes)
            if (c.kind == pw::filter::ChangeKind::Removed)
                out += pw::text::resolveChangeLine(c) + "\n";
        return out;
    };
    // (value() throws, failing the test, when Resolve reports nothing.)
    const auto first = s.resolveConflicts().value();
    const auto told = lines(first);
    EXPECT_EQ(told, pwtest::golden("golden/resolve_told_removals.txt", told));
    EXPECT_EQ(std::pair(first.removedBefore, s.resolveConflicts().value().removedBefore),
              std::pair(std::size_t(33), std::size_t(0)));
    ASSERT_TRUE(s.undo());
    EXPECT_EQ(lines(s.resolveConflicts().value()), told);
}
