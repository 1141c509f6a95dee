#include "dialogs/skins/SkinForm.h"

#include <optional>

#include "platform/StorableText.h"
#include "state/SkinFile.h"
#include "state/StoredFiles.h"

namespace dialogs {

SkinForm::SkinForm(forms::Backend& backend, Host& host, state::LauncherState& s, platform::Platform& platform)
    : Dialog(backend, "SkinForm", host, s, platform, "Tolvane Skin option", 385, 190) {
    setDefaultButton(Command1);
    SF.move(2, 2, 125, 186).setAccessibleName("スキン");
    Picture1.move(129, 4, 256, 128).setAccessibleName("スキンの見本");
    Command1.move(297, 153, 85, 33).setCaption("OK");
    Command2.move(194, 154, 92, 31).setCaption("キャンセル");

    SF.setLister([this](const std::string& folder, const std::string& pattern) {
        return platform_.listFiles(folder, pattern);
    });
    SF.onClick = [this] { SkinPreview(); };
    Command1.onClick = [this] { ApplySelectedSkin(); };
    Command2.onClick = [this] { unload(); };
}

std::string SkinForm::skinsFolder() const {
    return platform_.programFolder() + "\\skins";
}

void SkinForm::Form_Load() {
    SF.setPattern("*.skn");
    SF.setPath(skinsFolder());
    // The configured skin, compared exactly; otherwise the first one. An empty folder leaves nothing
    // selected, and OK then does nothing.
    int selected = 0;
    for (int i = 0; i < SF.listCount(); ++i) {
        if (SF.list()[static_cast<std::size_t>(i)] == s_.SkinFile) {
            selected = i;
            break;
        }
    }
    if (SF.listCount() > 0)
        SF.setListIndex(selected);  // previews it, as a click does
}

void SkinForm::Form_Unload() {
    host_.ReturnToOptions();
}

std::string SkinForm::selectedPath() const {
    const std::string name = SF.fileName();
    return name.empty() ? std::string() : SF.path() + "\\" + name;
}

void SkinForm::SkinPreview() {
    const std::string path = selectedPath();
    // A skin file that vanished since the listing, or that cannot be read, previews nothing.
    if (path.empty() || !platform_.listingFinds(path, platform::Listing::FilesOnly))
        return;
    const platform::Outcome<state::SkinValues> skin = state::ReadSkinFile(platform_, path);
    if (!skin)
        return;

    forms::Font sample;  // the caption's size and weight, in the skin's face
    sample.face = skin->fontName;
    Picture1.clearDrawing();
    Picture1.drawText(kFontSLeft, kFontSTop, kFontSText, sample, static_cast<forms::Color>(skin->foreColor));

    // A picture that is missing (or cannot be loaded) keeps the one shown before.
    const std::string picturePath = SF.path() + "\\" + skin->picture;
    if (!platform_.listingFinds(picturePath, platform::Listing::FilesOnly))
        return;
    const std::string doubleSizePath =
        skin->doubleSizePicture.empty() ? std::string() : SF.path() + "\\" + skin->doubleSizePicture;
    if (forms::PicturePtr picture = platform_.loadSkinPicture(picturePath, doubleSizePath))
        Picture1.setPicture(std::move(picture));
}

void SkinForm::ApplySelectedSkin() {
    const std::string name = SF.fileName();
    if (name.empty())
        return;
    const std::string path = selectedPath();
    // The setting must name a skin that start-up can read back: a file that vanished or cannot be read,
    // or a name the settings file cannot hold, is refused and everything stays as it was.
    if (!platform::Reported(platform_, platform::Storable(name)) ||
        !platform::Reported(platform_, state::ReadSkinFile(platform_, path)))
        return;

    s_.SkinFile = name;
    host_.ApplySkin(path);
    host_.ShowCurrentSkin(name);
    host_.DrawPanelIcons(s_.Mode == state::GridMode::Launcher ? s_.ExePath : s_.BrowserPath);
    platform::Reported(platform_, state::SaveAll(s_, platform_));
    unload();
}

}  // namespace dialogs
