// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/archive_reader.h"

#include <archive.h>
#include <archive_entry.h>
#include <locale.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

#include "document/file_io.h"
#include "library/source.h"
#include "params/letter_case.h"

namespace pw::library {

namespace {

constexpr std::size_t kBlockSize = 64 * 1024;

// The endings of the archives the library opens, with the kind each announces.
constexpr std::array<std::pair<std::string_view, ArchiveFormat>, 23> kArchiveEndings = {{
    {".zip", ArchiveFormat::Zip},     {".7z", ArchiveFormat::SevenZip},
    {".rar", ArchiveFormat::Rar},     {".tar", ArchiveFormat::Tar},
    {".tgz", ArchiveFormat::Tar},     {".tar.gz", ArchiveFormat::Tar},
    {".tbz", ArchiveFormat::Tar},     {".tbz2", ArchiveFormat::Tar},
    {".tar.bz2", ArchiveFormat::Tar}, {".txz", ArchiveFormat::Tar},
    {".tar.xz", ArchiveFormat::Tar},  {".tzst", ArchiveFormat::Tar},
    {".tar.zst", ArchiveFormat::Tar}, {".tar.lzma", ArchiveFormat::Tar},
    {".tlz", ArchiveFormat::Tar},     {".tar.lz", ArchiveFormat::Tar},
    {".tar.z", ArchiveFormat::Tar},   {".cpio", ArchiveFormat::Cpio},
    {".iso", ArchiveFormat::Iso},     {".cab", ArchiveFormat::Cab},
    {".lha", ArchiveFormat::Lha},     {".lzh", ArchiveFormat::Lha},
    {".xar", ArchiveFormat::Xar},
}};

// libarchive converts member names to the locale's character set, and gives up on the
// names it cannot convert (UTF-16 names of a 7z under LANG=C). While it works for the
// reader, the calling thread's character set is UTF-8.
class Utf8Names {
  public:
    Utf8Names() : before_(utf8() ? ::uselocale(utf8()) : nullptr) {}
    ~Utf8Names() {
        if (before_) ::uselocale(before_);
    }
    Utf8Names(const Utf8Names&) = delete;
    Utf8Names& operator=(const Utf8Names&) = delete;

