// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Convert Selected… / Convert All Shown…: the output folder (remembered between runs),
// Resolve Conflicts and Fix Names, and what will happen: the library's plan for the
// options shown, asked for at each change and shown once it comes.

#include <QDialog>
#include <functional>
#include <optional>

#include "library_backend.h"
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
    // `plan` asks the library for the plan of some options; setPlan() brings it.
    using PlanRequest = std::function<void(const library::ConvertOptions&)>;
    ConvertDialog(std::size_t presets, TriageSettings settings, PlanRequest plan, QWidget* parent);

    library::ConvertOptions options() const;
    // A plan the library worked out; shown when it is for the options shown.
    void setPlan(library::ConversionPlan plan);
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

    std::size_t presets_;
    TriageSettings settings_;
    PlanRequest plan_;
    QLineEdit* folder_ = nullptr;
    QCheckBox* resolve_ = nullptr;
    QCheckBox* fixNames_ = nullptr;
    QLabel* summary_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
    QTimer* settle_ = nullptr;
    std::optional<DryRun> dryRun_;
};

}  // namespace pw::ui
