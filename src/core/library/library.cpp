// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/library.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <future>
#include <mutex>
#include <thread>
#include <utility>

#include "library/duplicates.h"
#include "library/every_core.h"
#include "library/free_memory.h"
#include "library/progress_throttle.h"
#include "library/read_again.h"
#include "library/source.h"

namespace pw::library {
namespace {

using namespace std::chrono_literals;

// Each kind of command; a command supersedes the one running of its kind.
enum Kind { ScanKind, TriageKind, SearchKind, PlanKind, ConvertKind, KindCount };

Triage unreadable(std::string reason) {
    Triage t;
    t.reason = std::move(reason);
    return t;
}

}  // namespace

// The commands reach the state through a plain pointer (it outlives them: its end joins
// their thread) and deliver through a weak one, so that what they post after it ended is
// dropped.
struct Library::State : std::enable_shared_from_this<State> {
    Post post;
    LibraryListener& listener;
    TriageSettings settings;
    std::vector<std::filesystem::path> inputs;
    std::vector<PresetPtr> presets;
    std::vector<Triage> triages;
    std::vector<std::optional<std::size_t>> groups;
    bool stale = false;  // the rows need a triage once the scan is over
    std::shared_ptr<ScanMemory> memory;
    // Whether presets holds every preset of the inputs (a whole scan, without a query),
    // and the problems that scan met: what the memory may keep.
    bool whole = false;
    std::vector<ScanProblem> problems;
    SearchText query;
    std::vector<char> hits;  // rows looked at so far: whether the query matches each
    std::array<unsigned, KindCount> ticket{};
    std::array<bool, KindCount> busy{};
    std::array<std::optional<CancelToken>, KindCount> running;
    // The commands run one after the other on one thread of their own (each on every
    // core): a newer one starts once the older, cancelled, has returned, so the two never
    // share the cores. The owner never waits for one, but when the library ends.
    std::mutex queueMutex;
    std::condition_variable queued;
    std::deque<std::function<void()>> queue;
    bool ending = false;
    std::thread worker;

    State(Post p, LibraryListener& l, TriageSettings s)
        : post(std::move(p)), listener(l), settings(s), worker([this] { work(); }) {}

    ~State() {
        for (auto& cancel : running)
            if (cancel) cancel->cancel();
        {
            const std::lock_guard lock(queueMutex);
            ending = true;
        }
        queued.notify_one();
        worker.join();
    }

    void work() {
        for (;;) {
            std::unique_lock lock(queueMutex);
            queued.wait(lock, [this] { return ending || !queue.empty(); });
            if (queue.empty()) return;
            std::function<void()> next = std::move(queue.front());
            queue.pop_front();
            lock.unlock();
            next();
        }
    }

    // Once the owner has taken in what a command delivered last (the queued call runs
    // after the one delivering), what the cores and the owner freed on the way goes back
    // to the system, on the library's thread.
    void releaseOnceTaken() {
        post([weak = weak_from_this()] {
            if (const std::shared_ptr<State> self = weak.lock())
                self->enqueue([] { releaseFreedMemory(); });
        });
    }

    // Runs `job` on the library's thread after what is queued already.
    void enqueue(std::function<void()> job) {
        {
            const std::lock_guard lock(queueMutex);
            queue.push_back(std::move(job));
        }
        queued.notify_one();
    }

    // Queues `work(ticket, cancel)`, superseding the command of that kind; what it
    // delivers through deliver() with that ticket reaches the owner only while no newer
    // command of the kind has started.
    template <class Work>
    void start(Kind kind, CancelToken cancel, Work work) {
        supersede(kind);
        const unsigned now = ticket[kind];
        busy[kind] = true;
        running[kind] = cancel;
        enqueue([work = std::move(work), now, cancel]() mutable { work(now, cancel.flag()); });
    }

    // From a worker: `call(state)` on the owner's thread, unless superseded by then.
    template <class Call>
    void deliver(Kind kind, unsigned now, Call call) {
        post([weak = weak_from_this(), kind, now, call = std::move(call)]() mutable {
            const std::shared_ptr<State> self = weak.lock();
            if (self && self->ticket[kind] == now) call(*self);
        });
    }

    // On the owner's thread, once the command of `kind` has delivered its last.
    void finished(Kind kind) {
        idle(kind);
        releaseOnceTaken();
    }

