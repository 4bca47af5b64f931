// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The title and file types of File > Open.

#include <QString>
#include <QStringList>

namespace pw::ui {

QString openDialogTitle();
// The eleven file types in Qt's filter syntax, "All RP Patches" first.
QStringList openDialogFilters();

}  // namespace pw::ui
