#include "platform/win32/backend/EditText.h"

#include <algorithm>

namespace win32 {
namespace {

bool isTrailSurrogate(wchar_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

int charactersBefore(const std::wstring& text, std::size_t unit) {
    unit = std::min(unit, text.size());
    int count = 0;
    for (std::size_t i = 0; i < unit; ++i) {
        if (!isTrailSurrogate(text[i]))
            ++count;
    }
    return count;
}

DWORD unitOfCharacter(const std::wstring& text, int character) {
    std::size_t unit = 0;
    for (int seen = 0; unit < text.size(); ++unit) {
        if (isTrailSurrogate(text[unit]))
            continue;
        if (seen++ == character)
            break;
    }
    return static_cast<DWORD>(unit);
}

}  // namespace

std::wstring windowText(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    if (length <= 0)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

std::pair<DWORD, DWORD> selectedUnits(HWND window, UINT getMessage) {
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageW(window, getMessage, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

forms::Selection selectionInCharacters(HWND window, UINT getMessage) {
    const std::wstring text = windowText(window);
    const auto [startUnit, endUnit] = selectedUnits(window, getMessage);
    const int start = charactersBefore(text, std::min(startUnit, endUnit));
    const int end = charactersBefore(text, std::max(startUnit, endUnit));
    return {start, end - start};
}

std::pair<DWORD, DWORD> selectionInUnits(const std::wstring& text, const forms::Selection& selection) {
    return {unitOfCharacter(text, selection.start),
            unitOfCharacter(text, selection.start + selection.length)};
}

}  // namespace win32
