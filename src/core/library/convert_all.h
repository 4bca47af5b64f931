// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Converting many presets at once into one folder. Workers on every core read and
// convert the presets (convert::convertPreset) and write each new preset into a
// temporary file; one thread at a time, in the order of the inputs, claims each output
// name (two inputs never end in one file; an existing file is kept unless replacing it
// is allowed) and commits the files in chunks: one flush of the file system per chunk,
// then each file is put in place. The names, the reports and the bytes written are those
// of a run on one thread.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "convert/convert.h"
#include "document/file_io.h"
#include "document/file_writer.h"
#include "library/preset_facts.h"

namespace pw::library {

struct ConvertAllOptions {
    convert::Plan plan;
    std::filesystem::path folder;  // where the new presets go
    bool overwrite = false;        // replace a file that exists (else it is kept)
    bool dryRun = false;           // convert and claim names, write nothing
    std::size_t chunk = 384;       // files per commit (memory and open files stay flat)
    unsigned threads = 0;          // 0: every core
    // When set, decides instead of `overwrite` whether input `index` may replace the file
    // `output` that exists; asked on the committing thread, in input order. The first
    // input that ends in a name claims it whether its file is replaced or kept.
    std::function<bool(std::size_t index, const std::filesystem::path& output)> mayReplace;
    // The files being converted: an output that is one of them is never replaced, whatever
    // its name (letter case, links) and whatever `overwrite` and `mayReplace` say.
    std::vector<std::filesystem::path> sources;
    // Also tell each report what its input and its new preset hold (for the marks).
    bool contents = false;
};

enum class ItemOutcome {
    Written,     // the new preset is in place
    WouldWrite,  // a dry run: it would have been written
    NotRead,     // the input could not be read (see `read`)
    NotSaved,    // the conversion stopped short of Save (see `result.verdict`)
    Claimed,     // an earlier input of the run already ends in this file (`earlier`)
    Exists,      // the file exists and the run does not replace it
    IsSource,    // the file is one of the presets being converted: it is kept
    Failed,      // the file system refused the write (`writeError`)
};

// One input: its name for the reports, and its bytes when they have been read already
// (a member of an archive, read in order), else the file a worker reads.
struct ConvertInput {
    std::string name;
    std::string stem;  // the file or member's name without its extension (see convertPreset)
    std::filesystem::path file;
    std::optional<document::ReadResult> read;
};

struct ItemReport {
    std::size_t index = 0;      // of the input, from 0
    std::string name;           // of the input
    document::ReadResult read;  // how reading went (its bytes are dropped)
    convert::Result result;     // without the rows and the bytes
    ItemOutcome outcome = ItemOutcome::NotRead;
    std::filesystem::path output;  // folder / file name, when a file was meant
    bool existed = false;          // the output existed before (overwritten or kept)
    std::size_t earlier = 0;       // for Claimed: the input that claimed the name
    std::string writeError;        // for Failed
    // With ConvertAllOptions::contents: what the input holds, and what the new preset
    // holds when there is one.
    std::optional<PresetContent> source;
    std::optional<PresetContent> converted;
};

struct ConvertAllCallbacks {
    // Fills in the next input; false after the last. Called in order, one call at a time.
    std::function<bool(ConvertInput&)> next;
    // Each input once it is final, in input order, on one thread at a time.
    std::function<void(const ItemReport&)> done;
    // Each input once it is converted (`done` follows when its chunk is committed), in
    // order, on one thread at a time: the number converted so far and its name.
    std::function<void(std::size_t converted, const std::string& name)> progress;
    // Polled before each input is taken, on a thread of its own that may run beside the
    // other callbacks (so it reads an atomic flag or the like): once true, no new input
    // is taken; the inputs already converted are put in place with their chunk.
    std::function<bool()> cancelled;
};

struct ConvertAllSummary {
    std::size_t inputs = 0;  // taken from `next`
    std::size_t written = 0;
    bool cancelled = false;            // the run stopped before the last input
    std::size_t leftoversRemoved = 0;  // named temporaries of dead runs removed first
};

ConvertAllSummary convertAll(const ConvertAllOptions& options, const ConvertAllCallbacks& callbacks,
                             document::FileWriter& writer = document::systemFileWriter());

}  // namespace pw::library
