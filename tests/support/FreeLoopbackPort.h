#pragma once

// A loopback port nobody listens on (taken from the system, then let go), so
// test programs running side by side do not collide.
int FreeLoopbackPort();
