#pragma once

#include <functional>
#include <optional>
#include <string>

#include "forms/Control.h"
#include "forms/ControlArray.h"
#include "forms/Form.h"
#include "hotkeys/Registrations.h"
#include "platform/Platform.h"
#include "state/State.h"

namespace mainwindow {

// The launcher's strip: 256 x 28 pixels collapsed, 128 expanded, its look painted by the skin.
// The controls keep their own names; everything else about them lives in the files of this folder.
class MainF : public forms::Form {
  public:
    // Hold it in a forms::OwnedForm, so that it unloads (and gives back what it took) before it goes.
    MainF(forms::Backend& backend, state::LauncherState& s, platform::Platform& platform);

    forms::Image IconV{*this, "IconV"};
    forms::Label PageV{*this, "PageV"};
    // In the order they are laid out: a label laid out later lies above the earlier ones, so the run
    // buttons lie over the slot icons and the marks at the right end over the caption strip.
    forms::ControlArray<forms::Image> IconB{*this, "IconB", 4};
    forms::ControlArray<forms::Label> RUN_B{*this, "RUN_B", 4};
    forms::ComboBox Input_Com{*this, "Input_Com"};
    forms::Label ViewCaption{*this, "ViewCaption"};
    forms::Label End_B{*this, "End_B"};
    forms::Label zoL{*this, "zoL"};
    forms::Label Label4{*this, "Label4"};
    forms::TextBox TitleT{*this, "TitleT"};
    forms::TextBox BatchT{*this, "BatchT"};
    forms::TextBox PathT{*this, "PathT"};
    forms::ControlArray<forms::Label> Label2{*this, "Label2", 3};
    forms::Timer Timer1{*this, "Timer1"};

    // ---- Panel (drawing and the window's size)
    void DrawPanelIcons(const std::string& path);
    void ToggleExpanded();
    void HideCommandBox();
    void UpdateEntryFields();
    // Shows slot 0 of the current page: the page number as start-up and the mode switch write it
    // (a blank and the decimal number), the caption and the three entry fields.
    void ShowFirstSlotOfPage();

    // The mode switch between the launcher grid and the URL grid.
    void SwitchMode();
    // Shows an item: its title in the caption, its three texts in the entry fields.
    void ShowRecord(const state::ItemRecord& item);
    // A grid was changed by another route than the entry fields (a dialog, the removals at start-up):
    // the shown slot as it now stands in the fields, the caption (unless the clock holds it) and the
    // panel, so that a later store cannot write back what the slot held before.
    void ShowShownSlotAgain();
    // Shows the item of `slot` on the current page in the caption and the entry fields.
    void ShowSlot(int slot);
    // True while the entry fields hold text that differs from the item they show.
    bool HasPendingEdit() const;

    // ---- Clock: the pointer's test and the caption it sets (Clock.cpp)
    // Timer1: the pointer's test with its position asked of the system, then the next tick.
    void ClockTick();
    // The pointer moved over the strip or left it: its test at the reported position, then the next tick.
    void PointerMoved(const forms::PointerArgs& pointer);

    // ---- Command box
    void FillCommandList();
    void OpenCommandBox();
    void LaunchByShortName(const std::string& text);
    // The character code of the latest key pressed in the command box; 0 before the first.
    int LastKeyChar = 0;

    // ---- Hotkeys and window order
    // Runs the action of hotkey `id`; the strip receives its hotkeys through onHotkey.
    void MyMsg(int id);
    // Registers the five hotkeys of the state on the strip (hotkeys::Registrations::Set_HK_ID).
    void Set_HK_ID() { registrations_.Set_HK_ID(s_.Hotkeys); }
    void ReleaseHotkeys() { registrations_.ReleaseAll(); }
    bool HotkeyRegistered(int id) const { return registrations_.Registered(id); }
    void ToggleZOrder();
    // Applies ZOrderBottom to the window and to the mark on zoL.
    void ApplyWindowOrder();
    // Shows on Label4 whether the window order is locked against the mouse.
    void ShowLockMark();

    // A right click on the mode icon asks for the options dialog beside the strip.
    std::function<void()> onOptionsRequested;
    // The close label was clicked: the application closes its dialogs and then this window.
    std::function<void()> onEndRequested;
    // The window is about to unload, whatever the cause: the application's closing steps.
    std::function<void()> onClosing;
    // The store or delete label changed the current grid (and saved it): the open dialogs show it anew.
    std::function<void()> onItemsChanged;

    // ---- Screen readers: the marks of the strip, their names and what pressing them does
    enum class StripElement {
        ModeIcon,
        Page,
        Run0,
        Run1,
        Run2,
        Run3,
        Caption,
        Close,
        WindowOrder,
        Lock,
        Store,
        Undo,
        Delete
    };
    std::optional<forms::AccessibleView> accessibleView() const override;
    void accessibleAction(int id) override;

    state::LauncherState& state() { return s_; }
    platform::Platform& platform() { return platform_; }

  protected:
    void Form_Load() override;
    void Form_Unload() override;

  private:
    void PlaceControls();
    // Title or clock in the caption, by where the pointer is (screen pixels).
    void ShowPointerState(int x, int y);
    // Sets Timer1 for what can change next without an event (Clock.cpp), or stops it.
    void ScheduleClock();
    void SetDesignProperties();
    void WireEvents();

    // Event handlers.
    void DragStrip(const forms::MouseArgs& args);
    void DragOrOpenOptions(const forms::MouseArgs& args);
    void TurnPage(const forms::MouseArgs& args);
    void StartOrEditSlot(int index, const forms::MouseArgs& args);
    void ShowHoveredSlot(int index, const forms::MouseArgs& args);
    // The entry fields' marks: 0 stores the fields into the slot, 1 shows the slot again, 2 deletes it.
    void EntryCommand(int index);
    void ShowDraggedOverSlot(int index, const forms::DropData& data);
    void RegisterDropOnSlot(int index, const forms::DropData& data);
    void TakeDroppedPath(const forms::DropData& data);
    void RegisterDropInFreeSlot(const forms::DropData& data);
    // The path a drop registers: the first file, a shortcut resolved to its target. Nothing, with a
    // word in the caption where needed, when the drop cannot be registered.
    std::optional<std::string> DroppedPath(const forms::DropData& data);
    // Empties the fields but the path, opens the window and puts the caret into the title.
    void PrepareRegistration(const std::string& path);
    void ToggleOrderOrLock(const forms::MouseArgs& args);
    // The entry fields hold nothing that the stored files could not: otherwise the reason in a message
    // box and the caret in the field that holds the character.
    bool EntryFieldsStorable();
    void TitleFieldKey(int& keyAscii);
    void ShortNameFieldKey(int& keyAscii);
    void BrowseForPath();
    void CommandBoxKey(int& keyAscii);
    // Whether the typed character is the one the completed text shows next (see CommandBox.cpp).
    bool TypesOverCompletion(int keyAscii) const;
    void CompleteShortName();
    // The panel shows the icon of the launcher item with this short name.
    void ShowEntryIcon(const std::string& entry);
    void StartChosenEntry();

    state::LauncherState& s_;
    platform::Platform& platform_;
    bool completing_ = false;  // inside the command box's completion
    hotkeys::Registrations registrations_{*this};
};

// The list search of a combo box: the first entry that begins with (or, exact, equals) the text,
// letter case ignored; -1 when none, and for a control that has no list.
int FindListEntry(const forms::Control& control, const std::string& text, bool exact = false);

}  // namespace mainwindow
