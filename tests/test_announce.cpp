// The spoken announcement: which clips a ticket number composes, the clips themselves, and the
// real ALSA path, captured through a file sink.
#include "announce/Announce.h"
#include "platform/RecordingWavePlayer.h"
#include "platform/WavePlayer.h"

#include <QDir>
#include <QFile>
#include <QResource>
#include <QTemporaryDir>
#include <QtTest>
#include <climits>
#include <cstdlib>

namespace {

quint32 u32(const QByteArray& b, qsizetype at) {
    return quint32(quint8(b[at])) | quint32(quint8(b[at + 1])) << 8 |
           quint32(quint8(b[at + 2])) << 16 | quint32(quint8(b[at + 3])) << 24;
}

quint16 u16(const QByteArray& b, qsizetype at) {
    return quint16(quint8(b[at]) | quint8(b[at + 1]) << 8);
}

void putU32(QByteArray& b, qsizetype at, quint32 v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xFF);
}

void putU16(QByteArray& b, qsizetype at, quint16 v) {
    b[at] = char(v & 0xFF);
    b[at + 1] = char(v >> 8);
}

QStringList allClipNames() {
    QStringList names{QStringLiteral("TADKIRA"), QStringLiteral("WA")};
    for (int n = 0; n <= 100; ++n)
        names << QStringLiteral("FA%1").arg(n);
    for (int n = 200; n <= 900; n += 100)
        names << QStringLiteral("FA%1").arg(n);
    return names;
}

QByteArray clipBytes(const QString& name) {
    const QByteArrayView view = announce::voiceClip(name);
    return QByteArray(view.data(), view.size());
}

QByteArray samplesOf(const QString& name) {
    const auto format = readWaveFormat(announce::voiceClip(name));
    return format ? format->samples.toByteArray() : QByteArray();
}

// A small valid image: fmt, LIST/INFO, data, like the clips.
QByteArray smallWave() {
    QByteArray fmt(16, '\0');
    putU16(fmt, 0, 1);
    putU16(fmt, 2, 1);
    putU32(fmt, 4, 24000);
    putU32(fmt, 8, 48000);
    putU16(fmt, 12, 2);
    putU16(fmt, 14, 16);
    QByteArray info("INFOINAM\x04\0\0\0abc\0", 16);
    QByteArray data(200, '\x11');
    QByteArray body = "WAVE";
    body += "fmt " + QByteArray("\x10\0\0\0", 4) + fmt;
    QByteArray listSize(4, '\0');
    putU32(listSize, 0, quint32(info.size()));
    body += "LIST" + listSize + info;
    QByteArray dataSize(4, '\0');
    putU32(dataSize, 0, quint32(data.size()));
    body += "data" + dataSize + data;
    QByteArray riffSize(4, '\0');
    putU32(riffSize, 0, quint32(body.size()));
    return "RIFF" + riffSize + body;
}

constexpr qsizetype fmtBody = 20;                          // after RIFF, size, WAVE, "fmt ", size
constexpr qsizetype listChunk = fmtBody + 16;              // "LIST"
constexpr qsizetype dataChunk = listChunk + 8 + 4 + 8 + 4; // "data" of smallWave()

} // namespace

class TestAnnounce : public QObject {
    Q_OBJECT

private:
    QTemporaryDir work;
    QString capturePath;
    QString fileSinkConfig;
    QString noDeviceConfig;

    // Points alsa-lib at a configuration of our own; it re-reads it when the path changes.
    void useAlsaConfig(const QString& path) {
        qputenv("ALSA_CONFIG_PATH", QFile::encodeName(path));
    }

    QByteArray takeCapture() {
        QFile file(capturePath);
        QByteArray bytes;
        if (file.open(QIODevice::ReadOnly))
            bytes = file.readAll();
        file.close();
        QFile::remove(capturePath);
        return bytes;
    }

private slots:
    void initTestCase() {
        QVERIFY(work.isValid());
        capturePath = work.filePath(QStringLiteral("capture.raw"));
        // The file plugin appends through a pipe: the plain-file form truncates at every open.
        fileSinkConfig = work.filePath(QStringLiteral("file-sink.conf"));
        QFile sink(fileSinkConfig);
        QVERIFY(sink.open(QIODevice::WriteOnly));
        sink.write(QStringLiteral("pcm.!default { type file; slave.pcm { type null }; "
                                  "file \"|cat >> %1\"; format \"raw\" }\n")
                       .arg(capturePath)
                       .toUtf8());
        sink.close();
        noDeviceConfig = work.filePath(QStringLiteral("no-device.conf"));
        QFile none(noDeviceConfig);
        QVERIFY(none.open(QIODevice::WriteOnly));
        none.write("pcm.!default { type hw; card 7 }\n");
        none.close();
    }

