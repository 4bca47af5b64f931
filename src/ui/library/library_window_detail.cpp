// SPDX-License-Identifier: GPL-3.0-or-later
// The Library window's detail pane and Compare: the wiring between the table and them.

#include <QAction>
#include <QBoxLayout>
#include <QItemSelectionModel>
#include <QMenu>
#include <QSettings>
#include <QSortFilterProxyModel>
#include <QTableView>

#include "library/library_detail.h"
#include "library/library_model.h"
#include "library/library_window.h"

namespace pw::ui {
namespace {
constexpr char kDetailKey[] = "library/showDetail";
}

void LibraryWindow::buildDetail(QMenu* edit, QBoxLayout* layout) {
    detail_ = new LibraryDetail(this);
    layout->addWidget(detail_);
    edit->addSeparator();
    QAction* show = edit->addAction(tr("Show &Details"));
    show->setObjectName(QStringLiteral("showDetail"));
    show->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    show->setCheckable(true);
    show->setChecked(QSettings().value(QLatin1String(kDetailKey), true).toBool());
    detail_->setVisible(show->isChecked());
    connect(show, &QAction::toggled, this, [this](bool on) {
        QSettings().setValue(QLatin1String(kDetailKey), on);
        detail_->setVisible(on);
        refreshDetail();
    });
    QAction* compare = edit->addAction(tr("&Compare"), this, &LibraryWindow::compareSelected);
    compare->setObjectName(QStringLiteral("compare"));
    compare->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));

    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &LibraryWindow::refreshDetail);
    connect(table_->model(), &QAbstractItemModel::modelReset, this, &LibraryWindow::refreshDetail);
    connect(table_->model(), &QAbstractItemModel::layoutChanged, this,
            &LibraryWindow::refreshDetail);
    connect(table_->model(), &QAbstractItemModel::dataChanged, this, &LibraryWindow::refreshDetail);
}

void LibraryWindow::refreshDetail() {
    if (!detail_->isVisible()) return;
    const QModelIndex current = table_->currentIndex();
    const auto* proxy = static_cast<const QSortFilterProxyModel*>(table_->model());
    if (!current.isValid()) {
        detail_->showEntry(nullptr, library_->settings());
        return;
    }
    const auto row = static_cast<std::size_t>(proxy->mapToSource(current).row());
    detail_->showEntry(&model_->entry(int(row)), library_->settings(),
                       row < marks_.size() ? marks_.of(row) : collection::Marks{});
}

void LibraryWindow::compareSelected() {
    const QModelIndexList rows = table_->selectionModel()->selectedRows();
    if (rows.size() != 2) return;
    const auto* proxy = static_cast<const QSortFilterProxyModel*>(table_->model());
    comparePresets(model_->entry(proxy->mapToSource(rows[0]).row()),
                   model_->entry(proxy->mapToSource(rows[1]).row()), library_->settings(), this);
}

}  // namespace pw::ui
