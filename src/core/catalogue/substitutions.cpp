// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/substitutions.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace pw::catalogue {
namespace {

// Targets that lack a model of the larger models: all three smaller ones, and the RP350
// for what only the RP355 has.
constexpr std::string_view kSmaller = "RP150 RP250 RP255";
constexpr std::string_view kBelow355 = "RP150 RP250 RP255 RP350";

// One line per model and set of targets, for the models whose name and lineage are
// known. The substitute is a catalogue name that every target of the line knows and
// that has the replaced model's character. A model missing here is left to the words
// of its name (kWords below).
constexpr Substitution kTable[] = {
    // Amp
    {"Amp", 312, "65 Blackface Deluxe", "RP150", "65 Blackface Twin", "clean",
     "Blackface lineage: the Deluxe's bigger sibling"},
    {"Amp", 313, "65 Plexi JTM-45", "RP150 RP250", "68 Super Lead Plexi", "crunch",
     "Plexi lineage: the JTM-45 grew into it"},
    {"Amp", 315, "68 Marshall Jump", "RP150 RP250", "68 Super Lead Plexi", "crunch",
     "Plexi lineage: the same amp, channels jumped"},
    {"Amp", 318, "93 JCM900", "RP150", "83 JCM800", "high gain",
     "JCM lineage: the JCM900's forerunner"},
    {"Amp", 322, "62 AC-15", "RP150", "63 AC-30 TB", "crunch",
     "AC lineage: the AC-15's bigger sibling"},
    {"Amp", 325, "Soldano 100", "RP150 RP250", "81 Boogie Mark IIC", "high gain",
     "same character: an American hot-rodded lead amp"},
    {"Amp", 337, "DigiTech HighGain", "RP150", "DigiTech Metal", "high gain",
     "DigiTech lineage: the other high-gain design"},
    {"Amp", 328, "GSP2101 Clean Tube", kSmaller, "DigiTech Clean", "clean",
     "DigiTech lineage: the clean tube preamp"},
    {"Amp", 329, "", kSmaller, "DigiTech Solo", "high gain",
     "DigiTech lineage: the saturated tube preamp"},
    {"Amp", 340, "", kSmaller, "Dread Acoustic", "acoustic",
     "same character: the other acoustic body"},
    {"Amp", 379, "Blackbass", kSmaller, "59 Tweed Bassman", "bass",
     "same character: the bass amp of the catalogue"},
    {"Amp", 334, "Chunk", kBelow355, "81 Boogie Mark IIC", "high gain",
     "same character: tight, mid-heavy high gain"},
    {"Amp", 368, "Stoner Rock", kBelow355, "01 Dual Rectifier", "high gain",
     "same character: loose, saturated modern high gain"},
    {"Amp", 369, "Dark Metal", kBelow355, "DigiTech Metal", "high gain",
     "same character: a metal amp"},
    {"Amp", 377, "Monster", "RP250 RP255 RP350", "DigiTech HighGain", "high gain",
     "same character: the most gain the unit has"},
    {"Amp", 377, "Monster", "RP150", "DigiTech Metal", "high gain",
     "same character: the most gain the unit has"},
    {"Amp", 378, "Tweedface", kBelow355, "57 Tweed Deluxe", "clean",
     "Tweed lineage: a tweed circuit with a blackface tone stack"},
    {"Amp", 383, "Brown Sound", kBelow355, "68 Super Lead Plexi", "crunch",
     "Plexi lineage: the brown sound is a cranked Plexi"},
    // Cabinet
    {"Cabinet", 571, "Champ 1x8", "RP150", "Deluxe 1x12", "small combo",
     "Tweed lineage: the nearest small combo"},
    {"Cabinet", 616, "British Green 4x12", "RP150", "British 4x12", "4x12",
     "British lineage: the same 4x12, other speakers"},
    {"Cabinet", 573, "Deluxe Reverb 1x12", kSmaller, "Deluxe 1x12", "small combo",
     "Deluxe lineage: the same 1x12 combo"},
    {"Cabinet", 577, "Blonde 2x12", kSmaller, "Twin 2x12", "2x12",
     "same character: an open-back American 2x12"},
    {"Cabinet", 583, "Boutique 4x12", kSmaller, "Vintage V30 4x12", "4x12",
     "same character: a closed 4x12, modern speakers"},
    {"Cabinet", 584, "Fane 4x12", kSmaller, "British 4x12", "4x12",
     "British lineage: a closed 4x12 with British speakers"},
    // Compressor
    {"Compressor", 197, "Dyna Comp", kSmaller, "CS Comp", "pedal compressor",
     "same character: a classic pedal compressor"},
    // Distortion
    {"Distortion", 1292, "808", "RP150", "Screamer TS9", "overdrive",
     "Screamer lineage: the 808 is its forerunner"},
    {"Distortion", 1285, "Guy OD", "RP150", "Screamer TS9", "overdrive",
     "same character: a mild mid-hump overdrive"},
    {"Distortion", 1291, "MX Dist", "RP150", "DOD 250", "distortion",
     "same circuit: the two are near twins"},
    {"Distortion", 1294, "Death", "RP150", "Zone", "high gain",
     "same character: a scooped metal distortion"},
    {"Distortion", 1286, "Sparkdrive", kSmaller, "Screamer TS9", "overdrive",
     "Screamer lineage: a screamer with clean blend"},
    {"Distortion", 1295, "Fuzzlator", kSmaller, "Big MP", "fuzz",
     "same character: a thick, sustaining fuzz"},
    {"Distortion", 1296, "Classic Fuzz", kSmaller, "Fuzzy", "fuzz",
     "same character: the classic two-transistor fuzz"},
    {"Distortion", 1290, "8tavia", kSmaller, "Fuzzy", "fuzz",
     "same character: an octave fuzz, nearest to the classic fuzz"},
    {"Distortion", 1297, "Redline", "RP250 RP255 RP350", "Death", "high gain",
     "same character: DigiTech high gain"},
    {"Distortion", 1297, "Redline", "RP150", "Zone", "high gain",
     "same character: a high-gain metal distortion"},
    // Mod/FX
    {"Mod/FX", 908, "YaYa", "RP150", "AutoYa", "filter", "Ya lineage: the automatic YaYa"},
    {"Mod/FX", 892, "TC Chorus", kSmaller, "CEChorus", "chorus",
     "same character: a classic pedal chorus"},
    {"Mod/FX", 894, "Trigger Flanger", kSmaller, "Flanger", "flanger",
     "Flanger lineage: the same sweep, started by the pick"},
    {"Mod/FX", 898, "Trigger Phaser", kSmaller, "Phaser", "phaser",
     "Phaser lineage: the same sweep, started by the pick"},
    {"Mod/FX", 899, "MX Phaser", kSmaller, "Phaser", "phaser",
     "same character: a classic four-stage pedal phaser"},
    {"Mod/FX", 900, "EH Phaser", kSmaller, "Phaser", "phaser",
     "same character: a classic pedal phaser"},
    {"Mod/FX", 904, "", kSmaller, "Tremolo", "tremolo",
     "same character: the tremolo beside the Bias Tremolo"},
    {"Mod/FX", 910, "FX25", kSmaller, "Envelope", "filter", "same character: an envelope filter"},
    {"Mod/FX", 896, "EH Flanger", kSmaller, "Flanger", "flanger",
     "same character: a classic pedal flanger"},
    {"Mod/FX", 901, "Octaver", kSmaller, "PitchShift", "pitch",
     "same character: an octave is a pitch shift"},
    {"Mod/FX", 905, "Bias Tremolo", kSmaller, "Tremolo", "tremolo",
     "Tremolo lineage: the amp's own tremolo"},
    {"Mod/FX", 912, "Unovibe", kSmaller, "Rotary", "vibe",
     "same character: the vibe imitates a rotating speaker"},
    {"Mod/FX", 913, "Synth Talk", kSmaller, "AutoYa", "filter",
     "same character: a talking vowel filter"},
    // Delay
    {"Delay", 1050, "Echo Plex", kSmaller, "Tape", "tape",
     "tape lineage: the Echo Plex is a tape echo"},
    {"Delay", 1051, "DM Delay", kSmaller, "Analog", "analog",
     "same character: a bucket-brigade analog delay"},
    // Pedal assignment: a control of amp channel B goes to the same control of the one
    // channel when channel B is the one kept (otherwise the pedal is left unassigned);
    // a control only the larger models have goes to the control that does the same.
    {"Pedal assignment", pedalTarget(10, 265), "Amp B Enable", kSmaller, "Amp Enable", "on/off",
     "the same control of the one amp channel", true},
    {"Pedal assignment", pedalTarget(10, 2497), "Amp B Gain", kSmaller, "Amp Gain", "gain",
     "the same control of the one amp channel", true},
    {"Pedal assignment", pedalTarget(10, 2498), "Amp B Level", kSmaller, "Amp Level", "level",
     "the same control of the one amp channel", true},
    {"Pedal assignment", pedalTarget(24, 3207), "EQ Presence", kSmaller, "EQ Treble", "highs",
     "presence: the nearest band"},
    {"Pedal assignment", pedalTarget(25, 3212), "EQ B Enable", kSmaller, "EQ Enable", "on/off",
     "the same control of the one EQ", true},
    {"Pedal assignment", pedalTarget(25, 3203), "EQ B Bass", kSmaller, "EQ Bass", "bass",
     "the same control of the one EQ", true},
    {"Pedal assignment", pedalTarget(25, 3204), "EQ B Mid", kSmaller, "EQ Middle", "middle",
     "the same control of the one EQ", true},
    {"Pedal assignment", pedalTarget(25, 3205), "EQ B Treble", kSmaller, "EQ Treble", "highs",
     "the same control of the one EQ", true},
    {"Pedal assignment", pedalTarget(25, 3207), "EQ B Presence", kSmaller, "EQ Treble", "highs",
     "presence: the nearest band of the one EQ", true},
    {"Pedal assignment", pedalTarget(4, 212), "Compressor Output", kSmaller, "Compressor Level",
     "level", "output: the same control"},
    {"Pedal assignment", pedalTarget(4, 213), "Compressor Sensitivity", kSmaller,
     "Compressor Sustain", "sustain", "sensitivity: how hard it squeezes"},
    {"Pedal assignment", pedalTarget(15, 1874), "Delay Repeats", kSmaller, "Delay Repeats",
     "repeats", "the same control"},
    {"Pedal assignment", pedalTarget(15, 1893), "Delay Volume", kSmaller, "Delay Level", "level",
     "delay volume: the same control"},
    {"Pedal assignment", pedalTarget(15, 1897), "Delay Time", kSmaller, "Delay Time", "time",
     "the same control"},
};

// The words that tell a model's character, per block, in the order they are tried: the
// first word found in the name decides. A word is found anywhere in the name, letter
// case ignored; a whole word only must stand alone ("Ya" in "Auto Ya" or "AutoYa").
struct Word {
    std::string_view block;
    std::string_view word;
    std::string_view character;
    bool whole = false;
};

constexpr Word kWords[] = {
    {"Amp", "acoustic", "acoustic"},
    {"Amp", "bass", "bass"},
    {"Amp", "crunch", "crunch"},
    {"Amp", "plexi", "crunch"},
    {"Amp", "metal", "high gain"},
    {"Amp", "rock", "high gain"},
    {"Amp", "lead", "high gain"},
    {"Amp", "gain", "high gain"},
    {"Amp", "monster", "high gain"},
    {"Amp", "chunk", "high gain"},
    {"Amp", "heavy", "high gain"},
    {"Amp", "recti", "high gain"},
    {"Amp", "brit", "crunch"},
    {"Amp", "clean", "clean"},
    {"Amp", "twin", "clean"},
    {"Amp", "tweed", "clean"},
    {"Amp", "jazz", "clean"},
    {"Amp", "blackface", "clean"},
    {"Amp", "direct", "direct"},
    {"Cabinet", "1x8", "small combo"},
    {"Cabinet", "1x10", "small combo"},
    {"Cabinet", "1x12", "small combo"},
    {"Cabinet", "2x10", "2x12"},
    {"Cabinet", "2x12", "2x12"},
    {"Cabinet", "4x10", "4x10"},
    {"Cabinet", "4x12", "4x12"},
    {"Cabinet", "direct", "direct"},
    {"Distortion", "fuzz", "fuzz"},
    {"Distortion", "muff", "fuzz"},
    {"Distortion", "metal", "high gain"},
    {"Distortion", "death", "high gain"},
    {"Distortion", "gain", "high gain"},
    {"Distortion", "drive", "overdrive"},
    {"Distortion", "screamer", "overdrive"},
    {"Distortion", "od", "overdrive", true},
    {"Distortion", "dist", "distortion"},
    {"Distortion", "grunge", "distortion"},
    {"Mod/FX", "talk", "filter"},
    {"Mod/FX", "wah", "filter"},
    {"Mod/FX", "ya", "filter", true},
    {"Mod/FX", "filter", "filter"},
    {"Mod/FX", "envelope", "filter"},
    {"Mod/FX", "octav", "pitch"},
    {"Mod/FX", "pitch", "pitch"},
    {"Mod/FX", "whammy", "pitch"},
    {"Mod/FX", "harmon", "pitch"},
    {"Mod/FX", "detune", "pitch"},
    {"Mod/FX", "flang", "flanger"},
    {"Mod/FX", "phase", "phaser"},
    {"Mod/FX", "chorus", "chorus"},
    {"Mod/FX", "vibe", "vibe"},
    {"Mod/FX", "vibrato", "vibe"},
    {"Mod/FX", "vibro", "vibe"},
    {"Mod/FX", "rotary", "vibe"},
    {"Mod/FX", "leslie", "vibe"},
    {"Mod/FX", "trem", "tremolo"},
    {"Mod/FX", "pan", "tremolo"},
    {"Delay", "tape", "tape"},
    {"Delay", "echo", "tape"},
    {"Delay", "analog", "analog"},
    {"Delay", "dm", "analog", true},
    {"Delay", "mod", "modulated"},
    {"Delay", "pong", "ping-pong"},
    {"Delay", "digital", "digital"},
    {"Reverb", "spring", "spring"},
    {"Reverb", "plate", "plate"},
    {"Reverb", "hall", "hall"},
    {"Reverb", "room", "room"},
    {"EQ", "scoop", "scooped"},
    {"EQ", "bright", "bright"},
    {"EQ", "warm", "warm"},
    {"EQ", "mid", "mid boost"},
};

// What each character becomes, per block; every target knows every substitute here.
constexpr CharacterSubstitute kCharacterSubstitutes[] = {
    {"Amp", "clean", "DigiTech Clean", "by its name: a clean amp"},
    {"Amp", "crunch", "68 Super Lead Plexi", "by its name: a crunch amp"},
    {"Amp", "high gain", "DigiTech Metal", "by its name: a high-gain amp"},
    {"Amp", "bass", "59 Tweed Bassman", "by its name: a bass amp"},
    {"Amp", "acoustic", "Dread Acoustic", "by its name: an acoustic simulator"},
    {"Amp", "direct", "Direct", "by its name: no amp"},
    {"Amp", "", "DigiTech Clean", "not known: a neutral clean amp"},
    {"Cabinet", "small combo", "Deluxe 1x12", "by its name: a small combo"},
    {"Cabinet", "2x12", "Twin 2x12", "by its name: a 2x12"},
    {"Cabinet", "4x10", "Bassman 4x10", "by its name: a 4x10"},
    {"Cabinet", "4x12", "British 4x12", "by its name: a 4x12"},
    {"Cabinet", "direct", "Direct", "by its name: no cabinet"},
    {"Cabinet", "", "Twin 2x12", "not known: a neutral cabinet"},
    {"Wah", "", "Cry Wah", "not known: the classic wah"},
    {"Compressor", "", "CS Comp", "not known: a pedal compressor"},
    {"Distortion", "fuzz", "Fuzzy", "by its name: a fuzz"},
    {"Distortion", "high gain", "Zone", "by its name: a high-gain distortion"},
    {"Distortion", "overdrive", "Screamer TS9", "by its name: an overdrive"},
    {"Distortion", "distortion", "DS Dist", "by its name: a distortion"},
    {"Distortion", "", "DS Dist", "not known: a general-purpose distortion"},
    {"Noise gate", "", "Gate", "not known: the plain gate"},
    {"Mod/FX", "filter", "Envelope", "by its name: a filter effect"},
    {"Mod/FX", "pitch", "PitchShift", "by its name: a pitch effect"},
    {"Mod/FX", "flanger", "Flanger", "by its name: a flanger"},
    {"Mod/FX", "phaser", "Phaser", "by its name: a phaser"},
    {"Mod/FX", "chorus", "CEChorus", "by its name: a chorus"},
    {"Mod/FX", "vibe", "Rotary", "by its name: a vibe"},
    {"Mod/FX", "tremolo", "Tremolo", "by its name: a tremolo"},
    {"Mod/FX", "", "CEChorus", "not known: a plain chorus"},
    {"Pedal assignment", "", "None",
     "a control the target does not have: the pedal drives nothing"},
    {"Delay", "tape", "Tape", "by its name: a tape echo"},
    {"Delay", "analog", "Analog", "by its name: an analog delay"},
    {"Delay", "modulated", "Modulated", "by its name: a modulated delay"},
    {"Delay", "ping-pong", "Pong", "by its name: a ping-pong delay"},
    {"Delay", "digital", "Digital", "by its name: a digital delay"},
    {"Delay", "", "Digital", "not known: a plain digital delay"},
    {"EQ", "scooped", "Scoop", "by its name: scooped mids"},
    {"EQ", "bright", "Bright", "by its name: a bright EQ"},
    {"EQ", "warm", "Warm", "by its name: a warm EQ"},
    {"EQ", "mid boost", "MidBoost", "by its name: a mid boost"},
    {"EQ", "", "MidBoost", "not known: the first EQ"},
    {"Reverb", "spring", "Twin Reverb", "by its name: a spring reverb"},
    {"Reverb", "plate", "EMT240 Plate", "by its name: a plate"},
    {"Reverb", "hall", "Lexicon Hall", "by its name: a hall"},
    {"Reverb", "room", "Lexicon Room", "by its name: a room"},
    {"Reverb", "", "Lexicon Room", "not known: a plain room"},
    {"Tone library", "", "Custom", "not known: the patch's own tone"},
    {"FX library", "", "Custom", "not known: the patch's own effects"},
};

// Whether `caption` is one of the blank-separated captions of `targets`.
bool servesTarget(std::string_view targets, std::string_view caption) {
    while (!targets.empty()) {
        const std::size_t blank = std::min(targets.find(' '), targets.size());
        if (targets.substr(0, blank) == caption) return true;
        targets.remove_prefix(std::min(blank + 1, targets.size()));
    }
    return false;
}

char lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}
bool isAlnum(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0;
}
bool isUpper(char c) {
    return std::isupper(static_cast<unsigned char>(c)) != 0;
}
bool isLower(char c) {
    return std::islower(static_cast<unsigned char>(c)) != 0;
}

