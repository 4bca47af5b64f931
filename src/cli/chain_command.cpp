// SPDX-License-Identifier: GPL-3.0-or-later
// patchwright-cli chain FILE [--target MODEL] [--svg OUT.svg]
//
// The preset's signal chain: one line of text, or (with --svg) a picture written whole.

#include <iostream>

#include "chain/chain.h"
#include "chain/chain_svg.h"
#include "commands.h"
#include "document/display_text.h"
#include "document/file_writer.h"
#include "exit_status.h"
#include "session_setup.h"

namespace pw::cli {

int runChain(const Options& options, const Console& console) {
    const std::string& file = options.files.front();
    CliMessenger messenger(console.err, AnswerPolicy{}, file);
    Session session(messenger);
    if (!openForTarget(session, targetOrDefault(options), file)) return kExitNotLoadable;
    const chain::Chain chain = chain::chainOf(session.rows());
    if (!options.svg) {
        console.out << document::displayText(chain::chainLine(chain)) << '\n';
        return kExitOk;
    }
    const document::IoResult written = document::replaceFileWhole(
        document::systemFileWriter(), *options.svg, chain::chainSvg(chain, session.patchName()));
    if (written.ok()) return kExitOk;
    console.err << "patchwright-cli: " << document::displayText(*options.svg) << ": "
                << written.error << '\n';
    return kExitCannotWrite;
}

}  // namespace pw::cli
