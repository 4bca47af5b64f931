// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/model_settings.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <utility>
#include <vector>

namespace pw::catalogue {
namespace {

// The knobs of each model, in the order of their IDs as the presets hold them. The IDs
// are those of the pedal assignment list (Positions 4, 6 and 14 to 16), whose names say
// whose knob each is; the names are the rows' names in the family's own presets. The
// knobs of the larger models' own distortions follow the order of their check list:
// Sparkdrive 2450-2453, Fuzzlator 2481-2484, Classic Fuzz 2485-2487, 8tavia 2466-2467,
// Redline 2488-2491. A knob's neutral value is the middle of its range where the middle
// leaves the sound as it is meant (drive, tone, level, speed, depth, mix); a knob whose
// middle would colour the sound sits where it adds nothing: no ducking, no wow or
// flutter, the triangle wave, no interval (24 of 0-48 is unison), the first key.
constexpr Setting kSettings[] = {
    // Compressor, Position 4
    {"Compressor", 195, 208, "Compressor Sustain", "Sustain", "sustain", 50, 99},
    {"Compressor", 195, 209, "Compressor Tone", "Tone", "tone", 50, 99},
    {"Compressor", 195, 210, "Compressor Level", "Level", "level", 50, 99},
    {"Compressor", 195, 211, "Compressor Attack", "Attack", "attack", 50, 99},
    {"Compressor", 196, 208, "Compressor Sustain", "Sustain", "sustain", 50, 99},
    {"Compressor", 196, 210, "Compressor Level", "Level", "level", 50, 99},
    {"Compressor", 196, 211, "Compressor Attack", "Attack", "attack", 50, 99},
    {"Compressor", 197, 212, "Compressor Output", "Output", "level", 50, 99},
    {"Compressor", 197, 213, "Compressor Sensitivity", "Sensitivity", "sustain", 50, 99},
    // Distortion, Position 6
    {"Distortion", 1280, 2434, "Dist Drive", "Drive", "drive", 50, 99},
    {"Distortion", 1280, 2435, "Dist Tone", "Tone", "tone", 50, 99},
    {"Distortion", 1280, 2436, "Dist Level", "Level", "level", 50, 99},
    {"Distortion", 1292, 2473, "Dist Overdrive", "Overdrive", "drive", 50, 99},
    {"Distortion", 1292, 2474, "Dist Tone", "Tone", "tone", 50, 99},
    {"Distortion", 1292, 2475, "Dist Level", "Level", "level", 50, 99},
    {"Distortion", 1285, 2448, "Dist Drive", "Drive", "drive", 50, 99},
    {"Distortion", 1285, 2449, "Dist Level", "Level", "level", 50, 99},
    {"Distortion", 1286, 2450, "Dist Gain", "Gain", "drive", 50, 99},
    {"Distortion", 1286, 2451, "Dist Tone", "Tone", "tone", 50, 99},
    {"Distortion", 1286, 2452, "Dist Clean", "Clean", "clean blend", 0, 99},
    {"Distortion", 1286, 2453, "Dist Volume", "Volume", "level", 50, 99},
    {"Distortion", 1283, 2443, "Dist Gain", "Gain", "drive", 50, 99},
    {"Distortion", 1283, 2444, "Dist Level", "Level", "level", 50, 99},
    {"Distortion", 1281, 2437, "Dist Distortion", "Distortion", "drive", 50, 99},
    {"Distortion", 1281, 2438, "Dist Filter", "Filter", "tone", 50, 99},
    {"Distortion", 1281, 2439, "Dist Volume", "Volume", "level", 50, 99},
    {"Distortion", 1291, 2468, "Dist Distortion", "Distortion", "drive", 50, 99},
    {"Distortion", 1291, 2469, "Dist Output", "Output", "level", 50, 99},
    {"Distortion", 1282, 2440, "Dist Distortion", "Distortion", "drive", 50, 99},
    {"Distortion", 1282, 2441, "Dist Tone", "Tone", "tone", 50, 99},
    {"Distortion", 1282, 2442, "Dist Level", "Level", "level", 50, 99},
    {"Distortion", 1287, 2454, "Dist Gain", "Gain", "drive", 50, 99},
    {"Distortion", 1287, 2455, "Dist Butt", "Butt", "bass", 50, 99},
    {"Distortion", 1287, 2456, "Dist Face", "Face", "tone", 50, 99},
    {"Distortion", 1287, 2457, "Dist Loud", "Loud", "level", 50, 99},
    {"Distortion", 1289, 2460, "Dist Gain", "Gain", "drive", 50, 99},
    {"Distortion", 1289, 2461, "Dist Mid Freq", "Mid Freq", "mid frequency", 50, 99},
    {"Distortion", 1289, 2462, "Dist Mid", "Mid", "middle", 50, 99},
    {"Distortion", 1289, 2463, "Dist Low", "Low", "bass", 50, 99},
    {"Distortion", 1289, 2464, "Dist High", "High", "treble", 50, 99},
    {"Distortion", 1289, 2465, "Dist Level", "Level", "level", 50, 99},
    {"Distortion", 1294, 2476, "Dist Mid", "Mid", "middle", 50, 99},
    {"Distortion", 1294, 2477, "Dist Low", "Low", "bass", 50, 99},
    {"Distortion", 1294, 2478, "Dist High", "High", "treble", 50, 99},
    {"Distortion", 1294, 2479, "Dist Level", "Level", "level", 50, 99},
    {"Distortion", 1293, 2470, "Dist Suck", "Suck", "suck", 50, 99},
    {"Distortion", 1293, 2471, "Dist Smear", "Smear", "mix", 50, 99},
    {"Distortion", 1293, 2472, "Dist Heave", "Heave", "level", 50, 99},
    {"Distortion", 1293, 2480, "Dist Gunk", "Gunk", "drive", 50, 99},
    {"Distortion", 1295, 2481, "Dist Fuzz", "Fuzz", "drive", 50, 99},
    {"Distortion", 1295, 2482, "Dist Tone", "Tone", "tone", 50, 99},
    {"Distortion", 1295, 2483, "Dist Loose/Tight", "Loose/Tight", "tightness", 50, 99},
    {"Distortion", 1295, 2484, "Dist Volume", "Volume", "level", 50, 99},
    {"Distortion", 1296, 2485, "Dist Fuzz", "Fuzz", "drive", 50, 99},
    {"Distortion", 1296, 2486, "Dist Tone", "Tone", "tone", 50, 99},
    {"Distortion", 1296, 2487, "Dist Volume", "Volume", "level", 50, 99},
    {"Distortion", 1288, 2458, "Dist Fuzz", "Fuzz", "drive", 50, 99},
    {"Distortion", 1288, 2459, "Dist Volume", "Volume", "level", 50, 99},
    {"Distortion", 1284, 2445, "Dist Sustain", "Sustain", "drive", 50, 99},
    {"Distortion", 1284, 2446, "Dist Tone", "Tone", "tone", 50, 99},
    {"Distortion", 1284, 2447, "Dist Volume", "Volume", "level", 50, 99},
    {"Distortion", 1290, 2466, "Dist Drive", "Drive", "drive", 50, 99},
    {"Distortion", 1290, 2467, "Dist Volume", "Volume", "level", 50, 99},
    {"Distortion", 1297, 2488, "Dist Gain", "Gain", "drive", 50, 99},
    {"Distortion", 1297, 2489, "Dist Low", "Low", "bass", 50, 99},
    {"Distortion", 1297, 2490, "Dist High", "High", "treble", 50, 99},
    {"Distortion", 1297, 2491, "Dist Level", "Level", "level", 50, 99},
    // Mod/FX, Position 14
    {"Mod/FX", 891, 836, "Chorus Level", "Level", "level", 50, 99},
    {"Mod/FX", 891, 837, "Chorus Speed", "Speed", "speed", 50, 99},
    {"Mod/FX", 891, 838, "Chorus Depth", "Depth", "depth", 50, 99},
    {"Mod/FX", 889, 836, "Chorus Level", "Level", "level", 50, 99},
    {"Mod/FX", 889, 837, "Chorus Speed", "Speed", "speed", 50, 99},
    {"Mod/FX", 889, 838, "Chorus Depth", "Depth", "depth", 50, 99},
    {"Mod/FX", 889, 840, "Chorus Waveform", "Waveform", "waveform", 0, 2},
    {"Mod/FX", 890, 836, "Chorus Level", "Level", "level", 50, 99},
    {"Mod/FX", 890, 837, "Chorus Speed", "Speed", "speed", 50, 99},
    {"Mod/FX", 890, 838, "Chorus Depth", "Depth", "depth", 50, 99},
    {"Mod/FX", 890, 840, "Chorus Waveform", "Waveform", "waveform", 0, 2},
    {"Mod/FX", 893, 901, "Flanger Level", "Level", "level", 50, 99},
    {"Mod/FX", 893, 902, "Flanger Speed", "Speed", "speed", 50, 99},
    {"Mod/FX", 893, 903, "Flanger Depth", "Depth", "depth", 50, 99},
    {"Mod/FX", 893, 904, "Flanger Regen", "Regen", "repeats", 50, 99},
    {"Mod/FX", 893, 905, "Flanger Waveform", "Waveform", "waveform", 0, 2},
    {"Mod/FX", 895, 902, "Flanger Speed", "Speed", "speed", 50, 99},
    {"Mod/FX", 895, 904, "Flanger Regen", "Regen", "repeats", 50, 99},
    {"Mod/FX", 895, 914, "Flanger Width", "Width", "depth", 50, 99},
    {"Mod/FX", 895, 917, "Flanger Manual", "Manual", "manual", 50, 99},
    {"Mod/FX", 897, 962, "Phaser Speed", "Speed", "speed", 50, 99},
    {"Mod/FX", 897, 963, "Phaser Depth", "Depth", "depth", 50, 99},
    {"Mod/FX", 897, 965, "Phaser Level", "Level", "level", 50, 99},
    {"Mod/FX", 897, 966, "Phaser Regen", "Regen", "repeats", 50, 99},
    {"Mod/FX", 897, 967, "Phaser Waveform", "Waveform", "waveform", 0, 2},
    {"Mod/FX", 864, 1284, "Vibrato Speed", "Speed", "speed", 50, 99},
    {"Mod/FX", 864, 1285, "Vibrato Depth", "Depth", "depth", 50, 99},
    {"Mod/FX", 865, 1346, "Rotary Speed", "Speed", "speed", 50, 99},
    {"Mod/FX", 865, 1348, "Rotary Intensity", "Intensity", "depth", 50, 99},
    {"Mod/FX", 865, 1350, "Rotary Doppler", "Doppler", "doppler", 50, 99},
    {"Mod/FX", 865, 1351, "Rotary Crossover", "Crossover", "crossover", 50, 99},
    {"Mod/FX", 911, 1314, "Vibro Pan Speed", "Speed", "speed", 50, 99},
    {"Mod/FX", 911, 1315, "Vibro Pan Depth", "Depth", "depth", 50, 99},
    {"Mod/FX", 911, 1316, "Vibro Pan VibroPan", "VibroPan", "pan", 50, 99},
    {"Mod/FX", 911, 1317, "Vibro Pan Waveform", "Waveform", "waveform", 0, 2},
    {"Mod/FX", 862, 1155, "Tremolo Depth", "Depth", "depth", 50, 99},
    {"Mod/FX", 862, 1156, "Tremolo Speed", "Speed", "speed", 50, 99},
    {"Mod/FX", 862, 1157, "Tremolo Waveform", "Waveform", "waveform", 0, 2},
    {"Mod/FX", 863, 1219, "Panner Depth", "Depth", "depth", 50, 99},
    {"Mod/FX", 863, 1220, "Panner Speed", "Speed", "speed", 50, 99},
    {"Mod/FX", 863, 1221, "Panner Waveform", "Waveform", "waveform", 0, 2},
    {"Mod/FX", 906, 1605, "Envelope Range", "Range", "range", 50, 99},
    {"Mod/FX", 906, 1606, "Envelope Sensitivity", "Sensitivity", "sensitivity", 50, 99},
    {"Mod/FX", 907, 1478, "AutoYa Speed", "Speed", "speed", 50, 99},
    {"Mod/FX", 907, 1482, "AutoYa Intensity", "Intensity", "depth", 50, 99},
    {"Mod/FX", 907, 1483, "AutoYa Range", "Range", "range", 50, 99},
    {"Mod/FX", 908, 1410, "YaYa Pedal", "Pedal", "pedal", 50, 99},
    {"Mod/FX", 908, 1417, "YaYa Intensity", "Intensity", "depth", 50, 99},
    {"Mod/FX", 908, 1418, "YaYa Range", "Range", "range", 50, 99},
    {"Mod/FX", 909, 3010, "Step Filter Speed", "Speed", "speed", 50, 99},
    {"Mod/FX", 909, 3011, "Step Filter Intensity", "Intensity", "depth", 50, 99},
    {"Mod/FX", 1344, 1795, "Whammy Pedal", "Pedal", "pedal", 0, 99},
    {"Mod/FX", 1344, 1796, "Whammy Mix", "Mix", "mix", 50, 99},
    {"Mod/FX", 1344, 1797, "Whammy Amount", "Amount", "interval", 0, 99},
    {"Mod/FX", 1347, 1730, "Pitch Shift Amount", "Amount", "interval", 24, 48},
    {"Mod/FX", 1347, 1745, "Pitch Shift Mix", "Mix", "mix", 50, 99},
    {"Mod/FX", 1346, 1667, "Detune Level", "Level", "level", 50, 99},
    {"Mod/FX", 1346, 1668, "Detune Amount", "Amount", "detune", 24, 48},
    {"Mod/FX", 1345, 2754, "Harmony Amount", "Amount", "interval", 0, 99},
    {"Mod/FX", 1345, 2755, "Harmony Scale", "Scale", "scale", 0, 99},
    {"Mod/FX", 1345, 2756, "Harmony Key", "Key", "key", 0, 11},
    {"Mod/FX", 1345, 2757, "Harmony Level", "Level", "level", 50, 99},
    {"Mod/FX", 901, 1746, "Octaver Octave 1", "Octave 1", "octave down", 50, 99},
    {"Mod/FX", 901, 1747, "Octaver Octave 2", "Octave 2", "second octave down", 0, 99},
    {"Mod/FX", 901, 1748, "Octaver Dry Level", "Dry Level", "dry level", 50, 99},
    {"Mod/FX", 912, 2882, "Unovibe Chorus/Vibrato", "Chorus/Vibrato", "vibe mode", 0, 1},
    {"Mod/FX", 912, 2883, "Unovibe Intensity", "Intensity", "depth", 50, 99},
    {"Mod/FX", 912, 2884, "Unovibe Speed", "Speed", "speed", 50, 99},
    {"Mod/FX", 912, 2885, "Unovibe Volume", "Volume", "level", 50, 99},
    // Delay, Position 15
    {"Delay", 1046, 1860, "Delay Level", "Level", "level", 50, 99},
    {"Delay", 1046, 1863, "Delay Repeats", "Repeats", "repeats", 50, 99},
    {"Delay", 1046, 1888, "Delay Time", "Time", "time", 49, 109},
    {"Delay", 1046, 1889, "Delay Duck Thresh", "Duck Thresh", "ducker threshold", 50, 99},
    {"Delay", 1046, 1890, "Delay Duck Level", "Duck Level", "ducker level", 0, 99},
    {"Delay", 1045, 1860, "Delay Level", "Level", "level", 50, 99},
    {"Delay", 1045, 1863, "Delay Repeats", "Repeats", "repeats", 50, 99},
    {"Delay", 1045, 1888, "Delay Time", "Time", "time", 49, 109},
    {"Delay", 1045, 1889, "Delay Duck Thresh", "Duck Thresh", "ducker threshold", 50, 99},
    {"Delay", 1045, 1890, "Delay Duck Level", "Duck Level", "ducker level", 0, 99},
    {"Delay", 1047, 1860, "Delay Level", "Level", "level", 50, 99},
    {"Delay", 1047, 1863, "Delay Repeats", "Repeats", "repeats", 50, 99},
    {"Delay", 1047, 1873, "Delay Mod Depth", "Mod Depth", "depth", 50, 99},
    {"Delay", 1047, 1888, "Delay Time", "Time", "time", 49, 109},
    {"Delay", 1047, 1889, "Delay Duck Thresh", "Duck Thresh", "ducker threshold", 50, 99},
    {"Delay", 1047, 1890, "Delay Duck Level", "Duck Level", "ducker level", 0, 99},
    {"Delay", 1048, 1860, "Delay Level", "Level", "level", 50, 99},
    {"Delay", 1048, 1863, "Delay Repeats", "Repeats", "repeats", 50, 99},
    {"Delay", 1048, 1888, "Delay Time", "Time", "time", 49, 109},
    {"Delay", 1048, 1889, "Delay Duck Thresh", "Duck Thresh", "ducker threshold", 50, 99},
    {"Delay", 1048, 1890, "Delay Duck Level", "Duck Level", "ducker level", 0, 99},
    {"Delay", 1049, 1860, "Delay Level", "Level", "level", 50, 99},
    {"Delay", 1049, 1863, "Delay Repeats", "Repeats", "repeats", 50, 99},
    {"Delay", 1049, 1888, "Delay Time", "Time", "time", 49, 109},
    {"Delay", 1049, 1889, "Delay Duck Thresh", "Duck Thresh", "ducker threshold", 50, 99},
    {"Delay", 1049, 1890, "Delay Duck Level", "Duck Level", "ducker level", 0, 99},
    {"Delay", 1049, 1891, "Delay Tape Wow", "Wow", "wow", 0, 99},
    {"Delay", 1049, 1892, "Delay Tape Flutter", "Flutter", "flutter", 0, 99},
    {"Delay", 1050, 1874, "Delay Repeats", "Repeats", "repeats", 50, 99},
    {"Delay", 1050, 1893, "Delay Volume", "Volume", "level", 50, 99},
    {"Delay", 1050, 1897, "Delay Time", "Time", "time", 50, 99},
    {"Delay", 1051, 1894, "Delay Repeat Rate", "Repeat Rate", "time", 50, 99},
    {"Delay", 1051, 1895, "Delay Echo", "Echo", "level", 50, 99},
    {"Delay", 1051, 1896, "Delay Intensity", "Intensity", "repeats", 50, 99},
    // Reverb, Position 16: the spring has its level alone
    {"Reverb", 1146, 1925, "Reverb Level", "Level", "level", 50, 99},
    {"Reverb", 1147, 1922, "Reverb Predelay", "Predelay", "predelay", 50, 99},
    {"Reverb", 1147, 1925, "Reverb Level", "Level", "level", 50, 99},
    {"Reverb", 1147, 1927, "Reverb Decay", "Decay", "decay", 50, 99},
    {"Reverb", 1147, 1933, "Reverb Liveliness", "Liveliness", "liveliness", 50, 99},
    {"Reverb", 1148, 1922, "Reverb Predelay", "Predelay", "predelay", 50, 99},
    {"Reverb", 1148, 1925, "Reverb Level", "Level", "level", 50, 99},
    {"Reverb", 1148, 1927, "Reverb Decay", "Decay", "decay", 50, 99},
    {"Reverb", 1148, 1933, "Reverb Liveliness", "Liveliness", "liveliness", 50, 99},
    {"Reverb", 1149, 1922, "Reverb Predelay", "Predelay", "predelay", 50, 99},
    {"Reverb", 1149, 1925, "Reverb Level", "Level", "level", 50, 99},
    {"Reverb", 1149, 1927, "Reverb Decay", "Decay", "decay", 50, 99},
    {"Reverb", 1149, 1933, "Reverb Liveliness", "Liveliness", "liveliness", 50, 99},
    {"Reverb", 1150, 1922, "Reverb Predelay", "Predelay", "predelay", 50, 99},
    {"Reverb", 1150, 1925, "Reverb Level", "Level", "level", 50, 99},
    {"Reverb", 1150, 1927, "Reverb Decay", "Decay", "decay", 50, 99},
    {"Reverb", 1150, 1933, "Reverb Liveliness", "Liveliness", "liveliness", 50, 99},
    {"Reverb", 1151, 1922, "Reverb Predelay", "Predelay", "predelay", 50, 99},
    {"Reverb", 1151, 1925, "Reverb Level", "Level", "level", 50, 99},
    {"Reverb", 1151, 1927, "Reverb Decay", "Decay", "decay", 50, 99},
    {"Reverb", 1151, 1933, "Reverb Liveliness", "Liveliness", "liveliness", 50, 99},
};

// The knobs' values a substitute takes from the model it replaces whatever they held.
constexpr SettingPreset kPresets[] = {
    {"Mod/FX", 901, 1730, 12, "an octave down, as the Octaver plays"},
};

// The Position of each block whose models have knobs of their own, and the rows of the
// block itself there: its type, its on/off and (Mod/FX) where it stands in the chain.
struct BlockRows {
    std::string_view block;
    int position;
    std::int32_t rows[4];
};

constexpr BlockRows kBlockRows[] = {
    {"Compressor", 4, {207, 193, -1, -1}}, {"Distortion", 6, {2432, 2433, -1, -1}},
    {"Mod/FX", 14, {768, 769, 770, 1798}}, {"Delay", 15, {1856, 1857, -1, -1}},
    {"Reverb", 16, {1920, 1921, -1, -1}},
};

// The words of a knob's name that tell its role, tried in order: a phrase of the block
// first, then the words every block shares; a phrase ending later in the name goes before
// them all. A word is matched whole, letter case ignored.
struct RoleWord {
    std::string_view block;  // "" for every block
    std::string_view words;
    std::string_view role;
};

constexpr RoleWord kRoleWords[] = {
    {"Delay", "repeat rate", "time"},
    {"Delay", "echo", "level"},
    {"Delay", "intensity", "repeats"},
    {"Delay", "duck thresh", "ducker threshold"},
    {"Delay", "ducker threshold", "ducker threshold"},
    {"Delay", "duck level", "ducker level"},
    {"Delay", "ducker level", "ducker level"},
    {"Compressor", "sensitivity", "sustain"},
    {"Compressor", "sustain", "sustain"},
    {"", "mid freq", "mid frequency"},
    {"", "dry level", "dry level"},
    {"", "gain", "drive"},
    {"", "drive", "drive"},
    {"", "overdrive", "drive"},
    {"", "distortion", "drive"},
    {"", "fuzz", "drive"},
    {"", "sustain", "drive"},
    {"", "gunk", "drive"},
    {"", "tone", "tone"},
    {"", "filter", "tone"},
    {"", "face", "tone"},
    {"", "level", "level"},
    {"", "volume", "level"},
    {"", "output", "level"},
    {"", "loud", "level"},
    {"", "time", "time"},
    {"", "repeats", "repeats"},
    {"", "feedback", "repeats"},
    {"", "regeneration", "repeats"},
    {"", "regen", "repeats"},
    {"", "speed", "speed"},
    {"", "rate", "speed"},
    {"", "depth", "depth"},
    {"", "intensity", "depth"},
    {"", "width", "depth"},
    {"", "mix", "mix"},
    {"", "attack", "attack"},
    {"", "low", "bass"},
    {"", "bass", "bass"},
    {"", "mid", "middle"},
    {"", "middle", "middle"},
    {"", "high", "treble"},
    {"", "treble", "treble"},
    {"", "waveform", "waveform"},
    {"", "range", "range"},
    {"", "sensitivity", "sensitivity"},
    {"", "predelay", "predelay"},
    {"", "decay", "decay"},
    {"", "liveliness", "liveliness"},
};

// The waveforms of the modulation knobs, by value.
constexpr std::string_view kWaveforms[] = {"Tri", "Sine", "Square"};

// The name's words in lower case: "Delay Repeat Rate" is "delay", "repeat", "rate".
std::vector<std::string> wordsOf(std::string_view name) {
    std::vector<std::string> words;
    std::string word;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte))
            word += static_cast<char>(std::tolower(byte));
        else if (!word.empty())
            words.push_back(std::exchange(word, {}));
    }
    if (!word.empty()) words.push_back(std::move(word));
    return words;
}

