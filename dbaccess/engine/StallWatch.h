#pragma once
// Inside this layer only: the watch over the engine calls of every open
// connection. A call that has waited for the server longer than
// Database::StalledCallBound (the link stalled: the server end stopped
// answering, its bytes held somewhere on the way) is ended by closing the
// connection's client side (the client's fb_cancel_abort): the call fails
// at once as a lost connection, and so does every later call on it until
// the connection is opened again. One thread of the process looks at the
// connections four times a second; the calls themselves only note their
// start and end (FirebirdClient::Call).
#include "ConnectionHandles.h"

namespace StallWatch {

// From a successful attach until the connection is closed.
void Watch(Database::Handles& connection);
void Unwatch(Database::Handles& connection) noexcept;
// Closes the client side of a watched connection at once, from any thread.
void Abort(Database::Handles& connection) noexcept;

}  // namespace StallWatch
