#include <gtest/gtest.h>

#include <string>

#include "clockformat/ClockFormat.h"
#include "mainwindow/ScreenAreas.h"

namespace {

using clockformat::FormatClock;
using mainwindow::PointerInsideWindow;

// The weekday from the date itself (0 = Sunday), so that no test carries a hand-made mistake.
int weekdayOf(int year, int month, int day) {
    static const int offsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 3)
        year -= 1;
    return (year + year / 4 - year / 100 + year / 400 + offsets[month - 1] + day) % 7;
}

platform::DateTime at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return {year, month, day, hour, minute, second, weekdayOf(year, month, day)};
}

std::string format(std::string_view pattern, const platform::DateTime& t) {
    return FormatClock(pattern, t, "/", ":");
}

const platform::DateTime kExample = at(2003, 4, 1, 13, 5, 9);  // a Tuesday

const char* const kBuiltInPatterns[9] = {
    "mm/dd(ddd) hh:mm:ss",    "mm/dd(aaa) hh:mm:ss",    "mm/dd(ddd) hh:mm AM/PM",
    "mm/dd(aaa) hh:mm AM/PM", "mm/dd(ddd) hh:mm am/pm", "mm/dd(aaa) hh:mm am/pm",
    "yyyy/mm/dd hh:mm:ss",    "yy/mm/dd(ddd) hh:mm",    "yy/mm/dd(aaa) hh:mm",
};

struct Instant {
    platform::DateTime time;
    const char* expected[9];
};

TEST(ClockFormatTest, BuiltInPatternsThroughTheDayAndTheYear) {
    const Instant instants[] = {
        {kExample,
         {"04/01(Tue) 13:05:09", "04/01(火) 13:05:09", "04/01(Tue) 01:05 PM", "04/01(火) 01:05 PM",
          "04/01(Tue) 01:05 pm", "04/01(火) 01:05 pm", "2003/04/01 13:05:09", "03/04/01(Tue) 13:05",
          "03/04/01(火) 13:05"}},
        {at(2010, 1, 1, 0, 0, 0),
         {"01/01(Fri) 00:00:00", "01/01(金) 00:00:00", "01/01(Fri) 12:00 AM", "01/01(金) 12:00 AM",
          "01/01(Fri) 12:00 am", "01/01(金) 12:00 am", "2010/01/01 00:00:00", "10/01/01(Fri) 00:00",
          "10/01/01(金) 00:00"}},
        {at(2010, 6, 15, 0, 30, 0),
         {"06/15(Tue) 00:30:00", "06/15(火) 00:30:00", "06/15(Tue) 12:30 AM", "06/15(火) 12:30 AM",
          "06/15(Tue) 12:30 am", "06/15(火) 12:30 am", "2010/06/15 00:30:00", "10/06/15(Tue) 00:30",
          "10/06/15(火) 00:30"}},
        {at(2010, 6, 15, 12, 0, 0),
         {"06/15(Tue) 12:00:00", "06/15(火) 12:00:00", "06/15(Tue) 12:00 PM", "06/15(火) 12:00 PM",
          "06/15(Tue) 12:00 pm", "06/15(火) 12:00 pm", "2010/06/15 12:00:00", "10/06/15(Tue) 12:00",
          "10/06/15(火) 12:00"}},
        {at(1999, 12, 31, 23, 59, 59),
         {"12/31(Fri) 23:59:59", "12/31(金) 23:59:59", "12/31(Fri) 11:59 PM", "12/31(金) 11:59 PM",
          "12/31(Fri) 11:59 pm", "12/31(金) 11:59 pm", "1999/12/31 23:59:59", "99/12/31(Fri) 23:59",
          "99/12/31(金) 23:59"}},
        {at(2024, 2, 29, 7, 8, 9),
         {"02/29(Thu) 07:08:09", "02/29(木) 07:08:09", "02/29(Thu) 07:08 AM", "02/29(木) 07:08 AM",
          "02/29(Thu) 07:08 am", "02/29(木) 07:08 am", "2024/02/29 07:08:09", "24/02/29(Thu) 07:08",
          "24/02/29(木) 07:08"}},
    };
    for (const Instant& instant : instants) {
        for (int i = 0; i < 9; ++i) {
            EXPECT_EQ(format(kBuiltInPatterns[i], instant.time), instant.expected[i]) << kBuiltInPatterns[i];
        }
    }
}

