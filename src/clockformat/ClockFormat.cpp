#include "clockformat/ClockFormat.h"

#include <cstddef>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace clockformat {

namespace {

enum class Kind {
    Text,  // copied as it stands
    DateSeparator,
    TimeSeparator,
    Year4,
    Year2,
    DayOfYear,
    MonthOrMinute2,  // mm: decided once the neighbours are known
    MonthOrMinute1,
    Month2,
    Month1,
    MonthAbbreviation,
    MonthName,
    Day2,
    Day1,
    WeekdayAbbreviation,
    WeekdayName,
    WeekdayJapanese,
    WeekdayJapaneseLong,
    Hour2,
    Hour1,
    Minute2,
    Minute1,
    Second2,
    Second1,
    Marker,  // AM/PM, am/pm, A/P, a/p as written in the pattern
    WeekdayNumber,
    WeekOfYear,
    Quarter,
};

struct Token {
    Kind kind;
    std::string_view text;  // for Text and Marker
};

constexpr const char* kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                       "July",    "August",   "September", "October", "November", "December"};
constexpr const char* kWeekdayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                         "Thursday", "Friday", "Saturday"};
constexpr const char* kWeekdaysJapanese[] = {"日", "月", "火", "水", "木", "金", "土"};
constexpr int kDaysBeforeMonth[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool matchesIgnoringCase(std::string_view text, std::size_t at, std::string_view word) {
    if (text.size() - at < word.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (lower(text[at + i]) != word[i])
            return false;
    }
    return true;
}

std::size_t runLength(std::string_view text, std::size_t at) {
    const char letter = lower(text[at]);
    std::size_t end = at;
    while (end < text.size() && lower(text[end]) == letter)
        ++end;
    return end - at;
}

// The length of the whole UTF-8 character starting at `at`, so that a copied character is never split.
std::size_t characterLength(std::string_view text, std::size_t at) {
    std::size_t end = at + 1;
    if (static_cast<unsigned char>(text[at]) >= 0xC0) {
        while (end < text.size() && end - at < 4 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            ++end;
    }
    return end - at;
}

std::vector<Token> tokenize(std::string_view pattern) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    // The longest of the token's lengths that the run of its letter covers; the rest starts a new token.
    auto take = [&](std::initializer_list<std::pair<std::size_t, Kind>> byLength) {
        const std::size_t run = runLength(pattern, i);
        for (const auto& [length, kind] : byLength) {
            if (run >= length) {
                tokens.push_back({kind, {}});
                i += length;
                return;
            }
        }
    };
    while (i < pattern.size()) {
        const char c = pattern[i];
        switch (lower(c)) {
            case 'y':
                take({{4, Kind::Year4}, {2, Kind::Year2}, {1, Kind::DayOfYear}});
                continue;
            case 'm':
                take({{4, Kind::MonthName},
                      {3, Kind::MonthAbbreviation},
                      {2, Kind::MonthOrMinute2},
                      {1, Kind::MonthOrMinute1}});
                continue;
            case 'd':
                take({{4, Kind::WeekdayName},
                      {3, Kind::WeekdayAbbreviation},
                      {2, Kind::Day2},
                      {1, Kind::Day1}});
                continue;
            case 'h':
                take({{2, Kind::Hour2}, {1, Kind::Hour1}});
                continue;
            case 'n':
                take({{2, Kind::Minute2}, {1, Kind::Minute1}});
                continue;
            case 's':
                take({{2, Kind::Second2}, {1, Kind::Second1}});
                continue;
            case 'w':
                take({{2, Kind::WeekOfYear}, {1, Kind::WeekdayNumber}});
                continue;
            case 'q':
                take({{1, Kind::Quarter}});
                continue;
            case 'a':
                if (matchesIgnoringCase(pattern, i, "am/pm")) {
                    tokens.push_back({Kind::Marker, pattern.substr(i, 5)});
                    i += 5;
                } else if (matchesIgnoringCase(pattern, i, "a/p")) {
                    tokens.push_back({Kind::Marker, pattern.substr(i, 3)});
                    i += 3;
                } else if (runLength(pattern, i) >= 3) {
                    take({{4, Kind::WeekdayJapaneseLong}, {3, Kind::WeekdayJapanese}});
                } else {
                    // One letter at a time, so that "aam/pm" still finds its marker.
                    tokens.push_back({Kind::Text, pattern.substr(i, 1)});
                    ++i;
                }
                continue;
            case '/':
                tokens.push_back({Kind::DateSeparator, {}});
                ++i;
                continue;
            case ':':
                tokens.push_back({Kind::TimeSeparator, {}});
                ++i;
                continue;
            case '"': {
                const std::size_t close = pattern.find('"', i + 1);
                const std::size_t end = close == std::string_view::npos ? pattern.size() : close;
                tokens.push_back({Kind::Text, pattern.substr(i + 1, end - i - 1)});
                i = close == std::string_view::npos ? pattern.size() : close + 1;
                continue;
            }
            case '\\':
                // A backslash at the very end has nothing to escape and shows nothing.
                if (i + 1 < pattern.size()) {
                    const std::size_t length = characterLength(pattern, i + 1);
                    tokens.push_back({Kind::Text, pattern.substr(i + 1, length)});
                    i += 1 + length;
                } else {
                    ++i;
                }
                continue;
            default: {
                const std::size_t length = characterLength(pattern, i);
                tokens.push_back({Kind::Text, pattern.substr(i, length)});
                i += length;
                continue;
            }
        }
    }
    return tokens;
}

bool isToken(Kind kind) {
    return kind != Kind::Text && kind != Kind::DateSeparator && kind != Kind::TimeSeparator;
}
bool isHour(Kind kind) {
    return kind == Kind::Hour2 || kind == Kind::Hour1;
}
bool isSecond(Kind kind) {
    return kind == Kind::Second2 || kind == Kind::Second1;
}

// mm and m are minutes right after an hour or right before a second, with only separators and copied
// text between; the month everywhere else.
void decideMonthOrMinute(std::vector<Token>& tokens) {
    std::vector<bool> followsHour(tokens.size(), false);
    const Token* previous = nullptr;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        followsHour[i] = previous != nullptr && isHour(previous->kind);
        if (isToken(tokens[i].kind))
            previous = &tokens[i];
    }
    bool precedesSecond = false;
    for (std::size_t i = tokens.size(); i-- > 0;) {
        Token& token = tokens[i];
        const bool two = token.kind == Kind::MonthOrMinute2;
        if (two || token.kind == Kind::MonthOrMinute1) {
            const bool minute = followsHour[i] || precedesSecond;
            token.kind = minute ? (two ? Kind::Minute2 : Kind::Minute1) : (two ? Kind::Month2 : Kind::Month1);
        }
        if (isToken(token.kind))
            precedesSecond = isSecond(token.kind);
    }
}

