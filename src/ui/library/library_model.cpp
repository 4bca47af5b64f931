// SPDX-License-Identifier: GPL-3.0-or-later
#include "library_model.h"

#include <QGuiApplication>
#include <QLocale>
#include <QPalette>
#include <algorithm>
#include <array>

#include "library/library.h"
#include "library/scan.h"
#include "ui_text.h"

namespace pw::ui {
namespace {

constexpr std::array<const char*, LibraryModel::ColumnCount> kTitles = {
    "\u2605", "Name", "Model",      "Status",    "Uses",
    "Style",  "File", "Duplicates", "Converted", "Tags"};

QString tagsText(const collection::Marks& marks) {
    QStringList tags;
    for (const std::string& tag : marks.tags)
        tags << QString::fromStdString(tag);
    return tags.join(QStringLiteral(", "));
}

}  // namespace

int LibraryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(entries_.size());
}

int LibraryModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LibraryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount) return {};
    if (role == Qt::DisplayRole) return tr(kTitles[std::size_t(section)]);
    if (role == Qt::ToolTipRole && section == Star) return tr("Favourite");
    return {};
}

QString LibraryModel::statusText(const TriageView& triage) {
    switch (triage.status) {
        case LibraryStatus::Fits:
            return tr("fits");
        case LibraryStatus::Converts: {
            const std::size_t changes = triage.substitutions + triage.removals;
            return changes == 1 ? tr("converts with 1 change")
                                : tr("converts with %1 changes").arg(number(changes));
        }
        case LibraryStatus::Cannot:
            return tr("cannot");
        case LibraryStatus::ViewOnly:
            return tr("view only");
        case LibraryStatus::Unreadable:
            return tr("unreadable");
    }
    return {};
}

QString LibraryModel::outcomeText(const Outcome& outcome) {
    switch (outcome.kind) {
        case OutcomeKind::None:
            return {};
        case OutcomeKind::Written:
            return tr("written: %1").arg(outcome.output);
        case OutcomeKind::Kept:
            return tr("kept the existing %1").arg(outcome.output);
        case OutcomeKind::Cannot:
            return tr("cannot");
        case OutcomeKind::Collides:
            return tr("collides: %1").arg(outcome.output);
        case OutcomeKind::Failed:
            return tr("failed");
        case OutcomeKind::NotDone:
            return tr("cancelled");
    }
    return {};
}

namespace {

QString statusTip(const TriageView& t) {
    QString tip;
    if (t.status == LibraryStatus::Converts) {
        tip = LibraryModel::tr("Resolve Conflicts: %1 substituted, %2 removed")
                  .arg(number(t.substitutions), number(t.removals));
    } else {
        tip = t.reason;
    }
    if (t.nameRefused)
        tip += (tip.isEmpty() ? QString() : QStringLiteral("\n")) +
               LibraryModel::tr("Save refuses the patch name; Fix Names makes it \"%1\".")
                   .arg(t.fixedName);
    return tip;
}

}  // namespace

QVariant LibraryModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const LibraryEntry& e = entries_[std::size_t(index.row())];
    const int column = index.column();
    if (role == Qt::DisplayRole) {
        switch (column) {
            case Star:
                return e.marks.favourite ? QStringLiteral("\u2605") : QString();
            case Name:
                return e.name;
            case Model:
                return e.model;
            case Status:
                return statusText(e.triage);
            case Uses:
                return e.uses;
            case Style:
                return e.style;
            case File:
                return e.file;
            case Duplicate:
                return e.duplicateGroup ? QVariant(qulonglong(*e.duplicateGroup)) : QVariant();
            case Result:
                return outcomeText(e.outcome);
            case Tags:
                return tagsText(e.marks);
        }
    } else if (role == Qt::ToolTipRole) {
        switch (column) {
            case Status:
                return statusTip(e.triage);
            case File:
                return wholePathOf(e);
            case Uses:
                return e.uses;
            case Style:
                return e.style;
            case Result:
                return e.outcome.reason.isEmpty() ? outcomeText(e.outcome) : e.outcome.reason;
            case Tags:
                return QString::fromStdString(e.marks.note);
            default:
                return {};
        }
    } else if (role == StatusRole && column == Status) {
        return int(e.triage.status);
    } else if (role == Qt::ForegroundRole && e.marks.hidden) {
        return QGuiApplication::palette().brush(QPalette::Disabled, QPalette::Text);
    } else if (role == Qt::TextAlignmentRole && column == Star) {
        return int(Qt::AlignCenter);
    }
    return {};
}

void LibraryModel::clear() {
    beginResetModel();
    entries_.clear();
    endResetModel();
}

void LibraryModel::append(std::vector<LibraryEntry> batch) {
    if (batch.empty()) return;
    const int first = int(entries_.size());
    beginInsertRows({}, first, first + int(batch.size()) - 1);
    entries_.insert(entries_.end(), std::make_move_iterator(batch.begin()),
                    std::make_move_iterator(batch.end()));
    endInsertRows();
}

void LibraryModel::rowsChanged(std::vector<std::size_t> rows, int firstColumn, int lastColumn) {
    std::sort(rows.begin(), rows.end());
    for (std::size_t i = 0; i < rows.size();) {
        std::size_t j = i;
        while (j + 1 < rows.size() && rows[j + 1] <= rows[j] + 1)
            ++j;
        emit dataChanged(index(int(rows[i]), firstColumn), index(int(rows[j]), lastColumn));
        i = j + 1;
    }
}

void LibraryModel::setTriages(const std::vector<std::pair<std::size_t, TriageView>>& triages) {
    std::vector<std::size_t> rows;
    for (const auto& [row, triage] : triages) {
        if (row >= entries_.size()) continue;
        entries_[row].triage = triage;
        rows.push_back(row);
    }
    rowsChanged(std::move(rows), Status, Status);
}

