// SPDX-License-Identifier: GPL-3.0-or-later
// The Library window's marks: the store opened with the window, the star, Hide, Tags and
// Note and Show hidden, each change one step of Undo and Redo.

#include <QAction>
#include <QBoxLayout>
#include <QCheckBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTableView>
#include <QUndoCommand>
#include <QUndoStack>
#include <algorithm>
#include <utility>

#include "collection/index_memory.h"
#include "library/library_model.h"
#include "library/library_window.h"
#include "library/marks_dialog.h"

namespace pw::ui {

// One change of marks, made already when pushed: Undo puts back what was before it.
class MarkCommand : public QUndoCommand {
  public:
    MarkCommand(LibraryWindow& window, collection::MarkEdit edit, const QString& text)
        : QUndoCommand(text), window_(window), edit_(std::move(edit)) {}
    void undo() override { apply(window_.marks_.undo(edit_)); }
    void redo() override {
        if (std::exchange(made_, false)) return;
        apply(window_.marks_.redo(edit_));
    }

  private:
    void apply(bool stored) {
        if (stored)
            window_.showMarks(edit_);
        else
            window_.statusBar()->showMessage(
                LibraryWindow::tr("The collection refused the change."), 5000);
    }
    LibraryWindow& window_;
    collection::MarkEdit edit_;
    bool made_ = true;
};

void LibraryWindow::buildMarks(QMenu* edit, QBoxLayout* quick) {
    const std::filesystem::path where = collection::Store::defaultPath();
    const std::string notice = collection::openNotice(store_.open(where), where);
    // Folders opened again show at once what the index knows of them.
    if (store_.available()) library_->setMemory(std::make_shared<collection::IndexMemory>(where));
    if (!notice.empty()) {
        // Above the table, where the scan's messages do not cover it.
        auto* said = new QLabel(QString::fromStdString(notice), table_->parentWidget());
        said->setObjectName(QStringLiteral("marksNotice"));
        said->setWordWrap(true);
        said->setTextInteractionFlags(Qt::TextSelectableByMouse);
        static_cast<QBoxLayout*>(table_->parentWidget()->layout())->insertWidget(0, said);
    }

    undo_ = new QUndoStack(this);
    QAction* undo = undo_->createUndoAction(this, tr("&Undo"));
    undo->setObjectName(QStringLiteral("undoMark"));
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = undo_->createRedoAction(this, tr("&Redo"));
    redo->setObjectName(QStringLiteral("redoMark"));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    QAction* first = edit->actions().value(0);
    edit->insertActions(first, {undo, redo});
    edit->insertSeparator(first);

    edit->addSeparator();
    favourite_ = edit->addAction(tr("F&avourite"), this, [this] {
        changeMarks(marks_.toggle(collection::Flag::Favourite, selectedRows()));
    });
    favourite_->setObjectName(QStringLiteral("favourite"));
    favourite_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
    hide_ = edit->addAction(tr("&Hide"), this, [this] {
        changeMarks(marks_.toggle(collection::Flag::Hidden, selectedRows()));
    });
    hide_->setObjectName(QStringLiteral("hide"));
    hide_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_H));
    tagsAndNote_ = edit->addAction(tr("&Tags and Note…"), this, &LibraryWindow::editTagsAndNote);
    tagsAndNote_->setObjectName(QStringLiteral("tagsAndNote"));
    tagsAndNote_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));

    showHidden_ = new QCheckBox(tr("Sho&w hidden"), this);
    showHidden_->setObjectName(QStringLiteral("showHidden"));
    quick->insertWidget(quick->indexOf(duplicatesOnly_) + 1, showHidden_);
    connect(showHidden_, &QCheckBox::toggled, filter_, &LibraryFilter::setShowHidden);
}

std::vector<std::size_t> LibraryWindow::selectedRows() const {
    std::vector<std::size_t> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows())
        rows.push_back(std::size_t(filter_->mapToSource(index).row()));
    std::sort(rows.begin(), rows.end());
    return rows;
}

void LibraryWindow::changeMarks(const collection::MarkChange& change) {
    if (!store_.available()) return;
    std::optional<collection::MarkEdit> edit = marks_.change(selectedRows(), change);
    if (!edit) {
        statusBar()->showMessage(tr("The collection refused the change."), 5000);
        return;
    }
    if (!edit->changed()) return;
    showMarks(*edit);
    const QString text = change.favourite ? tr("Favourite")
                         : change.hidden  ? tr("Hide")
                                          : tr("Tags and Note");
    undo_->push(new MarkCommand(*this, std::move(*edit), text));
}

void LibraryWindow::showMarks(const collection::MarkEdit& edit) {
    std::vector<std::pair<std::size_t, collection::Marks>> changes;
    for (std::size_t row : marks_.rowsOf(edit))
        changes.emplace_back(row, marks_.of(row));
    model_->setMarks(changes);
    fitColumn(LibraryModel::Tags);
    refreshMarkActions();
}

void LibraryWindow::editTagsAndNote() {
    const std::vector<std::size_t> rows = selectedRows();
    if (rows.empty() || !store_.available()) return;
    auto* dialog = new TagsNoteDialog(rows.size(), marks_.shared(rows), store_.tags(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] { changeMarks(dialog->change()); });
    dialog->open();
}

// A click on a star toggles the favourite of the selection, the row clicked in it (a row
// outside it is selected first); the selection stays.
bool LibraryWindow::starClicked(QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QModelIndex index = table_->indexAt(mouse->position().toPoint());
    if (mouse->button() != Qt::LeftButton || mouse->modifiers() != Qt::NoModifier ||
        index.column() != LibraryModel::Star || !store_.available())
        return false;
    if (!table_->selectionModel()->isRowSelected(index.row()))
        table_->selectionModel()->setCurrentIndex(
            index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    favourite_->trigger();
    return true;
}

void LibraryWindow::refreshMarkActions() {
    const std::vector<std::size_t> rows = selectedRows();
    const bool can = store_.available() && !rows.empty();
    for (QAction* action : {favourite_, hide_, tagsAndNote_})
        action->setEnabled(can);
    // Hide shows the hidden again when every preset selected is hidden.
    const bool unhide = can && !marks_.toggle(collection::Flag::Hidden, rows).hidden.value();
    hide_->setText(unhide ? tr("Un&hide") : tr("&Hide"));
    showHidden_->setEnabled(store_.available());
}

}  // namespace pw::ui
