// SPDX-License-Identifier: GPL-3.0-or-later
#include "check_report.h"

#include "table_writer.h"

#include <algorithm>
#include <ostream>

namespace pw::cli {

namespace {

const char* verdictText(Verdict verdict) {
    switch (verdict) {
        case Verdict::Clean:
            return "clean";
        case Verdict::Conflicts:
            return "conflicts";
        case Verdict::NotLoadable:
            break;
    }
    return "not loadable";
}

Json fileJson(const CheckedFile& f, bool summary) {
    Json j{{"file", f.list.file},
           {"verdict", verdictText(f.verdict)},
           {"reason", f.reason},
           {"detail", f.detail}};
    if (summary) {
        j["source_root"] = f.list.sourceRoot;
        j["errors"] = f.list.errors;
    } else {
        Json list = listJson(f.list);
        for (auto& [key, value] : list.items())
            if (key != "file") j[key] = std::move(value);
    }
    if (!f.missingSettings.empty()) j["missing_settings"] = f.missingSettings;
    return j;
}

}  // namespace

Json checkJson(const std::vector<CheckedFile>& files, bool summary) {
    Json list = Json::array();
    for (const CheckedFile& f : files)
        list.push_back(fileJson(f, summary));
    const auto count = [&files](Verdict v) {
        return std::count_if(files.begin(), files.end(),
                             [v](const CheckedFile& f) { return f.verdict == v; });
    };
    return Json{{"files", std::move(list)},
                {"clean", count(Verdict::Clean)},
                {"conflicts", count(Verdict::Conflicts)},
                {"not_loadable", count(Verdict::NotLoadable)}};
}

void writeCheckSummary(std::ostream& out, const std::vector<CheckedFile>& files) {
    for (const CheckedFile& f : files)
        out << displayText(f.list.file) << ": "
            << (f.list.sourceRoot.empty() ? "-" : f.list.sourceRoot) << ", " << f.list.errors
            << " errors, " << verdictText(f.verdict) << '\n';
}

}  // namespace pw::cli
