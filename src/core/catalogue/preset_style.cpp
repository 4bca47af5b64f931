// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/preset_style.h"

#include <charconv>
#include <optional>
#include <vector>

namespace pw::catalogue {

namespace {

// What each model sounds like, one line per model: the amps by their circuit, the
// drives by how hard they clip, the modulations by what they move.
struct Character {
    std::string_view block;
    std::int32_t value;
    std::string_view character;
};

constexpr Character kCharacters[] = {
    {"Amp", 306, "direct"},
    {"Amp", 307, "clean"},
    {"Amp", 308, "clean"},
    {"Amp", 309, "bass"},
    {"Amp", 311, "clean"},
    {"Amp", 312, "clean"},
    {"Amp", 313, "crunch"},
    {"Amp", 314, "crunch"},
    {"Amp", 315, "crunch"},
    {"Amp", 316, "crunch"},
    {"Amp", 317, "high gain"},
    {"Amp", 318, "high gain"},
    {"Amp", 320, "high gain"},
    {"Amp", 321, "high gain"},
    {"Amp", 322, "crunch"},
    {"Amp", 323, "crunch"},
    {"Amp", 324, "clean"},
    {"Amp", 325, "high gain"},
    {"Amp", 326, "crunch"},
    {"Amp", 328, "clean"},
    {"Amp", 329, "high gain"},
    {"Amp", 331, "high gain"},
    {"Amp", 332, "high gain"},
    {"Amp", 333, "clean"},
    {"Amp", 334, "high gain"},
    {"Amp", 335, "clean"},
    {"Amp", 337, "high gain"},
    {"Amp", 340, "acoustic"},
    {"Amp", 341, "acoustic"},
    {"Amp", 368, "high gain"},
    {"Amp", 369, "high gain"},
    {"Amp", 377, "high gain"},
    {"Amp", 378, "clean"},
    {"Amp", 379, "bass"},
    {"Amp", 383, "crunch"},
    {"Distortion", 1280, "overdrive"},
    {"Distortion", 1281, "distortion"},
    {"Distortion", 1282, "distortion"},
    {"Distortion", 1283, "distortion"},
    {"Distortion", 1284, "fuzz"},
    {"Distortion", 1285, "overdrive"},
    {"Distortion", 1286, "overdrive"},
    {"Distortion", 1287, "distortion"},
    {"Distortion", 1288, "fuzz"},
    {"Distortion", 1289, "high gain"},
    {"Distortion", 1290, "fuzz"},
    {"Distortion", 1291, "distortion"},
    {"Distortion", 1292, "overdrive"},
    {"Distortion", 1293, "ring modulator"},
    {"Distortion", 1294, "high gain"},
    {"Distortion", 1295, "fuzz"},
    {"Distortion", 1296, "fuzz"},
    {"Distortion", 1297, "high gain"},
    {"Mod/FX", 862, "modulated"},
    {"Mod/FX", 863, "modulated"},
    {"Mod/FX", 864, "modulated"},
    {"Mod/FX", 865, "modulated"},
    {"Mod/FX", 889, "modulated"},
    {"Mod/FX", 890, "modulated"},
    {"Mod/FX", 891, "modulated"},
    {"Mod/FX", 892, "modulated"},
    {"Mod/FX", 893, "modulated"},
    {"Mod/FX", 894, "modulated"},
    {"Mod/FX", 895, "modulated"},
    {"Mod/FX", 896, "modulated"},
    {"Mod/FX", 897, "modulated"},
    {"Mod/FX", 898, "modulated"},
    {"Mod/FX", 899, "modulated"},
    {"Mod/FX", 900, "modulated"},
    {"Mod/FX", 901, "pitch"},
    {"Mod/FX", 904, "modulated"},
    {"Mod/FX", 905, "modulated"},
    {"Mod/FX", 906, "wah"},
    {"Mod/FX", 907, "wah"},
    {"Mod/FX", 908, "wah"},
    {"Mod/FX", 909, "wah"},
    {"Mod/FX", 910, "wah"},
    {"Mod/FX", 911, "modulated"},
    {"Mod/FX", 912, "modulated"},
    {"Mod/FX", 913, "wah"},
    {"Mod/FX", 1344, "pitch"},
    {"Mod/FX", 1345, "pitch"},
    {"Mod/FX", 1346, "modulated"},
    {"Mod/FX", 1347, "pitch"},
};

// The rules, in the order their words are said. A block's word counts when the block is
// on (its on/off row holds 1; a block without one is on) and its model has the character.
struct Rule {
    std::string_view word;
    std::string_view block;
    std::string_view position;
    std::string_view typeId;
    std::string_view enableId;
    std::string_view character;  // "" for any model of the block
};

constexpr Rule kRules[] = {
    {"fuzz", "Distortion", "6", "2432", "2433", "fuzz"},
    {"wah", "Wah", "3", "128", "129", ""},
    {"wah", "Mod/FX", "14", "768", "769", "wah"},
    {"modulated", "Mod/FX", "14", "768", "769", "modulated"},
    {"pitch", "Mod/FX", "14", "768", "769", "pitch"},
};

// Ambient: a long delay (from 400 ms on) and a big reverb (its level or decay past the
// middle), both on.
constexpr int kLongDelay = 39;  // 400 ms in the delay time's steps of 10 ms
constexpr int kBigReverb = 50;

std::optional<int> number(std::string_view text) {
    int n = 0;
    const char* const last = text.data() + text.size();
    const auto [end, error] = std::from_chars(text.data(), last, n);
    if (error != std::errc() || end != last) return std::nullopt;
    return n;
}

class Rows {
  public:
    explicit Rows(std::span<const RowFacts> rows) : rows_(rows) {}
    std::optional<int> value(std::string_view id, std::string_view position) const {
        for (const RowFacts& r : rows_)
            if (r.id == id && r.position == position) return number(r.value);
        return std::nullopt;
    }
    bool on(std::string_view enableId, std::string_view position) const {
        const std::optional<int> v = value(enableId, position);
        return !v || *v == 1;
    }

