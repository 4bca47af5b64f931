// SPDX-License-Identifier: GPL-3.0-or-later
#include "library_convert.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLocale>

#include "convert/convert.h"
#include "document/csv_field.h"
#include "library/convert_all.h"
#include "library/scan.h"
#include "library/source.h"
#include "session/messages.h"
#include "session/save_refusal.h"

namespace pw::ui {
namespace {

QString number(std::size_t n) {
    return QLocale().toString(qulonglong(n));
}

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

const char* outcomeWord(OutcomeKind kind) {
    switch (kind) {
        case OutcomeKind::None:
            return "";
        case OutcomeKind::Written:
            return "written";
        case OutcomeKind::Kept:
            return "kept existing";
        case OutcomeKind::Cannot:
            return "cannot";
        case OutcomeKind::Collides:
            return "collides";
        case OutcomeKind::Failed:
            return "failed";
        case OutcomeKind::NotDone:
            return "cancelled";
    }
    return "";
}

}  // namespace

QString DryRun::summary() const {
    QStringList parts;
    parts << QObject::tr("%1 will be written").arg(number(write));
    parts << QObject::tr("%1 cannot").arg(number(cannot));
    parts << (namesFixed == 1 ? QObject::tr("1 name fixed")
                              : QObject::tr("%1 names fixed").arg(number(namesFixed)));
    parts << QObject::tr("%1 would collide").arg(number(collide));
    if (existing.size() == 1)
        parts << QObject::tr("1 exists already (you will be asked)");
    else if (!existing.empty())
        parts << QObject::tr("%1 exist already (you will be asked)").arg(number(existing.size()));
    return parts.join(QStringLiteral(", "));
}

QString writeReport(const QString& folder, const std::vector<PresetPtr>& presets,
                    const std::vector<Outcome>& outcomes, document::FileWriter& writer,
                    QString& error) {
    QString csv = QStringLiteral("input,member,outcome,output,substitutions,removals,reason\r\n");
    for (std::size_t i = 0; i < presets.size() && i < outcomes.size(); ++i) {
        const library::Preset& p = *presets[i];
        const Outcome& o = outcomes[i];
        const QStringList fields = {
            QFile::decodeName(QByteArray::fromStdString(p.source.file.native())),
            qs(p.source.member),
            QLatin1String(outcomeWord(o.kind)),
            o.output,
            QString::number(o.substitutions),
            QString::number(o.removals),
            o.reason,
        };
        QStringList line;
        for (const QString& f : fields)
            line << QString::fromStdString(document::csvField(f.toStdString()));
        csv += line.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    // A new name for every run: an earlier report is never replaced.
    const QString stamp =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH-mm-ss"));
    QString path = QDir(folder).filePath(QStringLiteral("Patchwright report %1.csv").arg(stamp));
    for (int n = 2; QFile::exists(path); ++n)
        path = QDir(folder).filePath(
            QStringLiteral("Patchwright report %1 (%2).csv").arg(stamp).arg(n));
    const QByteArray bytes = csv.toUtf8();
    const document::IoResult written = document::replaceFileWhole(
        writer, std::filesystem::path(QFile::encodeName(path).toStdString()),
        std::string_view(bytes.constData(), std::size_t(bytes.size())));
    if (!written.ok()) {
        error = qs(written.error);
        return {};
    }
    return path;
}

namespace {

// Why a conversion that cannot be saved is refused.
QString cannotReason(const library::ItemReport& item) {
    const convert::Result& r = item.result;
    if (item.outcome == library::ItemOutcome::NotRead)
        return item.read.error.empty() ? QObject::tr("cannot be read") : qs(item.read.error);
    switch (r.verdict) {
        case convert::Verdict::ViewOnly:
            return QObject::tr("%1 presets are opened for viewing only")
                .arg(r.sourceRoot.empty() ? QObject::tr("Unknown") : qs(r.sourceRoot));
        case convert::Verdict::Unreadable:
            return r.readDetail.empty() ? QObject::tr("cannot be read") : qs(r.readDetail);
        case convert::Verdict::Refused:
            if (r.refusal) return qs(saveRefusalMessage(*r.refusal, r.patchName).text);
            break;
        default:
            break;
    }
    return QObject::tr("cannot be saved");
}

Outcome outcomeOf(const library::ItemReport& item, bool fixNames) {
    const convert::Result& r = item.result;
    Outcome o;
    o.output = qs(r.fileName);
    o.substitutions = r.resolveReport.substituted;
    o.removals = r.resolveReport.removed;
    o.nameFixed = fixNames && r.nameRefused;
    switch (item.outcome) {
        case library::ItemOutcome::Written:
        case library::ItemOutcome::WouldWrite:
            o.kind = OutcomeKind::Written;
            break;
        case library::ItemOutcome::NotRead:
        case library::ItemOutcome::NotSaved:
            o.kind = OutcomeKind::Cannot;
            o.reason = cannotReason(item);
            break;
        case library::ItemOutcome::Claimed:
            o.kind = OutcomeKind::Collides;
            o.reason = QObject::tr("another preset of this run is saved as %1").arg(o.output);
            break;
        case library::ItemOutcome::Exists:
            o.kind = OutcomeKind::Kept;
            break;
        case library::ItemOutcome::IsSource:
            o.kind = OutcomeKind::Cannot;
            o.reason = QObject::tr("%1 is one of the presets being converted").arg(o.output);
            break;
        case library::ItemOutcome::Failed:
            o.kind = OutcomeKind::Failed;
            o.reason = qs(item.writeError);
            break;
    }
    return o;
}

// Converts the presets with the core's convert-all; `callbacks` gets the reports.
void convertPresets(const std::vector<PresetPtr>& presets, const ConvertOptions& options,
                    library::ConvertAllOptions all, library::ConvertAllCallbacks callbacks,
                    document::FileWriter& writer, const std::atomic<bool>& cancel) {
    all.plan.target = options.settings.target;
    all.plan.amp = options.settings.amp;
    all.plan.resolve = options.resolve;
    all.plan.fixNames = options.fixNames;
    all.folder = std::filesystem::path(QFile::encodeName(options.folder).toStdString());
    for (const PresetPtr& p : presets)
        if (!p->source.inArchive()) all.sources.push_back(p->source.file);
    std::size_t next = 0;
    callbacks.next = [&](library::ConvertInput& input) {
        if (next == presets.size()) return false;
        const library::Preset& p = *presets[next++];
        input.read = document::ReadResult{true, p.readable, p.bytes, p.readProblem};
        input.stem = library::presetStem(p.source);
        return true;
    };
    callbacks.cancelled = [&cancel] { return cancel.load(); };
    library::convertAll(all, callbacks, writer);
}

}  // namespace

DryRun dryRunConvert(const std::vector<PresetPtr>& presets, const ConvertOptions& options,
                     const std::atomic<bool>& cancel) {
    DryRun run;
    run.outcomes.resize(presets.size());
    library::ConvertAllOptions all;
    all.dryRun = true;
    all.overwrite = true;  // an existing file claims its name; the user is asked later
    library::ConvertAllCallbacks callbacks;
    callbacks.done = [&](const library::ItemReport& item) {
        Outcome o = outcomeOf(item, options.fixNames);
        if (o.kind == OutcomeKind::Cannot) {
            ++run.cannot;
        } else {
            ++(o.kind == OutcomeKind::Collides ? run.collide : run.write);
            run.namesFixed += o.nameFixed;
            if (item.existed) run.existing.push_back(item.index);
        }
        run.outcomes[item.index] = std::move(o);
    };
    convertPresets(presets, options, all, callbacks, document::systemFileWriter(), cancel);
    return run;
}

std::vector<Outcome> runConvert(const std::vector<PresetPtr>& presets,
                                const ConvertOptions& options, const std::vector<bool>& replace,
                                document::FileWriter& writer,
                                const std::function<void(std::size_t, std::size_t)>& progress,
                                const std::atomic<bool>& cancel) {
    std::vector<Outcome> outcomes(presets.size());
    for (Outcome& o : outcomes)
        o.kind = OutcomeKind::NotDone;
    library::ConvertAllOptions all;
    all.mayReplace = [&replace](std::size_t i, const std::filesystem::path&) { return replace[i]; };
    library::ConvertAllCallbacks callbacks;
    callbacks.done = [&](const library::ItemReport& item) {
        outcomes[item.index] = outcomeOf(item, options.fixNames);
    };
    callbacks.progress = [&](std::size_t n, const std::string&) { progress(n, presets.size()); };
    convertPresets(presets, options, all, callbacks, writer, cancel);
    return outcomes;
}

}  // namespace pw::ui
