// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection/index_check.h"

#include <sys/stat.h>

#include <map>
#include <set>

#include "library/inputs.h"

namespace pw::collection {

std::vector<FileState> currentFiles(const std::vector<std::filesystem::path>& inputs) {
    std::vector<FileState> files;
    for (const library::InputFile& f : library::listInputs(inputs).files) {
        struct stat st {};
        if (::stat(f.path.c_str(), &st) != 0) continue;
        files.push_back(
            {f.path.string(), static_cast<std::int64_t>(st.st_size),
             static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec});
    }
    return files;
}

IndexCheck checkIndex(const std::vector<IndexedPreset>& index, const std::vector<FileState>& now) {
    std::map<std::string, FileState> known;  // a pack's members share its state
    for (const IndexedPreset& p : index)
        known.emplace(p.file, FileState{p.file, p.size, p.modified});
    IndexCheck check;
    std::set<std::string> seen;
    for (const FileState& f : now) {
        seen.insert(f.file);
        const auto it = known.find(f.file);
        if (it == known.end())
            check.added.push_back(f.file);
        else if (it->second == f)
            check.unchanged.push_back(f.file);
        else
            check.changed.push_back(f.file);
    }
    for (const auto& [file, state] : known)
        if (!seen.contains(file)) check.gone.push_back(file);
    return check;
}

}  // namespace pw::collection
