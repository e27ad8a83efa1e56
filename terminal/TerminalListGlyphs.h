#pragma once
// The pictures of the two small buttons beside the terminal list: a green
// plus that adds a terminal and a red minus that removes the selected one.
// Their corner pixel is the see-through colour the themed button expects.
#include <QImage>

QImage AddTerminalGlyph();
QImage RemoveTerminalGlyph();
