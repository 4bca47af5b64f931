// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tags and Note for the Library's selection: the tags every selected preset has, to add
// to and take from (completed from the tags in use, a comma between two), and the note
// they share, which sets every selected preset's note once edited.

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "collection/row_marks.h"

class QLineEdit;

namespace pw::ui {

class TagsNoteDialog : public QDialog {
    Q_OBJECT
  public:
    TagsNoteDialog(std::size_t presets, const collection::SharedMarks& shared,
                   const std::vector<std::string>& tagsInUse, QWidget* parent);
    // What the dialog's fields make of the selection's marks.
    collection::MarkChange change() const;
    QLineEdit* tags() const { return tags_; }
    QLineEdit* note() const { return note_; }

  private:
    collection::SharedMarks shared_;
    QLineEdit* tags_ = nullptr;
    QLineEdit* note_ = nullptr;
};

}  // namespace pw::ui
