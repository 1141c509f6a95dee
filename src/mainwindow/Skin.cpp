#include "mainwindow/Skin.h"

#include "mainwindow/MainF.h"
#include "state/SkinFile.h"

namespace mainwindow {

void ApplySkin(MainF& form, const std::string& skinPath) {
    state::LauncherState& s = form.state();
    platform::Platform& platform = form.platform();
    const platform::Outcome<state::SkinValues> skin = state::ReadSkinFile(platform, skinPath);
    // The strip stays usable as it is; the person learns which file to mend.
    if (!platform::Reported(platform, skin))
        return;
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
