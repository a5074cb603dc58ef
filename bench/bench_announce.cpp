// Figures of the spoken announcement:
//   - each clip's duration, loudness (ITU-R BS.1770 integrated, LUFS) and peak;
//   - the announcement played through the real ALSA player into a sink that consumes the samples
//     at the playback rate, like a sound card: wall time against the sum of the clips' durations,
//     and the longest moment the sink found no samples when it needed some (an audible gap);
//   - the player's own time with an unpaced sink and without a device.
// The paced sink is this program itself, started by alsa-lib's file plugin with --paced-sink.
#include "announce/Announce.h"
#include "platform/WavePlayer.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

QStringList allClipNames() {
    QStringList names{QStringLiteral("TADKIRA")};
    for (int n = 0; n <= 100; ++n)
        names << QStringLiteral("FA%1").arg(n);
    for (int n = 200; n <= 900; n += 100)
        names << QStringLiteral("FA%1").arg(n);
    names << QStringLiteral("WA");
    return names;
}

std::vector<double> samplesOf(const WaveFormat& format) {
    const auto* p = reinterpret_cast<const unsigned char*>(format.samples.data());
    std::vector<double> x(size_t(format.samples.size() / 2));
    for (size_t i = 0; i < x.size(); ++i)
        x[i] = double(qint16(quint16(p[2 * i] | p[2 * i + 1] << 8))) / 32768.0;
    return x;
}

struct Biquad {
    double b0, b1, b2, a1, a2;
    void run(std::vector<double>& x) const {
        double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
        for (double& v : x) {
            const double y = b0 * v + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
            x2 = x1;
            x1 = v;
            y2 = y1;
            y1 = y;
            v = y;
        }
    }
};

// The two K-weighting stages of BS.1770, designed for the clip's rate.
void kWeight(std::vector<double>& x, double rate) {
    const double A = std::pow(10.0, 3.999843853973347 / 40);
    double w0 = 2 * M_PI * 1681.974450955533 / rate;
    double alpha = std::sin(w0) / (2 * 0.7071752369554196);
    double c = std::cos(w0), s = 2 * std::sqrt(A) * alpha;
    double a0 = (A + 1) - (A - 1) * c + s;
    Biquad shelf{A * ((A + 1) + (A - 1) * c + s) / a0, -2 * A * ((A - 1) + (A + 1) * c) / a0,
                 A * ((A + 1) + (A - 1) * c - s) / a0, 2 * ((A - 1) - (A + 1) * c) / a0,
                 ((A + 1) - (A - 1) * c - s) / a0};
    w0 = 2 * M_PI * 38.13547087602444 / rate;
    alpha = std::sin(w0) / (2 * 0.5003270373238773);
    c = std::cos(w0);
    a0 = 1 + alpha;
    Biquad highPass{(1 + c) / 2 / a0, -(1 + c) / a0, (1 + c) / 2 / a0, -2 * c / a0,
                    (1 - alpha) / a0};
    shelf.run(x);
    highPass.run(x);
}

// Integrated loudness with the absolute and relative gates; a clip shorter than one 400 ms
// block is measured as one block.
double loudness(std::vector<double> x, double rate) {
    kWeight(x, rate);
    const size_t block = size_t(0.4 * rate), step = size_t(0.1 * rate);
    std::vector<double> powers;
    auto power = [&](size_t from, size_t n) {
        double sum = 0;
        for (size_t i = from; i < from + n; ++i)
            sum += x[i] * x[i];
        return sum / double(n);
    };
    if (x.size() <= block)
        powers.push_back(power(0, x.size()));
    else
        for (size_t s = 0; s + block <= x.size(); s += step)
            powers.push_back(power(s, block));
    auto lufs = [](double p) { return -0.691 + 10 * std::log10(p); };
    auto gatedMean = [&](double gate) {
        double sum = 0;
        int n = 0;
        for (double p : powers)
            if (p > 0 && lufs(p) > gate) {
                sum += p;
                ++n;
            }
        return n ? sum / n : 0.0;
    };
    const double relativeGate = lufs(gatedMean(-70)) - 10;
    return lufs(gatedMean(relativeGate));
}

double peakDb(const std::vector<double>& x) {
    double peak = 0;
    for (double v : x)
        peak = std::max(peak, std::abs(v));
    return 20 * std::log10(peak);
}

