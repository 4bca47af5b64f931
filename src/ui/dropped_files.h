// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a drag brings that the windows take: files of this machine, not web links.

#include <QMimeData>
#include <QUrl>

namespace pw::ui {

// Whether a drag offers files: its first link names a local file.
inline bool offersLocalFiles(const QMimeData& dragged) {
    const QList<QUrl> urls = dragged.urls();
    return !urls.isEmpty() && urls.first().isLocalFile();
}

}  // namespace pw::ui
