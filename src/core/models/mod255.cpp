#include "models/mod255.h"

#include "models/tables25x.h"

namespace pw::models::mod255 {
namespace {

namespace t = tables25x;

int pick(double number, Kind kind, List values, List ids) {
    return contains(kind == Kind::Values ? values : ids, number);
}

}  // namespace

int CheckPickup(double number, Kind kind) {
    return pick(number, kind, t::pickupValues, t::pickupIds);
}

int CheckWah(double number, Kind kind) {
    return pick(number, kind, t::wahValues, t::wahIds);
}

int CheckCompressor(double number, Kind kind) {
    return pick(number, kind, t::compressorValues, t::compressorIds);
}

// Both 25x models know the same distortions, so the target root plays no part here.
int CheckDistortion(double number, Kind kind, std::string_view /*targetRoot*/) {
    return pick(number, kind, t::distortionValues, t::distortionIds);
}

// The RP255 knows three amp models more than the RP250. Any root other than
// "RP255Preset" gets the RP250 list, the first-named model of the family.
int CheckAmp(double number, Kind kind, std::string_view targetRoot) {
    const List values = targetRoot == "RP255Preset" ? t::ampValuesRp255 : t::ampValuesRp250;
    return pick(number, kind, values, t::ampIds);
}

int CheckCabinet(double number) {
    return contains(t::cabinetValues, number);
}

int CheckGate(double number, Kind kind) {
    return pick(number, kind, t::gateValues, t::gateIds);
}

int CheckModulation(double number, Kind kind) {
    return pick(number, kind, t::modulationValues, t::modulationIds);
}

int CheckDelay(double number, Kind kind) {
    return pick(number, kind, t::delayValues, t::delayIds);
}

int CheckReverb(double number, Kind kind) {
    return pick(number, kind, t::reverbValues, t::reverbIds);
}

int CheckVolume(double number) {
    return contains(t::volumeIds, number);
}

int CheckPedal(double number, Kind kind) {
    return pick(number, kind, t::pedalValues, t::pedalIds);
}

int CheckPosition20(double number) {
    return contains(t::position20Ids, number);
}

int CheckEQ(double number, Kind kind) {
    return pick(number, kind, t::eqValues, t::eqIds);
}

int CheckToneLibrary(double number, Kind kind) {
    return pick(number, kind, t::toneLibraryValues, t::toneLibraryIds);
}

int CheckFxLibrary(double number) {
    return contains(t::fxLibraryValues, number);
}

const FamilyChecks& checks() {
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
        .CheckVolume = CheckVolume,
        .CheckPedal = CheckPedal,
        .CheckPosition20 = CheckPosition20,
        .CheckLfo = nullptr,  // the 25x models have no LFO block
        .CheckEQ = CheckEQ,
        .CheckToneLibrary = CheckToneLibrary,
        .CheckFxLibrary = CheckFxLibrary,
    };
    return table;
}

}  // namespace pw::models::mod255