    void composition_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QStringList>("clips");
        auto row = [](int n, QStringList clips) {
            QTest::addRow("%d", n) << n << (QStringList{QStringLiteral("TADKIRA")} + clips);
        };
        row(0, {"FA0"});
        row(7, {"FA7"});
        row(42, {"FA42"});
        row(99, {"FA99"});
        row(100, {"FA100"});
        row(101, {"FA100", "WA", "FA1"});
        row(105, {"FA100", "WA", "FA5"});
        row(110, {"FA100", "WA", "FA10"});
        row(120, {"FA100", "WA", "FA20"});
        row(200, {"FA200"});
        row(305, {"FA300", "WA", "FA5"});
        row(999, {"FA900", "WA", "FA99"});
        // From 1000 on: first digit as the hundred, next two characters as the remainder.
        row(1000, {"FA100"});
        row(1010, {"FA100", "WA", "FA1"});
        row(1234, {"FA100", "WA", "FA23"});
        row(2005, {"FA200"});
        row(INT_MAX, {"FA200", "WA", "FA14"});
    }

    void composition() {
        QFETCH(int, number);
        QFETCH(QStringList, clips);
        QCOMPARE(announce::clipNames(number), clips);
        RecordingWavePlayer player;
        announce::announceTicket(number, player);
        QCOMPARE(player.clips, clips);
        QCOMPARE(player.events.first(), QStringLiteral("begin"));
        QCOMPARE(player.events.last(), QStringLiteral("end"));
    }

    void negativeNumberFailsAfterTheOpeningPhrase_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("missing");
        QTest::addRow("-3") << -3 << "FA-3";
        QTest::addRow("-1") << -1 << "FA-1";
        QTest::addRow("INT_MIN") << INT_MIN << "FA-2147483648";
    }

    void negativeNumberFailsAfterTheOpeningPhrase() {
        QFETCH(int, number);
        QFETCH(QString, missing);
        RecordingWavePlayer player;
        try {
            announce::announceTicket(number, player);
            QFAIL("no error for a missing clip");
        } catch (const announce::ResourceNotFound& error) {
            QCOMPARE(error.clipName(), missing);
            QVERIFY(QString::fromUtf8(error.what()).contains(missing));
        }
        // The opening phrase was played and the announcement ended (heard) before the error.
        QCOMPARE(player.events, (QStringList{"begin", "TADKIRA", "end"}));
    }

    void everyClipIsEmbeddedInTheStatedFormat_data() {
        QTest::addColumn<QString>("name");
        for (const QString& name : allClipNames())
            QTest::newRow(qPrintable(name)) << name;
    }

    void everyClipIsEmbeddedInTheStatedFormat() {
        QFETCH(QString, name);
        const QResource resource(QStringLiteral(":/voice/%1.wav").arg(name));
        announce::voiceClip(name); // registers the clips
        QVERIFY(resource.isValid());
        QCOMPARE(resource.compressionAlgorithm(), QResource::NoCompression);

        const QByteArray b = clipBytes(name);
        QFile source(QStringLiteral(TEST_DATA_DIR "/../../resources/voice/%1.wav").arg(name));
        QVERIFY(source.open(QIODevice::ReadOnly));
        QCOMPARE(b, source.readAll());

        // RIFF, fmt (16 bytes), LIST/INFO, data, nothing after.
        QCOMPARE(b.left(4), QByteArray("RIFF"));
        QCOMPARE(qsizetype(u32(b, 4)), b.size() - 8);
        QCOMPARE(b.mid(8, 4), QByteArray("WAVE"));
        QCOMPARE(b.mid(12, 4), QByteArray("fmt "));
        QCOMPARE(u32(b, 16), 16u);
        QCOMPARE(u16(b, 20), quint16(1));  // PCM
        QCOMPARE(u16(b, 22), quint16(1));  // mono
        QCOMPARE(u32(b, 24), 24000u);      // samples per second
        QCOMPARE(u32(b, 28), 48000u);      // bytes per second
        QCOMPARE(u16(b, 32), quint16(2));  // block align
        QCOMPARE(u16(b, 34), quint16(16)); // bits per sample
        QCOMPARE(b.mid(36, 4), QByteArray("LIST"));
        const qsizetype listSize = u32(b, 40);
        QCOMPARE(b.mid(44, 4), QByteArray("INFO"));
        const qsizetype data = 44 + listSize + (listSize & 1);
        QCOMPARE(b.mid(data, 4), QByteArray("data"));
        const qsizetype dataSize = u32(b, data + 4);
        QCOMPARE(data + 8 + dataSize, b.size());
        const double seconds = double(dataSize) / 48000;
        QVERIFY2(seconds > 0.2 && seconds < 2.0, qPrintable(QString::number(seconds)));

        const auto format = readWaveFormat(b);
        QVERIFY(format);
        QCOMPARE(format->samples.size(), dataSize);
        QCOMPARE(format->samples.data(), b.constData() + data + 8);
    }

    void damagedHeaderIsRejected_data() {
        QTest::addColumn<QByteArray>("image");
        const QByteArray good = smallWave();
        auto damaged = [&](const char* what, auto change) {
            QByteArray b = good;
            change(b);
            QTest::newRow(what) << b;
        };
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("riff header only") << good.left(12);
        QTest::newRow("cut inside fmt") << good.left(30);
        QTest::newRow("cut inside data") << good.left(good.size() - 50);
        damaged("not RIFF", [](QByteArray& b) { b.replace(0, 4, "RIFX"); });
        damaged("not WAVE", [](QByteArray& b) { b.replace(8, 4, "AVI "); });
        damaged("float samples", [](QByteArray& b) { putU16(b, fmtBody, 3); });
        damaged("no channels", [](QByteArray& b) { putU16(b, fmtBody + 2, 0); });
        damaged("rate zero", [](QByteArray& b) { putU32(b, fmtBody + 4, 0); });
        damaged("byte rate wrong", [](QByteArray& b) { putU32(b, fmtBody + 8, 12345); });
        damaged("block align wrong", [](QByteArray& b) { putU16(b, fmtBody + 12, 7); });
        damaged("12 bits", [](QByteArray& b) { putU16(b, fmtBody + 14, 12); });
        damaged("fmt too short", [](QByteArray& b) { putU32(b, 16, 8); });
        damaged("chunk size past the end",
                [](QByteArray& b) { putU32(b, listChunk + 4, 1u << 30); });
        damaged("data size past the end",
                [](QByteArray& b) { putU32(b, dataChunk + 4, 0xFFFFFFF0u); });
        damaged("data before fmt", [](QByteArray& b) { b.replace(12, 4, "junk"); });
        damaged("no data chunk", [](QByteArray& b) { b.replace(dataChunk, 4, "date"); });
    }

    void damagedHeaderIsRejected() {
        QFETCH(QByteArray, image);
        QVERIFY(readWaveFormat(smallWave()));
        QVERIFY(!readWaveFormat(image));

        // The real player skips it: nothing reaches the device, no crash.
        useAlsaConfig(fileSinkConfig);
        QFile::remove(capturePath);
        AlsaWavePlayer player;
        player.beginAnnouncement();
        player.play(QStringLiteral("DAMAGED"), image);
        player.endAnnouncement();
        QCOMPARE(takeCapture(), QByteArray());
    }

    void alsaPlaysTheClipSamples_data() {
        QTest::addColumn<int>("number");
        QTest::newRow("305") << 305;
        QTest::newRow("999") << 999;
        QTest::newRow("7") << 7;
    }

    void alsaPlaysTheClipSamples() {
        QFETCH(int, number);
        useAlsaConfig(fileSinkConfig);
        takeCapture();
        AlsaWavePlayer player;
        announce::announceTicket(number, player);
        QByteArray expected;
        for (const QString& name : announce::clipNames(number))
            expected += samplesOf(name);
        const QByteArray captured = takeCapture();
        QCOMPARE(captured.size(), expected.size());
        QVERIFY(captured == expected);
    }

    void alsaHearsTheClipsBeforeAMissingOne() {
        useAlsaConfig(fileSinkConfig);
        takeCapture();
        AlsaWavePlayer player;
        QVERIFY_THROWS_EXCEPTION(announce::ResourceNotFound, announce::announceTicket(-3, player));
        QVERIFY(takeCapture() == samplesOf(QStringLiteral("TADKIRA")));
    }

    void alsaWithoutDeviceIsSilent() {
        useAlsaConfig(noDeviceConfig);
        AlsaWavePlayer player;
        announce::announceTicket(999, player);
        player.play(QStringLiteral("WA"), announce::voiceClip(QStringLiteral("WA")));
        QCOMPARE(takeCapture(), QByteArray());
    }

    void alsaClipOutsideAnAnnouncement() {
        useAlsaConfig(fileSinkConfig);
        takeCapture();
        AlsaWavePlayer player;
        player.play(QStringLiteral("WA"), announce::voiceClip(QStringLiteral("WA")));
        player.play(QStringLiteral("FA5"), announce::voiceClip(QStringLiteral("FA5")));
        QVERIFY(takeCapture() ==
                samplesOf(QStringLiteral("WA")) + samplesOf(QStringLiteral("FA5")));
    }
};

QTEST_GUILESS_MAIN(TestAnnounce)
#include "test_announce.moc"
