#pragma once
// The two ways display commands travel to the terminal, numbered as the
// protocol selection numbers them.
enum class Framing {
    StxEtx = 0,  // "VT100-STXETX": every command between STX (0x02) and ETX (0x03)
    Escape = 1,  // "VT100-ESC": the bare VT100 byte stream
};
