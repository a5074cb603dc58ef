#include "TestDatabase.h"

#include "store/Connection.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

namespace {

// Databases of the server live where its user can write them.
QString serverFolder() {
    const QString path = QStringLiteral("/tmp/appel-tests");
    QDir().mkpath(path);
    QFile::setPermissions(
        path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                  QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                  QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther);
    return path;
}

} // namespace

QString TestDatabase::fixture(const QString& name) {
    QFile file(QStringLiteral(TEST_DATA_DIR "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("missing fixture " + name.toStdString());
    return QString::fromUtf8(file.readAll());
}

TestDatabase::TestDatabase(const QStringList& fixtures, bool onServer, const QString& charSet)
    : dir(onServer ? serverFolder() + QStringLiteral("/dbXXXXXX")
                   : QDir::tempPath() + QStringLiteral("/appel-testXXXXXX")) {
    if (onServer)
        QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777));
    const QString file = dir.filePath(QStringLiteral("calllist.fdb"));
    location = onServer ? QStringLiteral("127.0.0.1:") + file : file;
    store::Connection connection;
    connection.setDatabase(location);
    connection.create(charSet);
    for (const QString& name : fixtures)
        connection.executeScript(fixture(name));
}

void TestDatabase::connect(store::Connection& connection) const {
    connection.setDatabase(location);
    connection.open();
}

void TestDatabase::execute(const QString& sql) const {
    store::Connection connection;
    connect(connection);
    connection.executeScript(sql);
}

void writeStationFile(const QString& folder, const QStringList& lines) {
    QFile file(QDir(folder).filePath(QStringLiteral("Ch.txt")));
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(lines.join(QStringLiteral("\r\n")).toUtf8());
}
