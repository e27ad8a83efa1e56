#pragma once
// The one way tests wait: for what they expect, never for a fixed time.
#include <chrono>
#include <functional>

// Asks `done` until it holds, pausing `pause` between two asks; false when it
// still does not hold once `limit` has passed. `limit` is a generous bound
// for a busy machine, reached only when the awaited thing never comes. A
// `done` that drives the other side itself (serves a simulated terminal,
// ticks a loop) takes a short pause or none.
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit,
               std::chrono::microseconds pause = std::chrono::milliseconds(50));
