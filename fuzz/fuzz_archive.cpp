// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the library as an archive: every member is read in memory
// within the limits and read as a preset, and the archive reader must end. Beyond what
// the sanitizers and -timeout catch, it aborts when a member said to be read whole is
// larger than a member may be, or when a member named outside the archive is read.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "document/preset_document.h"
#include "library/archive_reader.h"
#include "library/preset_facts.h"
#include "library/source.h"

namespace {

[[noreturn]] void fail(const char* what, std::string_view name) {
    std::fprintf(stderr, "%s: member \"%.*s\"\n", what, static_cast<int>(name.size()), name.data());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pw::library;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ArchiveReader reader(bytes);
    ArchiveMember member;
    std::size_t members = 0;
    // Every regular member is read, preset-named or not, to reach every format's reader.
    while (reader.next(member, [](std::string_view, std::size_t) { return true; })) {
        if (member.ok && member.bytes.size() > kMaxMemberBytes)
            fail("member past the limit", member.name);
        if (member.ok && leavesArchive(member.name))
            fail("member outside the archive read", member.name);
        if (member.ok) {
            Preset preset;
            pw::document::ParseResult parsed;
            std::string sourceRoot;
            readFacts(member.bytes, preset, parsed, sourceRoot);
        }
        if (++members > 10000) break;
    }
    return 0;
}
