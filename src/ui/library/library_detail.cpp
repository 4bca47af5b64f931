// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/library_detail.h"

#include <QLabel>
#include <QMessageBox>
#include <QScrollArea>
#include <QVBoxLayout>
#include <optional>

#include "chain_view.h"
#include "compare_window.h"
#include "convert/convert.h"
#include "library/library_model.h"
#include "library/scan.h"
#include "session/session.h"
#include "ui_text.h"

namespace pw::ui {
namespace {

// Reading a preset here says nothing: the table already tells what is wrong with it.
struct Silent : Messenger {
    Answer show(const Message& m) override {
        return m.buttons == Buttons::Ok ? Answer::Ok : Answer::No;
    }
};

struct Read {
    std::string bytes;
    std::string patchName;
    ParamList rows;
};

std::optional<Read> readFor(const library::Preset& preset, const TriageSettings& settings,
                            QString& problem) {
    std::optional<std::string> bytes = readPresetBytes(preset, problem);
    if (!bytes) return std::nullopt;
    Silent silent;
    Session session(silent);
    session.start();
    session.selectTarget(settings.target->option);
    const std::string name = preset.source.inArchive()
                                 ? preset.source.member
                                 : std::string(library::fileName(preset.source));
    const OpenResult opened = session.openBytes(name, *bytes);
    if (!opened.loaded()) {
        // With the reader's reason, as the row's status gives it.
        problem = LibraryDetail::tr("it is not a preset that can be read");
        if (!opened.detail.empty()) problem += QStringLiteral(" (%1)").arg(qs(opened.detail));
        return std::nullopt;
    }
    return Read{std::move(*bytes), session.patchName(), session.rows()};
}

// What Resolve Conflicts would change, one line a row.
QStringList resolveChanges(const std::string& bytes, const TriageSettings& settings) {
    convert::Plan plan;
    plan.target = settings.target;
    plan.amp = settings.amp;
    plan.resolve = true;
    plan.render = false;
    const convert::Result result = convert::convertPreset(bytes, plan);
    QStringList lines;
    for (const filter::ResolveChange& c : result.resolveReport.changes)
        lines << (c.rowAfter != 0
                      ? LibraryDetail::tr("%1: %2 → %3 (%4)")
                            .arg(qs(c.name), qs(c.oldSetting), qs(c.newSetting), qs(c.reason))
                      : LibraryDetail::tr("%1: removed (%2)").arg(qs(c.name), qs(c.reason)));
    return lines;
}

}  // namespace

LibraryDetail::LibraryDetail(QWidget* parent) : QWidget(parent) {
    chain_ = new ChainView;
    QWidget* area = ChainView::scrolled(chain_);
    facts_ = new QLabel;
    facts_->setObjectName(QStringLiteral("detailFacts"));
    facts_->setTextFormat(Qt::PlainText);
    facts_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    facts_->setWordWrap(true);
    facts_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A preset with many changes has many lines: they scroll, and the window keeps its size.
    auto* factsArea = new QScrollArea;
    factsArea->setWidget(facts_);
    factsArea->setWidgetResizable(true);
    factsArea->setFrameShape(QFrame::NoFrame);
    factsArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    factsArea->setMinimumHeight(facts_->fontMetrics().lineSpacing());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(area);
    layout->addWidget(factsArea);
}

// The user's marks on the preset, a line each: "★ Favourite · Hidden", the tags, the note.
QStringList LibraryDetail::marksLines(const collection::Marks& marks) {
    QStringList lines, flags;
    if (marks.favourite) flags << tr("★ Favourite");
    if (marks.hidden) flags << tr("Hidden");
    if (!flags.isEmpty()) lines << flags.join(QStringLiteral(" · "));
    if (!marks.tags.empty()) {
        QStringList tags;
        for (const std::string& tag : marks.tags)
            tags << QString::fromStdString(tag);
        lines << tr("Tags: %1").arg(tags.join(QStringLiteral(", ")));
    }
    if (!marks.note.empty()) lines << tr("Note: %1").arg(QString::fromStdString(marks.note));
    return lines;
}

void LibraryDetail::showEntry(const LibraryEntry* entry, const TriageSettings& settings,
                              const collection::Marks& marks) {
    const PresetPtr preset = entry != nullptr ? entry->preset : nullptr;
    if (preset == shown_ && settings == settings_ && marks == marks_ &&
        (entry == nullptr || entry->triage.status == triage_.status))
        return;
    shown_ = preset;
    settings_ = settings;
    marks_ = marks;
    if (entry == nullptr) {
        chain_->showChain({});
        facts_->clear();
        return;
    }
    triage_ = entry->triage;
    QStringList lines{wholePathOf(*entry),
                      tr("%1 · %2").arg(entry->model, LibraryModel::statusText(entry->triage))};
    QString problem;
    const std::optional<Read> read =
        preset->readable ? readFor(*preset, settings, problem) : std::nullopt;
    chain_->showChain(read ? read->rows : ParamList{});
    if (!read && !problem.isEmpty()) lines << tr("Cannot be read: %1").arg(problem);
    if (read && entry->triage.status == LibraryStatus::Converts)
        lines << resolveChanges(read->bytes, settings);
    else if (!entry->triage.reason.isEmpty())
        lines << entry->triage.reason;
    lines << marksLines(marks);
    facts_->setText(lines.join(QLatin1Char('\n')));
}

CompareWindow* comparePresets(const LibraryEntry& a, const LibraryEntry& b,
                              const TriageSettings& settings, QWidget* parent) {
    QString problem;
    std::optional<Read> readA = readFor(*a.preset, settings, problem);
    std::optional<Read> readB = readA ? readFor(*b.preset, settings, problem) : std::nullopt;
    if (!readA || !readB) {
        QMessageBox::warning(
            parent, LibraryDetail::tr("Compare"),
            LibraryDetail::tr("%1 could not be read: %2").arg(wholePathOf(readA ? b : a), problem));
        return nullptr;
    }
    auto* window = new CompareWindow({a.file, readA->patchName, std::move(readA->rows)},
                                     {b.file, readB->patchName, std::move(readB->rows)}, parent);
    window->show();
    return window;
}

}  // namespace pw::ui
