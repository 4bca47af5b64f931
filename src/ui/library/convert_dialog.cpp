// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include "ui_text.h"

namespace pw::ui {
namespace {

const char* const kFolderKey = "library/outputFolder";

}  // namespace

QString ConvertDialog::rememberedFolder() {
    return QSettings().value(QLatin1String(kFolderKey)).toString();
}

ConvertDialog::ConvertDialog(std::size_t presets, TriageSettings settings, PlanRequest plan,
                             QWidget* parent)
    : QDialog(parent), presets_(presets), settings_(settings), plan_(std::move(plan)) {
    setObjectName(QStringLiteral("convertDialog"));
    setWindowTitle(tr("Convert"));
    auto* layout = new QVBoxLayout(this);
    const QString target = QString::fromUtf8(settings.target->caption.data(),
                                             qsizetype(settings.target->caption.size()));
    auto* what = new QLabel(
        presets_ == 1
            ? tr("Convert 1 preset for the %1 (amp channel %2).").arg(target, QChar(settings.amp))
            : tr("Convert %1 presets for the %2 (amp channel %3).")
                  .arg(number(presets_), target, QChar(settings.amp)),
        this);
    layout->addWidget(what);

    auto* form = new QFormLayout();
    auto* folderRow = new QHBoxLayout();
    folder_ = new QLineEdit(rememberedFolder(), this);
    folder_->setObjectName(QStringLiteral("outputFolder"));
    folder_->setMinimumWidth(320);
    auto* browse = new QPushButton(tr("&Browse…"), this);
    browse->setObjectName(QStringLiteral("browse"));
    folderRow->addWidget(folder_);
    folderRow->addWidget(browse);
    auto* folderLabel = new QLabel(tr("Output &folder:"), this);
    folderLabel->setBuddy(folder_);
    form->addRow(folderLabel, folderRow);
    layout->addLayout(form);

    resolve_ = new QCheckBox(
        tr("&Resolve Conflicts (substitute or remove what the %1 lacks)").arg(target), this);
    resolve_->setObjectName(QStringLiteral("resolve"));
    resolve_->setChecked(true);
    fixNames_ = new QCheckBox(tr("Fi&x Names (refused characters become \"_\")"), this);
    fixNames_->setObjectName(QStringLiteral("fixNames"));
    layout->addWidget(resolve_);
    layout->addWidget(fixNames_);

    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("summary"));
    summary_->setWordWrap(true);
    summary_->setTextFormat(Qt::PlainText);
    layout->addWidget(summary_);

    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons_->button(QDialogButtonBox::Ok)->setText(tr("&Convert"));
    connect(buttons_, &QDialogButtonBox::accepted, this, &ConvertDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &ConvertDialog::reject);
    layout->addWidget(buttons_);

    // Typing in the folder waits for a pause before the dry run starts again.
    settle_ = new QTimer(this);
    settle_->setSingleShot(true);
    settle_->setInterval(200);
    connect(settle_, &QTimer::timeout, this, &ConvertDialog::startDryRun);
    connect(folder_, &QLineEdit::textChanged, this, [this] {
        // What was worked out for another folder no longer holds.
        dryRun_.reset();
        buttons_->button(QDialogButtonBox::Ok)->setEnabled(false);
        showSummary(tr("Working out what will happen…"));
        settle_->start();
    });
    connect(resolve_, &QCheckBox::toggled, this, &ConvertDialog::startDryRun);
    connect(fixNames_, &QCheckBox::toggled, this, &ConvertDialog::startDryRun);
    connect(browse, &QPushButton::clicked, this, &ConvertDialog::browse);
    startDryRun();
}

library::ConvertOptions ConvertDialog::options() const {
    library::ConvertOptions o;
    o.settings = settings_;
    o.resolve = resolve_->isChecked();
    o.fixNames = fixNames_->isChecked();
    o.folder = std::filesystem::path(QFile::encodeName(folder_->text().trimmed()).toStdString());
    return o;
}

void ConvertDialog::browse() {
    const QString chosen =
        QFileDialog::getExistingDirectory(this, tr("Output Folder"), folder_->text());
    if (!chosen.isEmpty()) folder_->setText(chosen);
}

void ConvertDialog::startDryRun() {
    settle_->stop();
    dryRun_.reset();
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(false);
    const library::ConvertOptions o = options();
    if (o.folder.empty()) {
        showSummary(tr("Choose the folder the new presets go into."));
        return;
    }
    showSummary(tr("Working out what will happen…"));
    plan_(o);
}

void ConvertDialog::setPlan(library::ConversionPlan plan) {
    const library::ConvertOptions shown = options();
    const library::ConvertOptions& o = plan.options;
    if (plan.cancelled || settle_->isActive() || o.folder != shown.folder ||
        o.resolve != shown.resolve || o.fixNames != shown.fixNames || !(o.settings == settings_))
        return;
    DryRun run = dryRunView(std::move(plan));
    showSummary(run.summary());
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(run.plan.write > 0);
    dryRun_ = std::move(run);
    emit dryRunReady();
}

// The summary wraps: the dialog grows to show all of it, and cannot be made smaller.
void ConvertDialog::showSummary(const QString& text) {
    summary_->setText(text);
    layout()->activate();
    const int needed =
        std::max(layout()->totalHeightForWidth(width()), layout()->totalMinimumSize().height());
    setMinimumHeight(needed);
    if (height() < needed) resize(width(), needed);
}

void ConvertDialog::accept() {
    if (!dryRun_) return;
    QSettings().setValue(QLatin1String(kFolderKey), QDir(folder_->text().trimmed()).absolutePath());
    QDialog::accept();
}

}  // namespace pw::ui
