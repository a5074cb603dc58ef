#pragma once

// Shared pieces of our thin layer over the Firebird client library; private to store/.

#include "store/DbError.h"

#include <firebird/Interface.h>

namespace store::fb {

Firebird::IMaster* master();
Firebird::IUtil* util();

// The client library's message for a failed call, on one line.
std::string message(const Firebird::FbException& error);
// True when the failure means the link to the database is gone (server down, network cut).
bool isConnectionLost(const Firebird::FbException& error);

// The status object every call needs; disposed when the scope ends.
class Status {
public:
    Status() : wrapper(master()->getStatus()) {}
    ~Status() { wrapper.dispose(); }
    Status(const Status&) = delete;
    Status& operator=(const Status&) = delete;
    Firebird::ThrowStatusWrapper* operator&() { return &wrapper; }

private:
    Firebird::ThrowStatusWrapper wrapper;
};

// Rolls back a transaction that failed half-way, and releases it whatever happens.
void abandon(Firebird::ITransaction* transaction);

// Transaction parameter blocks: read committed, record version, and a lock timeout so that an
// update blocked by another writer ends with an error instead of freezing the window.
extern const unsigned char readOnlyTransaction[];
extern const unsigned readOnlyTransactionSize;
extern const unsigned char writeTransaction[];
extern const unsigned writeTransactionSize;

} // namespace store::fb
