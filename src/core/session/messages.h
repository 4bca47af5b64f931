// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts of every message and question, exactly as the user reads them.

#include <string>
#include <string_view>
#include <vector>

namespace pw::filter {
struct ResolveReport;
}

namespace pw::text {

inline constexpr std::string_view kReadTestFailed = "Function Read_Test Failed.";
inline constexpr std::string_view kNameLoadError = "Element <Name>*</Name> LoadError";
std::string parameterMissing(std::string_view child);  // "Parameter <Text> missing."

inline constexpr std::string_view kBadFileName = "BAD File Name, /\\][!@#$%^&*()}{][| Not Allowed.";
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
// What Resolve Conflicts did: each substitution and removal, and what is left.
std::string resolveSummary(const filter::ResolveReport& report);
// Several files dropped at once: the first was taken, the others were not opened.
std::string onePresetAtATime(std::string_view taken, const std::vector<std::string>& notOpened);

}  // namespace pw::text
