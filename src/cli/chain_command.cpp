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

namespace {

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

std::string chainIncomplete(const Options& options) {
    if (options.files.size() != 1) return "chain takes one file";
    return {};
}

constexpr std::string_view kChainOptions[] = {"--target", "--svg"};

}  // namespace

extern const Command kChainCommand;
const Command kChainCommand{
    "chain",
    kChainOptions,
    R"(  patchwright-cli chain FILE [--target MODEL] [--svg OUT.svg]
)",
    R"(  chain FILE      Open FILE as check does (default target RP255) and print its signal
                  chain on one line, in the unit's order: each block's model, then
                  in brackets its main knob where it has one (a drive, a delay time)
                  and "off" for a block that is off, the two amp channels of an
                  RP350/RP355 preset as "[A: ... | B: ...]". With --svg OUT.svg, write
                  the chain as a picture to OUT.svg instead (replaced whole if it
                  exists): one tile per block with its main knobs, off blocks faded, a
                  tile the target conflicts with outlined in red and marked with a
                  cross.
)",
    chainIncomplete,
    runChain,
};

}  // namespace pw::cli
