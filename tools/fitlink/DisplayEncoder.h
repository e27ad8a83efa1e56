#pragma once
// Display commands as the terminal library sends them: VT100 "ESC [ 2 J" to
// clear, "ESC [ line ; column H" to move the cursor, plain Windows-1252 bytes
// for text; each wrapped in STX ... ETX under the STX/ETX framing.
#include "Framing.h"

#include <string>
#include <string_view>

std::string EncodeClear(Framing framing);
std::string EncodeMoveCursor(Framing framing, int line, int column);
// Control bytes (below 0x20 and 0x7F) would break the framing; they travel
// as blanks.
std::string EncodeWrite(Framing framing, std::string_view text);