  private:
    static locale_t utf8() {
        static const locale_t locale = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
        return locale;
    }
    locale_t before_;
};

std::string errorOf(struct archive* a, std::string_view fallback) {
    const char* text = archive_error_string(a);
    return text && *text ? std::string(text) : std::string(fallback);
}

// Only formats and filters the library reads natively: no external programs, and no
// format (such as mtree) that reads other files of the disk. With a format, that one
// only: a file of zeros named .zip is no empty tar.
struct archive* newReader(std::optional<ArchiveFormat> format) {
    struct archive* a = archive_read_new();
    if (!a) return nullptr;
    archive_read_support_filter_gzip(a);
    archive_read_support_filter_bzip2(a);
    archive_read_support_filter_xz(a);
    archive_read_support_filter_lzma(a);
    archive_read_support_filter_lzip(a);
    archive_read_support_filter_zstd(a);
    archive_read_support_filter_compress(a);
    const auto is = [&](ArchiveFormat f) { return !format || *format == f; };
    if (is(ArchiveFormat::Zip)) archive_read_support_format_zip(a);
    if (is(ArchiveFormat::SevenZip)) archive_read_support_format_7zip(a);
    if (is(ArchiveFormat::Tar)) archive_read_support_format_tar(a);
    if (is(ArchiveFormat::Tar)) archive_read_support_format_gnutar(a);
    if (is(ArchiveFormat::Cpio)) archive_read_support_format_cpio(a);
    if (is(ArchiveFormat::Rar)) archive_read_support_format_rar(a);
    if (is(ArchiveFormat::Rar)) archive_read_support_format_rar5(a);
    if (is(ArchiveFormat::Iso)) archive_read_support_format_iso9660(a);
    if (is(ArchiveFormat::Cab)) archive_read_support_format_cab(a);
    if (is(ArchiveFormat::Lha)) archive_read_support_format_lha(a);
    if (is(ArchiveFormat::Xar)) archive_read_support_format_xar(a);
    return a;
}

}  // namespace

std::optional<ArchiveFormat> archiveFormatOf(std::string_view name) {
    for (const auto& [ending, format] : kArchiveEndings)
        if (endsWithIgnoringCase(name, ending)) return format;
    return std::nullopt;
}

bool leavesArchive(std::string_view name) {
    if (name.starts_with('/') || name.starts_with('\\')) return true;
    if (name.size() >= 2 && name[1] == ':') return true;  // "C:..."
    // The depth below the archive's top, part by part: ".." above the top leaves it.
    long depth = 0;
    for (std::size_t start = 0;;) {
        const std::size_t end = std::min(name.find_first_of("/\\", start), name.size());
        const std::string_view part = name.substr(start, end - start);
        if (part == "..") {
            if (--depth < 0) return true;
        } else if (!part.empty() && part != ".") {
            ++depth;
        }
        if (end == name.size()) return false;
        start = end + 1;
    }
}

ArchiveReader::ArchiveReader(const std::filesystem::path& file) {
    const Utf8Names utf8;
    fd_ = document::openRegularFile(file, problem_);
    if (fd_ == -1) {
        unreadable_ = true;
        return;
    }
    a_ = newReader(archiveFormatOf(file.native()));
    if (!a_) {
        problem_ = "out of memory";
        return;
    }
    open(archive_read_open_fd(a_, fd_, kBlockSize));
}

ArchiveReader::~ArchiveReader() {
    const Utf8Names utf8;
    if (a_) archive_read_free(a_);
    if (fd_ >= 0) ::close(fd_);
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

void ArchiveReader::passOver(bool bySize, std::uint64_t declared) {
    if (!bySize)
        drain();
    else if (charge(declared) && archive_read_data_skip(a_) < ARCHIVE_WARN)
        problem_ = errorOf(a_, "the archive is damaged");
}

void ArchiveReader::drain() {
    char block[kBlockSize];
    la_ssize_t n = 0;
    while ((n = archive_read_data(a_, block, sizeof block)) > 0)
        if (!charge(static_cast<std::uint64_t>(n))) return;
    if (n < 0) problem_ = errorOf(a_, "the archive is damaged");
}

bool ArchiveReader::next(
    ArchiveMember& member,
    const std::function<bool(std::string_view name, std::size_t index)>& wanted) {
    if (!opened_ || !problem_.empty()) return false;
    const Utf8Names utf8;
    for (;;) {
        struct archive_entry* entry = nullptr;
        const int r = archive_read_next_header(a_, &entry);
        if (r == ARCHIVE_EOF) return false;
        if (r < ARCHIVE_WARN) {
            problem_ = errorOf(a_, "the archive is damaged");
            return false;
        }
        const std::size_t index = index_++;
        if (archive_entry_filetype(entry) != AE_IFREG || archive_entry_hardlink(entry)) {
            if (archive_entry_filetype(entry) != AE_IFDIR) ++skipped_;  // a link, a device
            continue;
        }
        const char* rawName = archive_entry_pathname_utf8(entry);
        if (!rawName) rawName = archive_entry_pathname(entry);
        const std::string_view name = rawName ? rawName : "";
        const bool sizeKnown = archive_entry_size_is_set(entry) != 0;
        const auto declared = static_cast<std::uint64_t>(
            sizeKnown ? std::max<la_int64_t>(0, archive_entry_size(entry)) : 0);

        if (!rawName || !wanted(name, index)) {
            if (rawName)
                ++skipped_;
            else
                unnamed_.push_back(index);
            passOver(sizeKnown, declared);
            if (!problem_.empty()) return false;
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
            passOver(sizeKnown || archive_entry_is_encrypted(entry), declared);
            return true;
        }

        // Read in blocks, whatever size the header claims.
        char block[kBlockSize];
        for (;;) {
            const la_ssize_t n = archive_read_data(a_, block, sizeof block);
            if (n < 0) {
                member.problem = errorOf(a_, "it cannot be read");
                member.bytes.clear();
                if (n < ARCHIVE_FAILED) problem_ = member.problem;
                return true;
            }
            if (n == 0) break;  // the member's end
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
