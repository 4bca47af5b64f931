// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/archive_reader.h"

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>

#include "library/source.h"

namespace pw::library {

namespace {

constexpr std::size_t kBlockSize = 64 * 1024;

std::string errorOf(struct archive* a, std::string_view fallback) {
    const char* text = archive_error_string(a);
    return text && *text ? std::string(text) : std::string(fallback);
}

// Only formats and filters the library reads natively: no external programs, and no
// format (such as mtree) that reads other files of the disk.
struct archive* newReader() {
    struct archive* a = archive_read_new();
    if (!a) return nullptr;
    archive_read_support_filter_gzip(a);
    archive_read_support_filter_bzip2(a);
    archive_read_support_filter_xz(a);
    archive_read_support_filter_lzma(a);
    archive_read_support_filter_zstd(a);
    archive_read_support_filter_compress(a);
    archive_read_support_format_zip(a);
    archive_read_support_format_7zip(a);
    archive_read_support_format_tar(a);
    archive_read_support_format_gnutar(a);
    archive_read_support_format_cpio(a);
    archive_read_support_format_rar(a);
    archive_read_support_format_rar5(a);
    archive_read_support_format_iso9660(a);
    archive_read_support_format_cab(a);
    archive_read_support_format_lha(a);
    archive_read_support_format_xar(a);
    return a;
}

}  // namespace

bool leavesArchive(std::string_view name) {
    if (name.empty()) return false;
    if (name.front() == '/' || name.front() == '\\') return true;
    if (name.size() >= 2 && name[1] == ':') return true;  // "C:..."
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find_first_of("/\\", start);
        if (end == std::string_view::npos) end = name.size();
        if (name.substr(start, end - start) == "..") return true;
        start = end + 1;
    }
    return false;
}

ArchiveReader::ArchiveReader(const std::filesystem::path& file) : a_(newReader()) {
    if (!a_) {
        problem_ = "out of memory";
        return;
    }
    open(archive_read_open_filename(a_, file.c_str(), kBlockSize));
}

ArchiveReader::ArchiveReader(std::string_view bytes) : a_(newReader()) {
    if (!a_) {
        problem_ = "out of memory";
        return;
    }
    open(archive_read_open_memory(a_, bytes.data(), bytes.size()));
}

ArchiveReader::~ArchiveReader() {
    if (a_) archive_read_free(a_);
}

void ArchiveReader::open(int result) {
    if (result != ARCHIVE_OK) {
        problem_ = errorOf(a_, "not an archive");
        return;
    }
    opened_ = true;
}

bool ArchiveReader::charge(std::uint64_t bytes) {
    expanded_ += bytes;
    if (expanded_ <= kMaxArchiveBytes) return true;
    tooLarge_ = true;
    problem_ = "it expands past 1 GB; the rest of it was not read";
    return false;
}

bool ArchiveReader::skip() {
    if (archive_read_data_skip(a_) >= ARCHIVE_WARN) return true;
    problem_ = errorOf(a_, "the archive is damaged");
    return false;
}

bool ArchiveReader::drain() {
    char block[kBlockSize];
    for (;;) {
        const la_ssize_t n = archive_read_data(a_, block, sizeof block);
        if (n == 0) return true;
        if (n < 0) {
            problem_ = errorOf(a_, "the archive is damaged");
            return false;
        }
        if (!charge(static_cast<std::uint64_t>(n))) return false;
    }
}

bool ArchiveReader::next(
    ArchiveMember& member,
    const std::function<bool(std::string_view name, std::size_t index)>& wanted) {
    if (!opened_ || !problem_.empty()) return false;
    for (;;) {
        struct archive_entry* entry = nullptr;
        const int r = archive_read_next_header(a_, &entry);
        if (r == ARCHIVE_EOF) return false;
        if (r < ARCHIVE_WARN) {
            problem_ = errorOf(a_, "the archive is damaged");
            return false;
        }
        const std::size_t index = index_++;
        if (archive_entry_filetype(entry) != AE_IFREG) continue;
        const char* rawName = archive_entry_pathname(entry);
        if (!rawName) rawName = archive_entry_pathname_utf8(entry);
        const std::string_view name = rawName ? rawName : "";
        const bool sizeKnown = archive_entry_size_is_set(entry) != 0;
        const auto declared = static_cast<std::uint64_t>(
            sizeKnown ? std::max<la_int64_t>(0, archive_entry_size(entry)) : 0);

        if (!wanted(name, index)) {
            ++skipped_;
            if (!(sizeKnown ? charge(declared) && skip() : drain())) return false;
            continue;
        }

        member = ArchiveMember{std::string(name), index, false, {}, {}};
        if (leavesArchive(name)) {
            member.problem = "its name points outside the archive";
        } else if (archive_entry_is_encrypted(entry)) {
            member.problem = "it is encrypted";
        } else if (sizeKnown && declared > kMaxMemberBytes) {
            member.problem = "it expands past 16 MB";
        }
        if (!member.problem.empty()) {
            // Encrypted data is passed over without being decrypted; any other is read
            // through when its size is not known, so that it is counted.
            const bool encrypted = archive_entry_is_encrypted(entry) != 0;
            if (sizeKnown || encrypted) {
                if (charge(declared)) skip();
            } else {
                drain();
            }
            return true;
        }

        // Read in blocks, whatever size the header claims.
        char block[kBlockSize];
        for (;;) {
            const la_ssize_t n = archive_read_data(a_, block, sizeof block);
            if (n == 0) break;
            if (n < 0) {
                member.problem = errorOf(a_, "it cannot be read");
                member.bytes.clear();
                if (n < ARCHIVE_FAILED) problem_ = member.problem;
                return true;
            }
            if (!charge(static_cast<std::uint64_t>(n))) {
                member.problem = "it expands past the archive's limit";
                member.bytes.clear();
                return true;
            }
            if (member.bytes.size() + static_cast<std::size_t>(n) > kMaxMemberBytes) {
                member.problem = "it expands past 16 MB";
                member.bytes.clear();
                member.bytes.shrink_to_fit();
                drain();  // the rest still counts against the archive's limit
                return true;
            }
            member.bytes.append(block, static_cast<std::size_t>(n));
        }
        member.ok = true;
        return true;
    }
}

}  // namespace pw::library
