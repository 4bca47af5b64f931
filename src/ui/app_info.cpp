// SPDX-License-Identifier: GPL-3.0-or-later
#include "app_info.h"

#include <QImageReader>

#include "pw_version.h"

#include "session/messenger.h"
#include "ui_text.h"

// The resources live in a static library, so they must be registered explicitly.
static void initPatchwrightResources() {
    Q_INIT_RESOURCE(patchwright);
}

namespace pw::ui {

QString appTitle() {
    return qs(kAppTitle);
}

QString versionText() {
    return QStringLiteral("%1.%2.%3")
        .arg(PW_VERSION_MAJOR)
        .arg(PW_VERSION_MINOR)
        .arg(PW_VERSION_PATCH);
}

QString mainCaption() {
    return appTitle() + QLatin1Char(' ') + versionText();
}

QIcon appIcon() {
    static const bool registered = (initPatchwrightResources(), true);
    (void)registered;
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/patchwright-%1.png").arg(size), QSize(size, size));
    // The drawing itself, where Qt can render SVG.
    if (QImageReader::supportedImageFormats().contains("svg"))
        icon.addFile(QStringLiteral(":/icons/patchwright.svg"));
    return icon;
}

QFont windowFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("Nimbus Sans"), QStringLiteral("Helvetica"),
                      QStringLiteral("DejaVu Sans Condensed")});
    font.setPixelSize(11);
    return font;
}

}  // namespace pw::ui
