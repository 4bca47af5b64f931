// SPDX-License-Identifier: GPL-3.0-or-later
#include "column_widths.h"

#include <QStringList>
#include <algorithm>
#include <vector>

#include "library_model.h"

namespace pw::ui {
namespace {

// The statuses in full, with at least a two-digit count of changes.
QStringList everyStatus(const LibraryModel& model) {
    std::size_t changes = 99;
    for (const LibraryEntry& e : model.entries())
        changes = std::max(changes, e.triage.substitutions + e.triage.removals);
    QStringList texts;
    for (LibraryStatus status :
         {LibraryStatus::Fits, LibraryStatus::Converts, LibraryStatus::Cannot,
          LibraryStatus::ViewOnly, LibraryStatus::Unreadable}) {
        TriageView view;
        view.status = status;
        view.substitutions = changes;
        texts << LibraryModel::statusText(view);
    }
    return texts;
}

// The texts of the column with the most characters.
QStringList longest(const LibraryModel& model, int column) {
    constexpr std::size_t kMeasured = 8;
    std::vector<QString> most;
    const auto longer = [](const QString& a, const QString& b) { return a.size() > b.size(); };
    for (int row = 0; row < model.rowCount(); ++row) {
        QString text = model.index(row, column).data().toString();
        if (most.size() == kMeasured && text.size() <= most.back().size()) continue;
        if (most.size() == kMeasured) most.pop_back();
        most.insert(std::upper_bound(most.begin(), most.end(), text, longer), std::move(text));
    }
    return QStringList(most.begin(), most.end());
}

}  // namespace

int widestText(const LibraryModel& model, int column, const QFontMetrics& metrics) {
    int widest = 0;
    const QStringList texts =
        column == LibraryModel::Status ? everyStatus(model) : longest(model, column);
    for (const QString& text : texts)
        widest = std::max(widest, metrics.horizontalAdvance(text));
    return widest;
}

}  // namespace pw::ui