TEST(ClockFormatTest, EveryWeekdayInBothLanguages) {
    const char* const english[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    const char* const full[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    const char* const japanese[] = {"日", "月", "火", "水", "木", "金", "土"};
    for (int day = 0; day < 7; ++day) {
        const platform::DateTime t = at(2023, 1, 1 + day);  // 1 January 2023 is a Sunday
        EXPECT_EQ(format("ddd|dddd|aaa|aaaa|w", t), std::string(english[day]) + "|" + full[day] + "|" +
                                                        japanese[day] + "|" + japanese[day] + "曜日|" +
                                                        std::to_string(day + 1));
    }
}

TEST(ClockFormatTest, MmIsMinutesNextToHoursOrSecondsAndTheMonthElsewhere) {
    const platform::DateTime t = at(2003, 4, 1, 13, 5, 9);
    EXPECT_EQ(format("mm", t), "04");
    EXPECT_EQ(format("hh mm", t), "13 05");
    EXPECT_EQ(format("h時m分", t), "13時5分");
    EXPECT_EQ(format("hh\"h\"mm", t), "13h05");  // quoted text between
    EXPECT_EQ(format("hh\\-mm", t), "13-05");    // an escaped character between
    EXPECT_EQ(format("mm:ss", t), "05:09");      // before seconds
    EXPECT_EQ(format("m s", t), "5 9");
    EXPECT_EQ(format("mm dd ss", t), "04 01 09");  // a day in between: the month again
    EXPECT_EQ(format("hh:mm mm", t), "13:05 04");  // only the first follows the hour
    EXPECT_EQ(format("hh dd mm", t), "13 01 04");
    EXPECT_EQ(format("mm/dd hh:mm", t), "04/01 13:05");
    EXPECT_EQ(format("hh mmm", t), "13 Apr");  // month names are never minutes
    EXPECT_EQ(format("nn n", t), "05 5");
    EXPECT_EQ(format("MM/DD HH:MM:SS", t), "04/01 13:05:09");
}

TEST(ClockFormatTest, AnAmPmMarkerMakesTheHoursTwelveHourAndKeepsItsLetters) {
    struct Case {
        int hour;
        const char* expected;
    };
    const Case cases[] = {
        {0, "12 12 AM am A a Am"},  {1, "1 01 AM am A a Am"},  {11, "11 11 AM am A a Am"},
        {12, "12 12 PM pm P p pM"}, {13, "1 01 PM pm P p pM"}, {23, "11 11 PM pm P p pM"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(format("h hh AM/PM am/pm A/P a/p Am/pM", at(2003, 4, 1, c.hour, 0, 0)), c.expected);
    }
    EXPECT_EQ(format("hh:mm a/p", at(2003, 4, 1, 0, 30, 0)), "12:30 a");
    // Without a marker, or with one only as quoted text, the clock keeps 24 hours.
    EXPECT_EQ(format("h hh", at(2003, 4, 1, 0, 5, 0)), "0 00");
    EXPECT_EQ(format("hh \"AM/PM\"", kExample), "13 AM/PM");
}

TEST(ClockFormatTest, SeparatorsComeFromTheLocale) {
    EXPECT_EQ(FormatClock("yyyy/mm/dd hh:mm:ss", kExample, "-", "."), "2003-04-01 13.05.09");
    EXPECT_EQ(FormatClock("mm/dd hh:mm", kExample, "年", "時"), "04年01 13時05");
    EXPECT_EQ(FormatClock("hh:mm AM/PM", kExample, "-", "."), "01.05 PM");  // the marker's slash is its own
    EXPECT_EQ(FormatClock("yy/mm \"/:\" \\/", kExample, "-", "."), "03-04 /: /");
    EXPECT_EQ(FormatClock("hh:mm", kExample, "", ""), "1305");
}

TEST(ClockFormatTest, FurtherDateTokens) {
    EXPECT_EQ(format("d/m/yy", kExample), "1/4/03");
    EXPECT_EQ(format("mmm mmmm", kExample), "Apr April");
    EXPECT_EQ(format("mmmm", at(2003, 9, 1)), "September");
    EXPECT_EQ(format("mmm mmmm", at(2003, 12, 1)), "Dec December");
    EXPECT_EQ(format("yyyy年m月d日(aaa)", kExample), "2003年4月1日(火)");
    EXPECT_EQ(format("yyyy", at(987, 6, 5)), "0987");
    EXPECT_EQ(format("yy", at(2000, 6, 5)), "00");
    // Longest token first; what a run leaves over is the next, shorter token.
    EXPECT_EQ(format("yyy", kExample), "0391");
    EXPECT_EQ(format("mmmmm", kExample), "April4");
    EXPECT_EQ(format("ddddd", kExample), "Tuesday1");
    EXPECT_EQ(format("aaaaa", kExample), "火曜日a");
    EXPECT_EQ(format("a aa", kExample), "a aa");

    struct DayCase {
        platform::DateTime time;
        const char* expected;  // y, q
    };
    const DayCase days[] = {
        {at(2003, 1, 1), "1 1"},     {at(2003, 3, 31), "90 1"},   {kExample, "91 2"},
        {at(2003, 7, 1), "182 3"},   {at(2003, 10, 1), "274 4"},  {at(2003, 12, 31), "365 4"},
        {at(2024, 2, 29), "60 1"},   {at(2024, 3, 1), "61 1"},    {at(2024, 12, 31), "366 4"},
        {at(1900, 12, 31), "365 4"}, {at(2000, 12, 31), "366 4"},
    };
    for (const DayCase& d : days)
        EXPECT_EQ(format("y q", d.time), d.expected);
}

TEST(ClockFormatTest, WeeksBeginOnSundayAndWeekOneHoldsFirstJanuary) {
    struct WeekCase {
        platform::DateTime time;
        const char* expected;
    };
    const WeekCase weeks[] = {
        {at(2022, 1, 1), "1"}, {at(2022, 1, 2), "2"}, {at(2022, 12, 31), "53"}, {at(2023, 1, 1), "1"},
        {at(2023, 1, 7), "1"}, {at(2023, 1, 8), "2"}, {at(2023, 12, 31), "53"}, {at(2024, 12, 31), "53"},
        {at(2021, 1, 2), "1"}, {at(2021, 1, 3), "2"}, {kExample, "14"},
    };
    for (const WeekCase& w : weeks) {
        EXPECT_EQ(format("ww", w.time), w.expected)
            << w.time.year << "-" << w.time.month << "-" << w.time.day;
    }
    EXPECT_EQ(format("WW w", at(2022, 1, 1)), "1 7");
}

TEST(ClockFormatTest, QuotesAndBackslashCopyText) {
    EXPECT_EQ(format("\"yyyy\"yyyy", kExample), "yyyy2003");
    EXPECT_EQ(format("hh\"時\"", kExample), "13時");
    EXPECT_EQ(format("\"\"", kExample), "");
    EXPECT_EQ(format("dd\"unterminated hh", kExample), "01unterminated hh");
    EXPECT_EQ(format("\"", kExample), "");
    EXPECT_EQ(format("\\d\\\\d", kExample), "d\\1");
    EXPECT_EQ(format("\\日\\\"", kExample), "日\"");
    EXPECT_EQ(format("dd\\", kExample), "01");  // nothing left to escape
}

TEST(ClockFormatTest, AnythingElseIsCopiedAndNothingFails) {
    EXPECT_EQ(format("", kExample), "");
    EXPECT_EQ(format("時計です。", kExample), "時計です。");
    EXPECT_EQ(format("ｈｈ：ｍｍ（火）", kExample), "ｈｈ：ｍｍ（火）");  // full-width letters are text
    EXPECT_EQ(format("(!) #%&*[]{}", kExample), "(!) #%&*[]{}");
    EXPECT_EQ(format(std::string_view("a\0b", 3), kExample), std::string("a\0b", 3));
    EXPECT_EQ(format("\xFF\xC3\\\xE6\x97", kExample), "\xFF\xC3\xE6\x97");  // broken UTF-8 passes through

    std::string huge;
    for (int i = 0; i < 20000; ++i)
        huge += "hh:mm ";
    const std::string out = format(huge, kExample);
    EXPECT_EQ(out.size(), huge.size());
    EXPECT_EQ(out.substr(0, 12), "13:05 13:05 ");

    // Fields outside their range are written as numbers instead of being used as indexes.
    const platform::DateTime odd{2003, 13, 40, 25, 61, 62, -1};
    EXPECT_EQ(format("mmm mmmm ddd aaa q mm dd hh:mm:ss", odd), "13 13 Sat 土 13 13 40 25:61:62");
}

TEST(ClockPointerTest, TheWindowBorderCountsAsOutside) {
    // 100, 200 pixels; 256 x 28 pixels at 15 twips a pixel: inside is 100 < x < 356, 200 < y < 228.
    auto inside = [](int x, int y) { return PointerInsideWindow(x, y, 1500, 3000, 3840, 420, 15); };
    EXPECT_TRUE(inside(101, 201));
    EXPECT_TRUE(inside(355, 227));
    EXPECT_FALSE(inside(100, 210));  // left edge
    EXPECT_FALSE(inside(356, 210));  // right edge
    EXPECT_FALSE(inside(200, 200));  // top edge
    EXPECT_FALSE(inside(200, 228));  // bottom edge
    EXPECT_FALSE(inside(99, 210));
    EXPECT_FALSE(inside(200, 229));
    EXPECT_FALSE(inside(-5, -5));
}

TEST(ClockPointerTest, FractionalPixelsAndTheExpandedHeight) {
    // Left 1510 twips is 100.67 pixels: column 100 is outside, 101 inside; the right edge is 356.67.
    EXPECT_FALSE(PointerInsideWindow(100, 210, 1510, 3000, 3840, 420, 15));
    EXPECT_TRUE(PointerInsideWindow(101, 210, 1510, 3000, 3840, 420, 15));
    EXPECT_TRUE(PointerInsideWindow(356, 210, 1510, 3000, 3840, 420, 15));
    EXPECT_FALSE(PointerInsideWindow(357, 210, 1510, 3000, 3840, 420, 15));
    // An expanded window counts with its full height.
    EXPECT_FALSE(PointerInsideWindow(200, 300, 1500, 3000, 3840, 420, 15));
    EXPECT_TRUE(PointerInsideWindow(200, 300, 1500, 3000, 3840, 3000, 15));
    EXPECT_FALSE(PointerInsideWindow(200, 400, 1500, 3000, 3840, 3000, 15));
    // Another scale: 12 twips a pixel puts the same window at 125..445 x 250..285.
    EXPECT_FALSE(PointerInsideWindow(125, 260, 1500, 3000, 3840, 420, 12));
    EXPECT_TRUE(PointerInsideWindow(444, 284, 1500, 3000, 3840, 420, 12));
    EXPECT_FALSE(PointerInsideWindow(200, 260, 1500, 3000, 3840, 420, 0));
}

}  // namespace
