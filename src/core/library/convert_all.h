// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Converting many presets at once into one folder. Workers on every core read and
// convert the presets (convert::convertPreset) and write each new preset into a
// temporary file; one thread at a time, in the order of the inputs, claims each output
// name (two inputs never end in one file; an existing file is kept unless overwriting)
// and commits the files in chunks: one flush of the file system per chunk, then each
// file is put in place. The names, the reports and the bytes written are those of a run
// on one thread.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "convert/convert.h"
#include "document/file_io.h"
#include "document/file_writer.h"

namespace pw::library {

struct ConvertAllOptions {
    convert::Plan plan;
    std::filesystem::path folder;  // where the new presets go
    bool overwrite = false;        // replace a file that exists (else it is kept)
    bool dryRun = false;           // convert and claim names, write nothing
    std::size_t chunk = 512;       // files per commit (memory and open files stay flat)
    unsigned threads = 0;          // 0: every core
};

enum class ItemOutcome {
    Written,     // the new preset is in place
    WouldWrite,  // a dry run: it would have been written
    NotRead,     // the input could not be read (see `read`)
    NotSaved,    // the conversion stopped short of Save (see `result.verdict`)
    Claimed,     // an earlier input of the run already ends in this file (`earlier`)
    Exists,      // the file exists and the run does not overwrite
    Failed,      // the file system refused the write (`writeError`)
    Cancelled,   // the run was cancelled before this input was done
};

struct ItemReport {
    std::size_t index = 0;      // of the input
    document::ReadResult read;  // how reading went (its bytes are dropped)
    convert::Result result;     // without the rows and the bytes
    ItemOutcome outcome = ItemOutcome::Cancelled;
    std::filesystem::path output;  // folder / file name, when a file was meant
    bool existed = false;          // the output existed before (overwritten or kept)
    std::size_t earlier = 0;       // for Claimed: the input that claimed the name
    std::string writeError;        // for Failed
};

struct ConvertAllCallbacks {
    // Reads input `index` whole; called on the workers, several at once.
    std::function<document::ReadResult(std::size_t index)> read;
    // Each input once it is final, in input order, on one thread at a time.
    std::function<void(const ItemReport&)> done;
    // Inputs converted so far and the total, on one thread at a time.
    std::function<void(std::size_t done, std::size_t total)> progress;
    // Polled between inputs: once true, no new input is started; the inputs already
    // converted are put in place with their chunk and the rest reported Cancelled.
    std::function<bool()> cancelled;
};

struct ConvertAllSummary {
    std::size_t written = 0;
    std::size_t cancelled = 0;
    std::size_t leftoversRemoved = 0;  // named temporaries of dead runs removed first
};

ConvertAllSummary convertAll(std::size_t count, const ConvertAllOptions& options,
                             const ConvertAllCallbacks& callbacks,
                             document::FileWriter& writer = document::systemFileWriter());

}  // namespace pw::library
