// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/pack_writer.h"

#include <archive.h>
#include <archive_entry.h>

#include <set>

namespace pw::library {

namespace {

// Splits "lead.rp250p" into "lead" and ".rp250p".
std::pair<std::string, std::string> stemAndExtension(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0) return {name, ""};
    return {name.substr(0, dot), name.substr(dot)};
}

// A name not yet taken: "lead.rp250p", then "lead (2).rp250p" ...
std::string unique(const std::string& name, std::set<std::string>& taken) {
    std::string candidate = name;
    const auto [stem, extension] = stemAndExtension(name);
    for (int n = 2; !taken.insert(candidate).second; ++n)
        candidate = stem + " (" + std::to_string(n) + ")" + extension;
    return candidate;
}

bool addMember(archive* a, const std::string& name, std::string_view bytes) {
    archive_entry* entry = archive_entry_new();
    archive_entry_set_pathname_utf8(entry, name.c_str());
    archive_entry_set_size(entry, static_cast<la_int64_t>(bytes.size()));
    archive_entry_set_filetype(entry, AE_IFREG);
    archive_entry_set_perm(entry, 0644);
    bool ok = archive_write_header(a, entry) == ARCHIVE_OK;
    if (ok && !bytes.empty())
        ok = archive_write_data(a, bytes.data(), bytes.size()) ==
             static_cast<la_ssize_t>(bytes.size());
    archive_entry_free(entry);
    return ok;
}

}  // namespace

std::string safeMemberName(std::string_view name) {
    const std::size_t slash = name.find_last_of("/\\");
    if (slash != std::string_view::npos) name.remove_prefix(slash + 1);
    std::string safe;
    for (char c : name) {
        const auto u = static_cast<unsigned char>(c);
        safe += (u < 0x20 || u == 0x7f || c == ':') ? '_' : c;
    }
    if (safe.empty() || safe == "." || safe == "..") safe = "preset" + safe;
    return safe;
}

PackResult writePack(document::FileWriter& writer, const std::filesystem::path& out,
                     const std::vector<PackEntry>& entries, std::string_view report) {
    PackResult result;
    std::set<std::string> taken;
    std::string bytes;
    archive* a = archive_write_new();
    archive_write_set_format_zip(a);
    // The member names are UTF-8, and the pack says so.
    archive_write_set_options(a, "zip:hdrcharset=UTF-8");
    // libarchive writes into a buffer it is told the size of; the pack is built in a
    // string grown by a callback instead.
    const auto write = [](archive*, void* data, const void* buffer, size_t length) -> la_ssize_t {
        static_cast<std::string*>(data)->append(static_cast<const char*>(buffer), length);
        return static_cast<la_ssize_t>(length);
    };
    bool ok = archive_write_open(a, &bytes, nullptr, write, nullptr) == ARCHIVE_OK;
    for (const PackEntry& e : entries) {
        if (!ok) break;
        const std::string name = unique(safeMemberName(e.name), taken);
        ok = addMember(a, name, e.bytes);
        result.members.push_back(name);
    }
    if (ok) {
        const std::string name = unique("report.csv", taken);
        ok = addMember(a, name, report);
        result.members.push_back(name);
    }
    ok = archive_write_close(a) == ARCHIVE_OK && ok;
    if (!ok)
        result.io.error =
            archive_error_string(a) ? archive_error_string(a) : "the pack could not be made";
    archive_write_free(a);
    if (ok) result.io = document::replaceFileWhole(writer, out, bytes);
    return result;
}

}  // namespace pw::library
