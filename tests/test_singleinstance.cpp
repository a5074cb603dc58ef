#include "platform/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool listening(const QString& key) {
    QLocalSocket probe;
    probe.connectToServer(key);
    return probe.waitForConnected(100);
}

} // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void secondGuardAsksTheFirstToComeForward();
    void emptyKeyTurnsTheGuardOff();
    void secondProcessEndsWithoutReadingTheStationFile();
};

void TestSingleInstance::secondGuardAsksTheFirstToComeForward() {
    const QString key = QStringLiteral("appel-test-%1").arg(QCoreApplication::applicationPid());
    SingleInstance first(key);
    QVERIFY(!first.anotherInstanceRuns());
    QSignalSpy restore(&first, &SingleInstance::restoreRequested);
    SingleInstance second(key);
    QVERIFY(second.anotherInstanceRuns());
    QVERIFY(restore.wait(2000));
}

void TestSingleInstance::emptyKeyTurnsTheGuardOff() {
    SingleInstance first{QString()};
    SingleInstance second{QString()};
    QVERIFY(!first.anotherInstanceRuns());
    QVERIFY(!second.anotherInstanceRuns());
}

// Two real processes of one executable, the second started under the same name in other letter
// case from another folder. Its working folder holds a FIFO named Ch.txt: reading it would block
// the second instance for good.
void TestSingleInstance::secondProcessEndsWithoutReadingTheStationFile() {
    QTemporaryDir firstFolder;
    QTemporaryDir secondFolder;
    // A name of this run's own, so that a station running on this machine is not disturbed.
    const QString name = QStringLiteral("appel-test-%1").arg(QCoreApplication::applicationPid());
    const QString lower = firstFolder.filePath(name);
    const QString upper = secondFolder.filePath(name.toUpper());
    QVERIFY(QFile::copy(QStringLiteral(STATION_EXE), lower));
    QVERIFY(QFile::copy(QStringLiteral(STATION_EXE), upper));
    QVERIFY(mkfifo(QFile::encodeName(secondFolder.filePath(QStringLiteral("Ch.txt"))), 0600) == 0);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess first;
    first.setProcessEnvironment(environment);
    first.setWorkingDirectory(firstFolder.path());
    first.start(lower, {});
    QVERIFY(first.waitForStarted());
    // The first instance is up once its guard listens.
    const QString key = QStringLiteral("appel-%1-%2").arg(getuid()).arg(name);
    QTRY_VERIFY_WITH_TIMEOUT(listening(key), 20000);
    QVERIFY2(first.state() == QProcess::Running, first.readAllStandardError().constData());

    QProcess second;
    second.setProcessEnvironment(environment);
    second.setWorkingDirectory(secondFolder.path());
    second.start(upper, {});
    QVERIFY(second.waitForFinished(20000));
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished();
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "test_singleinstance.moc"
