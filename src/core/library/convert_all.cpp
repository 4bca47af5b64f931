// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/convert_all.h"

#include <tbb/info.h>
#include <tbb/parallel_pipeline.h>
#include <tbb/task_arena.h>

#include <algorithm>
#include <future>
#include <limits>
#include <memory>
#include <vector>

#include "document/batch_writer.h"
#include "library/output_claims.h"
#include "library/thread_checks.h"

namespace pw::library {

namespace {

constexpr std::size_t kNoTicket = std::numeric_limits<std::size_t>::max();

// One input on its way from a worker to the committing thread.
struct Work {
    ItemReport report;
    std::filesystem::path file;  // to read, when the report holds no bytes yet
    std::string stem;            // of the source's name
    document::BatchWriter::Prepared prepared;
};

class Run {
  public:
    Run(const ConvertAllOptions& options, const ConvertAllCallbacks& callbacks,
        document::FileWriter& writer)
        : options_(options),
          callbacks_(callbacks),
          writer_(writer),
          preparer_(writer),
          claims_(options.sources) {
        filling_.batch = std::make_unique<document::BatchWriter>(writer_);
        plan_ = options.plan;
        plan_.render = !options.dryRun;
    }

    ConvertAllSummary run();

  private:
    bool cancelled() const { return callbacks_.cancelled && callbacks_.cancelled(); }
    bool mayReplace(const ItemReport& r) const {
        return options_.mayReplace ? options_.mayReplace(r.index, r.output) : options_.overwrite;
    }
    Work convertOne(Work work) const;
    void claim(Work work);
    // Starts committing the chunk filled so far (on a thread of its own, so that the
    // workers go on converting while the file system syncs), once the one before it has
    // been committed and reported; with `wait`, waits for it too.
    void commit(bool wait);
    void reportCommitted();

    // A chunk: its batch of files and the reports of its inputs, in order.
    struct Chunk {
        std::unique_ptr<document::BatchWriter> batch;
        std::vector<ItemReport> reports;
        std::vector<std::size_t> tickets;  // of the reports' files in the batch
    };

