#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <unistd.h>

namespace {
constexpr int answerWaitMs = 1000;
const QByteArray restoreCommand = "restore\n";
} // namespace

SingleInstance::SingleInstance(const QString& key, QObject* parent) : QObject(parent) {
    if (key.isEmpty())
        return;
    QLocalSocket probe;
    probe.connectToServer(key);
    if (probe.waitForConnected(answerWaitMs)) {
        otherRuns = true;
        probe.write(restoreCommand);
        probe.waitForBytesWritten(answerWaitMs);
        probe.disconnectFromServer();
        return;
    }
    server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(key)) {
        // A key left behind by an instance that crashed: nobody answered it, so take it over.
        QLocalServer::removeServer(key);
        server->listen(key);
    }
    connect(server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* peer = server->nextPendingConnection()) {
            connect(peer, &QLocalSocket::readyRead, this, [this, peer] {
                if (peer->readAll().contains("restore"))
                    emit restoreRequested();
            });
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
        }
    });
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultKey() {
    const QString executable = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    return QStringLiteral("appel-%1-%2").arg(getuid()).arg(executable.toLower());
}
