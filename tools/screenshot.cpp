// SPDX-License-Identifier: GPL-3.0-or-later
// pw_screenshot PRESET OUTPUT.png: the main window with PRESET open, drawn into a PNG.
// Run it on Qt's offscreen platform (tools/screenshot.sh does), so no display is needed.

#include <QApplication>
#include <QFileInfo>
#include <QPixmap>
#include <cstdio>

#include "app_info.h"
#include "form1.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fputs("usage: pw_screenshot PRESET OUTPUT.png\n", stderr);
        return 64;
    }
    QApplication::setApplicationName(pw::ui::appTitle());
    pw::ui::Form1 window;
    window.show();
    window.openFile(QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath());
    QApplication::processEvents();
    if (!window.grab().save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "pw_screenshot: could not write %s\n", argv[2]);
        return 73;
    }
    return 0;
}
