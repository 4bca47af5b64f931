// SPDX-License-Identifier: GPL-3.0-or-later
#include "library_convert.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLocale>

#include "library/scan.h"
#include "library/source.h"

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
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH-mm-ss"));
    QString path = QDir(folder).filePath(QStringLiteral("Patchwright report %1.csv").arg(stamp));
    for (int n = 2; QFile::exists(path); ++n)
        path = QDir(folder).filePath(QStringLiteral("Patchwright report %1 (%2).csv").arg(stamp).arg(n));
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

DryRun dryRunConvert(const std::vector<PresetPtr>& presets, const ConvertOptions&,
                     const std::atomic<bool>&) {
    DryRun run;
    run.outcomes.resize(presets.size());
    return run;
}

std::vector<Outcome> runConvert(const std::vector<PresetPtr>& presets, const ConvertOptions&,
                                const std::vector<bool>&, document::FileWriter&,
                                const std::function<void(std::size_t, std::size_t)>&,
                                const std::atomic<bool>&) {
    return std::vector<Outcome>(presets.size());
}

}  // namespace pw::ui
