#include "models/mod255.h"

#include "models/tables25x.h"

namespace pw::models {

namespace t = tables25x;

// Both 25x models know the same distortions; the RP255 knows three amp models more
// than the RP250.
const FamilyTables kFamily25x = {
    .pickup = {t::pickupValues, t::pickupIds},
    .wah = {t::wahValues, t::wahIds},
    .compressor = {t::compressorValues, t::compressorIds},
    .distortion = {{t::distortionValues, t::distortionIds},
                   "RP255Preset",
                   {t::distortionValues, t::distortionIds}},
    .amp = {{t::ampValuesRp250, t::ampIds}, "RP255Preset", {t::ampValuesRp255, t::ampIds}},
    .cabinet = t::cabinetValues,
    .gate = {t::gateValues, t::gateIds},
    .modulation = {t::modulationValues, t::modulationIds},
    .delay = {t::delayValues, t::delayIds},
    .reverb = {t::reverbValues, t::reverbIds},
    .hasVolume = true,
    .volume = t::volumeIds,
    .pedal = {t::pedalValues, t::pedalIds},
    .position20 = t::position20Ids,
    .hasLfo = false,
    .lfo = {},
    .eq = {t::eqValues, t::eqIds},
    .toneLibrary = {t::toneLibraryValues, t::toneLibraryIds},
    .fxLibrary = t::fxLibraryValues,
};

}  // namespace pw::models