double clipSeconds(const QString& name) {
    const auto format = readWaveFormat(announce::voiceClip(name));
    return double(format->samples.size()) / (format->sampleRate * format->blockAlign);
}

// The sink: reads stdin at `bytesPerSecond` in 2.5 ms slices from the first byte on, with the
// pipe shrunk to one page so the writer cannot run far ahead. Appends to `report`: bytes
// consumed, then the longest and the total time spent waiting for samples that were due.
int pacedSink(int bytesPerSecond, const char* report) {
    fcntl(0, F_SETPIPE_SZ, 4096);
    const int slice = bytesPerSecond / 400;
    std::vector<char> buffer(static_cast<size_t>(slice));
    long long total = 0;
    Clock::duration longestWait{}, totalWait{};
    Clock::time_point start;
    for (long long n = 0;; ++n) {
        if (n > 0)
            std::this_thread::sleep_until(start + n * std::chrono::microseconds(2500));
        int got = 0;
        const auto due = Clock::now();
        while (got < slice) {
            const ssize_t r = read(0, buffer.data() + got, size_t(slice - got));
            if (r <= 0)
                break;
            if (n == 0 && got == 0)
                start = Clock::now();
            got += int(r);
        }
        total += got;
        if (got < slice) // end of stream
            break;
        if (n > 0) {
            const auto wait = Clock::now() - due;
            longestWait = std::max(longestWait, wait);
            totalWait += wait;
        }
    }
    if (FILE* f = std::fopen(report, "a")) {
        using std::chrono::microseconds;
        std::fprintf(f, "%lld %lld %lld\n", total,
                     (long long)std::chrono::duration_cast<microseconds>(longestWait).count(),
                     (long long)std::chrono::duration_cast<microseconds>(totalWait).count());
        std::fclose(f);
    }
    return 0;
}

// Points alsa-lib at a configuration file of its own. A new file each time: alsa-lib notices a
// changed path at once, a rewritten file only when its time stamp changes.
void useAlsaConfig(const QTemporaryDir& work, const QString& name, const QString& pcm) {
    const QString path = work.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(pcm.toUtf8());
    file.close();
    qputenv("ALSA_CONFIG_PATH", QFile::encodeName(path));
}

// Times play() calls: the longest time between one clip's end of writing and the next one's start
// is the player's own share of any gap.
class TimingPlayer final : public WavePlayer {
public:
    explicit TimingPlayer(WavePlayer& inner) : inner(inner) {}
    void beginAnnouncement() override {
        inner.beginAnnouncement();
        lastEnd = {};
    }
    void play(const QString& name, QByteArrayView image) override {
        const auto begin = Clock::now();
        if (lastEnd != Clock::time_point{})
            longestBetween = std::max(longestBetween, begin - lastEnd);
        inner.play(name, image);
        lastEnd = Clock::now();
    }
    void endAnnouncement() noexcept override { inner.endAnnouncement(); }
    Clock::duration longestBetween{};

private:
    WavePlayer& inner;
    Clock::time_point lastEnd{};
};

double ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && QByteArray(argv[1]) == "--paced-sink")
        return pacedSink(std::atoi(argv[2]), argv[3]);
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);

    out << "clip       seconds     LUFS  peak dBFS\n";
    double minLufs = 1e9, maxLufs = -1e9, minSec = 1e9, maxSec = 0;
    for (const QString& name : allClipNames()) {
        const auto format = readWaveFormat(announce::voiceClip(name));
        const std::vector<double> x = samplesOf(*format);
        const double seconds = double(x.size()) / format->sampleRate;
        const double lu = loudness(x, format->sampleRate);
        minLufs = std::min(minLufs, lu);
        maxLufs = std::max(maxLufs, lu);
        minSec = std::min(minSec, seconds);
        maxSec = std::max(maxSec, seconds);
        out << QStringLiteral("%1 %2 %3 %4\n")
                   .arg(name, -8)
                   .arg(seconds, 8, 'f', 3)
                   .arg(lu, 8, 'f', 2)
                   .arg(peakDb(x), 9, 'f', 2);
    }
    out << QStringLiteral("durations %1 s to %2 s; loudness %3 to %4 LUFS (spread %5 LU)\n\n")
               .arg(minSec, 0, 'f', 3)
               .arg(maxSec, 0, 'f', 3)
               .arg(minLufs, 0, 'f', 2)
               .arg(maxLufs, 0, 'f', 2)
               .arg(maxLufs - minLufs, 0, 'f', 2);
    out.flush();

    QTemporaryDir work;
    const QString report = work.filePath(QStringLiteral("sink.txt"));
    AlsaWavePlayer alsa;
    TimingPlayer player(alsa);

    // Real-time: the sink consumes 48000 bytes/s, as a 24000 Hz 16-bit mono device does.
    useAlsaConfig(work, QStringLiteral("paced.conf"),
                  QStringLiteral("pcm.!default { type file; slave.pcm { type null }; "
                                 "file \"|%1 --paced-sink 48000 %2\"; format \"raw\" }\n")
                      .arg(QCoreApplication::applicationFilePath(), report));
    out << "Real-time sink (ALSA file plugin -> pipe -> consumer at 48000 bytes/s):\n"
        << "number  clips                          clips s   wall s   ratio  longest wait ms  "
           "player between clips ms\n";
    double worstRatio = 0, worstWait = 0;
    for (int number : {999, 305, 101, 7, 1234}) {
        const QStringList clips = announce::clipNames(number);
        double clipsTotal = 0;
        for (const QString& clip : clips)
            clipsTotal += clipSeconds(clip);
        QFile::remove(report);
        player.longestBetween = {};
        const auto begin = Clock::now();
        announce::announceTicket(number, player);
        const double wall = ms(Clock::now() - begin) / 1000;
        QFile sinkReport(report);
        long long bytes = 0, longestWaitUs = 0, totalWaitUs = 0;
        if (sinkReport.open(QIODevice::ReadOnly))
            std::sscanf(sinkReport.readAll().constData(), "%lld %lld %lld", &bytes, &longestWaitUs,
                        &totalWaitUs);
        worstRatio = std::max(worstRatio, wall / clipsTotal);
        worstWait = std::max(worstWait, longestWaitUs / 1000.0);
        out << QStringLiteral("%1  %2 %3 %4 %5 %6 %7   (%8 bytes, %9 expected)\n")
                   .arg(number, 6)
                   .arg(clips.join(QLatin1Char(' ')), -30)
                   .arg(clipsTotal, 8, 'f', 3)
                   .arg(wall, 8, 'f', 3)
                   .arg(wall / clipsTotal, 7, 'f', 3)
                   .arg(longestWaitUs / 1000.0, 16, 'f', 2)
                   .arg(ms(player.longestBetween), 24, 'f', 3)
                   .arg(bytes)
                   .arg(qint64(clipsTotal * 48000 + 0.5));
        out.flush();
    }
    out << QStringLiteral(
               "worst ratio %1 (target <= 1.05); longest gap heard by the sink %2 ms\n\n")
               .arg(worstRatio, 0, 'f', 3)
               .arg(worstWait, 0, 'f', 2);

    // The player's own cost: a sink that takes everything at once, and no device at all.
    useAlsaConfig(work, QStringLiteral("unpaced.conf"),
                  QStringLiteral("pcm.!default { type file; slave.pcm { type null }; "
                                 "file \"|cat > /dev/null\"; format \"raw\" }\n"));
    auto timeIt = [&](int runs) {
        const auto begin = Clock::now();
        for (int i = 0; i < runs; ++i)
            announce::announceTicket(999, alsa);
        return ms(Clock::now() - begin) / runs;
    };
    out << QStringLiteral(
               "tirvo(999) with an unpaced sink: %1 ms per announcement (player overhead)\n")
               .arg(timeIt(20), 0, 'f', 2);
    useAlsaConfig(work, QStringLiteral("no-card.conf"),
                  QStringLiteral("pcm.!default { type hw; card 7 }\n"));
    out << QStringLiteral("tirvo(999) with a missing card: %1 ms per announcement\n")
               .arg(timeIt(20), 0, 'f', 3);
    qunsetenv("ALSA_CONFIG_PATH");
    out << QStringLiteral("tirvo(999) with this machine's ALSA set-up: %1 ms per announcement\n")
               .arg(timeIt(20), 0, 'f', 3);
    return 0;
}
