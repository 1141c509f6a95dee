#include "platform/TextCodecSteps.h"

namespace platform {
namespace {

std::string hexBytes(std::string_view bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (!out.empty())
            out += ' ';
        out += digits[b >> 4];
        out += digits[b & 0x0F];
    }
    return out;
}

Outcome<std::string> failure(std::string offending) {
    return Problem{std::move(offending)};
}

bool isLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
bool isTrailByte(unsigned char b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}
bool isKatakanaByte(unsigned char b) {
    return b >= 0xA1 && b <= 0xDF;
}

// The length of the well-formed UTF-8 character at `at`, or 0. Overlong forms, surrogates and code
// points past U+10FFFF are not characters.
std::size_t utf8Length(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 0;
    char32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (at + length > text.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (next & 0x3F);
    }
    if (length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF)))
        return 0;
    if (length == 4 && (code < 0x10000 || code > 0x10FFFF))
        return 0;
    return length;
}

}  // namespace

Outcome<std::string> decodeByCharacter(std::string_view bytes, const CharacterConversion& decodeOne) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            out += static_cast<char>(b);
            ++i;
            continue;
        }
        std::size_t length = 1;
        if (isLeadByte(b)) {
            if (i + 1 >= bytes.size())
                return failure(hexBytes(bytes.substr(i, 1)));
            length = 2;
            if (!isTrailByte(static_cast<unsigned char>(bytes[i + 1])))
                return failure(hexBytes(bytes.substr(i, 2)));
        } else if (!isKatakanaByte(b)) {
            return failure(hexBytes(bytes.substr(i, 1)));
        }
        const std::string_view character = bytes.substr(i, length);
        const std::optional<std::string> decoded = decodeOne(character);
        if (!decoded)
            return failure(hexBytes(character));
        out += *decoded;
        i += length;
    }
    return out;
}

Outcome<std::string> encodeByCharacter(std::string_view utf8, const CharacterConversion& encodeOne,
                                       const CharacterConversion& decodeOne) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            out += static_cast<char>(b);
            ++i;
            continue;
        }
        const std::size_t length = utf8Length(utf8, i);
        if (length == 0)
            return failure(hexBytes(utf8.substr(i, 1)));
        const std::string_view character = utf8.substr(i, length);
        const std::optional<std::string> encoded = encodeOne(character);
        // A character that would come back as another one is not held, whatever the system says.
        if (!encoded || encoded->empty())
            return failure(std::string(character));
        const Outcome<std::string> back = decodeByCharacter(*encoded, decodeOne);
        if (!back || *back != character)
            return failure(std::string(character));
        out += *encoded;
        i += length;
    }
    return out;
}

bool fitsCp932(std::string_view utf8) {
    return static_cast<bool>(toCp932(utf8));
}

}  // namespace platform
