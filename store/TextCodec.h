#pragma once

#include <QByteArray>
#include <QString>

namespace store {

// Text from the database or a file: UTF-8 when the bytes are valid UTF-8, Windows-1252 otherwise.
QString decodeUtf8OrWindows1252(const QByteArray& bytes);

QString decodeWindows1252(const QByteArray& bytes);

bool isValidUtf8(const QByteArray& bytes);

} // namespace store
