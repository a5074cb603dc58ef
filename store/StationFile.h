#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <stdexcept>

namespace store {

// The station file could not be used; the message is shown to the receptionist.
struct StationFileError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Decodes the bytes of a station file into its lines: a byte-order mark selects UTF-8, UTF-16 LE
// or UTF-16 BE; without one the bytes are UTF-8 where valid, Windows-1252 otherwise. Lines end at
// CR LF, LF or CR; a final line without a break counts; a NUL ends the text; nothing is trimmed.
QStringList decodeStationFile(const QByteArray& bytes);

// Reads and decodes "Ch.txt" (or another name) in the given folder.
QStringList readStationFile(const QString& folder, const QString& name = QStringLiteral("Ch.txt"));

} // namespace store
