#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

// What a WAVE image holds, as far as playing it needs: the PCM format and where the samples are.
struct WaveFormat {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    int blockAlign = 0;
    QByteArrayView samples; // points into the image
};

// Reads a RIFF WAVE image of uncompressed PCM. Returns nothing when the header is damaged or
// describes something else, so that a bad clip is skipped instead of played as noise.
std::optional<WaveFormat> readWaveFormat(QByteArrayView image);

// Plays WAVE images from memory, synchronously: play() returns when the clip has been handed
// over, endAnnouncement() when the last one has been heard. The clips of one announcement are
// played between beginAnnouncement() and endAnnouncement(), so a player can keep the device open
// across them and leave no gap. A clip that cannot be played is ignored, like a missing device.
class WavePlayer {
public:
    virtual ~WavePlayer();

    virtual void beginAnnouncement() {}
    virtual void play(const QString& clipName, QByteArrayView waveImage) = 0;
    virtual void endAnnouncement() noexcept {}
};

struct _snd_pcm;

// The ALSA player on the "default" device. Without a sound device it plays nothing, says
// nothing and returns at once.
class AlsaWavePlayer final : public WavePlayer {
public:
    AlsaWavePlayer();
    ~AlsaWavePlayer() override;
    AlsaWavePlayer(const AlsaWavePlayer&) = delete;
    AlsaWavePlayer& operator=(const AlsaWavePlayer&) = delete;

    void beginAnnouncement() override;
    void play(const QString& clipName, QByteArrayView waveImage) override;
    void endAnnouncement() noexcept override;

private:
    bool openFor(const WaveFormat& format);
    void write(const WaveFormat& format);
    void close() noexcept;

    _snd_pcm* pcm = nullptr;
    bool inAnnouncement = false;
    // Set when the device could not be opened during this announcement: no retry per clip.
    bool deviceMissing = false;
    int openChannels = 0;
    int openRate = 0;
    int openBits = 0;
};
