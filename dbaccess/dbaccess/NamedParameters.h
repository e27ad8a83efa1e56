#pragma once
// Named statement parameters: ":NAME" in an SQL text (outside quoted
// literals and identifiers) becomes the engine's "?", and the names are
// kept in order of appearance.
#include <string>
#include <vector>

struct PositionalSql {
    std::string text;
    std::vector<std::string> names;  // upper-case
};

PositionalSql ToPositionalParameters(const std::string& sql);
