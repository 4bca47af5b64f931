// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/input_stream.h"

#include <algorithm>
#include <utility>

#include "library/source.h"

namespace pw::library {

namespace fs = std::filesystem;

InputStream::InputStream(const std::vector<std::string>& given) {
    InputLister lister;
    for (const std::string& arg : given) {
        const std::size_t files = lister.list().files.size();
        const std::size_t problems = lister.list().problems.size();
        lister.add(arg);
        InputList& l = lister.list();
        for (std::size_t f = files; f < l.files.size(); ++f)
            entries_.push_back(Entry{l.files[f].path, l.files[f].archive, false});
        if (l.problems.size() == problems + 1 &&
            l.problems.back().kind == ScanProblem::Kind::Missing) {
            l.problems.pop_back();
            entries_.push_back(Entry{arg, false, true});
        }
    }
    list_ = std::move(lister.list());
}

std::optional<std::size_t> InputStream::total() const {
    if (std::any_of(entries_.begin(), entries_.end(), [](const Entry& e) { return e.archive; }))
        return std::nullopt;
    return entries_.size();
}

std::vector<fs::path> InputStream::presetFiles() const {
    std::vector<fs::path> files;
    for (const Entry& e : entries_)
        if (!e.archive && !e.missing) files.push_back(e.path);
    return files;
}

bool InputStream::next(ConvertInput& input) {
    while (true) {
        if (archive_ && nextMember(input)) return true;
        if (at_ == entries_.size()) return false;
        const Entry& entry = entries_[at_++];
        if (entry.archive) {
            archive_ = std::make_unique<ArchiveReader>(entry.path);
            archiveFile_ = entry.path;
            continue;
        }
        input.name = entry.path.string();
        input.file = entry.path;
        input.stem = presetStem(Source{entry.path, {}, 0});
        input.read.reset();
        return true;
    }
}

bool InputStream::nextMember(ConvertInput& input) {
    ArchiveMember member;
    while (archive_->next(
        member, [](std::string_view name, std::size_t) { return isPresetMember(name); })) {
        const Source source{archiveFile_, member.name, member.index};
        if (leavesArchive(member.name)) {
            list_.problems.push_back(
                ScanProblem{ScanProblem::Kind::UnsafeMember, displayName(source), {}});
            continue;
        }
        input.name = displayName(source);
        input.file.clear();
        input.stem = presetStem(source);
        document::ReadResult read;
        read.exists = true;
        read.complete = member.ok;
        read.bytes = std::move(member.bytes);
        read.error = std::move(member.problem);
        input.read = std::move(read);
        return true;
    }
    memberSkipped_ += archive_->skipped();
    addArchiveProblems(*archive_, archiveFile_, list_.problems);
    archive_.reset();
    return false;
}

}  // namespace pw::library
