// SPDX-License-Identifier: GPL-3.0-or-later
#include "models/check_dispatch.h"

#include "models/mod155.h"
#include "models/mod255.h"
#include "models/mod355.h"
#include "params/number_reader.h"

namespace pw::models {

using document::Family;

namespace {

using TwoList = int (*)(double, Kind);
using SingleList = int (*)(double);

// The rules compare the Position and ID cells (and a few Value cells) with plain decimal
// texts such as "26" or "2560". This is the number such a text spells, and -1 for any
// other text (a sign, a blank, a leading zero, anything but digits), which none of the
// rules names: comparing these numbers gives the answers comparing the texts gives.
int plainNumber(std::string_view text) {
    if (text.empty() || text.size() > 9 || (text.size() > 1 && text.front() == '0')) return -1;
    int number = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return -1;
        number = number * 10 + (c - '0');
    }
    return number;
}

// The row being checked, with its Position and ID cells read once.
struct Subject {
    Row& row;
    int position;
    int id;
};

// The ID cell as the tables are asked for it; a plain number is read already.
double idNumber(const Subject& s) {
    return s.id != -1 ? s.id : readLeadingNumber(s.row.id());
}
double valueNumber(const Row& row) {
    return readLeadingNumber(row.value());
}

void markAll(Row& row, std::initializer_list<Column> columns) {
    for (Column c : columns)
        row.mark(c, Mark::Conflict);
}

// Value check: an unknown value marks Setting and Value.
void valueCheck(Row& row, bool known) {
    if (!known) markAll(row, {kSetting, kValue});
}
// ID check: an unknown ID marks Name and ID.
void idCheck(Row& row, bool known) {
    if (!known) markAll(row, {kName, kId});
}

bool isOneOf(int id, std::initializer_list<int> ids) {
    for (int listed : ids)
        if (id == listed) return true;
    return false;
}

// The standard rule of a block: the listed IDs are value-checked, every other ID is
// ID-checked, both with the same function.
void standardRule(const Subject& s, std::initializer_list<int> valueIds, TwoList check) {
    if (isOneOf(s.id, valueIds))
        valueCheck(s.row, check(valueNumber(s.row), Kind::Values) == 1);
    else
        idCheck(s.row, check(idNumber(s), Kind::Ids) == 1);
}

void standardRule(const Subject& s, std::initializer_list<int> valueIds,
                  int (*check)(double, Kind, std::string_view), std::string_view root) {
    if (isOneOf(s.id, valueIds))
        valueCheck(s.row, check(valueNumber(s.row), Kind::Values, root) == 1);
    else
        idCheck(s.row, check(idNumber(s), Kind::Ids, root) == 1);
}

void pickupRule(const Subject& s, const FamilyChecks& m) {
    if (isOneOf(s.id, {64, 65})) {
        valueCheck(s.row, m.CheckPickup(valueNumber(s.row), Kind::Values) == 1);
    } else if (m.CheckPickup(idNumber(s), Kind::Ids) != 1) {
        // The pickup block marks an unknown ID on its Setting and Value.
        markAll(s.row, {kSetting, kValue});
    }
}

void ampRule(const Subject& s, const FamilyChecks& m, std::string_view root) {
    standardRule(s, {2496, 265}, m.CheckAmp, root);
}

void cabinetRule(const Subject& s, const FamilyChecks& m) {
    if (s.id == 2560) valueCheck(s.row, m.CheckCabinet(valueNumber(s.row)) == 1);
}

void position20Rule(const Subject& s, const FamilyChecks& m) {
    if (m.CheckPosition20(idNumber(s)) != 1) markAll(s.row, {kSetting, kValue});
}

void libraryRule(const Subject& s, const FamilyChecks& m) {
    if (s.id == 8704)
        valueCheck(s.row, m.CheckToneLibrary(valueNumber(s.row), Kind::Values) == 1);
    else if (s.id == 8705)
        valueCheck(s.row, m.CheckFxLibrary(valueNumber(s.row)) == 1);
    else
        idCheck(s.row, m.CheckToneLibrary(idNumber(s), Kind::Ids) == 1);
}

bool fromBiggerFamily(std::string_view source) {
    return source == "RP350Preset" || source == "RP355Preset";
}
bool fromSmallerFamily(std::string_view source) {
    return source == "RP150Preset" || source == "RP155Preset" || source == "RP250Preset" ||
           source == "RP255Preset";
}

// Positions whose rule is the same in every pass.
bool sharedRule(const Subject& s, const FamilyChecks& m, const CheckContext& c) {
    switch (s.position) {
        case 2:
            pickupRule(s, m);
            break;
        case 3:
            standardRule(s, {128, 129}, m.CheckWah);
            break;
        case 4:
            standardRule(s, {207, 193}, m.CheckCompressor);
            break;
        case 6:
            standardRule(s, {2432, 2433}, m.CheckDistortion, c.targetRoot);
            break;
        case 8:
            ampRule(s, m, c.targetRoot);
            break;
        case 9:
            cabinetRule(s, m);
            break;
        case 12:
            standardRule(s, {704, 705}, m.CheckGate);
            break;
        case 15:
            standardRule(s, {1856, 1857}, m.CheckDelay);
            break;
        case 16:
            standardRule(s, {1920, 1921}, m.CheckReverb);
            break;
        case 20:
            position20Rule(s, m);
            break;
        case 24:
            standardRule(s, {3202, 3212}, m.CheckEQ);
            break;
        default:
            return false;
    }
    return true;
}

// LoadParameters155 and LoadParameters: the same table, with the 15x pass marking the
// pedal and V-Switch blocks the 15x models lack.
void checkSmallFamily(const Subject& s, const FamilyChecks& m, const CheckContext& c) {
    if (sharedRule(s, m, c)) return;
    Row& row = s.row;
    const bool is15x = c.family == Family::F15x;
    switch (s.position) {
        case 7:
            if (s.id == 256) {
                if (c.label5) *c.label5 = row.setting();
                markAll(row, {kName, kSetting, kId, kPosition});
            }
            break;
        case 10:
            row.mark(kPosition, Mark::Conflict);
            ampRule(s, m, c.targetRoot);
            break;
        case 11:
            row.mark(kPosition, Mark::Conflict);
            cabinetRule(s, m);
            break;
        case 14:
            if (isOneOf(s.id, {768, 769})) {
                valueCheck(row, m.CheckModulation(valueNumber(row), Kind::Values) == 1);
            } else if (s.id == 770) {
                if (plainNumber(row.value()) != 1544) row.mark(kId, Mark::Conflict);
            } else if (s.id == 1798) {
                if (plainNumber(row.value()) != 1543) markAll(row, {kSetting, kId, kValue});
            } else {
                idCheck(row, m.CheckModulation(idNumber(s), Kind::Ids) == 1);
            }
            break;
        case 18:
            if (m.CheckVolume(idNumber(s)) != 1) markAll(row, {kName, kId});
            break;
        case 19:
            if (is15x) markAll(row, {kName, kSetting, kId, kPosition, kValue});
            standardRule(s, {8194}, m.CheckPedal);
            break;
        case 21:
            if (is15x) markAll(row, {kName, kSetting, kId, kPosition, kValue});
            position20Rule(s, m);
            break;
        case 22:
        case 23:
            markAll(row, {kName, kSetting, kId, kPosition});
            break;
        case 25:
            if (fromBiggerFamily(c.sourceRoot))
                standardRule(s, {3202, 3212}, m.CheckEQ);
            else if (fromSmallerFamily(c.sourceRoot))
                libraryRule(s, m);
            break;
        case 26:
            row.mark(kPosition, Mark::Conflict);
            libraryRule(s, m);
            break;
        default:
            markAll(row, {kName, kPosition});
    }
}

// LoadParameters355.
void checkBigFamily(const Subject& s, const FamilyChecks& m, const CheckContext& c) {
    if (sharedRule(s, m, c)) return;
    Row& row = s.row;
    switch (s.position) {
        case 7:
            if (s.id != 256) {
                if (c.label5) *c.label5 = row.setting();
                markAll(row, {kName, kSetting, kId, kPosition});
            }
            break;
        case 10:
            ampRule(s, m, c.targetRoot);
            break;
        case 11:
            cabinetRule(s, m);
            break;
        case 14:
            standardRule(s, {768, 769}, m.CheckModulation);
            break;
        case 19:
            standardRule(s, {8194}, m.CheckPedal);
            break;
        case 21:
            position20Rule(s, m);
            break;
        case 22:
        case 23:
            standardRule(s, {8258}, m.CheckLfo);
            break;
        case 25:
            if (fromBiggerFamily(c.sourceRoot)) {
                standardRule(s, {3202, 3212}, m.CheckEQ);
            } else if (fromSmallerFamily(c.sourceRoot)) {
                row.mark(kPosition, Mark::Conflict);
                libraryRule(s, m);
            }
            break;
        case 26:
            libraryRule(s, m);
            // Position 18 and any other text: no check.
    }
}

}  // namespace

const FamilyChecks& moduleOf(Family family) {
    switch (family) {
        case Family::F15x:
            return mod155::checks();
        case Family::F35x:
            return mod355::checks();
        case Family::F25x:
        case Family::None:
            break;
    }
    return mod255::checks();
}

void checkRow(Row& row, const CheckContext& context) {
    const FamilyChecks& m = moduleOf(context.family);
    const Subject subject{row, plainNumber(row.position()), plainNumber(row.id())};
    if (context.family == Family::F35x)
        checkBigFamily(subject, m, context);
    else
        checkSmallFamily(subject, m, context);
}

}  // namespace pw::models
