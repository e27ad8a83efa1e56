#include "NamedParameters.h"

#include "QuotedText.h"

#include <cctype>

namespace {

bool IsNameCharacter(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$'; }

}  // namespace

PositionalSql ToPositionalParameters(const std::string& sql) {
    PositionalSql result;
    QuoteTracker quotes;
    for (std::size_t i = 0; i < sql.size(); ++i) {
        const char c = sql[i];
        if (quotes.Outside(c) && c == ':' && i + 1 < sql.size() && IsNameCharacter(sql[i + 1])) {
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