  private:
    std::span<const RowFacts> rows_;
};

// How much a drive pushes the amp: an overdrive makes a clean amp crunch, a distortion or
// a high-gain pedal makes it high gain.
std::string_view pushed(std::string_view amp, std::string_view drive) {
    if (amp != "clean" && amp != "crunch") return amp;
    if (drive == "high gain" || drive == "distortion" || drive == "fuzz") return "high gain";
    if (drive == "overdrive") return amp == "clean" ? "crunch" : "high gain";
    return amp;
}

void addWord(std::string& style, std::string_view word) {
    if (word.empty() || style.find(word) != std::string::npos) return;
    if (!style.empty()) style += ", ";
    style += word;
}

}  // namespace

std::string_view modelCharacter(std::string_view block, std::int32_t value) {
    for (const Character& c : kCharacters)
        if (c.block == block && c.value == value) return c.character;
    return {};
}

std::string styleOf(std::span<const RowFacts> facts) {
    const Rows rows(facts);
    std::string_view drive;
    if (rows.on("2433", "6"))
        if (const std::optional<int> d = rows.value("2432", "6"))
            drive = modelCharacter("Distortion", *d);
    std::string amps;
    for (const std::string_view position : {"8", "10"}) {
        const std::optional<int> amp = rows.value("2496", position);
        if (!amp || !rows.on("265", position)) continue;
        std::string_view character = modelCharacter("Amp", *amp);
        if (character.empty() || character == "direct") continue;
        character = pushed(character, drive);
        if (amps.find(character) != std::string::npos) continue;
        if (!amps.empty()) amps += " / ";
        amps += character;
    }
    std::string style = amps;
    for (const Rule& rule : kRules) {
        if (!rows.on(rule.enableId, rule.position)) continue;
        const std::optional<int> model = rows.value(rule.typeId, rule.position);
        if (!model) continue;
        if (rule.character.empty() || modelCharacter(rule.block, *model) == rule.character)
            addWord(style, rule.word);
    }
    const std::optional<int> time = rows.value("1888", "15");
    const std::optional<int> level = rows.value("1925", "16");
    const std::optional<int> decay = rows.value("1927", "16");
    if (rows.value("1856", "15") && rows.on("1857", "15") && time && *time >= kLongDelay &&
        rows.value("1920", "16") && rows.on("1921", "16") &&
        ((level && *level > kBigReverb) || (decay && *decay > kBigReverb)))
        addWord(style, "ambient");
    return style;
}

}  // namespace pw::catalogue
