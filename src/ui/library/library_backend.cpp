// SPDX-License-Identifier: GPL-3.0-or-later
// oneTBB first: Qt's "emit" keyword clashes with a name in its headers.
#include <tbb/blocked_range.h>
#include <tbb/parallel_for.h>

#include "library_backend.h"

#include <QFile>
#include <algorithm>
#include <unordered_map>

#include "library/duplicates.h"
#include "library/scan.h"
#include "library/source.h"
#include "library/triage.h"

namespace pw::ui {
namespace {

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

std::filesystem::path pathOf(const QString& file) {
    return std::filesystem::path(QFile::encodeName(file).toStdString());
}

QString fromPath(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

}  // namespace

TriageView triageView(const library::Triage& t) {
    TriageView view;
    view.status = LibraryStatus(int(t.status));
    view.substitutions = t.substitutions;
    view.removals = t.removals;
    view.reason = qs(t.reason);
    view.nameRefused = t.nameRefused;
    view.fixedName = qs(t.fixedName);
    return view;
}

TriageView triageOf(const library::Preset& preset, const TriageSettings& settings) {
    if (!preset.readable) {
        TriageView view;
        view.reason = qs(preset.readProblem);
        return view;
    }
    return triageView(library::triage(preset.bytes, *settings.target, settings.amp));
}

EntryMaker::EntryMaker(const QStringList& inputs) {
    for (const QString& input : inputs) {
        std::error_code error;
        const std::filesystem::path path = pathOf(input);
        if (!std::filesystem::is_directory(path, error)) continue;
        std::string folder = path.lexically_normal().native();
        if (!folder.ends_with('/')) folder += '/';
        folders_.push_back(std::move(folder));
    }
    // The deepest folder first: a file shows relative to the nearest folder opened.
    std::sort(folders_.begin(), folders_.end(),
              [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
}

LibraryEntry EntryMaker::make(PresetPtr preset) const {
    LibraryEntry e;
    const library::Preset& p = *preset;
    e.name = qs(p.name);
    e.sortName = e.name.toCaseFolded();
    e.model = qs(p.model);
    QStringList uses;
    for (std::string_view used : p.uses)
        uses << qs(used);
    e.uses = uses.join(QStringLiteral(", "));
    const std::string& file = p.source.file.native();
    std::string_view shown = std::string_view(file).substr(file.rfind('/') + 1);
    for (const std::string& folder : folders_)
        if (file.starts_with(folder)) {
            shown = std::string_view(file).substr(folder.size());
            break;
        }
    e.file = QFile::decodeName(QByteArray(shown.data(), qsizetype(shown.size())));
    e.filePath = fromPath(p.source.file);
    if (p.source.inArchive()) {
        e.file += QStringLiteral(" › ") + qs(p.source.member);
        e.filePath += QStringLiteral(" › ") + qs(p.source.member);
    }
    if (p.triage)
        e.triage = triageView(*p.triage);
    else if (!p.readable)
        e.triage.reason = qs(p.readProblem);
    e.preset = std::move(preset);
    return e;
}

void scanLibrary(const QStringList& inputs, TriageSettings settings, const ScanCalls& calls,
                 const std::atomic<bool>& cancel) {
    std::vector<std::filesystem::path> paths;
    for (const QString& input : inputs)
        paths.push_back(pathOf(input));
    const EntryMaker maker(inputs);
    library::ScanOptions options;
    options.target = settings.target;
    options.amp = settings.amp;
    options.keepBytes = true;
    options.collect = true;
    library::ScanCallbacks callbacks;
    callbacks.batch = [&](std::span<const library::Preset> batch) {
        std::vector<LibraryEntry> entries;
        entries.reserve(batch.size());
        for (const library::Preset& p : batch) {
            auto light = std::make_shared<library::Preset>();
            light->source = p.source;
            light->folder = p.folder;
            light->model = p.model;
            light->name = p.name;
            light->rows = p.rows;
            light->uses = p.uses;
            light->rowsKey = p.rowsKey;
            light->rowsKeyHigh = p.rowsKeyHigh;
            light->readable = p.readable;
            light->readProblem = p.readProblem;
            light->triage = p.triage;
            entries.push_back(maker.make(std::move(light)));
        }
        calls.batch(std::move(entries), settings);
    };
    callbacks.progress = [&](const library::ScanProgress& progress) {
        calls.progress(progress.filesDone, progress.filesTotal);
    };
    library::ScanResult result = library::scan(paths, options, callbacks, &cancel);
    ScanSummary summary;
    summary.presets = result.counts.presets;
    summary.skipped = result.counts.skipped;
    summary.cancelled = result.cancelled;
    summary.filesRead = result.filesRead;
    summary.filesTotal = result.filesTotal;
    for (const library::ScanProblem& problem : result.problems)
        summary.problems << QStringLiteral("%1: %2").arg(fromPath(problem.path),
                                                         qs(library::problemWord(problem.kind))) +
                                (problem.detail.empty()
                                     ? QString()
                                     : QStringLiteral(" (%1)").arg(qs(problem.detail)));
    if (!result.cancelled) summary.duplicateGroups = library::duplicateGroups(result.presets);
    summary.read.reserve(result.presets.size());
    for (library::Preset& preset : result.presets)
        summary.read.push_back(std::make_shared<const library::Preset>(std::move(preset)));
    calls.finished(std::move(summary));
}

std::vector<TriageView> triageAll(const std::vector<PresetPtr>& presets,
                                  const TriageSettings& settings, const std::atomic<bool>& cancel) {
    std::vector<TriageView> views(presets.size());
    tbb::parallel_for(tbb::blocked_range<std::size_t>(0, presets.size(), 64),
                      [&](const tbb::blocked_range<std::size_t>& range) {
                          if (cancel) return;
                          for (std::size_t i = range.begin(); i != range.end(); ++i)
                              views[i] = triageOf(*presets[i], settings);
                      });
    return views;
}

std::optional<std::string> readPresetBytes(const library::Preset& preset, QString& problem) {
    if (!preset.bytes.empty()) return preset.bytes;
    library::SourceBytes read = library::readSource(preset.source);
    if (!read.ok) {
        problem = qs(read.problem);
        return std::nullopt;
    }
    return std::move(read.bytes);
}

}  // namespace pw::ui
