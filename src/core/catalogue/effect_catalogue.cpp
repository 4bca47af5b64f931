// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/effect_catalogue.h"

#include <cctype>

#include <array>
#include <cstddef>

namespace pw::catalogue {
namespace {

// A pedal assignment target: the parameter at `position` with id `id`, stored as
// position * 65536 + id.
constexpr std::int32_t at(std::int32_t position, std::int32_t id) {
    return position * 65536 + id;
}

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
    {"Pickup Enable", at(2, 65)},
    {"Pickup Type", at(2, 64)},
    {"Compressor Enable", at(4, 193)},
    {"Compressor Sustain", at(4, 208)},
    {"Compressor Tone", at(4, 209)},
    {"Compressor Level", at(4, 210)},
    {"Compressor Attack", at(4, 211)},
    {"Distortion Enable", at(6, 2433)},
    {"IbanezTS9DistortionDrive", at(6, 2434)},
    {"IbanezTS9DistortionTone", at(6, 2435)},
    {"IbanezTS9DistortionLevel", at(6, 2436)},
    {"Ibanez808DistortionOverdrive", at(6, 2473)},
    {"Ibanez808DistortionTone", at(6, 2474)},
    {"Ibanez808DistortionLevel", at(6, 2475)},
    {"GuyatoneOverdriveOD2DistortionDrive", at(6, 2448)},
    {"GuyatoneOverdriveOD2DistortionLevel", at(6, 2449)},
    {"DOD250OverdrivePreampDistortionGain", at(6, 2443)},
    {"DOD250OverdrivePreampDistortionLevel", at(6, 2444)},
    {"ProCoRATDistortionDistortion", at(6, 2437)},
    {"ProCoRATDistortionFilter", at(6, 2438)},
    {"ProCoRATDistortionLevel", at(6, 2439)},
    {"MXRDistortionPlusDistortionDistortion", at(6, 2468)},
    {"MXRDistortionPlusDistortionOutput", at(6, 2469)},
    {"BossDS1DistortionDistortionDistortion", at(6, 2440)},
    {"BossDS1DistortionDistortionTone", at(6, 2441)},
    {"BossDS1DistortionDistortionLevel", at(6, 2442)},
    {"DigiTechGrungeDistortionGain", at(6, 2454)},
    {"DigiTechGrungeDistortionFace", at(6, 2456)},
    {"DigiTechGrungeDistortionLoud", at(6, 2457)},
    {"DigiTechGrungeDistortionButt", at(6, 2455)},
    {"BossMT2MetalZoneDistortionGain", at(6, 2460)},
    {"BossMT2MetalZoneDistortionLow", at(6, 2463)},
    {"BossMT2MetalZoneDistortionMiddleLevel", at(6, 2462)},
    {"BossMT2MetalZoneDistortionMiddleFrequency", at(6, 2461)},
    {"BossMT2MetalZoneDistortionHigh", at(6, 2464)},
    {"BossMT2MetalZoneDistortionLevel", at(6, 2465)},
    {"DigiTechDeathMetalDistortionLow", at(6, 2477)},
    {"DigiTechDeathMetalDistortionMiddle", at(6, 2476)},
    {"DigiTechDeathMetalDistortionHigh", at(6, 2478)},
    {"DigiTechDeathMetalDistortionLevel", at(6, 2479)},
    {"DODGonkulatorRingModDistortionGunk", at(6, 2480)},
    {"DODGonkulatorRingModDistortionSmear", at(6, 2471)},
    {"DODGonkulatorRingModDistortionSuck", at(6, 2470)},
    {"DODGonkulatorRingModDistortionHeave", at(6, 2472)},
    {"ArbiterFuzzFaceDistortionFuzz", at(6, 2458)},
    {"ArbiterFuzzFaceDistortionVolume", at(6, 2459)},
    {"ElectroHarmonixBigMuffPiDistortionSustain", at(6, 2445)},
    {"ElectroHarmonixBigMuffPiDistortionTone", at(6, 2446)},
    {"ElectroHarmonixBigMuffPiDistortionVolume", at(6, 2447)},
    {"Amp Enable", at(8, 265)},
    {"Amp Gain", at(8, 2497)},
    {"Amp Level", at(8, 2498)},
    {"EQ Enable", at(24, 3212)},
    {"EQ Bass", at(24, 3203)},
    {"EQ Middle", at(24, 3204)},
    {"EQ Treble", at(24, 3205)},
    {"Gate Enable", at(12, 705)},
    {"Gate Threshold", at(12, 710)},
    {"Gate Attack", at(12, 712)},
    {"Gate Release", at(12, 713)},
    {"Gate Attenuation", at(12, 714)},
    {"Gate PluckSensitivity", at(12, 711)},
    {"Modulation Enable", at(14, 769)},
    {"Chorus Speed", at(14, 837)},
    {"Chorus Depth", at(14, 838)},
    {"Chorus Level", at(14, 836)},
    {"Chorus Waveform", at(14, 840)},
    {"Flanger Speed", at(14, 902)},
    {"Flanger Depth", at(14, 903)},
    {"Flanger Regeneration", at(14, 904)},
    {"Flanger Waveform", at(14, 905)},
    {"Flanger Level", at(14, 901)},
    {"Flanger Width", at(14, 914)},
    {"Flanger Manual", at(14, 917)},
    {"Phaser Speed", at(14, 962)},
    {"Phaser Depth", at(14, 963)},
    {"Phaser Regeneration", at(14, 966)},
    {"Phaser Waveform", at(14, 967)},
    {"Phaser Level", at(14, 965)},
    {"Vibrato Speed", at(14, 1284)},
    {"Vibrato Depth", at(14, 1285)},
    {"Rotary Speed", at(14, 1346)},
    {"Rotary Intensity", at(14, 1348)},
    {"Rotary Doppler", at(14, 1350)},
    {"Rotary Crossover", at(14, 1351)},
    {"Vibro Pan Speed", at(14, 1314)},
    {"Vibro Pan Depth", at(14, 1315)},
    {"Vibro Pan VibroPan", at(14, 1316)},
    {"Vibro Pan Waveform", at(14, 1317)},
    {"Tremolo Speed", at(14, 1156)},
    {"Tremolo Depth", at(14, 1155)},
    {"Tremolo Waveform", at(14, 1157)},
    {"Panner Speed", at(14, 1220)},
    {"Panner Depth", at(14, 1219)},
    {"Panner Waveform", at(14, 1221)},
    {"Envelope Sensitivity", at(14, 1606)},
    {"Envelope Range", at(14, 1605)},
    {"AutoYa Speed", at(14, 1478)},
    {"AutoYa Intensity", at(14, 1482)},
    {"AutoYa Range", at(14, 1483)},
    {"YaYa Pedal", at(14, 1410)},
    {"YaYa Intensity", at(14, 1417)},
    {"YaYa Range", at(14, 1418)},
    {"Step Filter Speed", at(14, 3010)},
    {"Step Filter Intensity", at(14, 3011)},
    {"Whammy Amount", at(14, 1797)},
    {"Whammy Pedal", at(14, 1795)},
    {"Whammy Mix", at(14, 1796)},
    {"Pitch Shift Amount", at(14, 1730)},
    {"Pitch Shift Mix", at(14, 1745)},
    {"Detune", at(14, 1668)},
    {"Level", at(14, 1667)},
    {"Harmony Amount", at(14, 2754)},
    {"Harmony Key", at(14, 2756)},
    {"Harmony Scale", at(14, 2755)},
    {"Harmony Level", at(14, 2757)},
    {"Delay Enable", at(15, 1857)},
    {"Delay Time", at(15, 1888)},
    {"Delay Repeats", at(15, 1863)},
    {"Delay Level", at(15, 1860)},
    {"Delay Ducker Threshold", at(15, 1889)},
    {"Delay Ducker Level", at(15, 1890)},
    {"Delay Modulation Depth", at(15, 1873)},
    {"Delay Tape Wow", at(15, 1891)},
    {"Delay Tape Flutter", at(15, 1892)},
    {"Reverb Enable", at(16, 1921)},
    {"Reverb Decay", at(16, 1927)},
    {"Reverb Liveliness", at(16, 1933)},
    {"Reverb Level", at(16, 1925)},
    {"Reverb PreDelay", at(16, 1922)},
    {"Volume PedalPreFX", at(13, 2626)},
    {"Volume PedalPostFX", at(17, 2626)},
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