// Whether `word` (lower case) stands in `name` alone: between non-letters or where a
// small letter turns into a capital ("AutoYa" holds "ya" as a word, "Player" and "DOD"
// hold neither "ya" nor "od").
bool holdsWholeWord(std::string_view name, const std::string& lowered, std::string_view word) {
    const auto boundary = [&](std::size_t at) {
        return at == 0 || at == name.size() || !isAlnum(name[at - 1]) || !isAlnum(name[at]) ||
               (isLower(name[at - 1]) && isUpper(name[at]));
    };
    for (std::size_t at = lowered.find(word); at != std::string::npos;
         at = lowered.find(word, at + 1))
        if (boundary(at) && boundary(at + word.size())) return true;
    return false;
}

}  // namespace

std::span<const Substitution> substitutions() {
    return kTable;
}

std::span<const CharacterSubstitute> characterSubstitutes() {
    return kCharacterSubstitutes;
}

const Substitution* substitutionFor(const Block& block, double value,
                                    std::string_view targetCaption) {
    for (const Substitution& line : kTable)
        if (line.block == block.title && line.replaced == value &&
            servesTarget(line.targets, targetCaption))
            return &line;
    return nullptr;
}

std::string_view characterOfName(const Block& block, std::string_view name) {
    std::string lowered(name.size(), '\0');
    for (std::size_t i = 0; i < name.size(); ++i)
        lowered[i] = lower(name[i]);
    for (const Word& w : kWords) {
        if (w.block != block.title) continue;
        if (w.whole ? holdsWholeWord(name, lowered, w.word)
                    : lowered.find(w.word) != std::string::npos)
            return w.character;
    }
    return {};
}

