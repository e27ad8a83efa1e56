#pragma once
// The results of the terminal library that the program and our stand-in for
// the library must read the same way.

// What LerBuffer reads (in its low 16 bits) while the library cannot reach
// the terminal; the first other result means the terminal is back.
inline constexpr int kNoConnectionCode = 65280;
