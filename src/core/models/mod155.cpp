// SPDX-License-Identifier: GPL-3.0-or-later
#include "models/mod155.h"

#include "models/family_lists.h"
#include "models/tables25x.h"

namespace pw::models {
namespace lists155 {
namespace {

// Distortion: the RP155 adds the 808 (1292) and its ids 2473-2475 to what the RP150 knows.
constexpr Item kDistortionValuesRp150[] = {one(1280), one(1283), one(1281), one(1282),
                                           one(1287), one(1289), one(1293), one(1288),
                                           one(1284), one(1),    one(0)};
constexpr Item kDistortionValuesRp155[] = {one(1280), one(1292), one(1283), one(1281),
                                           one(1282), one(1287), one(1289), one(1293),
                                           one(1288), one(1284), one(1),    one(0)};
constexpr Item kDistortionIdsRp150[] = {
    range(2433, 2436), one(2443), one(2444), range(2437, 2442), range(2454, 2457),
    range(2460, 2465), one(2470), one(2471), one(2472),         one(2480),
    one(2458),         one(2459), one(2445), one(2446),         one(2447)};
constexpr Item kDistortionIdsRp155[] = {
    range(2433, 2436), one(2473),         one(2474),         one(2475), one(2443), one(2444),
    range(2437, 2442), range(2454, 2457), range(2460, 2465), one(2470), one(2471), one(2472),
    one(2480),         one(2458),         one(2459),         one(2445), one(2446), one(2447)};
// Amp models of the RP150. The RP155 knows exactly the RP250's amp models and uses
// that shared list.
constexpr Item kAmpValuesRp150[] = {one(307), one(308), one(309), one(311), one(314),
                                    one(316), one(317), one(323), one(324), one(320),
                                    one(321), one(326), one(331), one(332), one(333),
                                    one(335), one(341), one(306), one(1),   one(0)};
// No 571 and no 616.
constexpr Item kCabinetValues[] = {one(572), one(576), one(613), one(579),        one(614),
                                   one(622), one(609), one(611), range(618, 621), one(570)};
// Modulation: no 908 (YaYa) and none of its ids 1410, 1417, 1418.
constexpr Item kModulationValues[] = {
    one(891),  one(889),  one(890), one(893),  one(895), one(897), one(864),  one(865),
    one(911),  one(862),  one(863), one(906),  one(907), one(909), one(1344), one(1347),
    one(1346), one(1345), one(770), one(1798), one(1),   one(0)};
constexpr Item kModulationIds[] = {
    one(769),  one(837),  one(838),     one(836),     one(840),     range(901, 905),   one(914),
    one(917),  one(962),  one(963),     one(965),     one(966),     one(967),          one(1284),
    one(1285), one(1346), one(1348),    one(1350),    one(1351),    range(1314, 1317), one(1155),
    one(1156), one(1157), one(1219),    one(1220),    one(1221),    one(1605),         one(1606),
    one(1478), one(1482), one(1483),    one(3010),    one(3011),    one(1795),         one(1796),
    one(1797), one(1730), one(1745),    one(1667),    one(1668),    range(2754, 2757), one(0),
    one(1),    one(2),    range(0, 15), range(0, 13), range(0, 11), range(0, 5)};

}  // namespace

const List distortionValuesRp150 = kDistortionValuesRp150;
const List distortionValuesRp155 = kDistortionValuesRp155;
const List distortionIdsRp150 = kDistortionIdsRp150;
const List distortionIdsRp155 = kDistortionIdsRp155;
const List ampValuesRp150 = kAmpValuesRp150;
const List cabinetValues = kCabinetValues;
const List modulationValues = kModulationValues;
const List modulationIds = kModulationIds;

}  // namespace lists155

namespace t = tables25x;
namespace l = lists155;

// The 15x models know fewer distortions and amps (the RP150 fewer than the RP155),
// fewer cabinets and modulations; everything else is what the 25x models know.
const FamilyTables kFamily15x = [] {
    FamilyTables f = t::family();
    f.distortion = {{l::distortionValuesRp150, l::distortionIdsRp150},
                    "RP155Preset",
                    {l::distortionValuesRp155, l::distortionIdsRp155}};
    // The RP155 knows exactly the RP250's amp models.
    f.amp = {{l::ampValuesRp150, t::ampIds}, "RP155Preset", {t::ampValuesRp250, t::ampIds}};
    f.cabinet = l::cabinetValues;
    f.modulation = {l::modulationValues, l::modulationIds};
    return f;
}();

}  // namespace pw::models
