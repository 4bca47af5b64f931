// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts of every message and question, exactly as the user reads them.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pw::filter {
struct ResolveChange;
struct SettingWritten;
struct ResolveReport;
}  // namespace pw::filter

namespace pw::text {

inline constexpr std::string_view kReadTestFailed = "Function Read_Test Failed.";
inline constexpr std::string_view kNameLoadError = "Element <Name>*</Name> LoadError";
std::string parameterMissing(std::string_view child);  // "Parameter <Text> missing."

inline constexpr std::string_view kBadFileName = "BAD File Name, /\\][!@#$%^&*()}{][| Not Allowed.";
// The detail of the bad file name message: which character was refused.
std::string badNameDetail(std::string_view character);  // "the patch name holds "/""
// "the patch name "." would make a hidden file" (a batch refuses "", "." and "..")
std::string dotsNameDetail(std::string_view name);
inline constexpr std::string_view kLoadFileFirst = "Please Load A File First.";
inline constexpr std::string_view kSelectAmpChannel = "Please select an Amp Channel to save.";
inline constexpr std::string_view kClickFilter = "Please click Filter Patch";
inline constexpr std::string_view kTooManyConflicts =
    "There are too many ID/Position/Value conflicts to filter.  Cannot save.";
inline constexpr std::string_view kSaveAsQuestion = "Do you want to save patch name as: ";
inline constexpr std::string_view kAlreadyExists =
    " Already Exists. Do you want to overwrite the existing file?";
inline constexpr std::string_view kSavingCanceled = "Saving patch canceled.";
inline constexpr std::string_view kSavedTo = "Saved to ";
inline constexpr std::string_view kSelectFileFirst = "Please select a file first.";
inline constexpr std::string_view kAmpOnlyForBigModels =
    "This is only supported for *Down* Filtering RP35x Patches";
inline constexpr std::string_view kReservedForFuture = "Reserved for future use.";
std::string couldNotWrite(std::string_view file);  // a write that failed
// One change of Resolve Conflicts as the guitarist reads it:
//   "Amp A Type: Stoner Rock → 01 Dual Rectifier (high gain)"
//   "removed: Octaver Octave 1 = 75 (the RP250 has no Octaver)"
// With `rowNumber`, a row that is still there is named with its number after Resolve:
//   "Row 11 Amp A Type: Stoner Rock → 01 Dual Rectifier (high gain)".
// The knobs a model got: "Drive 58 (from Gain), Tone 6, Wow 0 (neutral)".
std::string settingsText(const std::vector<filter::SettingWritten>& settings);
// A pick of Model Select made by name, in the shape of Resolve's lines:
// "Row 11 Dist Type: DS Dist → Screamer TS9; Drive 58 (from Distortion), Tone 50 (neutral)".
std::string pickChangeLine(std::size_t row, const std::string& name, const std::string& oldSetting,
                           const std::string& newSetting,
                           const std::vector<filter::SettingWritten>& settings);
std::string resolveChangeLine(const filter::ResolveChange& change, bool rowNumber = false);
// What Resolve Conflicts did: the counts, one line per change, and what is left.
std::string resolveSummary(const filter::ResolveReport& report);
// Several files dropped at once: the first was taken, the others were not opened.
std::string onePresetAtATime(std::string_view taken, const std::vector<std::string>& notOpened);

}  // namespace pw::text