    void idle(Kind kind) {
        busy[kind] = false;
        running[kind].reset();
    }

    void supersede(Kind kind) {
        ++ticket[kind];
        if (running[kind]) running[kind]->cancel();
        idle(kind);
    }

    void startScan(CancelToken cancel, std::optional<Query> only, bool recall);
    // Drops what is held for new inputs; every command but a conversion ends.
    void restart(std::vector<std::filesystem::path> from);
    void startTriage(CancelToken cancel);
    // The statuses of the presets that cannot be read (empty for the others).
    std::vector<Triage> unreadableTriages() const {
        std::vector<Triage> kept(presets.size());
        const std::size_t triaged = std::min(presets.size(), triages.size());
        for (std::size_t i = 0; i < triaged; ++i)
            if (!presets[i]->readable) kept[i] = triages[i];
        return kept;
    }
    void searchNewRows(CancelToken cancel = {});
};

void Library::State::restart(std::vector<std::filesystem::path> from) {
    for (Kind kind : {ScanKind, TriageKind, SearchKind, PlanKind})
        supersede(kind);
    inputs = std::move(from);
    presets.clear();
    triages.clear();
    groups.clear();
    hits.clear();
    whole = false;
    problems.clear();
}

void Library::State::startScan(CancelToken cancel, std::optional<Query> only, bool recall) {
    stale = false;
    start(
        ScanKind, cancel,
        [self = this, inputs = inputs, settings = settings, only = std::move(only), recall,
         memory = memory](unsigned now, const std::atomic<bool>& stop) {
            State& s = *self;
            // The presets of the folder shown before were dropped with it.
            releaseFreedMemory();
            ProgressThrottle progressDue(50ms), rowsDue(100ms);
            std::vector<PresetPtr> all, pending;
            std::vector<Triage> allTriages, pendingTriages;
            // What the memory knows is looked up while the inputs are listed.
            KnownFiles known;
            std::future<KnownFiles> recalled;
            if (recall && memory && !only)
                recalled = std::async(std::launch::async,
                                      [&] { return memory->recall(inputs, settings); });
            // Rows go as soon as the first are read, then at most every 100 ms: fewer,
            // larger insertions keep the owner's share of the cores small.
            const auto flush = [&] {
                if (pending.empty()) return;
                s.deliver(ScanKind, now,
                          [rows = std::exchange(pending, {}),
                           triages = std::exchange(pendingTriages, {})](State& st) mutable {
                              const std::size_t first = st.presets.size();
                              st.presets.insert(st.presets.end(), rows.begin(), rows.end());
                              st.triages.insert(st.triages.end(),
                                                std::make_move_iterator(triages.begin()),
                                                std::make_move_iterator(triages.end()));
                              st.listener.presetsAdded(first, rows.size());
                              if (st.query.asksForRows() && !st.busy[SearchKind])
                                  st.searchNewRows();
                          });
            };
            ScanOptions options;
            options.target = settings.target;
            options.amp = settings.amp;
            options.keepBytes = false;  // read again when needed
            options.query = only ? &*only : nullptr;
            options.collect = false;
            std::size_t knownFiles = 0;
            options.known = [&] {
                if (recalled.valid()) known = recalled.get();
                knownFiles = known.size();
                return &known;
            };
            ScanCallbacks callbacks;
            callbacks.batch = [&](std::span<Preset> batch) {
                for (Preset& read : batch) {
                    Triage t;
                    t.reason = read.readProblem;
                    if (read.triage) t = std::move(*read.triage);
                    read.triage.reset();  // the library holds the statuses
                    auto preset = std::make_shared<Preset>(std::move(read));
                    all.push_back(preset);
                    pending.push_back(std::move(preset));
                    allTriages.push_back(t);
                    pendingTriages.push_back(std::move(t));
                }
                if (rowsDue.due(false)) flush();
            };
            callbacks.progress = [&](const ScanProgress& p) {
                if (!progressDue.due(p.filesTotal > 0 && p.filesDone == p.filesTotal)) return;
                s.deliver(ScanKind, now, [p](State& st) {
                    st.listener.progress(
                        Progress{Stage::Scanning, p.filesDone, p.filesTotal, p.presets});
                });
            };
            ScanResult result = library::scan(inputs, options, callbacks, &stop);
            flush();
            std::vector<std::optional<std::size_t>> twins;
            if (!result.cancelled)
                twins = library::duplicateGroups(std::span<const PresetPtr>(all));
            ScanReport report;
            report.counts = result.counts;
            report.problems = std::move(result.problems);
            report.cancelled = result.cancelled;
            report.filesRead = result.filesRead;
            report.filesTotal = result.filesTotal;
            const bool complete = !result.cancelled && !only;
            // Nothing to remember when every file listed was known as it is.
            const bool sameAsKnown =
                result.counts.recalled == knownFiles && result.counts.recalled == result.filesTotal;
            const std::vector<ScanProblem> met = report.problems;
            s.deliver(ScanKind, now,
                      [report = std::move(report), twins = std::move(twins), complete](State& st) {
                          st.groups = twins;
                          st.groups.resize(st.presets.size());
                          st.whole = complete;
                          st.problems = report.problems;
                          st.finished(ScanKind);
                          st.listener.scanned(report);
                          if (st.stale) st.startTriage({});
                      });
            // After the rows are shown: the index is the memory's, not the user's wait.
            if (complete && !sameAsKnown && memory)
                memory->remember(inputs, settings, all, allTriages, met);
        });
}

void Library::State::startTriage(CancelToken cancel) {
    stale = false;
    start(TriageKind, cancel,
          [self = this, presets = presets, settings = settings, unreadables = unreadableTriages(),
           memory = whole ? memory : nullptr, inputs = inputs,
           problems = problems](unsigned now, const std::atomic<bool>& stop) {
              // A preset that cannot be read is so against every target: its status
              // and reason stay as they are.
              std::vector<Triage> done(presets.size());
              for (std::size_t i = 0; i < presets.size(); ++i)
                  if (!presets[i]->readable) done[i] = unreadables[i];
              readAgain(presets, stop, [&](std::size_t i, SourceBytes& read) {
                  const Preset& p = *presets[i];
                  if (!p.readable) return;
                  done[i] = read.ok ? triage(read.bytes, *settings.target, settings.amp,
                                             presetStem(p.source))
                                    : unreadable(read.problem);
              });
              const bool cancelled = stop;
              // The statuses against the new target are remembered once delivered.
              const bool kept = !cancelled && memory;
              self->deliver(TriageKind, now,
                            [done = kept ? done : std::move(done), cancelled](State& st) mutable {
                                st.finished(TriageKind);
                                if (!cancelled && done.size() == st.triages.size()) {
                                    st.triages = std::move(done);
                                    st.listener.triaged(0, st.triages.size());
                                }
                                st.listener.retriaged(cancelled);
                            });
              if (kept) memory->remember(inputs, settings, presets, done, problems);
          });
}

void Library::State::searchNewRows(CancelToken cancel) {
    const std::size_t from = hits.size();
    std::vector<PresetPtr> rows(presets.begin() + std::ptrdiff_t(from), presets.end());
    start(SearchKind, cancel,
          [self = this, rows = std::move(rows), query = query, from](
              unsigned now, const std::atomic<bool>& stop) {
              std::vector<char> found(rows.size());
              if (!query.asksForRows()) {
                  onEveryCore(rows.size(), stop,
                              [&](std::size_t i) { found[i] = query.factsMatch(*rows[i]); });
              } else {
                  // The rows are read again; a preset that cannot be read has none.
                  readAgain(rows, stop, [&](std::size_t i, SourceBytes& read) {
                      if (!rows[i]->readable || !read.ok) return;
                      const document::ParseResult parsed = document::parsePreset(read.bytes);
                      found[i] = parsed.ok() && query.rowsMatch(parsed.document);
                  });
              }
              const bool cancelled = stop;
              self->deliver(SearchKind, now,
                            [found = std::move(found), from, cancelled](State& st) {
                                st.finished(SearchKind);
                                if (cancelled || st.hits.size() != from) return;
                                st.hits.insert(st.hits.end(), found.begin(), found.end());
                                st.listener.searched();
                                if (st.hits.size() < st.presets.size()) st.searchNewRows();
                            });
          });
}

Library::Library(Post post, LibraryListener& listener, TriageSettings settings)
    : state_(std::make_shared<State>(std::move(post), listener, settings)) {}

Library::~Library() = default;

void Library::scan(std::vector<std::filesystem::path> inputs, CancelToken cancel,
                   std::optional<Query> only) {
    state_->restart(std::move(inputs));
    state_->startScan(std::move(cancel), std::move(only), false);
}

void Library::open(std::vector<std::filesystem::path> inputs, CancelToken cancel) {
    state_->restart(std::move(inputs));
    state_->startScan(std::move(cancel), std::nullopt, true);
}

void Library::setMemory(std::shared_ptr<ScanMemory> memory) {
    state_->memory = std::move(memory);
}

void Library::rescan(CancelToken cancel) {
    scan(state_->inputs, std::move(cancel));
}

void Library::retarget(TriageSettings settings, CancelToken cancel) {
    State& s = *state_;
    if (settings == s.settings) return;
    s.settings = settings;
    s.supersede(TriageKind);
    if (s.busy[ScanKind]) {
        // The rows read so far, and those the scan triages against its own settings, are
        // triaged once it is over.
        s.stale = true;
        return;
    }
    s.startTriage(std::move(cancel));
}

void Library::search(const std::string& text, CancelToken cancel) {
    State& s = *state_;
    s.supersede(SearchKind);
    s.query = SearchText(text);
    s.hits.clear();
    if (s.query.empty()) {
        s.listener.searched();
        return;
    }
    s.searchNewRows(std::move(cancel));
}

void Library::plan(std::vector<std::size_t> rows, ConvertOptions options, CancelToken cancel) {
    State& s = *state_;
    Presets presets;
    for (std::size_t row : rows)
        presets.push_back(s.presets.at(row));
    // The triage ran this very conversion when it was made against these settings and
    // Resolve Conflicts is on: the plan is told by it, and nothing is converted twice.
    std::optional<std::vector<Triage>> triaged;
    if (options.resolve && options.settings == s.settings && !triaging() && !scanning()) {
        triaged.emplace();
        for (std::size_t row : rows)
            triaged->push_back(s.triages.at(row));
    }
    s.start(PlanKind, cancel,
            [self = &s, rows = std::move(rows), presets = std::move(presets),
             options = std::move(options),
             triaged = std::move(triaged)](unsigned now, const std::atomic<bool>& stop) mutable {
                ConversionPlan plan = triaged ? planFromTriages(std::move(rows), std::move(presets),
                                                                *triaged, std::move(options), stop)
                                              : planConversion(std::move(rows), std::move(presets),
                                                               std::move(options), stop);
                self->deliver(PlanKind, now, [plan = std::move(plan)](State& st) {
                    st.finished(PlanKind);
                    st.listener.planned(plan);
                });
            });
}

void Library::convert(const ConversionPlan& plan, std::vector<bool> replace,
                      document::FileWriter& writer, CancelToken cancel) {
    State& s = *state_;
    s.supersede(PlanKind);
    s.start(ConvertKind, cancel,
            [self = &s, plan, replace = std::move(replace), &writer](
                unsigned now, const std::atomic<bool>& stop) {
                ProgressThrottle due(50ms);
                ConversionRun run = runConversion(
                    plan, replace, writer,
                    [&](std::size_t done, std::size_t total) {
                        if (!due.due(done == total)) return;
                        self->deliver(ConvertKind, now, [done, total](State& st) {
                            st.listener.progress(Progress{Stage::Converting, done, total, 0});
                        });
                    },
                    stop);
                self->deliver(ConvertKind, now, [run = std::move(run)](State& st) {
                    st.finished(ConvertKind);
                    st.listener.converted(run);
                });
            });
}

void Library::cancel() {
    for (Kind kind : {ScanKind, TriageKind, ConvertKind})
        if (state_->running[kind]) state_->running[kind]->cancel();
}

bool Library::scanning() const {
    return state_->busy[ScanKind];
}
bool Library::triaging() const {
    return state_->busy[TriageKind] || state_->stale;
}
bool Library::searching() const {
    return state_->busy[SearchKind];
}
bool Library::converting() const {
    return state_->busy[ConvertKind];
}
TriageSettings Library::settings() const {
    return state_->settings;
}
const std::vector<PresetPtr>& Library::presets() const {
    return state_->presets;
}
const std::vector<Triage>& Library::triages() const {
    return state_->triages;
}
const std::vector<std::optional<std::size_t>>& Library::duplicateGroups() const {
    return state_->groups;
}
bool Library::hit(std::size_t row) const {
    const State& s = *state_;
    return s.query.empty() || (row < s.hits.size() && s.hits[row]);
}
const SearchText& Library::searchText() const {
    return state_->query;
}

}  // namespace pw::library
