#include <windows.h>

#include <array>

#include "platform/TextCodec.h"
#include "platform/TextCodecSteps.h"

namespace platform {
namespace {

constexpr UINT kCodePage932 = 932;

std::optional<std::string> decodeCharacter(std::string_view bytes) {
    std::array<wchar_t, 4> wide{};
    const int units =
        ::MultiByteToWideChar(kCodePage932, MB_ERR_INVALID_CHARS, bytes.data(),
                              static_cast<int>(bytes.size()), wide.data(), static_cast<int>(wide.size()));
    if (units <= 0)
        return std::nullopt;
    std::array<char, 16> utf8{};
    const int size = ::WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(), units, utf8.data(),
                                           static_cast<int>(utf8.size()), nullptr, nullptr);
    if (size <= 0)
        return std::nullopt;
    return std::string(utf8.data(), static_cast<std::size_t>(size));
}

std::optional<std::string> encodeCharacter(std::string_view utf8) {
    std::array<wchar_t, 4> wide{};
    const int units =
        ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()),
                              wide.data(), static_cast<int>(wide.size()));
    if (units <= 0)
        return std::nullopt;
    std::array<char, 16> bytes{};
    BOOL usedDefaultChar = FALSE;
    // No best fit: a look-alike such as "\" for "¥" would silently change the text.
    const int size =
        ::WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, wide.data(), units, bytes.data(),
                              static_cast<int>(bytes.size()), nullptr, &usedDefaultChar);
    if (size <= 0 || usedDefaultChar)
        return std::nullopt;
    return std::string(bytes.data(), static_cast<std::size_t>(size));
}

}  // namespace

Outcome<std::string> toCp932(std::string_view utf8) {
    return encodeByCharacter(utf8, encodeCharacter, decodeCharacter);
}

Outcome<std::string> fromCp932(std::string_view bytes) {
    return decodeByCharacter(bytes, decodeCharacter);
}

}  // namespace platform