// The words of each entry of kRoleWords, split once.
const std::vector<std::vector<std::string>>& roleWordsSplit() {
    static const std::vector<std::vector<std::string>> split = [] {
        std::vector<std::vector<std::string>> out;
        for (const RoleWord& w : kRoleWords)
            out.push_back(wordsOf(w.words));
        return out;
    }();
    return split;
}

// Where the last whole occurrence of `wanted` in `words` ends (the number of words up to
// and with its last), or 0 when it does not occur.
std::size_t phraseEnd(const std::vector<std::string>& words,
                      const std::vector<std::string>& wanted) {
    if (wanted.empty() || wanted.size() > words.size()) return 0;
    for (std::size_t at = words.size() - wanted.size() + 1; at-- > 0;)
        if (std::equal(wanted.begin(), wanted.end(), words.begin() + static_cast<long>(at)))
            return at + wanted.size();
    return 0;
}

}  // namespace

std::span<const Setting> allSettings() {
    return kSettings;
}

std::span<const Setting> settingsOf(std::string_view block, std::int32_t model) {
    const Setting* first =
        std::find_if(std::begin(kSettings), std::end(kSettings),
                     [&](const Setting& s) { return s.block == block && s.model == model; });
    const Setting* last = std::find_if(first, std::end(kSettings), [&](const Setting& s) {
        return s.block != block || s.model != model;
    });
    return {first, last};
}

