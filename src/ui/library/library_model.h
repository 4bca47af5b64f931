// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Library's table: one row per preset read, in the order the scan found them, told
// to the views row by row as presets arrive, are triaged again or converted; and the
// proxy that sorts it and filters it by the search text and the quick filters.

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <optional>
#include <utility>
#include <vector>

#include "library/query.h"
#include "library_entry.h"

namespace pw::library {
class Library;
}

namespace pw::ui {

class LibraryModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    // The star first, the tags last.
    enum Column {
        Star,
        Name,
        Model,
        Status,
        Uses,
        Style,
        File,
        Duplicate,
        Result,
        Tags,
        ColumnCount
    };
    // The row's LibraryStatus, as an int (status column only).
    static constexpr int StatusRole = Qt::UserRole;

    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    const LibraryEntry& entry(int row) const { return entries_[std::size_t(row)]; }
    const std::vector<LibraryEntry>& entries() const { return entries_; }

    void clear();
    void append(std::vector<LibraryEntry> batch);
    // New statuses for some rows (row, status), told to the views as changed rows.
    void setTriages(const std::vector<std::pair<std::size_t, TriageView>>& triages);
    void setDuplicateGroups(const std::vector<std::optional<std::size_t>>& groups);
    void setOutcomes(const std::vector<std::pair<std::size_t, Outcome>>& outcomes);
    // New marks for some rows: every cell of theirs changes (a hidden row is greyed).
    void setMarks(const std::vector<std::pair<std::size_t, collection::Marks>>& marks);

    static QString statusText(const TriageView& triage);
    static QString outcomeText(const Outcome& outcome);

  private:
    // Tells the views that `column` changed in the rows listed (sorted, ranges joined).
    void rowsChanged(std::vector<std::size_t> rows, int firstColumn, int lastColumn);

    std::vector<LibraryEntry> entries_;
};

// Sorts on every column and shows the rows the search and the quick filters let through.
class LibraryFilter : public QSortFilterProxyModel {
    Q_OBJECT
  public:
    explicit LibraryFilter(LibraryModel* model, QObject* parent = nullptr);

    // Text is matched here as the rows are filtered; a row ("Amp Type=...") is what the
    // library's search found.
    void setSearch(library::SearchText search, const library::Library& library);
    void setStatusFilter(std::optional<LibraryStatus> status);
    void setModelFilter(const QString& model);  // "" for every model
    void setDuplicatesOnly(bool only);
    void setShowHidden(bool show);  // hidden presets are left out unless shown

    // "2,002 presets: 1,310 fit, 540 convert, …" over the rows shown.
    QString countLine() const;

  protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

  private:
    LibraryModel* model_;
    library::SearchText search_;
    const library::Library* library_ = nullptr;
    std::optional<LibraryStatus> status_;
    QString modelFilter_;
    bool duplicatesOnly_ = false;
    bool showHidden_ = false;
};

}  // namespace pw::ui
