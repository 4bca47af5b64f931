// SPDX-License-Identifier: GPL-3.0-or-later
#include "models/mod355.h"

#include "models/family_lists.h"
#include "models/tables25x.h"

namespace pw::models {
namespace lists355 {
namespace {

// Compressor: adds model 197 and ids 207, 212, 213.
constexpr Item kCompressorValues[] = {one(195), one(196), one(197), one(1), one(0)};
constexpr Item kCompressorIds[] = {one(193), range(207, 213)};
// Distortion: the RP355 knows one model (1297) and four ids (2488-2491) more.
constexpr Item kDistortionValuesRp350[] = {one(1),    one(0),    one(1280), one(1292), one(1285),
                                           one(1286), one(1283), one(1281), one(1291), one(1282),
                                           one(1287), one(1289), one(1294), one(1293), one(1295),
                                           one(1296), one(1288), one(1284), one(1290)};
constexpr Item kDistortionValuesRp355Extra[] = {one(1297)};
constexpr auto kDistortionValuesRp355 = join(kDistortionValuesRp350, kDistortionValuesRp355Extra);
constexpr Item kDistortionIdsRp350[] = {one(6),
                                        range(2432, 2436),
                                        one(2473),
                                        one(2474),
                                        one(2475),
                                        range(2450, 2453),
                                        one(2448),
                                        one(2449),
                                        one(2443),
                                        one(2444),
                                        one(2437),
                                        one(2438),
                                        one(2439),
                                        one(2468),
                                        one(2469),
                                        one(2440),
                                        one(2441),
                                        one(2442),
                                        range(2454, 2457),
                                        range(2460, 2465),
                                        range(2476, 2479),
                                        one(2470),
                                        one(2471),
                                        one(2472),
                                        range(2480, 2487),
                                        one(2458),
                                        one(2459),
                                        one(2445),
                                        one(2446),
                                        one(2447),
                                        one(2466),
                                        one(2467)};
constexpr Item kDistortionIdsRp355Extra[] = {range(2488, 2491)};
constexpr auto kDistortionIdsRp355 = join(kDistortionIdsRp350, kDistortionIdsRp355Extra);
// Amp models; the RP355 adds 377, 368, 378, 383, 334, 369 before the on/off values.
constexpr Item kAmpValuesRp350[] = {
    one(307), one(308), one(309), range(311, 318), range(322, 325), one(320), one(321),
    one(326), one(328), one(329), one(331),        one(332),        one(333), one(335),
    one(337), one(379), one(340), one(341),        one(306),        one(1),   one(0)};
constexpr Item kAmpValuesRp355[] = {
    one(307), one(308), one(309), range(311, 318), range(322, 325), one(320), one(321),
    one(326), one(328), one(329), one(331),        one(332),        one(333), one(335),
    one(337), one(379), one(340), one(341),        one(306),        one(377), one(368),
    one(378), one(383), one(334), one(369),        one(1),          one(0)};
constexpr Item kCabinetValues[] = {
    one(571), one(572), one(573), one(576), one(577), one(583), one(584),        one(613),
    one(579), one(614), one(616), one(622), one(609), one(611), range(618, 621), one(570)};
// Some numbers stand twice in the modulation lists (1346 and 1345 in the values, 0, 1
// and 1545 among the ids); they are kept as written.
constexpr Item kModulationValues[] = {
    one(770), one(1798),       one(1),    one(0),    one(891),  one(889),  one(890),
    one(893), one(895),        one(897),  one(864),  one(865),  one(911),  one(862),
    one(863), range(906, 909), one(1344), one(1347), one(1346), one(1345), one(892),
    one(899), one(904),        one(910),  one(1346), one(1345), one(901),  one(894),
    one(912), one(896),        one(900),  one(898),  one(913),  one(905)};
constexpr Item kModulationIds[] = {one(14),
                                   one(768),
                                   one(769),
                                   one(770),
                                   one(1798),
                                   one(837),
                                   one(838),
                                   one(836),
                                   one(840),
                                   one(848),
                                   one(849),
                                   range(901, 905),
                                   one(914),
                                   one(917),
                                   one(962),
                                   one(963),
                                   one(965),
                                   one(966),
                                   one(967),
                                   one(976),
                                   one(1284),
                                   one(1285),
                                   one(1346),
                                   one(1348),
                                   one(1350),
                                   one(1351),
                                   range(1314, 1317),
                                   one(1155),
                                   one(1156),
                                   one(1157),
                                   one(1219),
                                   one(1220),
                                   one(1221),
                                   one(1605),
                                   one(1606),
                                   one(1608),
                                   one(1478),
                                   one(1482),
                                   one(1483),
                                   one(1410),
                                   one(1417),
                                   one(1418),
                                   one(3010),
                                   one(3011),
                                   one(1795),
                                   one(1796),
                                   one(1797),
                                   one(1730),
                                   one(1745),
                                   one(1667),
                                   one(1668),
                                   range(2754, 2757),
                                   one(1746),
                                   one(1747),
                                   one(1748),
                                   one(0),
                                   one(1),
                                   one(2),
                                   range(0, 15),
                                   range(0, 13),
                                   range(0, 11),
                                   range(0, 5),
                                   one(1030),
                                   one(1031),
                                   one(1032),
                                   one(1028),
                                   one(918),
                                   one(919),
                                   one(916),
                                   one(1092),
                                   one(1094),
                                   one(1095),
                                   one(1096),
                                   one(979),
                                   one(977),
                                   one(1),
                                   one(0),
                                   one(2884),
                                   one(2883),
                                   one(2882),
                                   one(2885),
                                   one(0),
                                   one(1),
                                   one(1540),
                                   one(1542),
                                   one(1544),
                                   one(1545),
                                   one(1545),
                                   one(1545),
                                   one(1547)};
// Delay: models 1050 and 1051 added; the ids drop 1045-1049.
constexpr Item kDelayValues[] = {one(1046), one(1045), range(1047, 1051), one(1), one(0)};
constexpr Item kDelayIds[] = {one(15),   one(1856), one(1857), one(1860), one(1863), one(1888),
                              one(1889), one(1890), one(1873), one(1891), one(1892), one(1874),
                              one(1893), one(1897), one(1894), one(1895), one(1896)};
// Pedal assignment: the 25x targets through the amp block, then the 35x ones (the
// second amp channel at position 10, the EQ at positions 24 and 25, ...).
constexpr Item kPedalValuesAfterAmp[] = {
    at(10, 265),  at(10, 2497), at(10, 2498), at(12, 705),  at(12, 710),  at(12, 712),
    at(12, 713),  at(12, 714),  at(12, 711),  at(14, 769),  at(24, 3212), at(24, 3203),
    at(24, 3204), at(24, 3205), at(24, 3207), at(25, 3212), at(25, 3203), at(25, 3204),
    at(25, 3205), at(25, 3207), at(14, 837),  at(14, 838),  at(14, 836),  at(14, 840),
    at(14, 902),  at(14, 903),  at(14, 904),  at(14, 905),  at(14, 901),  at(14, 914),
    at(14, 917),  at(14, 962),  at(4, 193),   at(4, 212),   at(4, 213),   at(4, 208),
    at(4, 209),   at(4, 210),   at(4, 211),   at(14, 963),  at(14, 966),  at(14, 967),
    at(14, 965),  at(14, 1284), at(14, 1285), at(14, 1346), at(14, 1348), at(14, 1350),
    at(14, 1351), at(14, 1314), at(14, 1315), at(14, 1316), at(14, 1317), at(14, 1156),
    at(14, 1155), at(14, 1157), at(14, 1220), at(14, 1219), at(14, 1221), at(14, 1606),
    at(14, 1605), at(14, 1478), at(14, 1482), at(14, 1483), at(14, 1410), at(14, 1417),
    at(14, 1418), at(14, 3010), at(14, 3011), at(14, 1797), at(14, 1795), at(14, 1796),
    at(14, 1730), at(14, 1745), at(14, 1668), at(15, 1893), at(14, 1667), at(14, 2754),
    at(14, 2756), at(14, 2755), at(14, 2757), at(15, 1857), at(15, 1888), at(15, 1897),
    at(15, 1863), at(15, 1874), at(15, 1860), at(15, 1889), at(15, 1890), at(15, 1873),
    at(15, 1891), at(15, 1892), at(16, 1921), at(16, 1927), at(16, 1933), at(16, 1925),
    at(16, 1922), at(13, 2626), at(17, 2626), at(14, 849)};
constexpr auto kPedalValues = join(tables25x::kPedalValuesThroughAmp, kPedalValuesAfterAmp);
// LFO assignment targets and the LFO blocks' ids.
constexpr Item kLfoValues[] = {one(0),       at(2, 65),    at(4, 193),   at(4, 212),   at(4, 213),
                               at(6, 2433),  at(6, 2445),  at(6, 2446),  at(6, 2447),  at(8, 265),
                               at(8, 2497),  at(8, 2498),  at(10, 265),  at(10, 2497), at(10, 2498),
                               at(12, 705),  at(12, 711),  at(12, 712),  at(12, 713),  at(12, 714),
                               at(13, 2626), at(14, 769),  at(14, 837),  at(14, 838),  at(15, 1857),
                               at(15, 1874), at(15, 1893), at(15, 1897), at(16, 1921), at(16, 1922),
                               at(16, 1925), at(16, 1927), at(16, 1933), at(17, 2626), at(24, 3203),
                               at(24, 3204), at(24, 3205), at(24, 3207), at(24, 3212), at(25, 3203),
                               at(25, 3204), at(25, 3205), at(25, 3207), at(25, 3212)};
constexpr Item kLfoIds[] = {one(8258), one(8259), one(8260), one(8262), one(8263)};
// EQ: adds id 3207.
constexpr Item kEqIds[] = {one(3212), range(3203, 3206), one(3211), one(3207)};

}  // namespace

const List compressorValues = kCompressorValues;
const List compressorIds = kCompressorIds;
const List distortionValuesRp350 = kDistortionValuesRp350;
const List distortionValuesRp355 = kDistortionValuesRp355;
const List distortionIdsRp350 = kDistortionIdsRp350;
const List distortionIdsRp355 = kDistortionIdsRp355;
const List ampValuesRp350 = kAmpValuesRp350;
const List ampValuesRp355 = kAmpValuesRp355;
const List cabinetValues = kCabinetValues;
const List modulationValues = kModulationValues;
const List modulationIds = kModulationIds;
const List delayValues = kDelayValues;
const List delayIds = kDelayIds;
const List pedalValues = kPedalValues;
const List lfoValues = kLfoValues;
const List lfoIds = kLfoIds;
const List eqIds = kEqIds;

}  // namespace lists355

namespace t = tables25x;

// The 35x models know more compressors, distortions (the RP355 more than the RP350),
// amps, cabinets, modulations, delays and pedal targets, an LFO block and a second EQ
// id; they have no volume block at position 18. The rest is what the 25x models know.
const FamilyTables kFamily35x = [] {
    FamilyTables f = t::family();
    f.compressor = {lists355::compressorValues, lists355::compressorIds};
    f.distortion = {{lists355::distortionValuesRp350, lists355::distortionIdsRp350},
                    "RP355Preset",
                    {lists355::distortionValuesRp355, lists355::distortionIdsRp355}};
    f.amp = {{lists355::ampValuesRp350, t::ampIds},
             "RP355Preset",
             {lists355::ampValuesRp355, t::ampIds}};
    f.cabinet = lists355::cabinetValues;
    f.modulation = {lists355::modulationValues, lists355::modulationIds};
    f.delay = {lists355::delayValues, lists355::delayIds};
    f.hasVolume = false;
    f.volume = {};
    f.pedal.values = lists355::pedalValues;
    f.hasLfo = true;
    f.lfo = {lists355::lfoValues, lists355::lfoIds};
    f.eq.ids = lists355::eqIds;
    return f;
}();

}  // namespace pw::models
