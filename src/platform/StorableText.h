#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The first character of `text` that the stored files cannot hold, as a person should read it: "改行"
// for a line break (it would shift every later line of the file), otherwise the character itself that
// code page 932 lacks. Nothing when the whole text can be stored.
std::optional<std::string> UnstorableCharacter(std::string_view text);

// The message that refuses such a text: "保存できない文字：" and the character.
std::string UnstorableMessage(const std::string& character);

}  // namespace platform
