#pragma once

#include "platform/WavePlayer.h"

#include <QStringList>

// A player for tests: it plays nothing and remembers what it was asked to play.
class RecordingWavePlayer final : public WavePlayer {
public:
    void beginAnnouncement() override { events << QStringLiteral("begin"); }
    void play(const QString& clipName, QByteArrayView waveImage) override {
        clips << clipName;
        events << clipName;
        bytes += qsizetype(waveImage.size());
    }
    void endAnnouncement() noexcept override { events << QStringLiteral("end"); }

    QStringList clips;  // clip names, in the order played
    QStringList events; // "begin", clip names and "end", in order
    qsizetype bytes = 0;
};
