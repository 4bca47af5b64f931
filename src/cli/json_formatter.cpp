// SPDX-License-Identifier: GPL-3.0-or-later
#include "json_formatter.h"

#include <ostream>

namespace pw::cli {

nlohmann::ordered_json JsonFormatter::toJson(const ListReport& report) {
    using nlohmann::ordered_json;
    ordered_json rows = ordered_json::array();
    for (const Row& row : report.rows) {
        ordered_json marks = ordered_json::array();
        for (Mark m : row.marks)
            marks.push_back(markName(m));
        rows.push_back(ordered_json{{"name", row.name()},
                                    {"setting", row.setting()},
                                    {"id", row.id()},
                                    {"position", row.position()},
                                    {"value", row.value()},
                                    {"marks", std::move(marks)}});
    }
    return ordered_json{{"file", report.file},
                        {"source_root", report.sourceRoot},
                        {"target_root", report.targetRoot},
                        {"patch_name", report.patchName},
                        {"original_patch_name", report.originalPatchName},
                        {"filtered", report.filtered},
                        {"amp_channel", report.ampChannel},
                        {"errors", report.errors},
                        {"rows", std::move(rows)}};
}

void JsonFormatter::write(std::ostream& out, const ListReport& report) const {
    // Texts are UTF-8 already; a stray invalid byte (in a file name, say) becomes
    // U+FFFD rather than aborting the output.
    out << toJson(report).dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
        << '\n';
}

}  // namespace pw::cli
