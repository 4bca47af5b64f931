// SPDX-License-Identifier: GPL-3.0-or-later
#include "library_backend.h"

#include <QFile>
#include <algorithm>
#include <unordered_map>

#include "library/scan.h"
#include "library/source.h"
#include "ui_text.h"

namespace pw::ui {
namespace {

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

LibraryEntry EntryMaker::make(PresetPtr preset, const library::Triage& triage) const {
    LibraryEntry e;
    const library::Preset& p = *preset;
    e.name = qs(p.name);
    e.sortName = e.name.toCaseFolded();
    e.model = shared(p.model);
    std::string uses;
    for (std::string_view used : p.uses) {
        if (!uses.empty()) uses += ", ";
        uses += used;
    }
    e.uses = shared(uses);
    e.style = shared(p.style);
    const std::string& file = p.source.file;
    std::string_view shown = std::string_view(file).substr(file.rfind('/') + 1);
    for (const std::string& folder : folders_)
        if (file.starts_with(folder)) {
            shown = std::string_view(file).substr(folder.size());
            break;
        }
    e.file = QFile::decodeName(QByteArray(shown.data(), qsizetype(shown.size())));
    if (p.source.inArchive()) e.file += QStringLiteral(" › ") + qs(p.source.member);
    e.triage = triageView(triage);
    if (triage.fixedName == p.name) e.triage.fixedName = e.name;
    e.preset = std::move(preset);
    return e;
}

QString EntryMaker::shared(std::string_view text) const {
    if (const auto it = shared_.find(text); it != shared_.end()) return it->second;
    if (shared_.size() == kMostShared) return qs(text);
    return shared_.emplace(std::string(text), qs(text)).first->second;
}

QString wholePathOf(const LibraryEntry& entry) {
    const library::Source& source = entry.preset->source;
    QString path = fromPath(source.file);
    if (source.inArchive()) path += QStringLiteral(" › ") + qs(source.member);
    return path;
}

std::optional<std::string> readPresetBytes(const library::Preset& preset, QString& problem) {
    library::SourceBytes read = library::readSource(preset.source);
    if (!read.ok) {
        problem = qs(read.problem);
        return std::nullopt;
    }
    return std::move(read.bytes);
}

}  // namespace pw::ui
