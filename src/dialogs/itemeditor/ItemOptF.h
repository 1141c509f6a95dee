#pragma once

#include <string>

#include "dialogs/Dialog.h"
#include "forms/ControlArray.h"

namespace dialogs {

// The item editor: all 64 slots of one grid as a list, with the commands that store, register, delete
// and move items, and the grid's extra command (the link check, or the link page for addresses).
// Every change goes straight into the grid; the list commands save at once.
class ItemOptF : public Dialog {
  public:
    ItemOptF(forms::Backend& backend, Host& host, state::LauncherState& s, platform::Platform& platform);

    // In the order of creation, which is also the tab order; a frame comes before what it holds.
    forms::Label Label4{*this, "Label4"};
    forms::ListBox List1{*this, "List1"};
    forms::CommandButton Command1{*this, "Command1"};
    forms::CommandButton Command3{*this, "Command3"};
    forms::Label Label5{*this, "Label5"};
    forms::Label IndexV{*this, "IndexV"};
    forms::ControlArray<forms::CommandButton> TBCom{*this, "TBCom", 3};
    forms::Frame Frame5{*this, "Frame5"};
    forms::CommandButton Command7{*this, "Command7"};
    forms::Frame Frame1{*this, "Frame1"};
    forms::Label Label1{*this, "Label1"};
    forms::TextBox TitleT{*this, "TitleT"};
    forms::Label Label2{*this, "Label2"};
    forms::TextBox BatchT{*this, "BatchT"};
    forms::Label Label3{*this, "Label3"};
    forms::TextBox PathT{*this, "PathT"};
    forms::CommandButton OKButton{*this, "OKButton"};

    // 0 edits the launcher grid, 1 the URL grid.
    state::Integer RorEp = 0;

    // Fills the list with the 64 titles of the launcher grid (mode 0) or the URL grid, and selects
    // the first entry.
    void Add_list(int mode);
    // What the options dialog does on opening the editor: the grid, the list and the captions that
    // depend on the grid.
    void EditGrid(int rorEp);
    // The grid changed elsewhere (on the strip): the list shows it anew, with the same slot selected
    // and its texts in the fields, so that a command never acts on a slot whose line is out of date.
    void ShowGridAgain();

  protected:
    void Form_Unload() override;

  private:
    void PlaceControls();
    void WireEvents();

    state::Grid& editedGrid() { return RorEp != 0 ? s_.UrlItems : s_.RunItems; }
    void showMessage(const std::string& text);

    // Event handlers.
    void ShowSelectedItem();
    void TitleFieldKey(int& keyAscii);
    void ShortNameFieldKey(int& keyAscii);
    void BrowseForPath();
    void ItemDrop(const forms::DropData& data);
    void MoveItem(int step);
    // The list commands: 0 overwrite the selected slot, 1 register into the first free slot, 2 delete.
    void ListCommand(int index);
    // The grid's extra command: the link check of the launcher grid, the link page of the URL grid.
    void CheckLinksOrMakePage();
    void StoreAndClose();
};

}  // namespace dialogs
