// SPDX-License-Identifier: GPL-3.0-or-later
#include "param_table_model.h"

#include <QGuiApplication>
#include <QPalette>
#include <array>

#include "mark_look.h"

namespace pw::ui {
namespace {

constexpr std::array<const char*, kColumnCount> kTitles = {"Name", "Setting", "ID", "Position",
                                                           "Value"};
// Widths in twips, 15 to the pixel.
constexpr std::array<int, kColumnCount> kWidthTwips = {1685, 1500, 800, 780, 780};

const char* cellWhat(int column) {
    switch (column) {
        case kId:
            return "ID";
        case kPosition:
            return "position";
        case kValue:
            return "value";
        case kSetting:
            return "setting";
        default:
            return "parameter";
    }
}

}  // namespace

ParamTableModel::ParamTableModel(const Session& session, QObject* parent)
    : QAbstractTableModel(parent), session_(session), shownRows_(int(session.rows().count())) {}

int ParamTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownRows_;
}

int ParamTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QString ParamTableModel::columnTitle(int column) {
    return column >= 0 && column < kColumnCount ? QString::fromLatin1(kTitles[column]) : QString();
}

int ParamTableModel::columnWidth(int column) {
    return (kWidthTwips.at(column) + 7) / 15;
}

QString ParamTableModel::markTip(const Row& row, int column) const {
    const QString target = QString::fromUtf8(session_.target().caption.data(),
                                             qsizetype(session_.target().caption.size()));
    switch (row.marks[column]) {
        case Mark::Conflict:
            return tr("Conflict: the %1 does not know this %2.").arg(target, cellWhat(column));
        case Mark::Change:
            return tr("Changed: written by Filter Patch or Model Select.");
        case Mark::Default:
            break;
    }
    return {};
}

QVariant ParamTableModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const ParamList& rows = session_.rows();
    const auto number = std::size_t(index.row()) + 1;
    if (!rows.hasRow(static_cast<long long>(number))) return {};
    const Row& row = rows.row(number);
    const int column = index.column();
    switch (role) {
        case Qt::DisplayRole:
            return QString::fromStdString(row.cells[column]);
        case Qt::ForegroundRole:
        case Qt::DecorationRole: {
            // The list's delegate draws the marks for its own background; other views
            // get them for the application's list background.
            const Mark mark = row.marks[column];
            if (mark == Mark::Default) return {};
            const QColor colour =
                markColour(mark, QGuiApplication::palette().color(QPalette::Base));
            if (role == Qt::ForegroundRole) return colour;
            return markIcon(mark, colour);
        }
        case MarkRole:
            return int(row.marks[column]);
        case Qt::ToolTipRole:
        case Qt::AccessibleDescriptionRole: {
            const QString tip = markTip(row, column);
            return tip.isEmpty() ? QVariant() : QVariant(tip);
        }
        default:
            return {};
    }
}

QVariant ParamTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    const QString title = columnTitle(section);
    return title.isEmpty() ? QVariant() : QVariant(title);
}

Qt::ItemFlags ParamTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void ParamTableModel::sync() {
    const int count = int(session_.rows().count());
    if (count != shownRows_) {
        beginResetModel();
        shownRows_ = count;
        endResetModel();
    } else if (count > 0) {
        emit dataChanged(index(0, 0), index(count - 1, kColumnCount - 1));
    }
}

}  // namespace pw::ui
