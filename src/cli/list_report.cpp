// SPDX-License-Identifier: GPL-3.0-or-later
#include "list_report.h"

#include "filter/list_edits.h"

namespace pw::cli {

ListReport makeReport(const Session& session, std::string file) {
    ListReport r;
    r.file = std::move(file);
    r.sourceRoot = session.sourceRoot();
    r.targetRoot = std::string(session.target().root);
    r.patchName = session.patchName();
    r.originalPatchName = session.originalPatchName();
    r.filtered = session.filtered();
    r.ampChannel = session.ampChannelChosen();
    r.errors = filter::CountErrors(session.rows());
    r.rows = session.rows();
    return r;
}

}  // namespace pw::cli
