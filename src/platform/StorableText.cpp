#include "platform/StorableText.h"

#include "platform/TextCodec.h"

namespace platform {

std::optional<std::string> UnstorableCharacter(std::string_view text) {
    if (text.find_first_of("\r\n") != std::string_view::npos)
        return std::string("改行");
    const CodecResult encoded = toCp932(std::string(text));
    if (!encoded.ok)
        return encoded.offending;
    return std::nullopt;
}

std::string UnstorableMessage(const std::string& character) {
    return "保存できない文字：" + character;
}

}  // namespace platform
