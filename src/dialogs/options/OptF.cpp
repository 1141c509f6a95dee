#include "dialogs/options/OptF.h"

#include "clockformat/ClockFormat.h"
#include "forms/NumberText.h"
#include "hotkeys/HotkeyCombination.h"
#include "platform/OpenDialog.h"
#include "platform/StorableText.h"
#include "state/StoredDefaults.h"
#include "state/StoredFiles.h"

namespace dialogs {

namespace {

// A hotkey whose combination the system refused (another program or another of the five holds it)
// is shown with this mark, in red.
constexpr const char* kRefusedMark = " ×";
constexpr forms::Color kRefusedColor = 0x0000C0;  // 0x00BBGGRR

int countRegistered(const state::Grid& grid) {
    int count = 0;
    for (int n = 0; n < state::kGridSize; ++n) {
        if (!grid.at(n).isEmpty())
            ++count;
    }
    return count;
}

}  // namespace

OptF::OptF(forms::Backend& backend, Host& host, state::LauncherState& s, platform::Platform& platform)
    : Dialog(backend, "OptF", host, s, platform, "Tolvane Option", 397, 423) {
    setDefaultButton(Command2);
    PlaceControls();
    WireEvents();
}

void OptF::PlaceControls() {
    Frame1.move(1, 0, 397, 81).setCaption("ブラウザの設定");
    PutInFrame(Frame1, {&IEU, &Label1, &IE_PathT, &Command1});
    IEU.move(16, 20, 240, 18).setCaption("Internet Exploreｒ を使用する ");
    Label1.move(16, 50, 100, 16).setCaption("その他のブラウザ");
    IE_PathT.move(120, 47, 196, 20).setAccessibleName(Label1.caption());
    Command1.move(324, 45, 62, 24).setCaption("参照");

    Frame2.move(0, 88, 397, 66).setCaption("スキンの変更");
    PutInFrame(Frame2, {&Label2, &skinC, &Command4});
    Label2.move(16, 30, 84, 16).setCaption("現在のスキン");
    skinC.move(104, 30, 176, 16);
    Command4.move(288, 24, 98, 28).setCaption("スキンの変更");

    Frame3.move(1, 160, 286, 157).setCaption("ホットキーの設定");
    PutInFrame(Frame3, {&Label11});
    Label11.move(8, 18, 272, 16).setCaption("****変更したいところをクリックしてください****");
    for (int i = 0; i < state::kHotkeyCount; ++i) {
        PutInFrame(Frame3, {&HTI[i], &HotKeyV[i]});
        HTI[i].move(8, 40 + 24 * i, 144, 16).setCaption(std::string(state::kHotkeyRoles[i]) + "：");
        HotKeyV[i].move(152, 40 + 24 * i, 128, 16);
    }

    Frame4.move(288, 160, 108, 157).setCaption("登録項目の編集");
    PutInFrame(Frame4, {&Label8, &Label9, &TNV1, &Label10, &TNV2, &Command6, &Command5});
    Label8.move(8, 20, 92, 16).setCaption("現在の登録数");
    Label9.move(8, 42, 66, 16).setCaption("ランチャー：");
    TNV1.move(74, 42, 28, 16);
    Label10.move(8, 62, 66, 16).setCaption("ＵＲＬ：");
    TNV2.move(74, 62, 28, 16);
    Command6.move(8, 86, 92, 28).setCaption("ランチャー編集");
    Command5.move(8, 120, 92, 28).setCaption("ＵＲＬ編集");

    Frame5.move(0, 320, 136, 57).setCaption("ボタンの表示切り替え");
    PutInFrame(Frame5, {&IconFC});
    IconFC.move(8, 24, 124, 18).setCaption("アイコンを表示する");

    Frame6.move(136, 320, 259, 57).setCaption("時計表示設定");
    PutInFrame(Frame6, {&TimeViewCap, &Command7, &Label5});
    TimeViewCap.move(8, 16, 186, 20).setAccessibleName("時計の書式");
    Command7.move(200, 14, 50, 24).setCaption("変更");
    Label5.move(8, 40, 244, 14).setCaption("＊詳しくはヘルプを参照してください");

    Label3.move(4, 390, 200, 16).setCaption("Tolvane/Bivek Launcher Ver.1.11b");
    Command3.move(207, 382, 90, 28).setCaption("キャンセル");
    Command2.move(304, 382, 90, 28).setCaption("OK");
}

void OptF::WireEvents() {
    Command1.onClick = [this] { BrowseForBrowser(); };
    Command2.onClick = [this] { StoreBrowser(); };
    // Cancel drops only the browser fields: what the other controls applied stays.
    Command3.onClick = [this] { unload(); };
    Command4.onClick = [this] { OpenSkinDialog(); };
    Command5.onClick = [this] { OpenItemEditor(1); };
    Command6.onClick = [this] { OpenItemEditor(0); };
    Command7.onClick = [this] { ApplyClockPattern(); };
    IconFC.onClick = [this] { ApplyIconSetting(); };
    HotKeyV.onClick([this](int index) { host_.OpenHotkeyDialog(index); });
}

void OptF::Form_Load() {
    IEU.setValue(s_.UseInternetExplorer == 1 ? 1 : 0);
    IE_PathT.setText(s_.BrowserPath);
    ShowSkin(s_.SkinFile);
    ShowHotkeys();
    TimeViewCap.clearList();
    for (const char* pattern : clockformat::kClockPatterns)
        TimeViewCap.addItem(pattern);
    ShowCounts();
    TimeViewCap.setText(s_.ClockFormat);
    // Raises Click when it changes the box, which stores the same value and redraws the panel.
    IconFC.setValue(s_.ShowIcon == 1 ? 1 : 0);
}

void OptF::ShowHotkeys() {
    for (int i = 0; i < state::kHotkeyCount; ++i) {
        const std::string text = hotkeys::HotkeyText(s_.Hotkeys[static_cast<std::size_t>(i)]);
        const bool works = host_.HotkeyWorks(i);
        HotKeyV[i].setCaption(works ? text : text + kRefusedMark);
        HotKeyV[i].setForeColor(works ? 0 : kRefusedColor);
    }
}

void OptF::ShowCounts() {
    TNV1.setCaption(forms::NumberText(countRegistered(s_.RunItems)));
    TNV2.setCaption(forms::NumberText(countRegistered(s_.UrlItems)));
}

void OptF::BrowseForBrowser() {
    const std::string kept = IE_PathT.text();
    IE_PathT.setText(platform::ShowOpenDialog(platform_, handle(), {{"実行ファイル(*.exe)", "*.exe"}}));
    if (IE_PathT.text().empty())
        IE_PathT.setText(kept);
}

void OptF::StoreBrowser() {
    // Refused before anything changes: the settings file could not hold it.
    if (!platform::Reported(platform_, platform::Storable(IE_PathT.text())))
        return;
    s_.BrowserPath = IE_PathT.text();
    s_.UseInternetExplorer = static_cast<state::Integer>(IEU.value() == 1 ? 1 : 0);
    platform::Reported(platform_, state::SaveAll(s_, platform_));
    unload();
}

void OptF::OpenSkinDialog() {
    const std::string dir = platform_.programFolder() + "\\skins";
    if (!platform_.listingFinds(dir, platform::Listing::FilesAndFolders)) {
        platform_.messageBox(dir + "\r\nフォルダが見つかりません。", platform::MessageButtons::Ok);
        return;
    }
    hide();
    host_.OpenSkinDialog();
}

void OptF::OpenItemEditor(int rorEp) {
    hide();
    host_.OpenItemEditor(rorEp);
}

void OptF::ApplyClockPattern() {
    const std::string pattern = TimeViewCap.text();
    if (!platform::Reported(platform_, platform::Storable(pattern)))
        return;
    s_.ClockFormat = pattern;
}

void OptF::ApplyIconSetting() {
    s_.ShowIcon = static_cast<state::Integer>(IconFC.value() == 1 ? 1 : 0);
    if (s_.Mode == state::GridMode::Launcher)
        host_.DrawPanelIcons(s_.ExePath);
}

}  // namespace dialogs