const CharacterSubstitute* characterSubstitute(const Block& block, std::string_view character) {
    for (const CharacterSubstitute& c : kCharacterSubstitutes)
        if (c.block == block.title && c.character == character) return &c;
    return nullptr;
}

const Entry* entryOf(std::string_view blockTitle, std::string_view name) {
    for (const Block& block : blocks()) {
        if (block.title != blockTitle) continue;
        for (const Entry& entry : block.entries)
            if (entry.name == name) return &entry;
    }
    return nullptr;
}

const Entry* substituteEntry(const Substitution& line) {
    return entryOf(line.block, line.substitute);
}

std::optional<Choice> chooseSubstitute(const Block& block, double value, std::string_view text,
                                       std::string_view targetCaption) {
    if (const Substitution* line = substitutionFor(block, value, targetCaption))
        if (const Entry* entry = substituteEntry(*line))
            return Choice{entry, line->character, line->reason, line};
    const std::string_view character = characterOfName(block, text);
    const CharacterSubstitute* by = characterSubstitute(block, character);
    if (!by) by = characterSubstitute(block, {});
    if (!by) return std::nullopt;
    const Entry* entry = entryOf(by->block, by->substitute);
    if (!entry) return std::nullopt;
    return Choice{entry, by->character, by->reason, nullptr};
}

}  // namespace pw::catalogue
