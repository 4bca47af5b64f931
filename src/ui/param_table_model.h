// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The parameter list as a table for the list view: five text columns over the
// session's rows, each marked cell coloured by its mark and showing its glyph.

#include <QAbstractTableModel>

#include "session/session.h"

namespace pw::ui {

class ParamTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    // The cell's Mark, as an int.
    static constexpr int MarkRole = Qt::UserRole;

    explicit ParamTableModel(const Session& session, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Tells the views what the last command did to the rows: a new row count resets
    // the model, otherwise every cell is reported as changed.
    void sync();

    static QString columnTitle(int column);
    // The width in pixels of one of the list view's columns.
    static int columnWidth(int column);

  private:
    QString markTip(const Row& row, int column) const;

    const Session& session_;
    int shownRows_ = 0;
};

}  // namespace pw::ui
