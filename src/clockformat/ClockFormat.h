#pragma once

#include <string>
#include <string_view>

#include "platform/Platform.h"

namespace clockformat {

// The nine built-in patterns, in the order the options dialog offers them.
inline constexpr const char* kClockPatterns[] = {
    "mm/dd(ddd) hh:mm:ss",    "mm/dd(aaa) hh:mm:ss",    "mm/dd(ddd) hh:mm AM/PM",
    "mm/dd(aaa) hh:mm AM/PM", "mm/dd(ddd) hh:mm am/pm", "mm/dd(aaa) hh:mm am/pm",
    "yyyy/mm/dd hh:mm:ss",    "yy/mm/dd(ddd) hh:mm",    "yy/mm/dd(aaa) hh:mm"};

// The clock caption: `t` written in the user's pattern. UTF-8 in and out; no pattern is rejected,
// whatever cannot be read as a token is copied.
//
// Tokens (letters in any case, except that an AM/PM marker is written in the case of its letters):
//   yyyy year, four digits     yy year, two digits       y    day of the year, 1..366
//   mmmm January..December     mmm Jan..Dec              mm/m month 01..12 / 1..12, or minutes (below)
//   dddd Sunday..Saturday      ddd Sun..Sat              dd/d day 01..31 / 1..31
//   aaaa 日曜日..土曜日        aaa 日..土
//   hh/h hour 00..23 / 0..23, or 01..12 / 1..12 when the pattern holds an AM/PM marker
//   nn/n minute                ss/s second
//   AM/PM, am/pm, A/P, a/p     the part before the slash before noon, the part after it from noon on
//   w    weekday 1 (Sunday)..7 ww  week of the year: weeks from Sunday, week 1 holds 1 January
//   q    quarter 1..4
//   /    dateSeparator         :   timeSeparator
//   "text" copied without the quotes (an unterminated quote runs to the end); \x copies x.
// An mm or m is minutes when the token before it, skipping separators and copied text, is an hour,
// or when the token after it is a second; otherwise it is the month. The longest token wins
// ("yyy" is yy then y).
std::string FormatClock(std::string_view pattern, const platform::DateTime& t, std::string_view dateSeparator,
                        std::string_view timeSeparator);

}  // namespace clockformat
