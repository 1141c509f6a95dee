// Arbitrary clock patterns and separators at any valid date and time: the caption is one line of
// well-formed text whenever what went in was, and it never grows out of proportion to the pattern.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "FuzzChecks.h"
#include "clockformat/ClockFormat.h"

using fuzzchecks::require;
using fuzzchecks::validUtf8;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    platform::DateTime t;
    t.year = input.ConsumeIntegralInRange(1601, 30827);
    t.month = input.ConsumeIntegralInRange(1, 12);
    const bool leap = (t.year % 4 == 0 && t.year % 100 != 0) || t.year % 400 == 0;
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    t.day = input.ConsumeIntegralInRange(1, kDays[t.month - 1] + (t.month == 2 && leap ? 1 : 0));
    t.hour = input.ConsumeIntegralInRange(0, 23);
    t.minute = input.ConsumeIntegralInRange(0, 59);
    t.second = input.ConsumeIntegralInRange(0, 59);
    t.weekday = input.ConsumeIntegralInRange(0, 6);
    const std::string dateSeparator = input.ConsumeRandomLengthString(4);
    const std::string timeSeparator = input.ConsumeRandomLengthString(4);
    const std::string pattern = input.ConsumeRemainingBytesAsString();

    const std::string caption = clockformat::FormatClock(pattern, t, dateSeparator, timeSeparator);
    if (validUtf8(pattern) && validUtf8(dateSeparator) && validUtf8(timeSeparator))
        require(validUtf8(caption));
    const bool breaksIn =
        (pattern + dateSeparator + timeSeparator).find_first_of("\r\n") != std::string::npos;
    if (!breaksIn)
        require(caption.find_first_of("\r\n") == std::string::npos);
    // The longest expansion: a one-letter token that becomes "September" or a 4-byte separator.
    require(caption.size() <= 9 * pattern.size());
    return 0;
}
