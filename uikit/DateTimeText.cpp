#include "DateTimeText.h"

#include "QuotedText.h"
#include "Trim.h"

#include <cctype>
#include <cstdio>
#include <vector>

namespace {

const char* const kLongMonthNames[12] = {"janeiro", "fevereiro", "mar\xE7o", "abril",   "maio",     "junho",
                                         "julho",   "agosto",    "setembro", "outubro", "novembro", "dezembro"};
const char* const kShortMonthNames[12] = {"jan", "fev", "mar", "abr", "mai", "jun",
                                          "jul", "ago", "set", "out", "nov", "dez"};
const char* const kLongDayNames[7] = {"segunda-feira",
                                      "ter\xE7"
                                      "a-feira",
                                      "quarta-feira",
                                      "quinta-feira",
                                      "sexta-feira",
                                      "s\xE1"
                                      "bado",
                                      "domingo"};
const char* const kShortDayNames[7] = {"seg",
                                       "ter",
                                       "qua",
                                       "qui",
                                       "sex",
                                       "s\xE1"
                                       "b",
                                       "dom"};

constexpr int kTwoDigitYearWindow = 50;

std::string Padded(int number, int width) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*d", width, number);
    return text;
}

// Splits "12/05/2015" into its numbers; nothing when a part is empty, not
// made of digits, or too long to be a date part.
std::optional<std::vector<int>> Numbers(const std::string& text, char separator) {
    std::vector<int> numbers;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        const std::string part = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (part.empty() || part.size() > 4)
            return std::nullopt;
        for (char c : part)
            if (!std::isdigit(static_cast<unsigned char>(c)))
                return std::nullopt;
        numbers.push_back(std::stoi(part));
        if (end == std::string::npos)
            return numbers;
        start = end + 1;
    }
}

int FullYear(int year, std::size_t digits) {
    if (digits > 2)
        return year;
    const int centuryBase = DecodeDate(quorvel::Now()).Year - kTwoDigitYearWindow;
    year += centuryBase / 100 * 100;
    if (year < centuryBase)
        year += 100;
    return year;
}

}  // namespace

std::string LongMonthName(int month) { return kLongMonthNames[month - 1]; }
std::string ShortMonthName(int month) { return kShortMonthNames[month - 1]; }
std::string LongDayName(int isoWeekday) { return kLongDayNames[isoWeekday - 1]; }
std::string ShortDayName(int isoWeekday) { return kShortDayNames[isoWeekday - 1]; }

std::string FormatDateTime(const std::string& format, TDateTime value) {
    const TCalendarDate date = DecodeDate(value);
    const TTimeOfDay time = DecodeTime(value);
    std::string out;
    std::size_t i = 0;
    while (i < format.size()) {
        const char c = format[i];
        if (c == '"' || c == '\'') {
            QuotedLiteral literal = ReadQuotedLiteral(format, i);
            out += literal.content;
            i = literal.next;
            continue;
        }
        const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        std::size_t count = 1;
        while (i + count < format.size() && std::toupper(static_cast<unsigned char>(format[i + count])) == letter)
            ++count;
        switch (letter) {
        case 'D':
            out += count == 1   ? std::to_string(date.Day)
                   : count == 2 ? Padded(date.Day, 2)
                   : count == 3 ? ShortDayName(IsoDayOfWeek(value))
                                : LongDayName(IsoDayOfWeek(value));
            break;
        case 'M':
            out += count == 1   ? std::to_string(date.Month)
                   : count == 2 ? Padded(date.Month, 2)
                   : count == 3 ? ShortMonthName(date.Month)
                                : LongMonthName(date.Month);
            break;
        case 'Y': out += count <= 2 ? Padded(date.Year % 100, 2) : Padded(date.Year, 4); break;
        case 'H': out += count == 1 ? std::to_string(time.Hour) : Padded(time.Hour, 2); break;
        case 'N': out += count == 1 ? std::to_string(time.Minute) : Padded(time.Minute, 2); break;
        case 'S': out += count == 1 ? std::to_string(time.Second) : Padded(time.Second, 2); break;
        case 'Z': out += count == 1 ? std::to_string(time.Millisecond) : Padded(time.Millisecond, 3); break;
        default: out.append(count, c); break;
        }
        i += count;
    }
    return out;
}

std::string DateTimeToText(TDateTime value) {
    return TimeOf(value) == 0 ? FormatDateTime("DD/MM/YYYY", value) : FormatDateTime("DD/MM/YYYY HH:NN:SS", value);
}

std::optional<TDateTime> ParseDate(const std::string& text) {
    const std::string trimmed = std::string(quorvel::TrimSpaces(text));
    const auto numbers = Numbers(trimmed, '/');
    if (!numbers || numbers->size() < 2 || numbers->size() > 3)
        return std::nullopt;
    const int day = (*numbers)[0];
    const int month = (*numbers)[1];
    int year = DecodeDate(quorvel::Now()).Year;
    if (numbers->size() == 3)
        year = FullYear((*numbers)[2], trimmed.size() - trimmed.rfind('/') - 1);
    if (!IsValidDate(year, month, day))
        return std::nullopt;
    return EncodeDate(year, month, day);
}

std::optional<TDateTime> ParseTime(const std::string& text) {
    const auto numbers = Numbers(std::string(quorvel::TrimSpaces(text)), ':');
    if (!numbers || numbers->size() < 2 || numbers->size() > 3)
        return std::nullopt;
    const int hour = (*numbers)[0];
    const int minute = (*numbers)[1];
    const int second = numbers->size() == 3 ? (*numbers)[2] : 0;
    if (hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    return TDateTime{EncodeTime(hour, minute, second, 0)};
}

std::optional<TDateTime> ParseDateTime(const std::string& text) {
    const std::string trimmed = std::string(quorvel::TrimSpaces(text));
    const std::size_t blank = trimmed.find(' ');
    if (blank == std::string::npos) {
        if (auto date = ParseDate(trimmed))
            return date;
        return ParseTime(trimmed);
    }
    const auto date = ParseDate(trimmed.substr(0, blank));
    const auto time = ParseTime(trimmed.substr(blank + 1));
    if (!date || !time)
        return std::nullopt;
    return TDateTime{date->Days + time->Days};
}
