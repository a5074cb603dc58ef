#include "store/Firebird.h"

#include <QString>
#include <ibase.h>

namespace store::fb {

namespace {
constexpr unsigned char lockTimeoutSeconds = 5;
} // namespace

const unsigned char readOnlyTransaction[] = {isc_tpb_version3, isc_tpb_read, isc_tpb_read_committed,
                                             isc_tpb_rec_version};
const unsigned readOnlyTransactionSize = sizeof(readOnlyTransaction);

const unsigned char writeTransaction[] = {isc_tpb_version3,
                                          isc_tpb_write,
                                          isc_tpb_read_committed,
                                          isc_tpb_rec_version,
                                          isc_tpb_wait,
                                          isc_tpb_lock_timeout,
                                          1,
                                          lockTimeoutSeconds};
const unsigned writeTransactionSize = sizeof(writeTransaction);

Firebird::IMaster* master() {
    static Firebird::IMaster* const instance = Firebird::fb_get_master_interface();
    return instance;
}

Firebird::IUtil* util() {
    static Firebird::IUtil* const instance = master()->getUtilInterface();
    return instance;
}

std::string message(const Firebird::FbException& error) {
    char buffer[1024];
    util()->formatStatus(buffer, sizeof buffer, error.getStatus());
    return QString::fromUtf8(buffer).simplified().toStdString();
}

void abandon(Firebird::ITransaction* transaction) {
    if (!transaction)
        return;
    Status status;
    try {
        transaction->rollback(&status);
    } catch (const Firebird::FbException&) {
        transaction->release();
    }
}

bool isConnectionLost(const Firebird::FbException& error) {
    const intptr_t* vector = error.getStatus()->getErrors();
    for (int i = 0; vector[i] != isc_arg_end; i += 2) {
        if (vector[i] != isc_arg_gds)
            continue;
        switch (vector[i + 1]) {
        case isc_network_error:
        case isc_net_read_err:
        case isc_net_write_err:
        case isc_lost_db_connection:
        case isc_att_shutdown:
        case isc_shutdown:
        case isc_bad_db_handle:
            return true;
        default:
            break;
        }
    }
    return false;
}

} // namespace store::fb