    const ConvertAllOptions& options_;
    const ConvertAllCallbacks& callbacks_;
    convert::Plan plan_;
    document::FileWriter& writer_;
    const document::BatchWriter preparer_;  // the workers write temporaries through it
    Chunk filling_;
    Chunk committing_;
    std::future<std::vector<document::IoResult>> committed_;
    OutputClaims claims_;
    std::size_t converted_ = 0;
    ConvertAllSummary summary_;
};

Work Run::convertOne(Work work) const {
    ItemReport& r = work.report;
    if (!r.read.exists) r.read = document::readWholeFile(work.file);
    if (!r.read.complete) {
        r.outcome = ItemOutcome::NotRead;
        return work;
    }
    r.result = convert::convertPreset(r.read.bytes, plan_, work.stem);
    if (options_.contents) r.source = contentOf(r.read.bytes);
    r.read.bytes = std::string();
    r.result.rows = ParamList();
    if (!r.result.savable()) {
        r.outcome = ItemOutcome::NotSaved;
        return work;
    }
    r.output = options_.folder / r.result.fileName;
    if (options_.contents) r.converted = contentOf(r.result.bytes);
    if (!options_.dryRun) {
        work.prepared = preparer_.prepare(r.output, r.result.bytes);
        r.result.bytes = std::string();
    }
    r.outcome = ItemOutcome::Written;  // for now: claim() decides
    return work;
}

void Run::claim(Work work) {
    ItemReport& r = work.report;
    std::size_t ticket = kNoTicket;
    if (r.outcome == ItemOutcome::Written) {
        const OutputClaims::Claim c = claims_.claim(
            r.index, r.result.fileName, options_.folder, [&] { return mayReplace(r); },
            bool(options_.mayReplace));
        r.existed = c.existed;
        switch (c.verdict) {
            case OutputClaims::Verdict::Claimed:
                r.outcome = ItemOutcome::Claimed;
                r.earlier = c.earlier;
                break;
            case OutputClaims::Verdict::IsSource:
                r.outcome = ItemOutcome::IsSource;
                break;
            case OutputClaims::Verdict::Exists:
                r.outcome = ItemOutcome::Exists;
                break;
            case OutputClaims::Verdict::Free:
                if (options_.dryRun) {
                    r.outcome = ItemOutcome::WouldWrite;
                } else if (!work.prepared.result.ok()) {
                    r.outcome = ItemOutcome::Failed;
                    r.writeError = work.prepared.result.error;
                } else {
                    ticket = filling_.batch->add(std::move(work.prepared));
                }
        }
        if (ticket == kNoTicket) filling_.batch->drop(work.prepared);
    }
    filling_.reports.push_back(std::move(r));
    filling_.tickets.push_back(ticket);
    ++converted_;
    if (callbacks_.progress) callbacks_.progress(converted_, filling_.reports.back().name);
    if (filling_.reports.size() >= std::max<std::size_t>(options_.chunk, 1)) commit(false);
}

void Run::reportCommitted() {
    if (!committed_.valid()) return;
    const std::vector<document::IoResult> written = committed_.get();
    for (std::size_t k = 0; k < committing_.reports.size(); ++k) {
        ItemReport& r = committing_.reports[k];
        if (committing_.tickets[k] != kNoTicket) {
            const document::IoResult& io = written[committing_.tickets[k]];
            r.outcome = io.ok() ? ItemOutcome::Written : ItemOutcome::Failed;
            r.writeError = io.error;
            if (io.ok()) ++summary_.written;
        }
        if (callbacks_.done) callbacks_.done(r);
    }
    committing_ = Chunk{};
}

void Run::commit(bool wait) {
    reportCommitted();
    committing_ = std::move(filling_);
    filling_ = Chunk{std::make_unique<document::BatchWriter>(writer_), {}, {}};
    document::BatchWriter* batch = committing_.batch.get();
    // Where no thread can be started, the commit runs here, when it is waited for.
    committed_ =
        std::async(std::launch::async | std::launch::deferred, [batch] { return batch->commit(); });
    if (wait) reportCommitted();
}

ConvertAllSummary Run::run() {
    if (!options_.dryRun)
        summary_.leftoversRemoved = document::removeDeadTemporaries(options_.folder);
    const int threads =
        options_.threads ? static_cast<int>(options_.threads) : tbb::info::default_concurrency();
    bool more = true;
    // Items travel as plain pointers, taken in the first stage and given back in the last:
    // the pointer is all that oneTBB's own code moves between threads (see
    // thread_checks.h).
    using Item = Work*;
    auto take = [&](tbb::flow_control& fc) -> Item {
        auto item = std::make_unique<Work>();
        Work& work = *item;
        ConvertInput input;
        if (more && cancelled()) summary_.cancelled = true;
        if (!more || summary_.cancelled || !(more = callbacks_.next(input))) {
            fc.stop();
            return nullptr;
        }
        work.report.index = summary_.inputs++;
        work.report.name = std::move(input.name);
        work.file = std::move(input.file);
        work.stem = std::move(input.stem);
        if (input.read) work.report.read = std::move(*input.read);
        return item.release();
    };
    tbb::task_arena arena(threads);
    pipelineStarts(this);
    arena.execute([&] {
        tbb::parallel_pipeline(
            static_cast<std::size_t>(threads) * 4,
            tbb::make_filter<void, Item>(tbb::filter_mode::serial_in_order,
                                         checkedStage(this, take)) &
                tbb::make_filter<Item, Item>(tbb::filter_mode::parallel,
                                             checkedStage(this,
                                                          [&](Item item) {
                                                              *item = convertOne(std::move(*item));
                                                              return item;
                                                          })) &
                tbb::make_filter<Item, void>(tbb::filter_mode::serial_in_order,
                                             checkedStage(this, [&](Item item) {
                                                 claim(std::move(*std::unique_ptr<Work>(item)));
                                             })));
    });
    pipelineDone(this);
    commit(true);
    return summary_;
}

}  // namespace

ConvertAllSummary convertAll(const ConvertAllOptions& options, const ConvertAllCallbacks& callbacks,
                             document::FileWriter& writer) {
    return Run(options, callbacks, writer).run();
}

}  // namespace pw::library
