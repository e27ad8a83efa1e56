#include "NamedParameters.h"

#include <cctype>

namespace {

bool IsNameCharacter(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$';
}

}  // namespace

PositionalSql ToPositionalParameters(const std::string& sql)
{
    PositionalSql result;
    char quote = 0;
    for (std::size_t i = 0; i < sql.size(); ++i) {
        const char c = sql[i];
        if (quote) {
            if (c == quote)
                quote = 0;  // a doubled quote closes and reopens: same result
            result.text += c;
        } else if (c == '\'' || c == '"') {
            quote = c;
            result.text += c;
        } else if (c == ':' && i + 1 < sql.size() && IsNameCharacter(sql[i + 1])) {
            std::string name;
            while (i + 1 < sql.size() && IsNameCharacter(sql[i + 1]))
                name += static_cast<char>(std::toupper(static_cast<unsigned char>(sql[++i])));
            result.names.push_back(name);
            result.text += '?';
        } else {
            result.text += c;
        }
    }
    return result;
}
