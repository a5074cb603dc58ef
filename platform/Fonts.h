#pragma once

#include <QFont>
#include <QString>

// Makes the faces the windows ask for by name available: Tahoma from the fonts-wine package
// (installed outside fontconfig's folders), Carlito for "Calibri" and Liberation Sans for
// "Arabic Transparent". Call once, after the application object exists.
void registerStationFonts();

// The face that draws Arabic letters (shaped and joined) next to a Latin face without them.
inline constexpr const char* arabicFamily = "Noto Sans Arabic";

// A face at a character height in pixels, as the windows are designed at 96 dots per inch.
QFont pixelFont(const QString& family, int pixels, bool bold = false);

// "Calibri" is used in bold wherever the windows use it.
QFont calibriBold(int pixels);
