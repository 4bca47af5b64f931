// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Convert Selected… / Convert All Shown…: the output folder (remembered between runs),
// Resolve Conflicts and Fix Names, and what will happen, worked out off the window's
// thread before anything is written.

#include <QDialog>
#include <optional>

#include "background_job.h"
#include "library_convert.h"

class QCheckBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QTimer;

namespace pw::ui {

class ConvertDialog : public QDialog {
    Q_OBJECT
  public:
    ConvertDialog(std::vector<PresetPtr> presets, TriageSettings settings, QWidget* parent);
    ~ConvertDialog() override;

    ConvertOptions options() const;
    // The dry run of the options shown, once it is known.
    const std::optional<DryRun>& dryRun() const { return dryRun_; }

    // The output folder remembered from the last run ("" for none).
    static QString rememberedFolder();

  signals:
    void dryRunReady();

  public slots:
    void accept() override;

  private:
    void browse();
    void startDryRun();
    void showSummary(const QString& text);

    std::vector<PresetPtr> presets_;
    TriageSettings settings_;
    QLineEdit* folder_ = nullptr;
    QCheckBox* resolve_ = nullptr;
    QCheckBox* fixNames_ = nullptr;
    QLabel* summary_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
    QTimer* settle_ = nullptr;
    BackgroundJob job_;
    unsigned generation_ = 0;
    std::optional<DryRun> dryRun_;
};

}  // namespace pw::ui
