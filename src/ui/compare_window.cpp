// SPDX-License-Identifier: GPL-3.0-or-later
#include "compare_window.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "chain/chain.h"
#include "chain_view.h"
#include "params/patch_diff.h"
#include "ui_text.h"

namespace pw::ui {
namespace {

enum : int { kRowA, kRowB, kName, kId, kSideA, kSideB, kColumns };
constexpr int kDiffers = Qt::UserRole;

QString sideText(const Row& row) {
    return QObject::tr("%1 (Position %2, Value %3)")
        .arg(qs(row.setting()), qs(row.position()), qs(row.value()));
}

// By tile: whether the other chain lacks the block or holds it otherwise.
std::vector<bool> differing(const chain::Chain& mine, const chain::Chain& other) {
    std::vector<bool> marked;
    for (const chain::Tile& tile : mine.tiles) {
        const auto same = std::find_if(other.tiles.begin(), other.tiles.end(),
                                       [&](const chain::Tile& t) { return t.stage == tile.stage; });
        marked.push_back(same == other.tiles.end() ||
                         chain::tileDescription(*same) != chain::tileDescription(tile));
    }
    return marked;
}

}  // namespace

CompareWindow::CompareWindow(Side a, Side b, QWidget* parent)
    : QWidget(parent, Qt::Window), a_(std::move(a)), b_(std::move(b)) {
    setObjectName(QStringLiteral("CompareWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Compare – %1 and %2").arg(qs(a_.patchName), qs(b_.patchName)));
    chainA_ = new ChainView;
    chainB_ = new ChainView;
    chainA_->setAccessibleName(tr("Signal chain of %1").arg(a_.title));
    chainB_->setAccessibleName(tr("Signal chain of %1").arg(b_.title));
    chainA_->showChain(a_.rows, {});
    chainB_->showChain(b_.rows, {});
    chainA_->showChain(a_.rows, differing(chainA_->chain(), chainB_->chain()));
    chainB_->showChain(b_.rows, differing(chainB_->chain(), chainA_->chain()));

    list_ = new QTreeWidget;
    list_->setObjectName(QStringLiteral("compareRows"));
    list_->setRootIsDecorated(false);
    list_->setAllColumnsShowFocus(true);
    list_->setHeaderLabels({tr("A"), tr("B"), tr("Name"), tr("ID"), a_.title, b_.title});
    allRows_ = new QCheckBox(tr("Show &all rows"));
    connect(allRows_, &QCheckBox::toggled, this, &CompareWindow::fillRows);
    auto* next = new QPushButton(tr("&Next Difference"));
    auto* previous = new QPushButton(tr("&Previous Difference"));
    connect(next, &QPushButton::clicked, this, &CompareWindow::nextDifference);
    connect(previous, &QPushButton::clicked, this, &CompareWindow::previousDifference);
    // F8 and Shift+F8 at once, as a button's own shortcut would not.
    auto* nextKey = new QAction(this);
    nextKey->setShortcut(QKeySequence(Qt::Key_F8));
    connect(nextKey, &QAction::triggered, this, &CompareWindow::nextDifference);
    auto* previousKey = new QAction(this);
    previousKey->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F8));
    connect(previousKey, &QAction::triggered, this, &CompareWindow::previousDifference);
    addActions({nextKey, previousKey});
    summary_ = new QLabel;
    summary_->setObjectName(QStringLiteral("compareSummary"));

    auto* controls = new QHBoxLayout;
    controls->addWidget(summary_, 1);
    controls->addWidget(allRows_);
    controls->addWidget(previous);
    controls->addWidget(next);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("A: %1 (%2)").arg(a_.title, qs(a_.patchName))));
    layout->addWidget(ChainView::scrolled(chainA_));
    layout->addWidget(new QLabel(tr("B: %1 (%2)").arg(b_.title, qs(b_.patchName))));
    layout->addWidget(ChainView::scrolled(chainB_));
    layout->addLayout(controls);
    layout->addWidget(list_, 1);
    fillRows();
    list_->setFocus();
}

void CompareWindow::fillRows() {
    list_->clear();
    const PatchDiff diff = diffPatches(a_.patchName, a_.rows, b_.patchName, b_.rows);
    const std::vector<RowDiff> lines =
        allRows_->isChecked() ? alignPatches(a_.rows, b_.rows) : diff.rows;
    for (const RowDiff& line : lines) {
        const Row* ra = line.rowA != 0 ? &a_.rows.row(line.rowA) : nullptr;
        const Row* rb = line.rowB != 0 ? &b_.rows.row(line.rowB) : nullptr;
        const Row& any = ra != nullptr ? *ra : *rb;
        auto* item = new QTreeWidgetItem(list_);
        item->setText(kRowA, ra != nullptr ? QString::number(line.rowA) : QStringLiteral("–"));
        item->setText(kRowB, rb != nullptr ? QString::number(line.rowB) : QStringLiteral("–"));
        item->setText(kName, ra != nullptr && rb != nullptr && ra->name() != rb->name()
                                 ? tr("%1 → %2").arg(qs(ra->name()), qs(rb->name()))
                                 : qs(any.name()));
        item->setText(kId, qs(any.id()));
        item->setText(kSideA, ra != nullptr ? sideText(*ra) : tr("only in B"));
        item->setText(kSideB, rb != nullptr ? sideText(*rb) : tr("only in A"));
        const bool differs = line.kind != DiffKind::Changed || !line.columns.empty();
        item->setData(0, kDiffers, differs);
        if (differs) {
            QFont bold = list_->font();
            bold.setBold(true);
            for (int c = 0; c < kColumns; ++c)
                item->setFont(c, bold);
        }
    }
    for (int c = 0; c < kColumns; ++c)
        list_->resizeColumnToContents(c);
    QString text = diff.rows.empty()       ? tr("No difference")
                   : diff.rows.size() == 1 ? tr("1 difference")
                                           : tr("%1 differences").arg(diff.rows.size());
    if (diff.namesDiffer) text += tr("; the patch names differ");
    summary_->setText(text);
    if (list_->topLevelItemCount() > 0) list_->setCurrentItem(list_->topLevelItem(0));
}

void CompareWindow::stepDifference(int step) {
    const int count = list_->topLevelItemCount();
    for (int i = list_->indexOfTopLevelItem(list_->currentItem()) + step; i >= 0 && i < count;
         i += step)
        if (list_->topLevelItem(i)->data(0, kDiffers).toBool()) {
            list_->setCurrentItem(list_->topLevelItem(i));
            return;
        }
}

void CompareWindow::nextDifference() {
    stepDifference(1);
}

void CompareWindow::previousDifference() {
    stepDifference(-1);
}

}  // namespace pw::ui
