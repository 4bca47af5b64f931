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

double idNumber(const Row& row) {
    return readLeadingNumber(row.id());
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

bool isOneOf(const std::string& text, std::initializer_list<std::string_view> ids) {
    for (std::string_view id : ids)
        if (text == id) return true;
    return false;
}

// The standard rule of a block: the listed IDs are value-checked, every other ID is
// ID-checked, both with the same function.
void standardRule(Row& row, std::initializer_list<std::string_view> valueIds, TwoList check) {
    if (isOneOf(row.id(), valueIds))
        valueCheck(row, check(valueNumber(row), Kind::Values) == 1);
    else
        idCheck(row, check(idNumber(row), Kind::Ids) == 1);
}

void standardRule(Row& row, std::initializer_list<std::string_view> valueIds,
                  int (*check)(double, Kind, std::string_view), std::string_view root) {
    if (isOneOf(row.id(), valueIds))
        valueCheck(row, check(valueNumber(row), Kind::Values, root) == 1);
    else
        idCheck(row, check(idNumber(row), Kind::Ids, root) == 1);
}

void pickupRule(Row& row, const FamilyChecks& m) {
    if (isOneOf(row.id(), {"64", "65"})) {
        valueCheck(row, m.CheckPickup(valueNumber(row), Kind::Values) == 1);
    } else if (m.CheckPickup(idNumber(row), Kind::Ids) != 1) {
        // The pickup block marks an unknown ID on its Setting and Value.
        markAll(row, {kSetting, kValue});
    }
}

void ampRule(Row& row, const FamilyChecks& m, std::string_view root) {
    standardRule(row, {"2496", "265"}, m.CheckAmp, root);
}

void cabinetRule(Row& row, const FamilyChecks& m) {
    if (row.id() == "2560") valueCheck(row, m.CheckCabinet(valueNumber(row)) == 1);
}

void position20Rule(Row& row, const FamilyChecks& m) {
    if (m.CheckPosition20(idNumber(row)) != 1) markAll(row, {kSetting, kValue});
}

void libraryRule(Row& row, const FamilyChecks& m) {
    if (row.id() == "8704")
        valueCheck(row, m.CheckToneLibrary(valueNumber(row), Kind::Values) == 1);
    else if (row.id() == "8705")
        valueCheck(row, m.CheckFxLibrary(valueNumber(row)) == 1);
    else
        idCheck(row, m.CheckToneLibrary(idNumber(row), Kind::Ids) == 1);
}

bool fromBiggerFamily(std::string_view source) {
    return source == "RP350Preset" || source == "RP355Preset";
}
bool fromSmallerFamily(std::string_view source) {
    return source == "RP150Preset" || source == "RP155Preset" || source == "RP250Preset" ||
           source == "RP255Preset";
}

// Positions whose rule is the same in every pass.
bool sharedRule(Row& row, const FamilyChecks& m, const CheckContext& c) {
    const std::string& pos = row.position();
    if (pos == "2")
        pickupRule(row, m);
    else if (pos == "3")
        standardRule(row, {"128", "129"}, m.CheckWah);
    else if (pos == "4")
        standardRule(row, {"207", "193"}, m.CheckCompressor);
    else if (pos == "6")
        standardRule(row, {"2432", "2433"}, m.CheckDistortion, c.targetRoot);
    else if (pos == "8")
        ampRule(row, m, c.targetRoot);
    else if (pos == "9")
        cabinetRule(row, m);
    else if (pos == "12")
        standardRule(row, {"704", "705"}, m.CheckGate);
    else if (pos == "15")
        standardRule(row, {"1856", "1857"}, m.CheckDelay);
    else if (pos == "16")
        standardRule(row, {"1920", "1921"}, m.CheckReverb);
    else if (pos == "20")
        position20Rule(row, m);
    else if (pos == "24")
        standardRule(row, {"3202", "3212"}, m.CheckEQ);
    else
        return false;
    return true;
}

// LoadParameters155 and LoadParameters: the same table, with the 15x pass marking the
// pedal and V-Switch blocks the 15x models lack.
void checkSmallFamily(Row& row, const FamilyChecks& m, const CheckContext& c) {
    if (sharedRule(row, m, c)) return;
    const std::string& pos = row.position();
    const bool is15x = c.family == Family::F15x;
    if (pos == "7") {
        if (row.id() == "256") {
            if (c.label5) *c.label5 = row.setting();
            markAll(row, {kName, kSetting, kId, kPosition});
        }
    } else if (pos == "10") {
        row.mark(kPosition, Mark::Conflict);
        ampRule(row, m, c.targetRoot);
    } else if (pos == "11") {
        row.mark(kPosition, Mark::Conflict);
        cabinetRule(row, m);
    } else if (pos == "14") {
        if (isOneOf(row.id(), {"768", "769"})) {
            valueCheck(row, m.CheckModulation(valueNumber(row), Kind::Values) == 1);
        } else if (row.id() == "770") {
            if (row.value() != "1544") row.mark(kId, Mark::Conflict);
        } else if (row.id() == "1798") {
            if (row.value() != "1543") markAll(row, {kSetting, kId, kValue});
        } else {
            idCheck(row, m.CheckModulation(idNumber(row), Kind::Ids) == 1);
        }
    } else if (pos == "18") {
        if (m.CheckVolume(idNumber(row)) != 1) markAll(row, {kName, kId});
    } else if (pos == "19") {
        if (is15x) markAll(row, {kName, kSetting, kId, kPosition, kValue});
        standardRule(row, {"8194"}, m.CheckPedal);
    } else if (pos == "21") {
        if (is15x) markAll(row, {kName, kSetting, kId, kPosition, kValue});
        position20Rule(row, m);
    } else if (pos == "22" || pos == "23") {
        markAll(row, {kName, kSetting, kId, kPosition});
    } else if (pos == "25") {
        if (fromBiggerFamily(c.sourceRoot))
            standardRule(row, {"3202", "3212"}, m.CheckEQ);
        else if (fromSmallerFamily(c.sourceRoot))
            libraryRule(row, m);
    } else if (pos == "26") {
        row.mark(kPosition, Mark::Conflict);
        libraryRule(row, m);
    } else {
        markAll(row, {kName, kPosition});
    }
}

// LoadParameters355.
void checkBigFamily(Row& row, const FamilyChecks& m, const CheckContext& c) {
    if (sharedRule(row, m, c)) return;
    const std::string& pos = row.position();
    if (pos == "7") {
        if (row.id() != "256") {
            if (c.label5) *c.label5 = row.setting();
            markAll(row, {kName, kSetting, kId, kPosition});
        }
    } else if (pos == "10") {
        ampRule(row, m, c.targetRoot);
    } else if (pos == "11") {
        cabinetRule(row, m);
    } else if (pos == "14") {
        standardRule(row, {"768", "769"}, m.CheckModulation);
    } else if (pos == "19") {
        standardRule(row, {"8194"}, m.CheckPedal);
    } else if (pos == "21") {
        position20Rule(row, m);
    } else if (pos == "22" || pos == "23") {
        standardRule(row, {"8258"}, m.CheckLfo);
    } else if (pos == "25") {
        if (fromBiggerFamily(c.sourceRoot)) {
            standardRule(row, {"3202", "3212"}, m.CheckEQ);
        } else if (fromSmallerFamily(c.sourceRoot)) {
            row.mark(kPosition, Mark::Conflict);
            libraryRule(row, m);
        }
    } else if (pos == "26") {
        libraryRule(row, m);
    }
    // Position 18 and any other text: no check.
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
    if (context.family == Family::F35x)
        checkBigFamily(row, m, context);
    else
        checkSmallFamily(row, m, context);
}

}  // namespace pw::models
