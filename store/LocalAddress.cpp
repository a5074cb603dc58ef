#include "store/LocalAddress.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <unistd.h>

namespace store {

QString GetLocalIP() {
    char hostName[64] = {};
    if (gethostname(hostName, sizeof hostName - 1) != 0)
        return QString();
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(hostName, nullptr, &hints, &found) != 0)
        return QString();
    QString result;
    for (addrinfo* entry = found; entry; entry = entry->ai_next) {
        char text[INET_ADDRSTRLEN] = {};
        const auto* address = reinterpret_cast<const sockaddr_in*>(entry->ai_addr);
        if (inet_ntop(AF_INET, &address->sin_addr, text, sizeof text))
            result = QString::fromLatin1(text);
    }
    freeaddrinfo(found);
    return result;
}

} // namespace store
