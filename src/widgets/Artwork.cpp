#include "widgets/Artwork.h"

#include <QGuiApplication>
#include <QSize>
#include <QString>

// The resources sit in a static library, so nothing registers them when the
// program loads; the macro must be used outside any namespace.
static void registerArtwork() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(tallimo);
        return true;
    }();
    (void)registered;
}

namespace tallimo {

QIcon programIcon() {
    registerArtwork();
    QIcon icon;
    for (int n : {16, 32, 48, 96, 128, 256})
        icon.addFile(QStringLiteral(":/icons/hicolor/%1x%1/apps/tallimo.png").arg(n), QSize(n, n));
    return icon;
}

QPixmap systemPicture(int index) {
    if (index != 0 && index != 1)
        return {};
    registerArtwork();
    // On a screen scaled by 2 or more, the double-size picture keeps it sharp.
    if (qApp && qApp->devicePixelRatio() > 1.0) {
        QPixmap sharp(QStringLiteral(":/pictures/system%1@2x.png").arg(index));
        sharp.setDevicePixelRatio(2.0);
        return sharp;
    }
    return QPixmap(QStringLiteral(":/pictures/system%1.png").arg(index));
}

} // namespace tallimo
