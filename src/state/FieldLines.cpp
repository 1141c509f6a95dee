#include "state/FieldLines.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace state {
namespace {

// Blanks around a number are tolerated on reading: a person may have edited the file.
std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

template <typename T>
NumberError readWhole(std::string_view field, T& value) {
    const std::string_view text = trimmed(field);
    if (text.empty())
        return NumberError::NotANumber;
    long long number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (end != text.data() + text.size())
        return NumberError::NotANumber;
    if (error == std::errc::result_out_of_range)
        return NumberError::OutOfRange;
    if (error != std::errc())
        return NumberError::NotANumber;
    if (number < std::numeric_limits<T>::min() || number > std::numeric_limits<T>::max()) {
        return NumberError::OutOfRange;
    }
    value = static_cast<T>(number);
    return NumberError::None;
}

}  // namespace

std::vector<std::string_view> splitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(bytes.substr(start));
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + 1;
        if (bytes[end] == '\r' && start < bytes.size() && bytes[start] == '\n')
            ++start;
    }
    return lines;
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

std::vector<std::string> splitFields(std::string_view line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = line.find(',', start);
        std::string_view field = line.substr(start, comma == std::string_view::npos ? comma : comma - start);
        if (!field.empty() && field.front() == '"') {
            field.remove_prefix(1);
            field = field.substr(0, field.find('"'));
        }
        fields.emplace_back(field);
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    return fields;
}

std::string quoted(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    out += text;
    out += '"';
    return out;
}

NumberError readInteger(std::string_view field, Integer& value) {
    return readWhole(field, value);
}

NumberError readLong(std::string_view field, Long& value) {
    return readWhole(field, value);
}

NumberError readSingle(std::string_view field, Single& value) {
    const std::string_view text = trimmed(field);
    if (text.empty())
        return NumberError::NotANumber;
    float number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (end != text.data() + text.size())
        return NumberError::NotANumber;
    if (error == std::errc::result_out_of_range)
        return NumberError::OutOfRange;
    if (error != std::errc() || !std::isfinite(number))
        return NumberError::NotANumber;
    value = number;
    return NumberError::None;
}

std::string formatSingle(Single value) {
    if (value == 0)
        return "0";  // no "-0"
    // Wide enough for every finite float in fixed notation (39 digits, or 45 decimals of a subnormal).
    char buffer[128];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

}  // namespace state
