// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/substitutions.h"

namespace pw::catalogue {
namespace {

constexpr std::int32_t at(std::int32_t position, std::int32_t id) {
    return position * 65536 + id;
}

// Targets that lack a model of the larger models: all three smaller ones, and the RP350
// for what only the RP355 has.
constexpr std::string_view kSmaller = "RP150 RP250 RP255";
constexpr std::string_view kBelow355 = "RP150 RP250 RP255 RP350";

// One line per model and set of targets. The substitute is a catalogue name that every
// target of the line knows. Models that only the larger units have carry no catalogue
// name; where the file format does not tell what they are, the line says so and takes a
// model numbered beside them, or a neutral one.
constexpr Substitution kTable[] = {
    // Amp
    {"Amp", 312, "RP150", "65 Blackface Twin", "Blackface lineage: the Deluxe's bigger sibling"},
    {"Amp", 313, "RP150 RP250", "68 Super Lead Plexi", "Plexi lineage: the JTM-45 grew into it"},
    {"Amp", 315, "RP150 RP250", "68 Super Lead Plexi",
     "Plexi lineage: the same amp, channels jumped"},
    {"Amp", 318, "RP150", "83 JCM800", "JCM lineage: the JCM900's forerunner"},
    {"Amp", 322, "RP150", "63 AC-30 TB", "AC lineage: the AC-15's bigger sibling"},
    {"Amp", 325, "RP150 RP250", "83 JCM800", "same character: a hot-rodded British lead amp"},
    {"Amp", 337, "RP150", "DigiTech Metal", "DigiTech lineage: the other high-gain design"},
    {"Amp", 328, kSmaller, "DigiTech Clean", "DigiTech lineage: the clean tube preamp"},
    {"Amp", 329, kSmaller, "DigiTech Solo", "DigiTech lineage: the saturated tube preamp"},
    {"Amp", 340, kSmaller, "Dread Acoustic", "same character: the other acoustic body"},
    {"Amp", 379, kSmaller, "DigiTech Clean", "unnamed RP35x amp: a neutral clean amp"},
    {"Amp", 334, kBelow355, "DigiTech Clean", "unnamed RP355 amp: a neutral clean amp"},
    {"Amp", 368, kBelow355, "DigiTech Clean", "unnamed RP355 amp: a neutral clean amp"},
    {"Amp", 369, kBelow355, "DigiTech Clean", "unnamed RP355 amp: a neutral clean amp"},
    {"Amp", 377, kBelow355, "DigiTech Clean", "unnamed RP355 amp: a neutral clean amp"},
    {"Amp", 378, kBelow355, "DigiTech Clean", "unnamed RP355 amp: a neutral clean amp"},
    {"Amp", 383, kBelow355, "68 Super Lead Plexi",
     "same character: the brown sound is a cranked Plexi"},
    // Cabinet
    {"Cabinet", 571, "RP150", "Deluxe 1x12", "Tweed lineage: the nearest small combo speaker"},
    {"Cabinet", 616, "RP150", "British 4x12", "British lineage: the same 4x12, other speakers"},
    {"Cabinet", 573, kSmaller, "Deluxe 1x12", "Deluxe lineage: the same 1x12 combo"},
    {"Cabinet", 577, kSmaller, "Twin 2x12", "unnamed RP35x cabinet numbered with the 2x12 combos"},
    {"Cabinet", 583, kSmaller, "Vintage V30 4x12",
     "same character: a closed 4x12, modern speakers"},
    {"Cabinet", 584, kSmaller, "Vintage V30 4x12", "unnamed RP35x cabinet numbered with the 4x12s"},
    // Compressor
    {"Compressor", 197, kSmaller, "CS Comp", "same character: a classic pedal compressor"},
    // Distortion
    {"Distortion", 1292, "RP150", "Screamer TS9", "Screamer lineage: the 808 is its forerunner"},
    {"Distortion", 1285, "RP150", "Screamer TS9", "same character: a mild mid-hump overdrive"},
    {"Distortion", 1291, "RP150", "DOD 250", "same circuit: the two are near twins"},
    {"Distortion", 1294, "RP150", "Zone", "same character: a scooped metal distortion"},
    {"Distortion", 1286, kSmaller, "Screamer TS9", "Screamer lineage: a screamer with clean blend"},
    {"Distortion", 1290, kSmaller, "DS Dist", "unnamed RP35x distortion: a general-purpose one"},
    {"Distortion", 1295, kSmaller, "DS Dist", "unnamed RP35x distortion: a general-purpose one"},
    {"Distortion", 1296, kSmaller, "DS Dist", "unnamed RP35x distortion: a general-purpose one"},
    {"Distortion", 1297, "RP250 RP255 RP350", "Death", "same character: DigiTech high gain"},
    {"Distortion", 1297, "RP150", "Zone", "same character: a high-gain metal distortion"},
    // Mod/FX
    {"Mod/FX", 908, "RP150", "AutoYa", "Ya lineage: the automatic YaYa"},
    {"Mod/FX", 892, kSmaller, "CEChorus", "unnamed RP35x effect numbered with the choruses"},
    {"Mod/FX", 894, kSmaller, "Flanger", "unnamed RP35x effect numbered with the flangers"},
    {"Mod/FX", 896, kSmaller, "Flanger", "unnamed RP35x effect numbered with the flangers"},
    {"Mod/FX", 898, kSmaller, "Phaser", "unnamed RP35x effect numbered with the phasers"},
    {"Mod/FX", 899, kSmaller, "Phaser", "unnamed RP35x effect numbered with the phasers"},
    {"Mod/FX", 900, kSmaller, "Phaser", "unnamed RP35x effect numbered with the phasers"},
    {"Mod/FX", 901, kSmaller, "PitchShift", "same character: an octave is a pitch shift"},
    {"Mod/FX", 904, kSmaller, "Envelope", "unnamed RP35x effect numbered with the filters"},
    {"Mod/FX", 905, kSmaller, "Envelope", "unnamed RP35x effect numbered with the filters"},
    {"Mod/FX", 910, kSmaller, "StepFilter", "unnamed RP35x effect numbered with the filters"},
    {"Mod/FX", 912, kSmaller, "Rotary", "same character: the vibe imitates a rotating speaker"},
    {"Mod/FX", 913, kSmaller, "Vibrato", "unnamed RP35x effect numbered with the vibratos"},
    // Delay
    {"Delay", 1050, kSmaller, "Tape", "tape lineage: the Echo Plex is a tape echo"},
    {"Delay", 1051, kSmaller, "Analog", "same character: a bucket-brigade analog delay"},
    // Pedal assignment: a control of the second channel or of an RP35x-only knob goes to
    // the same control of the one channel, or to the nearest knob of the block.
    {"Pedal assignment", at(10, 265), kSmaller, "Amp Enable", "the one amp channel"},
    {"Pedal assignment", at(10, 2497), kSmaller, "Amp Gain", "the one amp channel"},
    {"Pedal assignment", at(10, 2498), kSmaller, "Amp Level", "the one amp channel"},
    {"Pedal assignment", at(24, 3207), kSmaller, "EQ Treble", "presence: the nearest band"},
    {"Pedal assignment", at(25, 3212), kSmaller, "EQ Enable", "the one EQ"},
    {"Pedal assignment", at(25, 3203), kSmaller, "EQ Bass", "the one EQ"},
    {"Pedal assignment", at(25, 3204), kSmaller, "EQ Middle", "the one EQ"},
    {"Pedal assignment", at(25, 3205), kSmaller, "EQ Treble", "the one EQ"},
    {"Pedal assignment", at(25, 3207), kSmaller, "EQ Treble",
     "the one EQ; presence: the nearest band"},
    {"Pedal assignment", at(4, 212), kSmaller, "Compressor Level", "output: the same control"},
    {"Pedal assignment", at(4, 213), kSmaller, "Compressor Sustain",
     "sensitivity: how hard it squeezes"},
    {"Pedal assignment", at(14, 849), kSmaller, "Chorus Depth", "unnamed RP35x chorus control"},
    {"Pedal assignment", at(15, 1874), kSmaller, "Delay Repeats", "the same control"},
    {"Pedal assignment", at(15, 1893), kSmaller, "Delay Level", "delay volume: the same control"},
    {"Pedal assignment", at(15, 1897), kSmaller, "Delay Time", "the same control"},
};

bool servesTarget(std::string_view targets, std::string_view caption) {
    for (std::size_t at = targets.find(caption); at != std::string_view::npos;
         at = targets.find(caption, at + 1)) {
        const std::size_t end = at + caption.size();
        if ((at == 0 || targets[at - 1] == ' ') && (end == targets.size() || targets[end] == ' '))
            return true;
    }
    return false;
}

}  // namespace

std::span<const Substitution> substitutions() {
    return kTable;
}

const Substitution* substitutionFor(const Block& block, double value,
                                    std::string_view targetCaption) {
    for (const Substitution& line : kTable)
        if (line.block == block.title && line.replaced == value &&
            servesTarget(line.targets, targetCaption))
            return &line;
    return nullptr;
}

const Entry* substituteEntry(const Substitution& line) {
    for (const Block& block : blocks()) {
        if (block.title != line.block) continue;
        for (const Entry& entry : block.entries)
            if (entry.name == line.substitute) return &entry;
    }
    return nullptr;
}

}  // namespace pw::catalogue
