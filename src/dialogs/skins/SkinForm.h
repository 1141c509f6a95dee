#pragma once

#include <string>

#include "dialogs/Dialog.h"

namespace dialogs {

// The skin dialog: lists the skin files of the skins folder, previews the one clicked on a picture of
// the expanded strip's size, and applies and saves the one confirmed. Opened from the options dialog,
// which it shows again whenever it closes.
class SkinForm : public Dialog {
  public:
    SkinForm(forms::Backend& backend, Host& host, state::LauncherState& s, platform::Platform& platform);

    forms::FileListBox SF{*this, "SF"};
    forms::PictureBox Picture1{*this, "Picture1"};
    forms::CommandButton Command1{*this, "Command1"};
    forms::CommandButton Command2{*this, "Command2"};

    // The font sample drawn on Picture1 where the strip's caption lies.
    static constexpr int kFontSLeft = 124;
    static constexpr int kFontSTop = 8;
    static constexpr const char* kFontSText = "フォントサンプル";

    // The folder SF lists: the program folder and "\skins", without a trailing separator.
    std::string skinsFolder() const;

  protected:
    void Form_Load() override;
    void Form_Unload() override;

  private:
    void SkinPreview();
    void ApplySelectedSkin();
    // The full path of the selected skin file; empty when nothing is selected.
    std::string selectedPath() const;
};

}  // namespace dialogs
