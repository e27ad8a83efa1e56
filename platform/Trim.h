#pragma once
// Blanks and control characters (every byte up to and including the space)
// removed from both ends of a text, the trimming used for key mappings,
// command lines, replies, INI values and script statements.
#include <string>
#include <string_view>

namespace quorvel {

std::string Trim(std::string_view text);

// True when nothing but blanks and control characters is left after Trim.
bool IsBlank(std::string_view text);

// Only spaces removed from both ends: typed numbers and dates accept
// surrounding spaces but nothing else.
std::string_view TrimSpaces(std::string_view text);

}  // namespace quorvel
