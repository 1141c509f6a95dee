// The item editor's window: its controls, the list of one grid, the fields and their keys, drops.
#include "dialogs/itemeditor/ItemOptF.h"

#include "forms/NumberText.h"
#include "platform/OpenDialog.h"
#include "platform/Shortcut.h"
#include "state/StoredFiles.h"

namespace dialogs {

ItemOptF::ItemOptF(forms::Backend& backend, Host& host, state::LauncherState& s, platform::Platform& platform)
    : Dialog(backend, "ItemOptF", host, s, platform, "Tolvane registered Item option", 408, 358) {
    // Enter in the title and short name fields is theirs (their KeyPress takes it); elsewhere it is OK.
    setDefaultButton(OKButton);
    PlaceControls();
    WireEvents();
}

void ItemOptF::PlaceControls() {
    Label4.move(8, 8, 81, 17);
    List1.move(8, 32, 153, 316).setAccessibleName("登録項目の一覧");
    Command1.move(168, 90, 25, 25).setCaption("↑");
    Command3.move(168, 122, 25, 25).setCaption("↓");
    Label5.move(200, 90, 57, 17).setCaption("登録場所：");
    // Right after the label rather than over its last pixels, where the colon of "登録場所：" is drawn.
    IndexV.move(257, 90, 25, 17).setCaption("0");
    TBCom[0].move(328, 74, 73, 25).setCaption("上書き登録");
    TBCom[1].move(328, 106, 73, 25).setCaption("新規登録");
    TBCom[2].move(328, 146, 73, 25).setCaption("削除");
    Frame5.move(167, 5, 241, 49);
    PutInFrame(Frame5, {&Command7});
    Command7.move(64, 16, 116, 26);
    Frame1.move(168, 170, 233, 153).setCaption("登録項目");
    PutInFrame(Frame1, {&Label1, &TitleT, &Label2, &BatchT, &Label3, &PathT});
    Label1.move(8, 24, 49, 17).setCaption("登録名");
    TitleT.move(8, 40, 217, 18).setAccessibleName(Label1.caption());
    Label2.move(8, 64, 41, 17).setCaption("省略名");
    BatchT.move(8, 80, 217, 18).setAccessibleName(Label2.caption());
    Label3.move(8, 104, 65, 17).setCaption("パス、URL");
    PathT.move(8, 120, 217, 18).setAccessibleName(Label3.caption());
    OKButton.move(320, 329, 81, 25).setCaption("OK");
    PathT.setAcceptsDrops(true);
    Frame1.setAcceptsDrops(true);
}

void ItemOptF::WireEvents() {
    List1.onClick = [this] { ShowSelectedItem(); };
    TitleT.onKeyPress = [this](int& key) { TitleFieldKey(key); };
    BatchT.onKeyPress = [this](int& key) { ShortNameFieldKey(key); };
    PathT.onDblClick = [this] { BrowseForPath(); };
    const auto dropped = [this](const forms::DropData& data, const forms::MouseArgs&) { ItemDrop(data); };
    PathT.onDragDrop = dropped;
    Frame1.onDragDrop = dropped;
    Command1.onClick = [this] { MoveItem(-1); };
    Command3.onClick = [this] { MoveItem(+1); };
    TBCom.onClick([this](int index) { ListCommand(index); });
    Command7.onClick = [this] { CheckLinksOrMakePage(); };
    OKButton.onClick = [this] { StoreAndClose(); };
}

void ItemOptF::EditGrid(int rorEp) {
    RorEp = static_cast<state::Integer>(rorEp);
    Add_list(rorEp);
    if (rorEp == 0) {
        Frame5.setCaption("登録ファイルの移動、削除チェック");
        Command7.setCaption("チェックする");
    } else {
        Frame5.setCaption("登録URLのリストを作成");
        Command7.setCaption("作成");
    }
}

void ItemOptF::Add_list(int mode) {
    List1.clearList();
    Label4.setCaption(mode == 0 ? "ランチャー" : "ＵＲＬ");
    const state::Grid& grid = mode == 0 ? s_.RunItems : s_.UrlItems;
    for (int n = 0; n < state::kGridSize; ++n)
        List1.addItem(grid.at(n).Title);
    TitleT.setText(grid.at(0).Title);
    BatchT.setText(grid.at(0).Batch);
    PathT.setText(grid.at(0).Path);
    IndexV.setCaption("1");
    List1.setListIndex(0);
}

void ItemOptF::ShowSelectedItem() {
    const int n = List1.listIndex();
    if (n < 0)
        return;
    IndexV.setCaption(forms::NumberText(n + 1));
    const state::ItemRecord& item = editedGrid().at(n);
    TitleT.setText(item.Title);
    BatchT.setText(item.Batch);
    PathT.setText(item.Path);
}

void ItemOptF::TitleFieldKey(int& keyAscii) {
    if (keyAscii == forms::kKeyReturn) {
        keyAscii = 0;
        BatchT.setFocus();
    } else if (keyAscii == forms::kKeyEscape) {
        keyAscii = 0;
        ShowSelectedItem();
    }
}

void ItemOptF::ShortNameFieldKey(int& keyAscii) {
    if (keyAscii == forms::kKeyReturn) {
        keyAscii = 0;
        ListCommand(0);
    } else if (keyAscii == forms::kKeyEscape) {
        keyAscii = 0;
        ShowSelectedItem();
    }
}

void ItemOptF::BrowseForPath() {
    if (RorEp == 1)
        return;
    const std::string chosen =
        platform::ShowOpenDialog(platform_, handle(), {{"全てのファイル(*.*)", "*.*"}});
    if (!chosen.empty())
        PathT.setText(chosen);
}

void ItemOptF::ItemDrop(const forms::DropData& data) {
    if (RorEp == 1) {
        showMessage("ランチャー編集に変更してください");
        return;
    }
    if (!data.hasFileList || data.files.empty())
        return;
    const std::optional<std::string> path = platform::ResolveShortcut(platform_, data.files.front());
    if (!path) {
        showMessage("ショートカットを読めません");
        return;
    }
    const int p = s_.RunItems.firstFree();
    if (p < 0) {
        showMessage("登録に空きがありません");
        return;
    }
    Add_list(0);
    List1.setListIndex(p);
    TitleT.setText("");
    BatchT.setText("");
    PathT.setText(*path);
    TitleT.setFocus();
}

void ItemOptF::showMessage(const std::string& text) {
    platform_.messageBox(text, platform::MessageButtons::Ok);
}

void ItemOptF::ShowGridAgain() {
    const int selected = List1.listIndex();
    Add_list(RorEp);
    List1.setListIndex(selected < 0 ? 0 : selected);
}

void ItemOptF::StoreAndClose() {
    // The window's own state goes with it; the grids it changed are saved afterwards.
    unload();
    platform::Reported(platform_, state::SaveAll(s_, platform_));
    host_.ItemsChanged();
}

void ItemOptF::Form_Unload() {
    host_.ReturnToOptions();
}

}  // namespace dialogs
