#include "state/SkinFile.h"

#include "platform/TextCodec.h"
#include "state/FieldLines.h"
#include "state/State.h"

namespace state {

std::optional<SkinValues> ReadSkinFile(platform::Platform& platform, const std::string& path,
                                       std::string& problem) {
    const std::optional<std::string> bytes = platform.readFile(path);
    if (!bytes) {
        problem = "ファイルを開けません。";
        return std::nullopt;
    }
    const platform::CodecResult text = platform::fromCp932(*bytes);
    if (!text.ok) {
        problem = "シフトJISとして読めないバイト列があります（" + text.offending + "）。";
        return std::nullopt;
    }
    const std::vector<std::string_view> lines = splitLines(text.text);
    if (lines.size() < 3) {
        problem = std::to_string(lines.size() + 1) + " 行目がありません。スキンファイルは 3 行です。";
        return std::nullopt;
    }
    SkinValues skin;
    skin.fontName = std::string(lines[0]);
    const std::vector<std::string> fields = splitFields(lines[1]);
    Long color = 0;
    if (fields.empty() || readLong(fields[0], color) != NumberError::None) {
        problem = "2 行目の文字色が数値ではありません。";
        return std::nullopt;
    }
    skin.foreColor = color;
    skin.picture = std::string(lines[2]);
    if (lines.size() > 3)
        skin.doubleSizePicture = std::string(lines[3]);
    return skin;
}

}  // namespace state
