// SPDX-License-Identifier: GPL-3.0-or-later
#include "models/tables25x.h"

namespace pw::models::tables25x {
namespace {

constexpr Item kPickupValues[] = {one(65), one(66), one(0), one(1)};
constexpr Item kPickupIds[] = {one(2), one(64), one(65), one(65), one(66)};
constexpr Item kWahValues[] = {one(132), one(133), one(134), one(1), one(0)};
constexpr Item kWahIds[] = {one(3), one(128), one(129), one(132), one(133)};
constexpr Item kCompressorValues[] = {one(195), one(196), one(1), one(0)};
constexpr Item kCompressorIds[] = {range(208, 211), one(193)};
constexpr Item kDistortionValues[] = {one(1280), one(1292), one(1285), one(1283), one(1281),
                                      one(1291), one(1282), one(1287), one(1289), one(1294),
                                      one(1293), one(1288), one(1284), one(1),    one(0)};
constexpr Item kDistortionIds[] = {
    range(2433, 2436), one(2473), one(2474), one(2475), one(2448),         one(2449),
    one(2443),         one(2444), one(2437), one(2438), one(2439),         one(2468),
    one(2469),         one(2440), one(2441), one(2442), range(2454, 2457), range(2460, 2465),
    range(2476, 2479), one(2470), one(2471), one(2472), one(2480),         one(2458),
    one(2459),         one(2445), one(2446), one(2447)};
// Amp models: the RP255 knows three more than the RP250 (313, 315, 325).
constexpr Item kAmpValuesRp250[] = {one(307), one(308), one(309), one(311), one(312), one(314),
                                    one(316), one(317), one(318), one(322), one(323), one(324),
                                    one(320), one(321), one(326), one(331), one(332), one(333),
                                    one(335), one(337), one(341), one(306), one(1),   one(0)};
constexpr Item kAmpValuesRp255[] = {
    one(307), one(308), one(309), one(311), one(312), one(314), one(316), one(317), one(318),
    one(322), one(323), one(324), one(320), one(321), one(326), one(331), one(332), one(333),
    one(335), one(337), one(341), one(306), one(313), one(315), one(325), one(1),   one(0)};
constexpr Item kAmpIds[] = {one(265), one(2497), one(2498)};
constexpr Item kCabinetValues[] = {one(571), one(572), one(576),        one(613),
                                   one(579), one(614), one(616),        one(622),
                                   one(609), one(611), range(618, 621), one(570)};
constexpr Item kGateValues[] = {one(768), one(769), one(1), one(0)};
constexpr Item kGateIds[] = {one(705), one(710), one(712), one(713),
                             one(714), one(711), one(768), one(769)};
constexpr Item kModulationValues[] = {one(891),  one(889),        one(890),  one(893),  one(895),
                                      one(897),  one(864),        one(865),  one(911),  one(862),
                                      one(863),  range(906, 909), one(1344), one(1347), one(1346),
                                      one(1345), one(770),        one(1798), one(1),    one(0)};
// The modulation ids also take the small numbers 0-15, which then pass as ids.
constexpr Item kModulationIds[] = {
    one(769),     one(837),          one(838),   one(836),  one(840),  range(901, 905),
    one(914),     one(917),          one(962),   one(963),  one(965),  one(966),
    one(967),     one(1284),         one(1285),  one(1346), one(1348), one(1350),
    one(1351),    range(1314, 1317), one(1155),  one(1156), one(1157), one(1219),
    one(1220),    one(1221),         one(1605),  one(1606), one(1478), one(1482),
    one(1483),    one(1410),         one(1417),  one(1418), one(3010), one(3011),
    one(1795),    one(1796),         one(1797),  one(1730), one(1745), one(1667),
    one(1668),    range(2754, 2757), one(0),     one(1),    one(2),    range(0, 15),
    range(0, 13), range(0, 11),      range(0, 5)};
constexpr Item kDelayValues[] = {one(1046), one(1045), one(1047), one(1048),
                                 one(1049), one(1),    one(0)};
constexpr Item kDelayIds[] = {one(1857), one(1860), one(1863), one(1888), one(1889),
                              one(1890), one(1873), one(1891), one(1892), one(1046),
                              one(1045), one(1047), one(1048), one(1049)};
constexpr Item kReverbValues[] = {one(1146), one(1150), one(1149), one(1148),
                                  one(1147), one(1151), one(1),    one(0)};
constexpr Item kReverbIds[] = {one(1921), one(1922), one(1925), one(1927), one(1933), one(1146),
                               one(1150), one(1149), one(1148), one(1147), one(1151)};
constexpr Item kVolumeIds[] = {one(2626)};
// Pedal assignment targets after the amp block.
constexpr Item kPedalValuesAfterAmp[] = {
    at(24, 3212), at(24, 3203), at(24, 3204), at(24, 3205), at(12, 705),  at(12, 710),
    at(12, 712),  at(12, 713),  at(12, 714),  at(12, 711),  at(14, 769),  at(14, 837),
    at(14, 838),  at(14, 836),  at(14, 840),  at(14, 902),  at(14, 903),  at(14, 904),
    at(14, 905),  at(14, 901),  at(14, 914),  at(14, 917),  at(14, 962),  at(14, 963),
    at(14, 966),  at(14, 967),  at(14, 965),  at(14, 1284), at(14, 1285), at(14, 1346),
    at(14, 1348), at(14, 1350), at(14, 1351), at(14, 1314), at(14, 1315), at(14, 1316),
    at(14, 1317), at(14, 1156), at(14, 1155), at(14, 1157), at(14, 1220), at(14, 1219),
    at(14, 1221), at(14, 1606), at(14, 1605), at(14, 1478), at(14, 1482), at(14, 1483),
    at(14, 1410), at(14, 1417), at(14, 1418), at(14, 3010), at(14, 3011), at(14, 1797),
    at(14, 1795), at(14, 1796), at(14, 1730), at(14, 1745), at(14, 1668), at(14, 1667),
    at(14, 2754), at(14, 2756), at(14, 2755), at(14, 2757), at(15, 1857), at(15, 1888),
    at(15, 1863), at(15, 1860), at(15, 1889), at(15, 1890), at(15, 1873), at(15, 1891),
    at(15, 1892), at(16, 1921), at(16, 1927), at(16, 1933), at(16, 1925), at(16, 1922),
    at(13, 2626), at(17, 2626)};
constexpr auto kPedalValues = join(kPedalValuesThroughAmp, kPedalValuesAfterAmp);
constexpr Item kPedalIds[] = {one(8195), one(8196)};
// Ids of positions 20 and 21 (two of them written as assignment values).
constexpr Item kPosition20Ids[] = {one(20),    at(3, 132), one(21),   one(8384),
                                   one(8385),  one(8386),  one(8393), one(8449),
                                   at(3, 129), one(8195),  one(8196), one(8194)};
constexpr Item kEqValues[] = {range(1472, 1475), one(1), one(0)};
constexpr Item kEqIds[] = {one(3212), range(3203, 3206), one(3211)};
constexpr Item kToneLibraryValues[] = {range(1792, 1822)};
constexpr Item kToneLibraryIds[] = {one(8706), one(8708), one(8710), one(8712)};
constexpr Item kFxLibraryValues[] = {range(1856, 1886)};

}  // namespace

const List pickupValues = kPickupValues;
const List pickupIds = kPickupIds;
const List wahValues = kWahValues;
const List wahIds = kWahIds;
const List compressorValues = kCompressorValues;
const List compressorIds = kCompressorIds;
const List distortionValues = kDistortionValues;
const List distortionIds = kDistortionIds;
const List ampValuesRp250 = kAmpValuesRp250;
const List ampValuesRp255 = kAmpValuesRp255;
const List ampIds = kAmpIds;
const List cabinetValues = kCabinetValues;
const List gateValues = kGateValues;
const List gateIds = kGateIds;
const List modulationValues = kModulationValues;
const List modulationIds = kModulationIds;
const List delayValues = kDelayValues;
const List delayIds = kDelayIds;
const List reverbValues = kReverbValues;
const List reverbIds = kReverbIds;
const List volumeIds = kVolumeIds;
const List pedalValues = kPedalValues;
const List pedalIds = kPedalIds;
const List position20Ids = kPosition20Ids;
const List eqValues = kEqValues;
const List eqIds = kEqIds;
const List toneLibraryValues = kToneLibraryValues;
const List toneLibraryIds = kToneLibraryIds;
const List fxLibraryValues = kFxLibraryValues;

// Both 25x models know the same distortions; the RP255 knows three amp models more
// than the RP250.
FamilyTables family() {
    return {
        .pickup = {pickupValues, pickupIds},
        .wah = {wahValues, wahIds},
        .compressor = {compressorValues, compressorIds},
        .distortion = {{distortionValues, distortionIds},
                       "RP255Preset",
                       {distortionValues, distortionIds}},
        .amp = {{ampValuesRp250, ampIds}, "RP255Preset", {ampValuesRp255, ampIds}},
        .cabinet = cabinetValues,
        .gate = {gateValues, gateIds},
        .modulation = {modulationValues, modulationIds},
        .delay = {delayValues, delayIds},
        .reverb = {reverbValues, reverbIds},
        .hasVolume = true,
        .volume = volumeIds,
        .pedal = {pedalValues, pedalIds},
        .position20 = position20Ids,
        .hasLfo = false,
        .lfo = {},
        .eq = {eqValues, eqIds},
        .toneLibrary = {toneLibraryValues, toneLibraryIds},
        .fxLibrary = fxLibraryValues,
    };
}

}  // namespace pw::models::tables25x
