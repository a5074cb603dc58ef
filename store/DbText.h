#pragma once

#include "store/TextCodec.h"

#include <QByteArray>
#include <QString>

namespace store {

// Firebird character set numbers the station deals with.
enum CharSet : unsigned { CharSetNone = 0, CharSetOctets = 1, CharSetUtf8 = 4 };

// A text value exactly as the database sent it: its bytes and their character set. Keys read from
// a row are bound back with these bytes, so an update always matches the row it came from, also
// in columns of character set NONE holding single-byte text.
struct DbText {
    QByteArray bytes;
    unsigned charSet = CharSetUtf8;

    static DbText fromString(const QString& text) { return {text.toUtf8(), CharSetUtf8}; }
    QString toString() const { return decodeUtf8OrWindows1252(bytes); }
    bool isEmpty() const { return bytes.isEmpty(); }
    friend bool operator==(const DbText&, const DbText&) = default;
};

} // namespace store
