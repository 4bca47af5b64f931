// SPDX-License-Identifier: GPL-3.0-or-later
#include "library_inputs.h"

#include <QFile>
#include <QFileInfo>

#include "library/source.h"

namespace pw::ui {

bool isLibraryInput(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir()) return true;
    return library::isArchiveName(QFile::encodeName(info.fileName()).toStdString());
}

}  // namespace pw::ui
