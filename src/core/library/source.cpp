// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/source.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "document/file_io.h"
#include "document/roots.h"
#include "library/archive_reader.h"
#include "params/letter_case.h"

namespace pw::library {

std::string displayName(const Source& source) {
    std::string shown = source.file;
    if (source.inArchive()) shown += ":" + source.member;
    return shown;
}

namespace {

std::string_view afterLast(std::string_view whole, std::string_view separators) {
    const std::size_t slash = whole.find_last_of(separators);
    return slash == std::string_view::npos ? whole : whole.substr(slash + 1);
}

}  // namespace

std::string_view baseName(const Source& source) {
    return source.inArchive() ? afterLast(source.member, "/\\") : fileName(source);
}

std::string_view fileName(const Source& source) {
    return afterLast(source.file, "/");
}

std::string presetStem(const Source& source) {
    const std::string_view base = baseName(source);
    for (const document::RootInfo& root : document::kRoots)
        if (endsWithIgnoringCase(base, root.extension))  // a preset's name is longer
            return std::string(base.substr(0, base.size() - root.extension.size()));
    return std::string(base);
}

bool isPresetName(std::string_view name) {
    return std::any_of(document::kRoots.begin(), document::kRoots.end(),
                       [&](const document::RootInfo& root) {
                           return name.size() > root.extension.size() &&
                                  endsWithIgnoringCase(name, root.extension);
                       });
}

bool isArchiveName(std::string_view name) {
    return archiveFormatOf(name).has_value();
}

SourceBytes readPresetFile(const std::filesystem::path& file) {
    document::ReadResult read = document::readWholeFile(file, kMaxMemberBytes);
    SourceBytes out;
    out.ok = read.complete;
    if (out.ok)
        out.bytes = std::move(read.bytes);
    else
        out.problem =
            read.tooLarge ? "it is larger than 16 MB, too large to be a preset" : read.error;
    return out;
}

SourceBytes readSource(const Source& source) {
    if (!source.inArchive()) return readPresetFile(source.file);
    SourceBytes out;
    ArchiveReader reader(std::filesystem::path(source.file));
    ArchiveMember member;
    const auto wanted = [&](std::string_view, std::size_t index) {
        return index == source.memberIndex;
    };
    if (!reader.next(member, wanted) || member.name != source.member) {
        out.problem =
            reader.problem().empty() ? "the archive no longer holds this member" : reader.problem();
        return out;
    }
    out.ok = member.ok;
    out.bytes = std::move(member.bytes);
    out.problem = member.problem;
    return out;
}

}  // namespace pw::library
