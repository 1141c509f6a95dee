#include <gtest/gtest.h>

#include <ctime>

#include "platform/win32/services/Win32Platform.h"

namespace {

TEST(TimeTest, NowAgreesWithTheRuntimeLocalTime) {
    win32::Win32Platform platform;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const std::time_t before = std::time(nullptr);
        const platform::DateTime now = platform.now();
        if (std::time(nullptr) / 60 != before / 60)
            continue;  // a minute turned over in between
        std::tm local{};
        ASSERT_EQ(localtime_s(&local, &before), 0);
        EXPECT_EQ(now.year, local.tm_year + 1900);
        EXPECT_EQ(now.month, local.tm_mon + 1);
        EXPECT_EQ(now.day, local.tm_mday);
        EXPECT_EQ(now.hour, local.tm_hour);
        EXPECT_EQ(now.minute, local.tm_min);
        EXPECT_EQ(now.weekday, local.tm_wday);
        return;
    }
    FAIL() << "the clock kept turning over a minute";
}

TEST(TimeTest, SeparatorsAreTheLocaleTextWithoutItsTerminator) {
    win32::Win32Platform platform;
    for (const std::string& separator : {platform.dateSeparator(), platform.timeSeparator()}) {
        EXPECT_FALSE(separator.empty());
        EXPECT_EQ(separator.find('\0'), std::string::npos);
    }
}

}  // namespace
