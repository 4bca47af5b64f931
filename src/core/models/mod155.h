#pragma once
// Check functions of the 15x family module: which parameter ids and values the
// family knows, block by block.

#include <string_view>

#include "models/check_table.h"

namespace pw::models::mod155 {

int CheckPickup(double number, Kind kind);
int CheckWah(double number, Kind kind);
int CheckCompressor(double number, Kind kind);
int CheckDistortion(double number, Kind kind, std::string_view targetRoot);
int CheckAmp(double number, Kind kind, std::string_view targetRoot);
int CheckCabinet(double number);
int CheckGate(double number, Kind kind);
int CheckModulation(double number, Kind kind);
int CheckDelay(double number, Kind kind);
int CheckReverb(double number, Kind kind);
int CheckVolume(double number);
int CheckPedal(double number, Kind kind);
int CheckPosition20(double number);
int CheckEQ(double number, Kind kind);
int CheckToneLibrary(double number, Kind kind);
int CheckFxLibrary(double number);

// All of the above, for the check dispatch.
const FamilyChecks& checks();

}  // namespace pw::models::mod155
