// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Archives made at test time with libarchive, hostile ones included, so that no large
// binary is checked in.

#include <archive.h>
#include <archive_entry.h>
#include <locale.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace pwtest {

struct Member {
    std::string name;
    std::string bytes;
    std::uint64_t zeros = 0;   // zero bytes after `bytes`, written a block at a time
    bool sizeUnknown = false;  // written as a stream, its size only after its data
    unsigned type = AE_IFREG;  // AE_IFLNK (to `bytes`), AE_IFCHR, ... for other entries
};

// An archive's container and its compression, by the names libarchive's writer knows
// them by ("zip", "paxr", "7zip"; "gzip", "xz").
struct Kind {
    const char* format;
    const char* filter = nullptr;
};
inline constexpr Kind kZip{"zip"}, kTarGz{"paxr", "gzip"}, kSevenZip{"7zip"};

// Writes `members` into `file`. `options` are libarchive's ("zip:encryption=zipcrypt"),
// `passphrase` encrypts.
inline void makeArchive(const std::filesystem::path& file, const std::vector<Member>& members,
                        Kind kind = kZip, const char* options = nullptr,
                        const char* passphrase = nullptr) {
    // Names are UTF-8 whatever the locale the test runs in.
    const locale_t utf8 = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    const locale_t before = utf8 ? ::uselocale(utf8) : locale_t{};
    struct archive* a = archive_write_new();
    const auto check = [a](int result) {
        if (result != ARCHIVE_OK) throw std::runtime_error(archive_error_string(a));
    };
    check(archive_write_set_format_by_name(a, kind.format));
    if (kind.filter) check(archive_write_add_filter_by_name(a, kind.filter));
    if (passphrase) archive_write_set_passphrase(a, passphrase);
    if (options) check(archive_write_set_options(a, options));
    check(archive_write_open_filename(a, file.c_str()));
    const std::string block(1 << 20, '\0');
    for (const Member& m : members) {
        struct archive_entry* e = archive_entry_new();
        archive_entry_set_pathname_utf8(e, m.name.c_str());
        if (m.type != AE_IFREG) {
            archive_entry_set_filetype(e, m.type);
            if (m.type == AE_IFLNK) archive_entry_set_symlink(e, m.bytes.c_str());
            archive_write_header(a, e);
            archive_entry_free(e);
            continue;
        }
        if (!m.sizeUnknown)
            archive_entry_set_size(e, static_cast<la_int64_t>(m.bytes.size() + m.zeros));
        archive_entry_set_filetype(e, AE_IFREG);
        archive_entry_set_perm(e, 0644);
        archive_write_header(a, e);
        archive_write_data(a, m.bytes.data(), m.bytes.size());
        for (std::uint64_t left = m.zeros, n = 0; left > 0; left -= n)
            archive_write_data(a, block.data(), n = std::min<std::uint64_t>(left, block.size()));
        archive_entry_free(e);
    }
    archive_write_close(a);
    archive_write_free(a);
    if (utf8) {
        ::uselocale(before);
        ::freelocale(utf8);
    }
}

}  // namespace pwtest
