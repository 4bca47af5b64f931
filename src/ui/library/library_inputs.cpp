// SPDX-License-Identifier: GPL-3.0-or-later
#include "library_inputs.h"

#include <QFileInfo>
#include <array>

namespace pw::ui {

bool isLibraryInput(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir()) return true;
    static constexpr std::array<const char*, 14> kPackEndings = {
        ".zip", ".7z",     ".rar",     ".tar",    ".tgz",     ".tbz2",   ".txz",
        ".tbz", ".tar.gz", ".tar.bz2", ".tar.xz", ".tar.zst", ".tar.lz", ".cab"};
    const QString name = info.fileName();
    for (const char* ending : kPackEndings)
        if (name.endsWith(QLatin1String(ending), Qt::CaseInsensitive)) return true;
    return false;
}

}  // namespace pw::ui
