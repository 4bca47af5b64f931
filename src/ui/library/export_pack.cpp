// SPDX-License-Identifier: GPL-3.0-or-later
// File > Export as Pack… and Export Converted as Pack…: the selected presets, as they are
// or converted for the window's target and amp channel, put into one .zip with the
// report inside. A selection is packed at once, on the window's thread.

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMessageBox>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <algorithm>

#include "library/library_model.h"
#include "library/library_window.h"
#include "library/pack_presets.h"
#include "ui_text.h"

namespace pw::ui {

void LibraryWindow::buildExport(QMenu* file) {
    exportPack_ = file->addAction(tr("Export as &Pack…"), this, [this] { exportPack(false); });
    exportPack_->setObjectName(QStringLiteral("exportPack"));
    exportConverted_ =
        file->addAction(tr("Export Con&verted as Pack…"), this, [this] { exportPack(true); });
    exportConverted_->setObjectName(QStringLiteral("exportConvertedPack"));
}

// Asked for by an action that can be used only on a selection while the Library is idle.
void LibraryWindow::exportPack(bool converted) {
    std::vector<std::size_t> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows())
        rows.push_back(std::size_t(filter_->mapToSource(index).row()));
    std::sort(rows.begin(), rows.end());

    const QString suggested = QDir(lastPackFolder_.isEmpty() ? QDir::homePath() : lastPackFolder_)
                                  .filePath(tr("Presets.zip"));
    QString file;
    QFileDialog dialog(this, converted ? tr("Export Converted as Pack") : tr("Export as Pack"),
                       suggested, tr("Packs (*.zip)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("zip"));
    if (dialog.exec() == QDialog::Accepted) file = dialog.selectedFiles().value(0);
    if (file.isEmpty()) return;
    lastPackFolder_ = QFileInfo(file).absolutePath();

    std::vector<const library::Preset*> presets;
    for (std::size_t row : rows)
        presets.push_back(library_->presets()[row].get());
    library::PackOptions options;
    if (converted) {
        options.target = library_->settings().target;
        options.amp = library_->settings().amp;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const library::PackOutcome packed =
        library::packPresets(*writer_, QFile::encodeName(file).toStdString(), presets, options);
    QApplication::restoreOverrideCursor();

    const QString shown = QDir::toNativeSeparators(file);
    const bool ok = packed.written.io.ok();
    const QString text =
        ok ? tr("Packed %1 of %2 presets into %3.")
                     .arg(number(packed.packed))
                     .arg(number(rows.size()), shown) +
                 (packed.left ? tr("\nThe report inside says why the others were left out.")
                              : QString())
           : tr("The pack %1 could not be written: %2")
                 .arg(shown, QString::fromStdString(packed.written.io.error));
    auto* box = new QMessageBox(ok ? QMessageBox::Information : QMessageBox::Warning, tr("Library"),
                                text, QMessageBox::Close, this);
    box->setObjectName(QStringLiteral("packDone"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

}  // namespace pw::ui