void LibraryModel::setDuplicateGroups(const std::vector<std::optional<std::size_t>>& groups) {
    std::vector<std::size_t> rows;
    for (std::size_t row = 0; row < std::min(groups.size(), entries_.size()); ++row) {
        if (entries_[row].duplicateGroup == groups[row]) continue;
        entries_[row].duplicateGroup = groups[row];
        rows.push_back(row);
    }
    rowsChanged(std::move(rows), Duplicate, Duplicate);
}

void LibraryModel::setOutcomes(const std::vector<std::pair<std::size_t, Outcome>>& outcomes) {
    std::vector<std::size_t> rows;
    for (const auto& [row, outcome] : outcomes) {
        if (row >= entries_.size()) continue;
        entries_[row].outcome = outcome;
        rows.push_back(row);
    }
    rowsChanged(std::move(rows), Result, Result);
}

void LibraryModel::setMarks(const std::vector<std::pair<std::size_t, collection::Marks>>& marks) {
    std::vector<std::size_t> rows;
    for (const auto& [row, m] : marks) {
        if (row >= entries_.size()) continue;
        entries_[row].marks = m;
        rows.push_back(row);
    }
    rowsChanged(std::move(rows), 0, ColumnCount - 1);
}

// --- the proxy -------------------------------------------------------------------

LibraryFilter::LibraryFilter(LibraryModel* model, QObject* parent)
    : QSortFilterProxyModel(parent), model_(model) {
    setSourceModel(model);
}

// A new filter rebuilds the whole mapping at once (one layout change): with many rows
// this is several times faster than telling the views each range that comes or goes.
void LibraryFilter::setSearch(library::SearchText search, const library::Library& library) {
    search_ = std::move(search);
    library_ = &library;
    invalidate();
}

void LibraryFilter::setStatusFilter(std::optional<LibraryStatus> status) {
    status_ = status;
    invalidate();
}

void LibraryFilter::setModelFilter(const QString& model) {
    modelFilter_ = model;
    invalidate();
}

void LibraryFilter::setDuplicatesOnly(bool only) {
    duplicatesOnly_ = only;
    invalidate();
}

void LibraryFilter::setShowHidden(bool show) {
    showHidden_ = show;
    invalidate();
}

bool LibraryFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    const LibraryEntry& e = model_->entry(sourceRow);
    if (status_ && e.triage.status != *status_) return false;
    if (!modelFilter_.isEmpty() && e.model != modelFilter_) return false;
    if (duplicatesOnly_ && !e.duplicateGroup) return false;
    if (!showHidden_ && e.marks.hidden && !search_.showsHidden()) return false;
    if (search_.empty()) return true;
    if (search_.asksForRows() && !library_->hit(std::size_t(sourceRow))) return false;
    const library::SearchMarks marks{e.marks.tags, e.marks.favourite, e.marks.hidden};
    return search_.factsMatch(*e.preset, &marks);
}

bool LibraryFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const LibraryEntry& a = model_->entry(left.row());
    const LibraryEntry& b = model_->entry(right.row());
    // Ties fall back on the scan's order, so equal rows keep a stable place.
    const auto tie = [&] { return left.row() < right.row(); };
    const auto byText = [&](const QString& x, const QString& y) {
        const int c = x.compare(y, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : tie();
    };
    switch (left.column()) {
        case LibraryModel::Star:  // favourites first
            return a.marks.favourite != b.marks.favourite ? a.marks.favourite : tie();
        case LibraryModel::Name:
            return a.sortName != b.sortName ? a.sortName < b.sortName : tie();
        case LibraryModel::Model:
            return byText(a.model, b.model);
        case LibraryModel::Status: {
            const auto key = [](const TriageView& t) {
                return std::pair(int(t.status), t.substitutions + t.removals);
            };
            return key(a.triage) != key(b.triage) ? key(a.triage) < key(b.triage) : tie();
        }
        case LibraryModel::Uses:
            return byText(a.uses, b.uses);
        case LibraryModel::Style:
            return byText(a.style, b.style);
        case LibraryModel::File:
            return byText(a.file, b.file);
        case LibraryModel::Duplicate: {
            // Presets without twins last.
            const auto key = [](const LibraryEntry& e) {
                return e.duplicateGroup.value_or(std::size_t(-1));
            };
            return key(a) != key(b) ? key(a) < key(b) : tie();
        }
        case LibraryModel::Result:
            return byText(LibraryModel::outcomeText(a.outcome),
                          LibraryModel::outcomeText(b.outcome));
        case LibraryModel::Tags:
            return byText(tagsText(a.marks), tagsText(b.marks));
    }
    return tie();
}

QString LibraryFilter::countLine() const {
    std::array<std::size_t, 5> counts{};
    const int shown = rowCount();
    for (int r = 0; r < shown; ++r)
        ++counts[std::size_t(model_->entry(mapToSource(index(r, 0)).row()).triage.status)];
    const int all = model_->rowCount();
    QString line = shown == all ? (all == 1 ? tr("1 preset") : tr("%1 presets").arg(number(all)))
                                : tr("%1 of %2 presets").arg(number(shown), number(all));
    const std::array<QString, 5> words = {tr("%1 fit"), tr("%1 convert"), tr("%1 cannot"),
                                          tr("%1 view only"), tr("%1 unreadable")};
    QStringList parts;
    for (std::size_t s = 0; s < counts.size(); ++s)
        if (counts[s]) parts << words[s].arg(number(counts[s]));
    if (!parts.isEmpty()) line += QStringLiteral(": ") + parts.join(QStringLiteral(", "));
    return line;
}

}  // namespace pw::ui
