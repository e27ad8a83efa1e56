#pragma once
// The small pictures left of the connection dialog's button captions, drawn
// in code. Pixel (0, 0) is the see-through colour the buttons expect.
#include <QImage>

enum class TConnectGlyph { Test, Connect, Tools, Ping, Cancel };

QImage ConnectButtonGlyph(TConnectGlyph glyph);
