#include "forms/Utf8.h"

#include <algorithm>
#include <vector>

namespace forms {
namespace {

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Decodes one character at `pos`, advancing it. A malformed byte stands for itself.
char32_t decodeAt(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    if (pos + extra >= text.size())
        extra = 0;  // a sequence cut off at the end
    char32_t code = extra == 0 ? lead : lead & (0x3Fu >> extra);
    for (std::size_t i = 1; i <= extra; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if (!isContinuation(next)) {
            ++pos;
            return lead;
        }
        code = (code << 6) | (next & 0x3F);
    }
    pos += extra + 1;
    return code;
}

char32_t foldCase(char32_t c) {
    if (c >= U'A' && c <= U'Z')
        return c + (U'a' - U'A');
    if (c >= U'Ａ' && c <= U'Ｚ')
        return c + (U'ａ' - U'Ａ');
    return c;
}

std::vector<char32_t> folded(std::string_view text) {
    std::vector<char32_t> out;
    for (std::size_t pos = 0; pos < text.size();)
        out.push_back(foldCase(decodeAt(text, pos)));
    return out;
}

}  // namespace

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); ++count)
        decodeAt(text, pos);
    return count;
}

std::size_t byteOffsetOfCharacter(std::string_view text, std::size_t index) {
    std::size_t pos = 0;
    for (std::size_t i = 0; i < index && pos < text.size(); ++i)
        decodeAt(text, pos);
    return pos;
}

std::string characterSlice(std::string_view text, std::size_t first, std::size_t count) {
    const std::size_t begin = byteOffsetOfCharacter(text, first);
    if (count == std::string_view::npos)
        return std::string(text.substr(begin));
    const std::size_t end = begin + byteOffsetOfCharacter(text.substr(begin), count);
    return std::string(text.substr(begin, end - begin));
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    const auto t = folded(text);
    const auto p = folded(prefix);
    return p.size() <= t.size() && std::equal(p.begin(), p.end(), t.begin());
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return folded(a) == folded(b);
}

}  // namespace forms
