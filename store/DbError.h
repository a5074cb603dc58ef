#pragma once

#include <stdexcept>

namespace store {

// A database request failed; what() carries the client library's message.
struct DbError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

} // namespace store
