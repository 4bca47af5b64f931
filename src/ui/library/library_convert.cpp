// SPDX-License-Identifier: GPL-3.0-or-later
// oneTBB first: Qt's "emit" keyword clashes with a name in its headers.
#include <tbb/parallel_for.h>

#include "library_convert.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLocale>

#include <set>

#include "convert/convert.h"
#include "document/batch_writer.h"
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

// One CSV field: quoted when it holds a separator, a quote or a line end.
QString csvField(const QString& text) {
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
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
    parts << QObject::tr("%1 names fixed").arg(number(namesFixed));
    parts << QObject::tr("%1 would collide").arg(number(collide));
    if (!existing.empty())
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
            line << csvField(f);
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

std::filesystem::path pathOf(const QString& file) {
    return std::filesystem::path(QFile::encodeName(file).toStdString());
}

convert::Plan planOf(const ConvertOptions& options, bool render) {
    convert::Plan plan;
    plan.target = options.settings.target;
    plan.amp = options.settings.amp;
    plan.resolve = options.resolve;
    plan.fixNames = options.fixNames;
    plan.render = render;
    return plan;
}

// Why a conversion that cannot be saved is refused.
QString cannotReason(const convert::Result& r) {
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

// Converts presets [from, to) on every core.
std::vector<convert::Result> convertRange(const std::vector<PresetPtr>& presets, std::size_t from,
                                          std::size_t to, const convert::Plan& plan) {
    std::vector<convert::Result> results(to - from);
    tbb::parallel_for(from, to, [&](std::size_t i) {
        const library::Preset& p = *presets[i];
        if (p.readable) {
            results[i - from] = convert::convertPreset(p.bytes, plan);
        } else {
            results[i - from].verdict = convert::Verdict::Unreadable;
            results[i - from].readDetail = p.readProblem;
        }
    });
    return results;
}

// The outcome a conversion result leads to, before its output is claimed or written.
Outcome outcomeOf(const convert::Result& r, bool fixNames) {
    Outcome o;
    o.output = qs(r.fileName);
    o.substitutions = r.resolveReport.substituted;
    o.removals = r.resolveReport.removed;
    o.nameFixed = fixNames && r.nameRefused;
    if (r.savable()) {
        o.kind = OutcomeKind::Written;
    } else {
        o.kind = OutcomeKind::Cannot;
        o.reason = cannotReason(r);
    }
    return o;
}

constexpr std::size_t kChunk = 256;

}  // namespace

DryRun dryRunConvert(const std::vector<PresetPtr>& presets, const ConvertOptions& options,
                     const std::atomic<bool>& cancel) {
    DryRun run;
    run.outcomes.resize(presets.size());
    const convert::Plan plan = planOf(options, false);
    const std::filesystem::path folder = pathOf(options.folder);
    std::set<std::filesystem::path> claimed;
    for (std::size_t from = 0; from < presets.size() && !cancel; from += kChunk) {
        const std::size_t to = std::min(presets.size(), from + kChunk);
        const std::vector<convert::Result> results = convertRange(presets, from, to, plan);
        for (std::size_t i = from; i < to; ++i) {
            Outcome o = outcomeOf(results[i - from], options.fixNames);
            if (o.kind == OutcomeKind::Written) {
                const std::filesystem::path output = folder / results[i - from].fileName;
                std::error_code error;
                if (!claimed.insert(output).second) {
                    o.kind = OutcomeKind::Collides;
                    ++run.collide;
                } else {
                    ++run.write;
                    if (std::filesystem::exists(output, error)) run.existing.push_back(i);
                }
                run.namesFixed += o.nameFixed;
            } else {
                ++run.cannot;
            }
            run.outcomes[i] = std::move(o);
        }
    }
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
    const convert::Plan plan = planOf(options, true);
    const std::filesystem::path folder = pathOf(options.folder);
    std::set<std::filesystem::path> claimed;
    // A chunk at a time: its presets converted on every core, then written together,
    // each output complete or absent; a cancel stops between chunks.
    for (std::size_t from = 0; from < presets.size() && !cancel; from += kChunk) {
        const std::size_t to = std::min(presets.size(), from + kChunk);
        std::vector<convert::Result> results = convertRange(presets, from, to, plan);
        document::BatchWriter batch(writer);
        std::vector<std::pair<std::size_t, std::size_t>> tickets;  // preset, ticket
        for (std::size_t i = from; i < to; ++i) {
            convert::Result& r = results[i - from];
            Outcome o = outcomeOf(r, options.fixNames);
            if (o.kind == OutcomeKind::Written) {
                const std::filesystem::path output = folder / r.fileName;
                std::error_code error;
                if (!claimed.insert(output).second) {
                    o.kind = OutcomeKind::Collides;
                    o.reason =
                        QObject::tr("another preset of this run is saved as %1").arg(o.output);
                } else if (std::filesystem::exists(output, error) && !replace[i]) {
                    o.kind = OutcomeKind::Kept;
                } else {
                    tickets.emplace_back(i, batch.add(output, std::move(r.bytes)));
                }
            }
            outcomes[i] = std::move(o);
        }
        const std::vector<document::IoResult> written = batch.commit();
        for (const auto& [i, ticket] : tickets)
            if (!written[ticket].ok()) {
                outcomes[i].kind = OutcomeKind::Failed;
                outcomes[i].reason = qs(written[ticket].error);
            }
        progress(to, presets.size());
    }
    return outcomes;
}

}  // namespace pw::ui
