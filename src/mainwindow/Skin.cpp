#include "mainwindow/Skin.h"

#include "mainwindow/MainF.h"
#include "platform/TextCodec.h"
#include "state/FieldLines.h"

namespace mainwindow {

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
    const std::vector<std::string_view> lines = state::splitLines(text.text);
    if (lines.size() < 3) {
        problem = std::to_string(lines.size() + 1) + " 行目がありません。スキンファイルは 3 行です。";
        return std::nullopt;
    }
    SkinValues skin;
    skin.fontName = std::string(lines[0]);
    const std::vector<std::string> fields = state::splitFields(lines[1]);
    state::Long color = 0;
    if (fields.empty() || state::readLong(fields[0], color) != state::NumberError::None) {
        problem = "2 行目の文字色が数値ではありません。";
        return std::nullopt;
    }
    skin.foreColor = color;
    skin.picture = std::string(lines[2]);
    if (lines.size() > 3)
        skin.doubleSizePicture = std::string(lines[3]);
    return skin;
}

void ApplySkin(MainF& form, const std::string& skinPath) {
    state::LauncherState& s = form.state();
    platform::Platform& platform = form.platform();
    std::string problem;
    const std::optional<SkinValues> skin = ReadSkinFile(platform, skinPath, problem);
    if (!skin) {
        // The strip stays usable as it is; the person learns which file to mend.
        platform.messageBox(skinPath + "\r\nスキンファイルを読み込めません。\r\n" + problem,
                            platform::MessageButtons::Ok);
        return;
    }
    s.SkinFontName = skin->fontName;
    s.SkinForeColor = skin->foreColor;
    s.SkinPicture = skin->picture;

    const std::string picturePath = platform.programFolder() + "\\skins\\" + s.SkinPicture;
    const std::string doubleSizePath = skin->doubleSizePicture.empty()
                                           ? std::string()
                                           : platform.programFolder() + "\\skins\\" + skin->doubleSizePicture;
    forms::PicturePtr picture = platform.loadSkinPicture(picturePath, doubleSizePath);
    if (!picture) {
        platform.messageBox(picturePath + "\r\nスキンの画像を読み込めません。", platform::MessageButtons::Ok);
    }
    form.setPicture(std::move(picture));

    for (forms::Label* label : {&form.PageV, &form.ViewCaption, &form.zoL, &form.Label4}) {
        label->setFontFace(s.SkinFontName);
        label->setForeColor(static_cast<forms::Color>(s.SkinForeColor));
    }
}

}  // namespace mainwindow
