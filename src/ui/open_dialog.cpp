// SPDX-License-Identifier: GPL-3.0-or-later
#include "open_dialog.h"

#include "document/open_file_types.h"
#include "ui_text.h"

namespace pw::ui {

QString openDialogTitle() {
    return qs(document::kOpenDialogTitle);
}

QStringList openDialogFilters() {
    // Qt writes a file type as "Description (pattern pattern)".
    QStringList filters;
    for (const document::FileType& type : document::openFileTypes()) {
        QString patterns = QString::fromStdString(type.patterns);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << QString::fromStdString(type.description) + QStringLiteral(" (") + patterns +
                       QLatin1Char(')');
    }
    return filters;
}

}  // namespace pw::ui
