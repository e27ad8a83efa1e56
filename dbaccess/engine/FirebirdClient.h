#pragma once
// Inside this layer only: the Firebird client's entry points and the
// translation of engine failures into DatabaseError.
#include "EngineHandle.h"

#include <firebird/Interface.h>

#include <functional>

namespace FirebirdClient {

Firebird::IMaster* Master();
Firebird::IUtil* Util();

// Runs `call` with a throwing status wrapper; an engine failure becomes a
// DatabaseError carrying the engine's message (UTF-8) and first code.
void Call(const std::function<void(Firebird::ThrowStatusWrapper&)>& call);

// Ends the handle with `end(interface, status)`, an engine call that frees
// the interface when it succeeds (detach, rollback, free). When it fails (the
// connection is gone, or the engine refuses) our reference is dropped
// instead, quietly. The handle is empty afterwards; an empty one is left as
// it is.
template <class T, class End>
void EndQuietly(EngineHandle<T>& handle, End end) noexcept {
    if (!handle)
        return;
    try {
        Call([&](Firebird::ThrowStatusWrapper& status) { end(*handle, status); });
        Freed(handle);
    } catch (...) {
        handle.reset();
    }
}

}  // namespace FirebirdClient
