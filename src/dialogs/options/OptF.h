#pragma once

#include "dialogs/Dialog.h"
#include "forms/ControlArray.h"

namespace dialogs {

// The options dialog: the browser, the skin, the five hotkeys, the item editors of both grids, the slot
// icons and the clock pattern. The browser fields wait for OK; everything else acts at once.
class OptF : public Dialog {
  public:
    OptF(forms::Backend& backend, Host& host, state::LauncherState& s, platform::Platform& platform);

    forms::Frame Frame1{*this, "Frame1"};
    forms::CheckBox IEU{*this, "IEU"};
    forms::Label Label1{*this, "Label1"};
    forms::TextBox IE_PathT{*this, "IE_PathT"};
    forms::CommandButton Command1{*this, "Command1"};

    forms::Frame Frame2{*this, "Frame2"};
    forms::Label Label2{*this, "Label2"};
    forms::Label skinC{*this, "skinC"};
    forms::CommandButton Command4{*this, "Command4"};

    forms::Frame Frame3{*this, "Frame3"};
    forms::Label Label11{*this, "Label11"};
    forms::ControlArray<forms::Label> HTI{*this, "HTI", state::kHotkeyCount};
    forms::ControlArray<forms::Label> HotKeyV{*this, "HotKeyV", state::kHotkeyCount};

    forms::Frame Frame4{*this, "Frame4"};
    forms::Label Label8{*this, "Label8"};
    forms::Label Label9{*this, "Label9"};
    forms::Label TNV1{*this, "TNV1"};
    forms::Label Label10{*this, "Label10"};
    forms::Label TNV2{*this, "TNV2"};
    forms::CommandButton Command6{*this, "Command6"};
    forms::CommandButton Command5{*this, "Command5"};

    forms::Frame Frame5{*this, "Frame5"};
    forms::CheckBox IconFC{*this, "IconFC"};

    forms::Frame Frame6{*this, "Frame6"};
    forms::ComboBox TimeViewCap{*this, "TimeViewCap"};
    forms::CommandButton Command7{*this, "Command7"};
    forms::Label Label5{*this, "Label5"};

    forms::Label Label3{*this, "Label3"};
    forms::CommandButton Command3{*this, "Command3"};
    forms::CommandButton Command2{*this, "Command2"};

    // The five hotkey texts as they stand now; a combination the system refused says so.
    void ShowHotkeys();
    // The numbers of registered items of both grids, as they now stand.
    void ShowCounts();
    // The current skin, a file name in the skins folder.
    void ShowSkin(const std::string& skinFile) { skinC.setCaption(skinFile); }
    // What hotkey `id` is for, as its row names it, and where that row lies on the screen (twips).
    std::string HotkeyTitle(int id) const { return HTI[id].caption(); }
    double HotkeyRowTop(int id) const {
        return top() + (Frame3.rect().top + HotKeyV[id].rect().top) * twipsPerPixelY();
    }

  protected:
    void Form_Load() override;

  private:
    void PlaceControls();
    void WireEvents();

    void BrowseForBrowser();
    void StoreBrowser();
    void OpenSkinDialog();
    void OpenItemEditor(int rorEp);
    void ApplyClockPattern();
    void ApplyIconSetting();
};

}  // namespace dialogs
