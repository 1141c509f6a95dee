// What every fuzzer here needs: a failed check ends the run with a crash that libFuzzer keeps, and
// UTF-8 checked as the system's converters would check it.
#pragma once

#include <cstdlib>
#include <string_view>

namespace fuzzchecks {

inline void require(bool condition) {
    if (!condition)
        std::abort();
}

// Well-formed UTF-8: no stray or missing continuation bytes, no overlong forms, no surrogates.
inline bool validUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t extra = lead < 0x80    ? 0
                                  : lead >= 0xF0 ? 3
                                  : lead >= 0xE0 ? 2
                                  : lead >= 0xC2 ? 1
                                                 : 9;
        if (extra == 9 || lead > 0xF4 || text.size() - i <= extra)
            return false;
        char32_t code = extra == 0 ? lead : lead & (0x3Fu >> extra);
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        constexpr char32_t smallest[] = {0, 0x80, 0x800, 0x10000};
        if (code < smallest[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

}  // namespace fuzzchecks
