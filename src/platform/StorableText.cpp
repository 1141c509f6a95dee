#include "platform/StorableText.h"

#include <string>

#include "platform/TextCodec.h"

namespace platform {

Outcome<> Storable(std::string_view text) {
    if (text.find_first_of("\r\n") != std::string_view::npos)
        return Problem{"保存できない文字：改行"};
    const Outcome<std::string> encoded = toCp932(text);
    if (!encoded)
        return Problem{"保存できない文字：" + encoded.problem()};
    return {};
}

}  // namespace platform
