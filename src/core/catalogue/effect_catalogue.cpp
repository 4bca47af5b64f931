// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/effect_catalogue.h"

#include <cctype>

#include <array>
#include <cstddef>

namespace pw::catalogue {
namespace {

// The library blocks number their entries consecutively from `first` in list order.
template <std::size_t N>
constexpr std::array<Entry, N> numbered(const std::string_view (&names)[N], std::int32_t first) {
    std::array<Entry, N> out{};
    for (std::size_t i = 0; i < N; ++i)
        out[i] = Entry{names[i], first + static_cast<std::int32_t>(i)};
    return out;
}

constexpr Entry kAmp[] = {
    {"57 Tweed Champ", 307},
    {"57 Tweed Deluxe", 308},
    {"59 Tweed Bassman", 309},
    {"65 Blackface Twin", 311},
    {"65 Blackface Deluxe", 312},
    {"65 Plexi JTM-45", 313},
    {"68 Super Lead Plexi", 314},
    {"68 Marshall Jump", 315},
    {"77 Master Volume", 316},
    {"83 JCM800", 317},
    {"93 JCM900", 318},
    {"62 AC-15", 322},
    {"63 AC-30 TB", 323},
    {"69 Hiwatt 100", 324},
    {"Soldano 100", 325},
    {"81 Boogie Mark IIC", 320},
    {"01 Dual Rectifier", 321},
    {"96 Matchless HC30", 326},
    {"DigiTech Solo", 331},
    {"DigiTech Metal", 332},
    {"DigiTech Bright", 333},
    {"DigiTech Clean", 335},
    {"DigiTech HighGain", 337},
    {"Dread Acoustic", 341},
    {"Direct", 306},
};

constexpr Entry kCabinet[] = {
    {"Champ 1x8", 571},           {"Deluxe 1x12", 572},         {"Twin 2x12", 576},
    {"British 2x12", 613},        {"Bassman 4x10", 579},        {"British 4x12", 614},
    {"British Green 4x12", 616},  {"Vintage V30 4x12", 622},    {"DigiTech Solo 4x12", 609},
    {"DigiTech Bright2x12", 611}, {"DigiTech Metal 4x12", 618}, {"DigiTech Rock 4x12", 619},
    {"DigiTech Alt 4x12", 620},   {"DigiTech Vntg 4x12", 621},  {"Direct", 570},
};

constexpr Entry kWah[] = {
    {"Cry Wah", 132},
    {"Full Range", 133},
    {"Clyde Wah", 134},
};

constexpr Entry kCompressor[] = {
    {"Digi Comp", 195},
    {"CS Comp", 196},
};

constexpr Entry kDistortion[] = {
    {"Screamer TS9", 1280}, {"808", 1292},     {"Guy OD", 1285},     {"DOD 250", 1283},
    {"Rodent", 1281},       {"MX Dist", 1291}, {"DS Dist", 1282},    {"Grunge", 1287},
    {"Zone", 1289},         {"Death", 1294},   {"Gonkulator", 1293}, {"Fuzzy", 1288},
    {"Big MP", 1284},
};

constexpr Entry kGate[] = {
    {"Gate", 768},
    {"Swell", 769},
};

constexpr Entry kModFx[] = {
    {"CEChorus", 891},    {"DualChorus", 889}, {"MultiChorus", 890}, {"Flanger", 893},
    {"MXRFlanger", 895},  {"Phaser", 897},     {"Vibrato", 864},     {"Rotary", 865},
    {"VibroPan", 911},    {"Tremolo", 862},    {"Panner", 863},      {"Envelope", 906},
    {"AutoYa", 907},      {"YaYa", 908},       {"StepFilter", 909},  {"Whammy", 1344},
    {"PitchShift", 1347}, {"Detune", 1346},    {"Harmony", 1345},
};

// Grouped by the target's position, in display order: 0 (none), 2, 4, 6, 8, 24, 12,
// 14, 15, 16, 13, 17. The two volume pedal entries share id 2626.
constexpr Entry kPedal[] = {
    {"None", 0},
    {"Pickup Enable", pedalTarget(2, 65)},
    {"Pickup Type", pedalTarget(2, 64)},
    {"Compressor Enable", pedalTarget(4, 193)},
    {"Compressor Sustain", pedalTarget(4, 208)},
    {"Compressor Tone", pedalTarget(4, 209)},
    {"Compressor Level", pedalTarget(4, 210)},
    {"Compressor Attack", pedalTarget(4, 211)},
    {"Distortion Enable", pedalTarget(6, 2433)},
    {"IbanezTS9DistortionDrive", pedalTarget(6, 2434)},
    {"IbanezTS9DistortionTone", pedalTarget(6, 2435)},
    {"IbanezTS9DistortionLevel", pedalTarget(6, 2436)},
    {"Ibanez808DistortionOverdrive", pedalTarget(6, 2473)},
    {"Ibanez808DistortionTone", pedalTarget(6, 2474)},
    {"Ibanez808DistortionLevel", pedalTarget(6, 2475)},
    {"GuyatoneOverdriveOD2DistortionDrive", pedalTarget(6, 2448)},
    {"GuyatoneOverdriveOD2DistortionLevel", pedalTarget(6, 2449)},
    {"DOD250OverdrivePreampDistortionGain", pedalTarget(6, 2443)},
    {"DOD250OverdrivePreampDistortionLevel", pedalTarget(6, 2444)},
    {"ProCoRATDistortionDistortion", pedalTarget(6, 2437)},
    {"ProCoRATDistortionFilter", pedalTarget(6, 2438)},
    {"ProCoRATDistortionLevel", pedalTarget(6, 2439)},
    {"MXRDistortionPlusDistortionDistortion", pedalTarget(6, 2468)},
    {"MXRDistortionPlusDistortionOutput", pedalTarget(6, 2469)},
    {"BossDS1DistortionDistortionDistortion", pedalTarget(6, 2440)},
    {"BossDS1DistortionDistortionTone", pedalTarget(6, 2441)},
    {"BossDS1DistortionDistortionLevel", pedalTarget(6, 2442)},
    {"DigiTechGrungeDistortionGain", pedalTarget(6, 2454)},
    {"DigiTechGrungeDistortionFace", pedalTarget(6, 2456)},
    {"DigiTechGrungeDistortionLoud", pedalTarget(6, 2457)},
    {"DigiTechGrungeDistortionButt", pedalTarget(6, 2455)},
    {"BossMT2MetalZoneDistortionGain", pedalTarget(6, 2460)},
    {"BossMT2MetalZoneDistortionLow", pedalTarget(6, 2463)},
    {"BossMT2MetalZoneDistortionMiddleLevel", pedalTarget(6, 2462)},
    {"BossMT2MetalZoneDistortionMiddleFrequency", pedalTarget(6, 2461)},
    {"BossMT2MetalZoneDistortionHigh", pedalTarget(6, 2464)},
    {"BossMT2MetalZoneDistortionLevel", pedalTarget(6, 2465)},
    {"DigiTechDeathMetalDistortionLow", pedalTarget(6, 2477)},
    {"DigiTechDeathMetalDistortionMiddle", pedalTarget(6, 2476)},
    {"DigiTechDeathMetalDistortionHigh", pedalTarget(6, 2478)},
    {"DigiTechDeathMetalDistortionLevel", pedalTarget(6, 2479)},
    {"DODGonkulatorRingModDistortionGunk", pedalTarget(6, 2480)},
    {"DODGonkulatorRingModDistortionSmear", pedalTarget(6, 2471)},
    {"DODGonkulatorRingModDistortionSuck", pedalTarget(6, 2470)},
    {"DODGonkulatorRingModDistortionHeave", pedalTarget(6, 2472)},
    {"ArbiterFuzzFaceDistortionFuzz", pedalTarget(6, 2458)},
    {"ArbiterFuzzFaceDistortionVolume", pedalTarget(6, 2459)},
    {"ElectroHarmonixBigMuffPiDistortionSustain", pedalTarget(6, 2445)},
    {"ElectroHarmonixBigMuffPiDistortionTone", pedalTarget(6, 2446)},
    {"ElectroHarmonixBigMuffPiDistortionVolume", pedalTarget(6, 2447)},
    {"Amp Enable", pedalTarget(8, 265)},
    {"Amp Gain", pedalTarget(8, 2497)},
    {"Amp Level", pedalTarget(8, 2498)},
    {"EQ Enable", pedalTarget(24, 3212)},
    {"EQ Bass", pedalTarget(24, 3203)},
    {"EQ Middle", pedalTarget(24, 3204)},
    {"EQ Treble", pedalTarget(24, 3205)},
    {"Gate Enable", pedalTarget(12, 705)},
    {"Gate Threshold", pedalTarget(12, 710)},
    {"Gate Attack", pedalTarget(12, 712)},
    {"Gate Release", pedalTarget(12, 713)},
    {"Gate Attenuation", pedalTarget(12, 714)},
    {"Gate PluckSensitivity", pedalTarget(12, 711)},
    {"Modulation Enable", pedalTarget(14, 769)},
    {"Chorus Speed", pedalTarget(14, 837)},
    {"Chorus Depth", pedalTarget(14, 838)},
    {"Chorus Level", pedalTarget(14, 836)},
    {"Chorus Waveform", pedalTarget(14, 840)},
    {"Flanger Speed", pedalTarget(14, 902)},
    {"Flanger Depth", pedalTarget(14, 903)},
    {"Flanger Regeneration", pedalTarget(14, 904)},
    {"Flanger Waveform", pedalTarget(14, 905)},
    {"Flanger Level", pedalTarget(14, 901)},
    {"Flanger Width", pedalTarget(14, 914)},
    {"Flanger Manual", pedalTarget(14, 917)},
    {"Phaser Speed", pedalTarget(14, 962)},
    {"Phaser Depth", pedalTarget(14, 963)},
    {"Phaser Regeneration", pedalTarget(14, 966)},
    {"Phaser Waveform", pedalTarget(14, 967)},
    {"Phaser Level", pedalTarget(14, 965)},
    {"Vibrato Speed", pedalTarget(14, 1284)},
    {"Vibrato Depth", pedalTarget(14, 1285)},
    {"Rotary Speed", pedalTarget(14, 1346)},
    {"Rotary Intensity", pedalTarget(14, 1348)},
    {"Rotary Doppler", pedalTarget(14, 1350)},
    {"Rotary Crossover", pedalTarget(14, 1351)},
    {"Vibro Pan Speed", pedalTarget(14, 1314)},
    {"Vibro Pan Depth", pedalTarget(14, 1315)},
    {"Vibro Pan VibroPan", pedalTarget(14, 1316)},
    {"Vibro Pan Waveform", pedalTarget(14, 1317)},
    {"Tremolo Speed", pedalTarget(14, 1156)},
    {"Tremolo Depth", pedalTarget(14, 1155)},
    {"Tremolo Waveform", pedalTarget(14, 1157)},
    {"Panner Speed", pedalTarget(14, 1220)},
    {"Panner Depth", pedalTarget(14, 1219)},
    {"Panner Waveform", pedalTarget(14, 1221)},
    {"Envelope Sensitivity", pedalTarget(14, 1606)},
    {"Envelope Range", pedalTarget(14, 1605)},
    {"AutoYa Speed", pedalTarget(14, 1478)},
    {"AutoYa Intensity", pedalTarget(14, 1482)},
    {"AutoYa Range", pedalTarget(14, 1483)},
    {"YaYa Pedal", pedalTarget(14, 1410)},
    {"YaYa Intensity", pedalTarget(14, 1417)},
    {"YaYa Range", pedalTarget(14, 1418)},
    {"Step Filter Speed", pedalTarget(14, 3010)},
    {"Step Filter Intensity", pedalTarget(14, 3011)},
    {"Whammy Amount", pedalTarget(14, 1797)},
    {"Whammy Pedal", pedalTarget(14, 1795)},
    {"Whammy Mix", pedalTarget(14, 1796)},
    {"Pitch Shift Amount", pedalTarget(14, 1730)},
    {"Pitch Shift Mix", pedalTarget(14, 1745)},
    {"Detune", pedalTarget(14, 1668)},
    {"Level", pedalTarget(14, 1667)},
    {"Harmony Amount", pedalTarget(14, 2754)},
    {"Harmony Key", pedalTarget(14, 2756)},
    {"Harmony Scale", pedalTarget(14, 2755)},
    {"Harmony Level", pedalTarget(14, 2757)},
    {"Delay Enable", pedalTarget(15, 1857)},
    {"Delay Time", pedalTarget(15, 1888)},
    {"Delay Repeats", pedalTarget(15, 1863)},
    {"Delay Level", pedalTarget(15, 1860)},
    {"Delay Ducker Threshold", pedalTarget(15, 1889)},
    {"Delay Ducker Level", pedalTarget(15, 1890)},
    {"Delay Modulation Depth", pedalTarget(15, 1873)},
    {"Delay Tape Wow", pedalTarget(15, 1891)},
    {"Delay Tape Flutter", pedalTarget(15, 1892)},
    {"Reverb Enable", pedalTarget(16, 1921)},
    {"Reverb Decay", pedalTarget(16, 1927)},
    {"Reverb Liveliness", pedalTarget(16, 1933)},
    {"Reverb Level", pedalTarget(16, 1925)},
    {"Reverb PreDelay", pedalTarget(16, 1922)},
    {"Volume PedalPreFX", pedalTarget(13, 2626)},
    {"Volume PedalPostFX", pedalTarget(17, 2626)},
};

constexpr Entry kDelay[] = {
    {"Analog", 1046}, {"Digital", 1045}, {"Modulated", 1047}, {"Pong", 1048}, {"Tape", 1049},
};

constexpr Entry kEq[] = {
    {"MidBoost", 1472},
    {"Scoop", 1473},
    {"Bright", 1474},
    {"Warm", 1475},
};

constexpr Entry kReverb[] = {
    {"Twin Reverb", 1146},  {"Lexicon Ambience", 1150}, {"Lexicon Studio", 1149},
    {"Lexicon Room", 1148}, {"Lexicon Hall", 1147},     {"EMT240 Plate", 1151},
};

constexpr std::string_view kToneLibraryNames[] = {
    "Custom",  "Overdrive", "Rock1",       "Rock2",     "Blues1",    "Blues2",    "Metal1",
    "Metal2",  "Country1",  "Country2",    "WarmDrive", "Crunch",    "TexasTone", "Rockabilly",
    "Solo1",   "Solo2",     "RockWah",     "Chunky",    "Smooth",    "Heavy",     "Clean1",
    "Clean2",  "British1",  "British2",    "American1", "American2", "TubeDrive", "Distortion",
    "Scooped", "Punchy",    "BrightClean",
};
constexpr auto kToneLibrary = numbered(kToneLibraryNames, 1792);

constexpr std::string_view kFxLibraryNames[] = {
    "Custom",
    "Chorus",
    "Phaser",
    "Flanger",
    "Pitch",
    "Tremolo",
    "Rotary",
    "EnvelopeFilter",
    "DigitalDelay",
    "AnalogDelay",
    "PongDelay",
    "ModulationDelay",
    "TapeDelay",
    "HallReverb",
    "PlateReverb",
    "SpringReverb",
    "ChorusAndDigitalDelay",
    "ChorusAndDelayAndRevrb",
    "FlangerAndAnalogDelay",
    "PhaserAndTapeDelay",
    "PhaserAndModulationDelay",
    "PhaserAndRoomReverb",
    "DigitalDelayAndHallReverb",
    "AnalogDelayAndSpring",
    "ChorusHallReverb",
    "PongDelayHallReverb",
    "TapeDelayAndSpringReverb",
    "TremoloAndTapeDelay",
    "PitchAndDigitalDelay",
    "ModulationDelayAndPlateReverb",
    "RotaryAndTapeDelay",
};
constexpr auto kFxLibrary = numbered(kFxLibraryNames, 1856);

constexpr Block kBlocks[] = {
    {"Amp", "cboAmp", "cboAmpID", "Select Amp Model", "2496", false, kAmp},
    {"Cabinet", "cboCAB", "cboCABID", "Select CAB Model", "2560", false, kCabinet},
    {"Wah", "cboWah", "cboWahID", "Select Wah Type", "128", false, kWah},
    {"Compressor", "cboComp", "cboCompID", "Select Compressor Type", "207", false, kCompressor},
    {"Distortion", "cboDistortion", "cboDistortionID", "Select Distortion Type", "2432", false,
     kDistortion},
    {"Noise gate", "cboGate", "cboGateID", "Select Noise Gate", "704", false, kGate},
    {"Mod/FX", "cboMOD", "cboMODID", "Select Mod/FX Type", "768", false, kModFx},
    {"Pedal assignment", "cboPedal", "cboPedalID", "Select Pedal Assignment", "8194", true, kPedal},
    {"Delay", "cboDelay", "cboDelayID", "Select Delay Type", "1856", false, kDelay},
    {"EQ", "cboEQ", "cboEQID", "Select EQ Type", "3202", false, kEq},
    {"Reverb", "cboReverb", "cboReverbID", "Select Reverb Type", "1920", false, kReverb},
    {"Tone library", "cboToneLib", "cboToneLibID", "Select Tone Lib", "8704", false, kToneLibrary},
    {"FX library", "cboFXLib", "cboFXLibID", "Select FX Lib", "8705", false, kFxLibrary},
};

}  // namespace

std::span<const Block> blocks() {
    return kBlocks;
}

const Block* blockOfRow(std::string_view idText, std::string_view positionText) {
    for (const Block& block : kBlocks) {
        if (idText != block.parameterId) continue;
        if (block.onlyAtPosition19 && positionText != "19") return nullptr;
        return &block;
    }
    return nullptr;
}

const Block* blockByList(std::string_view nameList) {
    for (const Block& block : kBlocks)
        if (block.nameList == nameList) return &block;
    return nullptr;
}

namespace {
bool sameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) {
            return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}
}  // namespace

std::optional<std::size_t> entryIndex(const Block& block, std::string_view name) {
    for (std::size_t i = 0; i < block.entries.size(); ++i)
        if (sameIgnoringCase(block.entries[i].name, name)) return i;
    return std::nullopt;
}

bool entryNamed(std::string_view name) {
    for (const Block& block : kBlocks)
        if (entryIndex(block, name)) return true;
    return false;
}

std::string valueText(const Entry& entry) {
    return std::to_string(entry.value);
}

}  // namespace pw::catalogue
