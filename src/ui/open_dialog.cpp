#include "open_dialog.h"

namespace pw::ui {

QString openDialogTitle() {
    return QStringLiteral("Select a RP Patch, use FILE TYPE to filter specific patch model");
}

QStringList openDialogFilters() {
    return {
        QStringLiteral("All RP Patches (*.rp???p *.rp????p)"),
        QStringLiteral("RP150 (*.rp150p)"),
        QStringLiteral("RP155 (*.rp155p)"),
        QStringLiteral("RP250 (*.rp250p)"),
        QStringLiteral("RP255 (*.rp255p)"),
        QStringLiteral("RP350 (*.rp350p)"),
        QStringLiteral("RP355 (*.rp355p)"),
        QStringLiteral("RP500 (*.rp500p)"),
        QStringLiteral("RP1000 (*.rp1000p)"),
        QStringLiteral("GNX4 & GNX3K (*.g4p *.g3kp)"),
        QStringLiteral("GSP1101 (*.gsp1101p)"),
    };
}

}  // namespace pw::ui
