#include "platform/WavePlayer.h"

#include <alsa/asoundlib.h>
#include <cstdint>
#include <cstring>

namespace {

quint32 readU32(const char* p) {
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return quint32(b[0]) | quint32(b[1]) << 8 | quint32(b[2]) << 16 | quint32(b[3]) << 24;
}

quint16 readU16(const char* p) {
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return quint16(b[0] | b[1] << 8);
}

bool isTag(const char* p, const char* tag) {
    return std::memcmp(p, tag, 4) == 0;
}

// alsa-lib prints its own complaints (no card, unknown PCM) on stderr; the station reports none.
void ignoreAlsaMessages(const char*, int, const char*, int, const char*, ...) {}

snd_pcm_format_t alsaFormat(int bitsPerSample) {
    switch (bitsPerSample) {
    case 8:
        return SND_PCM_FORMAT_U8;
    case 16:
        return SND_PCM_FORMAT_S16_LE;
    case 24:
        return SND_PCM_FORMAT_S24_3LE;
    case 32:
        return SND_PCM_FORMAT_S32_LE;
    default:
        return SND_PCM_FORMAT_UNKNOWN;
    }
}

// How far ahead of the speaker the clips are written; draining waits this long at most.
constexpr unsigned latencyMicroseconds = 100000;

} // namespace

std::optional<WaveFormat> readWaveFormat(QByteArrayView image) {
    const char* base = image.data();
    const qsizetype size = image.size();
    if (size < 12 || !isTag(base, "RIFF") || !isTag(base + 8, "WAVE"))
        return std::nullopt;
    // The chunks end where the RIFF size says, or at the end of the image if it says more.
    const qsizetype end = std::min<qsizetype>(size, qsizetype(readU32(base + 4)) + 8);

    std::optional<WaveFormat> format;
    qsizetype pos = 12;
    while (pos + 8 <= end) {
        const char* chunk = base + pos;
        const qsizetype length = readU32(chunk + 4);
        if (length > end - pos - 8)
            return std::nullopt; // a chunk that runs past the image
        const char* body = chunk + 8;
        if (isTag(chunk, "fmt ")) {
            if (length < 16 || readU16(body) != 1) // 1: integer PCM
                return std::nullopt;
            WaveFormat f;
            f.channels = readU16(body + 2);
            f.sampleRate = int(readU32(body + 4));
            const quint32 byteRate = readU32(body + 8);
            f.blockAlign = readU16(body + 12);
            f.bitsPerSample = readU16(body + 14);
            if (f.channels < 1 || f.channels > 8 || f.sampleRate < 1000 || f.sampleRate > 384000 ||
                alsaFormat(f.bitsPerSample) == SND_PCM_FORMAT_UNKNOWN ||
                f.blockAlign != f.channels * f.bitsPerSample / 8 ||
                byteRate != quint32(f.sampleRate) * quint32(f.blockAlign))
                return std::nullopt;
            format = f;
        } else if (isTag(chunk, "data")) {
            if (!format)
                return std::nullopt; // samples of an unknown format
            format->samples = QByteArrayView(body, length - length % format->blockAlign);
            return format;
        }
        pos += 8 + length + (length & 1);
    }
    return std::nullopt;
}

WavePlayer::~WavePlayer() = default;

AlsaWavePlayer::AlsaWavePlayer() {
    snd_lib_error_set_handler(ignoreAlsaMessages);
}

AlsaWavePlayer::~AlsaWavePlayer() {
    close();
}

void AlsaWavePlayer::beginAnnouncement() {
    close();
    inAnnouncement = true;
    deviceMissing = false;
}

void AlsaWavePlayer::play(const QString&, QByteArrayView waveImage) {
    const std::optional<WaveFormat> format = readWaveFormat(waveImage);
    if (!format)
        return;
    if (!openFor(*format))
        return;
    write(*format);
    if (!inAnnouncement)
        close();
}

void AlsaWavePlayer::endAnnouncement() noexcept {
    close();
    inAnnouncement = false;
    deviceMissing = false;
}

bool AlsaWavePlayer::openFor(const WaveFormat& format) {
    if (pcm && openChannels == format.channels && openRate == format.sampleRate &&
        openBits == format.bitsPerSample)
        return true;
    close(); // a clip in another format: finish the previous one first
    if (deviceMissing)
        return false;
    if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, 0) < 0) {
        pcm = nullptr;
        deviceMissing = inAnnouncement;
        return false;
    }
    if (snd_pcm_set_params(pcm, alsaFormat(format.bitsPerSample), SND_PCM_ACCESS_RW_INTERLEAVED,
                           unsigned(format.channels), unsigned(format.sampleRate), 1,
                           latencyMicroseconds) < 0) {
        snd_pcm_close(pcm);
        pcm = nullptr;
        deviceMissing = inAnnouncement;
        return false;
    }
    openChannels = format.channels;
    openRate = format.sampleRate;
    openBits = format.bitsPerSample;
    return true;
}

void AlsaWavePlayer::write(const WaveFormat& format) {
    const char* data = format.samples.data();
    snd_pcm_uframes_t left = snd_pcm_uframes_t(format.samples.size() / format.blockAlign);
    while (left > 0) {
        snd_pcm_sframes_t written = snd_pcm_writei(pcm, data, left);
        if (written < 0) {
            // An underrun or a suspend: recover and go on; anything else ends this clip.
            if (snd_pcm_recover(pcm, int(written), 1) < 0)
                return;
            continue;
        }
        data += written * format.blockAlign;
        left -= snd_pcm_uframes_t(written);
    }
}

void AlsaWavePlayer::close() noexcept {
    if (!pcm)
        return;
    snd_pcm_drain(pcm);
    snd_pcm_close(pcm);
    pcm = nullptr;
    openChannels = openRate = openBits = 0;
}
