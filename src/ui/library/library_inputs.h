// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What goes to the Library window rather than the main window: folders and packs.

#include <QString>

namespace pw::ui {

// A folder, or a file whose name says it is an archive the core library opens (.zip,
// .7z, .tar.gz, ...: library::isArchiveName).
bool isLibraryInput(const QString& path);

}  // namespace pw::ui
