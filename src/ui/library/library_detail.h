// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Library's detail pane under the table: the current preset's chain as it reads for
// the chosen target and amp channel, its file, model and status with the changes
// Resolve Conflicts would make, and the user's marks on it. And two presets of the Library side by
// side.

#include <QWidget>

#include "collection/collection_store.h"
#include "library_backend.h"
#include "library_entry.h"

class QLabel;

namespace pw::ui {

class ChainView;
class CompareWindow;

class LibraryDetail : public QWidget {
    Q_OBJECT
  public:
    explicit LibraryDetail(QWidget* parent);
    // Shows `entry` (null: nothing) as read for `settings`, with its `marks`. The same
    // preset with the same settings and marks is not read again, so a scan or triage
    // going on does not redraw it.
    void showEntry(const LibraryEntry* entry, const TriageSettings& settings,
                   const collection::Marks& marks = {});
    ChainView* chain() const { return chain_; }
    QLabel* facts() const { return facts_; }

  private:
    static QStringList marksLines(const collection::Marks& marks);
    ChainView* chain_ = nullptr;
    QLabel* facts_ = nullptr;
    PresetPtr shown_;
    TriageSettings settings_;
    TriageView triage_;
    collection::Marks marks_;
};

// Two presets of the Library side by side, read for `settings`; null (and a message) when
// one cannot be read.
CompareWindow* comparePresets(const LibraryEntry& a, const LibraryEntry& b,
                              const TriageSettings& settings, QWidget* parent);

}  // namespace pw::ui
