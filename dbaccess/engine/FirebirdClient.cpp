#include "FirebirdClient.h"

#include "DatabaseError.h"
#include "Windows1252.h"

#include <chrono>

namespace FirebirdClient {

namespace {

// Codes that mean the attachment is gone: the network, the server or the
// database went away under it.
bool MeansConnectionLost(intptr_t code) {
    switch (code) {
    case isc_network_error:
    case isc_net_read_err:
    case isc_net_write_err:
    case isc_lost_db_connection:
    case isc_conn_lost:
    case isc_att_shutdown:
    case isc_shutdown: return true;
    default: return false;
    }
}

// Codes that mean another transaction's row or lock refused the work.
bool MeansLockConflict(long code) {
    switch (code) {
    case isc_lock_conflict:
    case isc_deadlock:
    case isc_update_conflict: return true;
    default: return false;
    }
}

// Whether any code of the status vector means a lost connection.
bool ConnectionLost(const intptr_t* vector) {
    while (*vector != isc_arg_end) {
        const intptr_t kind = vector[0];
        if (kind == isc_arg_gds && MeansConnectionLost(vector[1]))
            return true;
        vector += kind == isc_arg_cstring ? 3 : 2;  // a counted string carries its length too
    }
    return false;
}

// Marks a call in flight on its connection for as long as it runs.
class TimedCall {
public:
    explicit TimedCall(CallInFlight* watched) : watched_(watched) {
        if (watched_)
            watched_->since.store(std::chrono::steady_clock::now().time_since_epoch().count(),
                                  std::memory_order_relaxed);
    }
    ~TimedCall() {
        if (watched_)
            watched_->since.store(0, std::memory_order_relaxed);
    }
    TimedCall(const TimedCall&) = delete;
    TimedCall& operator=(const TimedCall&) = delete;

private:
    CallInFlight* watched_;
};

}  // namespace

Firebird::IMaster* Master() {
    static Firebird::IMaster* const master = Firebird::fb_get_master_interface();
    return master;
}

Firebird::IUtil* Util() { return Master()->getUtilInterface(); }

void Call(CallInFlight* watched, const std::function<void(Firebird::ThrowStatusWrapper&)>& call) {
    const EngineHandle<Firebird::IStatus> raw(Master()->getStatus());
    Firebird::ThrowStatusWrapper status(raw.get());
    try {
        const TimedCall timed(watched);
        call(status);
    } catch (const Firebird::FbException& error) {
        char message[1024];
        Util()->formatStatus(message, sizeof message, error.getStatus());
        const intptr_t* errors = error.getStatus()->getErrors();
        const long code = errors[0] == isc_arg_gds ? static_cast<long>(errors[1]) : 0;
        const bool aborted = watched && watched->aborted.load();
        throw DatabaseError(Windows1252ToUtf8(Windows1252Text(message)), code, aborted || ConnectionLost(errors),
                            MeansLockConflict(code));
    }
}

}  // namespace FirebirdClient
