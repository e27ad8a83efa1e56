#pragma once
// Inside this layer only: the Firebird client's entry points and the
// translation of engine failures into DatabaseError.
#include "EngineHandle.h"

#include <firebird/Interface.h>

#include <atomic>
#include <cstdint>
#include <functional>

namespace FirebirdClient {

// When the engine call now running on one connection began (steady clock
// ticks), 0 when none runs: what the stall watch reads (StallWatch.h).
struct CallInFlight {
    std::atomic<std::int64_t> since{0};
    // The connection's client side was closed under it (a stall, a stop): a
    // call that fails now failed for want of the connection.
    std::atomic<bool> aborted{false};
};

Firebird::IMaster* Master();
Firebird::IUtil* Util();

// Runs `call` with a throwing status wrapper; an engine failure becomes a
// DatabaseError carrying the engine's message (UTF-8) and first code. A call
// on a connection is timed in its `watched` slot (two reads of the steady
// clock), so a call that hangs on a stalled link is found and ended.
void Call(CallInFlight* watched, const std::function<void(Firebird::ThrowStatusWrapper&)>& call);
inline void Call(const std::function<void(Firebird::ThrowStatusWrapper&)>& call) { Call(nullptr, call); }

// Ends the handle with `end(interface, status)`, an engine call that frees
// the interface when it succeeds (detach, rollback, free). When it fails (the
// connection is gone, or the engine refuses) our reference is dropped
// instead, quietly. The handle is empty afterwards; an empty one is left as
// it is.
template <class T, class End>
void EndQuietly(EngineHandle<T>& handle, End end, CallInFlight* watched = nullptr) noexcept {
    if (!handle)
        return;
    try {
        Call(watched, [&](Firebird::ThrowStatusWrapper& status) { end(*handle, status); });
        Freed(handle);
    } catch (...) {
        handle.reset();
    }
}

}  // namespace FirebirdClient
