#pragma once

#include <QString>

namespace store {

// The station's IPv4 address for the status bar: the last IPv4 address the host-name lookup
// returns, or empty text when there is no host name or no address. Never fails.
QString GetLocalIP();

} // namespace store
