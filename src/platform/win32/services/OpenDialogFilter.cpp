#include "platform/win32/services/OpenDialogFilter.h"

#include <algorithm>

#include "platform/win32/Wide.h"

namespace win32 {

std::wstring dialogFilter(const std::vector<platform::FilterPair>& pairs) {
    std::wstring filter;
    for (const auto& pair : pairs) {
        filter += widen(pair.description);
        filter += L'\0';
        filter += widen(pair.pattern);
        filter += L'\0';
    }
    if (!filter.empty())
        filter += L'\0';
    return filter;
}

unsigned dialogFilterIndex(int requested, std::size_t pairCount) {
    if (pairCount == 0)
        return 0;
    const auto last = static_cast<long long>(pairCount);
    return static_cast<unsigned>(std::clamp<long long>(requested, 1, last));
}

}  // namespace win32
