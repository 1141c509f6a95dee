#include <windows.h>

#include "platform/win32/Wide.h"
#include "platform/win32/services/Win32Platform.h"

namespace win32 {
namespace {

std::string userLocaleText(LCTYPE item) {
    const int size = ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, nullptr, 0);
    if (size <= 1)
        return {};
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    const int written = ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, text.data(), size);
    if (written <= 1)
        return {};
    text.resize(static_cast<std::size_t>(written - 1));  // the count includes the terminating NUL
    return narrow(text);
}

}  // namespace

platform::DateTime Win32Platform::now() {
    SYSTEMTIME local{};
    ::GetLocalTime(&local);
    return {local.wYear,   local.wMonth,  local.wDay,       local.wHour,
            local.wMinute, local.wSecond, local.wDayOfWeek, local.wMilliseconds};
}

std::string Win32Platform::dateSeparator() {
    return userLocaleText(LOCALE_SDATE);
}

std::string Win32Platform::timeSeparator() {
    return userLocaleText(LOCALE_STIME);
}

}  // namespace win32
