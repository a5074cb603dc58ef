#include "platform/Fonts.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QStringList>

void registerStationFonts() {
    const QString wineFonts = QStringLiteral("/usr/share/wine/fonts/");
    for (const char* file : {"tahoma.ttf", "tahomabd.ttf"}) {
        const QString path = wineFonts + QLatin1String(file);
        if (QFile::exists(path))
            QFontDatabase::addApplicationFont(path);
    }
    // Same metrics as the faces the windows were designed with; the Arabic face comes after, so
    // Arabic letters asked of these families are still drawn joined.
    QFont::insertSubstitutions(QStringLiteral("Calibri"),
                               {QStringLiteral("Carlito"), QLatin1String(arabicFamily)});
    QFont::insertSubstitutions(QStringLiteral("Arabic Transparent"),
                               {QStringLiteral("Liberation Sans"), QLatin1String(arabicFamily)});
}

QFont pixelFont(const QString& family, int pixels, bool bold) {
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QFont calibriBold(int pixels) {
    return pixelFont(QStringLiteral("Calibri"), pixels, true);
}
