// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How wide the texts of a column of the Library's table get: the widest of every row's
// (only the longest few are measured, so that a large library costs little), and for the
// status the widest of every status there is, whichever the rows have now.

#include <QFontMetrics>

namespace pw::ui {

class LibraryModel;

// The width in pixels of the widest text `column` of `model` shows or, for the status,
// can show.
int widestText(const LibraryModel& model, int column, const QFontMetrics& metrics);

}  // namespace pw::ui