void appendNumber(std::string& out, long long value, int minimumDigits) {
    if (value < 0) {
        out += '-';
        value = -value;
    }
    const std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < minimumDigits)
        out.append(minimumDigits - digits.size(), '0');
    out += digits;
}

long long positiveRemainder(long long value, long long divisor) {
    return ((value % divisor) + divisor) % divisor;
}

bool isLeapYear(long long year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// Out-of-range fields are written as numbers rather than trusted as indexes: the clock never fails.
long long dayOfYear(const platform::DateTime& t) {
    if (t.month < 1 || t.month > 12)
        return t.day;
    const bool afterLeapDay = t.month > 2 && isLeapYear(t.year);
    return kDaysBeforeMonth[t.month - 1] + static_cast<long long>(t.day) + (afterLeapDay ? 1 : 0);
}

}  // namespace

std::string FormatClock(std::string_view pattern, const platform::DateTime& t, std::string_view dateSeparator,
                        std::string_view timeSeparator) {
    std::vector<Token> tokens = tokenize(pattern);
    decideMonthOrMinute(tokens);

    bool twelveHour = false;
    for (const Token& token : tokens)
        twelveHour = twelveHour || token.kind == Kind::Marker;

    const long long year = t.year;
    const long long weekday = positiveRemainder(t.weekday, 7);
    const bool monthKnown = t.month >= 1 && t.month <= 12;
    const long long hour = twelveHour ? positiveRemainder(t.hour - 1LL, 12) + 1 : t.hour;
    const long long yearDay = dayOfYear(t);

    std::string out;
    out.reserve(pattern.size() * 2);
    for (const Token& token : tokens) {
        switch (token.kind) {
            case Kind::Text:
                out += token.text;
                break;
            case Kind::DateSeparator:
                out += dateSeparator;
                break;
            case Kind::TimeSeparator:
                out += timeSeparator;
                break;
            case Kind::Year4:
                appendNumber(out, year, 4);
                break;
            case Kind::Year2:
                appendNumber(out, positiveRemainder(year, 100), 2);
                break;
            case Kind::DayOfYear:
                appendNumber(out, yearDay, 1);
                break;
            case Kind::Month2:
            case Kind::MonthOrMinute2:
                appendNumber(out, t.month, 2);
                break;
            case Kind::Month1:
            case Kind::MonthOrMinute1:
                appendNumber(out, t.month, 1);
                break;
            case Kind::MonthAbbreviation:
                if (monthKnown) {
                    out.append(kMonthNames[t.month - 1], 3);
                } else {
                    appendNumber(out, t.month, 1);
                }
                break;
            case Kind::MonthName:
                if (monthKnown) {
                    out += kMonthNames[t.month - 1];
                } else {
                    appendNumber(out, t.month, 1);
                }
                break;
            case Kind::Day2:
                appendNumber(out, t.day, 2);
                break;
            case Kind::Day1:
                appendNumber(out, t.day, 1);
                break;
            case Kind::WeekdayAbbreviation:
                out.append(kWeekdayNames[weekday], 3);
                break;
            case Kind::WeekdayName:
                out += kWeekdayNames[weekday];
                break;
            case Kind::WeekdayJapanese:
                out += kWeekdaysJapanese[weekday];
                break;
            case Kind::WeekdayJapaneseLong:
                out += kWeekdaysJapanese[weekday];
                out += "曜日";
                break;
            case Kind::Hour2:
                appendNumber(out, hour, 2);
                break;
            case Kind::Hour1:
                appendNumber(out, hour, 1);
                break;
            case Kind::Minute2:
                appendNumber(out, t.minute, 2);
                break;
            case Kind::Minute1:
                appendNumber(out, t.minute, 1);
                break;
            case Kind::Second2:
                appendNumber(out, t.second, 2);
                break;
            case Kind::Second1:
                appendNumber(out, t.second, 1);
                break;
            case Kind::Marker: {
                const std::size_t slash = token.text.find('/');
                out += t.hour < 12 ? token.text.substr(0, slash) : token.text.substr(slash + 1);
                break;
            }
            case Kind::WeekdayNumber:
                appendNumber(out, weekday + 1, 1);
                break;
            case Kind::WeekOfYear: {
                // The weekday of 1 January, counted back from today's.
                const long long firstWeekday = positiveRemainder(weekday - (yearDay - 1), 7);
                appendNumber(out, (yearDay - 1 + firstWeekday) / 7 + 1, 1);
                break;
            }
            case Kind::Quarter:
                appendNumber(out, monthKnown ? (t.month - 1) / 3 + 1 : t.month, 1);
                break;
        }
    }
    return out;
}

}  // namespace clockformat
