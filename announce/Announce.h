#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <stdexcept>

class WavePlayer;

namespace announce {

// A voice clip the announcement needs is not in the program.
class ResourceNotFound : public std::runtime_error {
public:
    explicit ResourceNotFound(const QString& clipName);
    const QString& clipName() const { return name; }

private:
    QString name;
};

// The clip names that speak the ticket number, in order. Worked on the number's decimal text:
// a first digit of 1 to 9 is its hundred, the next two characters its remainder, further digits
// are not spoken. A negative number composes a name that does not exist ("FA-3").
QStringList clipNames(int Numero);

// The WAVE image of a clip, straight from the program's resources (no copy).
// Throws ResourceNotFound when there is no such clip.
QByteArrayView voiceClip(const QString& clipName);

// Speaks the ticket number: plays its clips one after the other and returns when the last one
// has been heard. A missing clip throws ResourceNotFound after the clips before it were heard.
// Pumps no window messages.
void announceTicket(int Numero, WavePlayer& player);

} // namespace announce