std::optional<int> settingsPosition(std::string_view block) {
    for (const BlockRows& b : kBlockRows)
        if (b.block == block) return b.position;
    return std::nullopt;
}

bool isBlockRow(std::string_view block, std::int32_t id) {
    const BlockRows* b = std::find_if(std::begin(kBlockRows), std::end(kBlockRows),
                                      [&](const BlockRows& r) { return r.block == block; });
    return b != std::end(kBlockRows) &&
           std::find(std::begin(b->rows), std::end(b->rows), id) != std::end(b->rows);
}

std::string_view roleOf(std::string_view block, std::int32_t model, std::int32_t id,
                        std::string_view rowName) {
    for (const Setting& s : settingsOf(block, model))
        if (s.id == id) return s.role;
    // A name says its model first and its knob last ("Step Filter Speed"): the phrase
    // that ends last wins; of phrases ending on the same word, the one tried first.
    const std::vector<std::string> words = wordsOf(rowName);
    const std::vector<std::vector<std::string>>& split = roleWordsSplit();
    std::string_view role;
    std::size_t latest = 0;
    for (std::size_t i = 0; i < std::size(kRoleWords); ++i) {
        const RoleWord& w = kRoleWords[i];
        if (!w.block.empty() && w.block != block) continue;
        const std::size_t end = phraseEnd(words, split[i]);
        if (end > latest) latest = end, role = w.role;
    }
    return role;
}

const SettingPreset* presetFor(std::string_view block, std::int32_t replaced, std::int32_t id) {
    for (const SettingPreset& p : kPresets)
        if (p.block == block && p.replaced == replaced && p.id == id) return &p;
    return nullptr;
}

std::string settingText(const Setting& setting, int value) {
    if (setting.role == "waveform" && value >= 0 && value < static_cast<int>(std::size(kWaveforms)))
        return std::string(kWaveforms[value]);
    if (setting.role == "interval" && setting.max == 48) return std::to_string(value - 24);
    if (setting.role == "detune") return std::to_string(value - 24);
    if (setting.role == "time" && setting.max == 109) {
        // Ten milliseconds a step to one second, then a tenth of a second a step.
        if (value <= 99) return std::to_string((value + 1) * 10) + "ms";
        char text[16];
        std::snprintf(text, sizeof text, "%.2fsec", 1.0 + (value - 99) * 0.1);
        return text;
    }
    return std::to_string(value);
}

}  // namespace pw::catalogue
