#include "store/StationFile.h"

#include <QTemporaryDir>
#include <QTest>

class TestStationFile : public QObject {
    Q_OBJECT
private slots:
    void decodes_data();
    void decodes();
    void missingFileIsAnError();
    void hugeFileIsReadWhole();
};

void TestStationFile::decodes_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    const QStringList four = {QStringLiteral("un"), QStringLiteral("Accueil é"), QString(),
                              QStringLiteral(" /data/base.fdb ")};
    QTest::newRow("utf-8 with mark, CR LF")
        << QByteArray("\xEF\xBB\xBFun\r\nAccueil \xC3\xA9\r\n\r\n /data/base.fdb \r\n") << four;
    QTest::newRow("utf-8 without mark, LF")
        << QByteArray("un\nAccueil \xC3\xA9\n\n /data/base.fdb \n") << four;
    QTest::newRow("windows-1252 without mark, CR")
        << QByteArray("un\rAccueil \xE9\r\r /data/base.fdb ") << four;
    QTest::newRow("utf-16 le") << QByteArray("\xFF\xFEu\0n\0\n\0A\0", 10)
                               << QStringList{QStringLiteral("un"), QStringLiteral("A")};
    QTest::newRow("utf-16 be") << QByteArray("\xFE\xFF\0u\0n\0\r\0\n\0A", 12)
                               << QStringList{QStringLiteral("un"), QStringLiteral("A")};
    QTest::newRow("mixed line ends, last line without break")
        << QByteArray("a\r\nb\nc\rd") << QStringList{"a", "b", "c", "d"};
    QTest::newRow("empty lines count")
        << QByteArray("\r\n\r\n\r\nx\r\n") << QStringList{"", "", "", "x"};
    QTest::newRow("CR CR is two breaks") << QByteArray("a\r\rb") << QStringList{"a", "", "b"};
    QTest::newRow("a NUL ends the text") << QByteArray("a\nb\0c\nd\n", 8) << QStringList{"a", "b"};
    QTest::newRow("binary bytes decode as windows-1252")
        << QByteArray("\x80\x9F\xFFz") << QStringList{QStringLiteral("\u20AC\u0178\u00FFz")};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("three lines") << QByteArray("a\nb\nc\n") << QStringList{"a", "b", "c"};
    QTest::newRow("blanks and tabs are kept")
        << QByteArray(" a\t\n\tb ") << QStringList{" a\t", "\tb "};
}

void TestStationFile::decodes() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QCOMPARE(store::decodeStationFile(bytes), lines);
}

void TestStationFile::missingFileIsAnError() {
    QTemporaryDir folder;
    QVERIFY_THROWS_EXCEPTION(store::StationFileError, store::readStationFile(folder.path()));
}

void TestStationFile::hugeFileIsReadWhole() {
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("Ch.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("nom\r\nposte\r\n\r\n/base.fdb\r\n");
    const QByteArray block(1 << 20, 'x');
    for (int i = 0; i < 100; ++i)
        file.write(block);
    file.close();
    const QStringList lines = store::readStationFile(folder.path());
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines.at(3), QStringLiteral("/base.fdb"));
}

QTEST_GUILESS_MAIN(TestStationFile)
#include "test_stationfile.moc"
