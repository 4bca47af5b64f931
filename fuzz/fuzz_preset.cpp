// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes through the whole in-memory life of a preset: the strict read,
// the load-and-check pass of every selectable target, Filter Patch, both amp channels,
// the writer and the text exports, and then reads every written document back.
//
// Beyond what the sanitizers catch (crashes, leaks, out-of-bounds reads, undefined
// behaviour) and what -timeout catches (hangs), it aborts when a document the writer
// produced does not read back with exactly the patch name and the rows it was written
// from.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "document/preset_document.h"
#include "document/preset_writer.h"
#include "document/root_names.h"
#include "document/targets.h"
#include "document/text_decoding.h"
#include "document/text_export.h"
#include "filter/amp_channel.h"
#include "filter/filter_recipes.h"
#include "filter/list_edits.h"
#include "models/load_pass.h"
#include "reference_reader.h"

namespace {

using pw::ParamList;
using pw::document::Target;

void printEscaped(const char* label, std::string_view text) {
    std::fprintf(stderr, "  %s: \"", label);
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == '"' || u == '\\' || u >= 0x7F)
            std::fprintf(stderr, "\\x%02X", u);
        else
            std::fputc(c, stderr);
    }
    std::fprintf(stderr, "\"\n");
}

[[noreturn]] void disagree(const char* what, const Target& target, std::string_view written,
                           std::string_view expected, std::string_view found) {
    std::fprintf(stderr, "\nWRITTEN DOCUMENT DOES NOT READ BACK (%s, target %.*s)\n", what,
                 static_cast<int>(target.caption.size()), target.caption.data());
    printEscaped("written", expected);
    printEscaped("read back", found);
    if (written.size() < 4096) printEscaped("document", written);
    std::abort();
}

// Writes the rows as Save would and reads the result as Open would.
void roundTrip(const Target& target, std::string_view patchName, const ParamList& rows) {
    const std::string written = pw::document::renderPreset(target, patchName, rows);
    const pw::document::ParseResult back = pw::document::parsePreset(written);
    if (!back.ok()) disagree("not readable", target, written, "", back.error);
    if (pw::document::FindRootName(pw::document::decodeLenient(written)).empty())
        disagree("no root name", target, written, target.root, "");

    const auto& doc = back.document;
    if (!doc.firstName) disagree("no patch name", target, written, patchName, "");
    if (*doc.firstName != patchName)
        disagree("patch name", target, written, patchName, *doc.firstName);
    if (doc.params.size() != rows.count())
        disagree("row count", target, written, std::to_string(rows.count()),
                 std::to_string(doc.params.size()));

    std::size_t i = 0;
    for (const pw::Row& row : rows) {
        const pw::document::ParamElement& p = doc.params[i++];
        const std::pair<const std::optional<std::string>*, pw::Column> cells[] = {
            {&p.name, pw::kName},         {&p.text, pw::kSetting}, {&p.id, pw::kId},
            {&p.position, pw::kPosition}, {&p.value, pw::kValue},
        };
        for (const auto& [text, column] : cells) {
            if (!*text) disagree("missing cell", target, written, row.cells[column], "");
            if (**text != row.cells[column])
                disagree("cell text", target, written, row.cells[column], **text);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // What the read test sees: the root name in the leniently decoded raw text.
    const std::string source = pw::document::FindRootName(pw::document::decodeLenient(bytes));
    const pw::document::ParseResult parsed = pw::document::parsePreset(bytes);
    // The reader and the pugixml-based reference reader agree on every input.
    const pw::document::ParseResult reference = pwtest::parseWithPugixml(bytes);
    if (parsed.ok() != reference.ok() ||
        parsed.document.firstName != reference.document.firstName ||
        parsed.document.params.size() != reference.document.params.size()) {
        std::fprintf(stderr, "\nREADERS DISAGREE: ok %d/%d, params %zu/%zu\n", parsed.ok(),
                     reference.ok(), parsed.document.params.size(),
                     reference.document.params.size());
        std::abort();
    }
    for (std::size_t i = 0; i < parsed.document.params.size(); ++i) {
        const auto& a = parsed.document.params[i];
        const auto& b = reference.document.params[i];
        if (a.name != b.name || a.id != b.id || a.position != b.position || a.value != b.value ||
            a.text != b.text) {
            std::fprintf(stderr, "\nREADERS DISAGREE on Param %zu\n", i + 1);
            std::abort();
        }
    }
    if (!parsed.ok()) return 0;
    const std::string name = parsed.document.firstName.value_or("");

    for (const Target& target : pw::document::kTargets) {
        if (!target.selectable) continue;
        pw::models::PassResult pass =
            pw::models::runPass(parsed.document, target.family, source, target.root);
        if (pass.missingChild) return 0;  // the same child is missing for every target
        ParamList& rows = pass.rows;
        (void)pw::filter::CountErrors(rows);
        (void)pw::document::renderUserText(source, name, rows);
        (void)pw::document::renderCompleteText(source, name, rows);
        roundTrip(target, name, rows);

        pw::filter::FilterPatch(rows, source, target.root);
        (void)pw::filter::HasConflicts(rows);
        roundTrip(target, name, rows);

        if (pw::document::isTwoChannelRoot(source)) {
            for (const char channel : {'A', 'B'}) {
                ParamList channelRows = rows;
                pw::filter::SelectAmpChannel(channelRows, channel);
                roundTrip(target, pw::filter::channelPatchName(name, channel), channelRows);
            }
        }
    }
    return 0;
}
