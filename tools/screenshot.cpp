// SPDX-License-Identifier: GPL-3.0-or-later
// pw_screenshot PRESET OUTPUT.png [LIBRARY.png [CHAIN.png COMPARE.png]]: the main window
// with PRESET open, drawn into a PNG; with LIBRARY.png also the Library window over a
// folder of realistic presets made for the picture; with CHAIN.png and COMPARE.png the
// Signal Chain window of PRESET and PRESET compared with a variant of it. Run it on Qt's offscreen
// platform (tools/screenshot.sh does), so no display is needed.

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QPixmap>
#include <QTableView>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "app_info.h"
#include "app_windows.h"
#include "collection/marking.h"
#include "chain_window.h"
#include "compare_window.h"
#include "form1.h"
#include "library/library_model.h"
#include "library/library_window.h"
#include "preset_variants.h"

namespace {

std::string readText(const QString& path) {
    std::ifstream in(QFile::encodeName(path).toStdString(), std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// Three packs of presets as they are downloaded, with a twin and a view-only one.
void makeLibrary(const QString& data, const QString& folder) {
    struct Made {
        const char* pack;
        const char* model;
        const char* sample;
        const char* name;
    };
    const Made made[] = {
        {"Blues Pack", "RP150", "crunch_time.rp150p", "Slow Blues"},
        {"Blues Pack", "RP250", "metal_zone.rp250p", "Texas Flood"},
        {"Blues Pack", "RP355", "dual_amp_lead.rp355p", "Tweed Breakup"},
        {"Blues Pack", "RP255", "surfs_up.rp255p", "Chicago Shuffle"},
        {"Metal Pack", "RP250", "metal_zone.rp250p", "Chug Machine"},
        {"Metal Pack", "RP350", "big_verb.rp350p", "Drop D Doom"},
        {"Metal Pack", "RP355", "dual_amp_lead.rp355p", "Shred Lead"},
        {"Metal Pack", "RP150", "crunch_time.rp150p", "Thrash Rhythm"},
        {"Ambient", "RP350", "big_verb.rp350p", "Cathedral"},
        {"Ambient", "RP255", "surfs_up.rp255p", "Shimmer Pad"},
        {"Ambient", "RP355", "dual_amp_lead.rp355p", "Swell & Delay"},
        {"Ambient", "RP250", "metal_zone.rp250p", "Frozen Lake"},
        {"Clean", "RP255", "surfs_up.rp255p", "Sparkle Clean"},
        {"Clean", "RP150", "crunch_time.rp150p", "Funk Strut"},
        {"Clean", "RP350", "big_verb.rp350p", "Jazz Box"},
    };
    unsigned seed = 7;
    for (const Made& m : made) {
        const QString dir = QDir(folder).filePath(QLatin1String(m.pack));
        QDir().mkpath(dir);
        const std::string sample = readText(QDir(data).filePath(QLatin1String(m.sample)));
        const QString file =
            QDir(dir).filePath(QLatin1String(m.name) + QLatin1String(std::strrchr(m.sample, '.')));
        std::ofstream(QFile::encodeName(file).toStdString(), std::ios::binary)
            << pwbench::presetVariant(sample, *pw::document::targetByCaption(m.model), seed++,
                                      m.name);
    }
    QFile::copy(QDir(data).filePath(QStringLiteral("surfs_up.rp255p")),
                QDir(folder).filePath(QStringLiteral("Clean/Surfs Up (copy).rp255p")));
    QFile::copy(QDir(data).filePath(QStringLiteral("surfs_up.rp255p")),
                QDir(folder).filePath(QStringLiteral("Clean/Surfs Up.rp255p")));
    // A download cut short.
    const std::string whole = readText(QDir(data).filePath(QStringLiteral("metal_zone.rp250p")));
    std::ofstream(
        QFile::encodeName(QDir(folder).filePath(QStringLiteral("Metal Pack/Broken.rp250p")))
            .toStdString(),
        std::ios::binary)
        << whole.substr(0, whole.size() / 2);
    QFile::copy(QDir(data).filePath(QStringLiteral("pluck_funk.g4p")),
                QDir(folder).filePath(QStringLiteral("Clean/Pluck Funk.g4p")));
}

// A few favourites and tags, as a user would have given them.
void markLibrary(const QString& folder) {
    pw::collection::Store store;
    if (!store.open(pw::collection::Store::defaultPath()).ok()) return;
    const auto mark = [&](const char* file, bool favourite, std::vector<std::string> tags) {
        pw::collection::MarkChange change;
        if (favourite) change.favourite = true;
        change.addTags = std::move(tags);
        pw::collection::markInputs(
            store, {QFile::encodeName(QDir(folder).filePath(QLatin1String(file))).toStdString()},
            change);
    };
    mark("Blues Pack/Texas Flood.rp250p", true, {"blues", "live"});
    mark("Blues Pack/Slow Blues.rp150p", false, {"blues"});
    mark("Ambient/Cathedral.rp350p", true, {"worship"});
    mark("Metal Pack/Drop D Doom.rp350p", false, {"practice"});
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 3 && argc != 4 && argc != 6) {
        std::fputs("usage: pw_screenshot PRESET OUTPUT.png [LIBRARY.png [CHAIN.png COMPARE.png]]\n",
                   stderr);
        return 64;
    }
    QApplication::setApplicationName(pw::ui::appTitle());
    // The marks shown come from a collection of the picture's own, not the user's.
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    pw::ui::Form1 window;
    pw::ui::AppWindows windows(window);
    window.show();
    window.openFile(QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath());
    QApplication::processEvents();
    if (!window.grab().save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "pw_screenshot: could not write %s\n", argv[2]);
        return 73;
    }
    if (argc == 3) return 0;

    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("Downloaded presets"));
    makeLibrary(QFileInfo(QString::fromLocal8Bit(argv[1])).absolutePath(), folder);
    markLibrary(folder);
    pw::ui::LibraryWindow* library = windows.openLibrary({folder});
    while (library->scanning() || library->model()->rowCount() == 0)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    library->table()->sortByColumn(pw::ui::LibraryModel::File, Qt::AscendingOrder);
    library->resize(1100, 700);
    library->table()->setCurrentIndex(library->filter()->index(2, 0));
    QApplication::processEvents();
    if (!library->grab().save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "pw_screenshot: could not write %s\n", argv[3]);
        return 73;
    }
    if (argc == 4) return 0;

    window.mnuSignalChain_Click();
    QApplication::processEvents();
    QWidget* chain = window.chainWindow();
    pw::ui::CompareWindow* compare =
        window.compareWith(QDir(folder).filePath(QStringLiteral("Metal Pack/Drop D Doom.rp350p")));
    if (compare == nullptr) return 70;
    compare->resize(1100, 720);
    QApplication::processEvents();
    for (const auto& [shot, file] :
         {std::pair<QWidget*, const char*>{chain, argv[4]}, {compare, argv[5]}})
        if (!shot->grab().save(QString::fromLocal8Bit(file), "PNG")) {
            std::fprintf(stderr, "pw_screenshot: could not write %s\n", file);
            return 73;
        }
    return 0;
}
