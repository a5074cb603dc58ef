#include "announce/Announce.h"

#include "platform/WavePlayer.h"
#include "resources/VoiceClips.h"

#include <QResource>

namespace announce {

namespace {

// Ends the announcement on every way out, so that the clips played before a missing one are
// heard before the error travels on.
class AnnouncementScope {
public:
    explicit AnnouncementScope(WavePlayer& player) : player(player) { player.beginAnnouncement(); }
    ~AnnouncementScope() { player.endAnnouncement(); }
    AnnouncementScope(const AnnouncementScope&) = delete;
    AnnouncementScope& operator=(const AnnouncementScope&) = delete;

private:
    WavePlayer& player;
};

QString fa(const QString& number) {
    return QStringLiteral("FA") + number;
}

} // namespace

ResourceNotFound::ResourceNotFound(const QString& clipName)
    : std::runtime_error(QStringLiteral("Resource %1 not found").arg(clipName).toStdString()),
      name(clipName) {}

QStringList clipNames(int Numero) {
    QStringList clips{QStringLiteral("TADKIRA")};
    if (Numero <= 100) {
        clips << fa(QString::number(Numero));
        return clips;
    }
    const QString s = QString::number(Numero);
    clips << fa(s.left(1) + QStringLiteral("00"));
    QString remainder = s.mid(1, 2);
    if (remainder == QStringLiteral("00"))
        return clips;
    clips << QStringLiteral("WA");
    if (remainder.startsWith(QLatin1Char('0')))
        remainder = remainder.mid(1);
    clips << fa(remainder);
    return clips;
}

QByteArrayView voiceClip(const QString& clipName) {
    static const bool registered = [] {
        initVoiceClips();
        return true;
    }();
    Q_UNUSED(registered);
    const QResource resource(QStringLiteral(":/voice/%1.wav").arg(clipName));
    if (!resource.isValid())
        throw ResourceNotFound(clipName);
    // The build stores the clips uncompressed, so the resource's bytes are the image itself.
    if (resource.compressionAlgorithm() != QResource::NoCompression)
        throw std::runtime_error("voice clip stored compressed: " + clipName.toStdString());
    return QByteArrayView(reinterpret_cast<const char*>(resource.data()), resource.size());
}

void announceTicket(int Numero, WavePlayer& player) {
    AnnouncementScope scope(player);
    for (const QString& name : clipNames(Numero))
        player.play(name, voiceClip(name));
}

} // namespace announce
