// SPDX-License-Identifier: GPL-3.0-or-later
// patchwright [FILE]: the main window; FILE is opened at start as File > Open would.

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>

#include "app_info.h"
#include "form1.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(pw::ui::appTitle());
    QApplication::setApplicationVersion(pw::ui::versionText());
    QApplication::setDesktopFileName(QStringLiteral("patchwright"));
    QApplication::setWindowIcon(pw::ui::appIcon());

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Opens, checks, converts and saves RP series preset files."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A preset file to open."),
                                 QStringLiteral("[FILE]"));
    parser.process(app);

    pw::ui::Form1 window;
    window.show();
    if (const QStringList files = parser.positionalArguments(); !files.isEmpty())
        window.openFile(QFileInfo(files.first()).absoluteFilePath());
    return QApplication::exec();
}
