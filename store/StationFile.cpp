#include "store/StationFile.h"

#include "store/TextCodec.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

namespace store {

namespace {

QString decodeByMark(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringDecoder::Utf16LE).decode(bytes.mid(2));
    if (bytes.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringDecoder::Utf16BE).decode(bytes.mid(2));
    return decodeUtf8OrWindows1252(bytes);
}

} // namespace

QStringList decodeStationFile(const QByteArray& bytes) {
    QString text = decodeByMark(bytes);
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    if (nul >= 0)
        text.truncate(nul);

    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < size && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append(text.mid(start));
    return lines;
}

QStringList readStationFile(const QString& folder, const QString& name) {
    QFile file(QDir(folder).filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        throw StationFileError(QStringLiteral("Fichier %1 illisible : %2")
                                   .arg(name, file.errorString())
                                   .toStdString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw StationFileError(QStringLiteral("Fichier %1 illisible : %2")
                                   .arg(name, file.errorString())
                                   .toStdString());
    return decodeStationFile(bytes);
}

} // namespace store
