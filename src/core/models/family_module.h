// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A family module: the same check functions for every family, each answering from the
// family's own tables.

#include <string_view>

#include "models/check_table.h"

namespace pw::models {

template <const FamilyTables& T>
struct FamilyModule {
    static int CheckPickup(double number, Kind kind) { return T.pickup.lookup(number, kind); }
    static int CheckWah(double number, Kind kind) { return T.wah.lookup(number, kind); }
    static int CheckCompressor(double number, Kind kind) {
        return T.compressor.lookup(number, kind);
    }
    static int CheckDistortion(double number, Kind kind, std::string_view targetRoot) {
        return T.distortion.of(targetRoot).lookup(number, kind);
    }
    static int CheckAmp(double number, Kind kind, std::string_view targetRoot) {
        return T.amp.of(targetRoot).lookup(number, kind);
    }
    static int CheckCabinet(double number) { return contains(T.cabinet, number); }
    static int CheckGate(double number, Kind kind) { return T.gate.lookup(number, kind); }
    static int CheckModulation(double number, Kind kind) {
        return T.modulation.lookup(number, kind);
    }
    static int CheckDelay(double number, Kind kind) { return T.delay.lookup(number, kind); }
    static int CheckReverb(double number, Kind kind) { return T.reverb.lookup(number, kind); }
    static int CheckVolume(double number) { return contains(T.volume, number); }
    static int CheckPedal(double number, Kind kind) { return T.pedal.lookup(number, kind); }
    static int CheckPosition20(double number) { return contains(T.position20, number); }
    static int CheckLfo(double number, Kind kind) { return T.lfo.lookup(number, kind); }
    static int CheckEQ(double number, Kind kind) { return T.eq.lookup(number, kind); }
    static int CheckToneLibrary(double number, Kind kind) {
        return T.toneLibrary.lookup(number, kind);
    }
    static int CheckFxLibrary(double number) { return contains(T.fxLibrary, number); }

    // All of them for the check dispatch; a block the family lacks has no function.
    static const FamilyChecks& checks() {
        static const FamilyChecks table{
            .CheckPickup = CheckPickup,
            .CheckWah = CheckWah,
            .CheckCompressor = CheckCompressor,
            .CheckDistortion = CheckDistortion,
            .CheckAmp = CheckAmp,
            .CheckCabinet = CheckCabinet,
            .CheckGate = CheckGate,
            .CheckModulation = CheckModulation,
            .CheckDelay = CheckDelay,
            .CheckReverb = CheckReverb,
            .CheckVolume = T.hasVolume ? CheckVolume : nullptr,
            .CheckPedal = CheckPedal,
            .CheckPosition20 = CheckPosition20,
            .CheckLfo = T.hasLfo ? CheckLfo : nullptr,
            .CheckEQ = CheckEQ,
            .CheckToneLibrary = CheckToneLibrary,
            .CheckFxLibrary = CheckFxLibrary,
        };
        return table;
    }
};

}  // namespace pw::models
