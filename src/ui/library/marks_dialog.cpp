// SPDX-License-Identifier: GPL-3.0-or-later
#include "marks_dialog.h"

#include <QCompleter>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QStringListModel>
#include <QVBoxLayout>
#include "ui_text.h"

namespace pw::ui {
namespace {

QString joined(const std::vector<std::string>& tags) {
    QStringList all;
    for (const std::string& tag : tags)
        all << QString::fromStdString(tag);
    return all.join(QStringLiteral(", "));
}

// Completes the tag being typed, the one after the last comma. The tags before it are
// those typed: a tag the list highlights is put in the field at once, and picking it
// then must not add it a second time.
class TagCompleter : public QCompleter {
  public:
    TagCompleter(const std::vector<std::string>& tags, QLineEdit* edit)
        : QCompleter(edit), typed_(edit->text()) {
        QStringList all;
        for (const std::string& tag : tags)
            all << QString::fromStdString(tag);
        setModel(new QStringListModel(all, this));
        setCaseSensitivity(Qt::CaseInsensitive);
        connect(edit, &QLineEdit::textEdited, this, [this](const QString& text) { typed_ = text; });
    }
    QStringList splitPath(const QString& path) const override {
        return {path.section(QLatin1Char(','), -1).trimmed()};
    }
    QString pathFromIndex(const QModelIndex& index) const override {
        const qsizetype comma = typed_.lastIndexOf(QLatin1Char(','));
        const QString before = comma < 0 ? QString() : typed_.left(comma + 1) + QLatin1Char(' ');
        return before + index.data().toString() + QStringLiteral(", ");
    }

  private:
    QString typed_;
};

}  // namespace

TagsNoteDialog::TagsNoteDialog(std::size_t presets, const collection::SharedMarks& shared,
                               const std::vector<std::string>& tagsInUse, QWidget* parent)
    : QDialog(parent), shared_(shared) {
    setObjectName(QStringLiteral("tagsAndNote"));
    setWindowTitle(tr("Tags and Note"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        presets == 1 ? tr("For the preset selected.")
                     : tr("For the %1 presets selected: a tag added or taken away here is "
                          "added to or taken from each.")
                           .arg(number(presets)),
        this));
    tags_ = new QLineEdit(joined(shared.tags), this);
    tags_->setObjectName(QStringLiteral("tags"));
    tags_->setPlaceholderText(tr("blues, live"));
    auto* completer = new TagCompleter(tagsInUse, tags_);
    tags_->setCompleter(completer);
    // The tag picked, after those typed before it, goes into the field however it was
    // picked (by key the line edit leaves its text as it was).
    connect(completer, qOverload<const QString&>(&QCompleter::activated), tags_,
            &QLineEdit::setText);
    note_ = new QLineEdit(QString::fromStdString(shared.note.value_or(std::string())), this);
    note_->setObjectName(QStringLiteral("note"));
    if (!shared.note) note_->setPlaceholderText(tr("Several notes: left as they are"));
    auto* form = new QFormLayout();
    form->addRow(tr("&Tags:"), tags_);
    form->addRow(tr("&Note:"), note_);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(std::max(width(), 420), height());
}

collection::MarkChange TagsNoteDialog::change() const {
    collection::MarkChange change =
        collection::tagChange(shared_.tags, collection::splitTags(tags_->text().toStdString()));
    const std::string note = note_->text().toStdString();
    if (note_->isModified()) change.note = note;
    return change;
}

}  // namespace pw::ui
