#include "state/SkinFile.h"

#include "platform/TextCodec.h"
#include "state/FieldLines.h"
#include "state/State.h"

namespace state {

platform::Outcome<SkinValues> ReadSkinFile(platform::Platform& platform, const std::string& path) {
    // Every problem names the file first, so that the person knows which one to mend.
    const auto problem = [&](const std::string& what) {
        return platform::Problem{path + "\r\nスキンファイルを読み込めません。\r\n" + what};
    };
    const std::optional<std::string> bytes = platform.readFile(path);
    if (!bytes)
        return problem("ファイルを開けません。");
    const platform::Outcome<std::string> text = platform::fromCp932(*bytes);
    if (!text)
        return problem("シフトJISとして読めないバイト列があります（" + text.problem() + "）。");
    const std::vector<std::string_view> lines = splitLines(*text);
    if (lines.size() < 3)
        return problem(std::to_string(lines.size() + 1) + " 行目がありません。スキンファイルは 3 行です。");
    SkinValues skin;
    skin.fontName = std::string(lines[0]);
    const std::vector<std::string> fields = splitFields(lines[1]);
    Long color = 0;
    if (fields.empty() || readLong(fields[0], color) != NumberError::None)
        return problem("2 行目の文字色が数値ではありません。");
    skin.foreColor = color;
    skin.picture = std::string(lines[2]);
    if (lines.size() > 3)
        skin.doubleSizePicture = std::string(lines[3]);
    return skin;
}

}  // namespace state
