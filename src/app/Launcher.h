#pragma once

#include "dialogs/Host.h"
#include "dialogs/hotkey/THotKeyOpt.h"
#include "dialogs/itemeditor/ItemOptF.h"
#include "dialogs/linkpage/HTMLGF.h"
#include "dialogs/options/OptF.h"
#include "dialogs/skins/SkinForm.h"
#include "forms/Backend.h"
#include "forms/DialogSlot.h"
#include "forms/OwnedForm.h"
#include "mainwindow/MainF.h"
#include "platform/Platform.h"
#include "state/State.h"

namespace app {

// The whole program: its state, its main window and dialogs, its start and its end. It is the host of
// every dialog: a dialog reaches the strip and the other dialogs only through it.
class Launcher : public dialogs::Host {
  public:
    Launcher(forms::Backend& backend, platform::Platform& platform);
    ~Launcher() override;
    Launcher(const Launcher&) = delete;
    Launcher& operator=(const Launcher&) = delete;

    // The start-up sequence. Returns false when another instance already runs: this one then ends
    // at once, before touching any file or window.
    bool Main();

    // The close label: unloads the main window, whose closing steps close the dialogs and save
    // everything.
    void End();

    state::LauncherState& state() { return s_; }
    mainwindow::MainF& mainForm() { return *mainF_; }
    // The loaded dialogs, or nullptr.
    dialogs::OptF* optionsDialog() const { return optF_.get(); }
    dialogs::THotKeyOpt* hotkeyDialog() const { return hotKeyOpt_.get(); }
    dialogs::ItemOptF* itemEditor() const { return itemOptF_.get(); }
    dialogs::SkinForm* skinDialog() const { return skinF_.get(); }
    dialogs::HTMLGF* linkPageDialog() const { return linkPage_.get(); }

    // ---- dialogs::Host
    forms::Form& Strip() override { return *mainF_; }
    void DrawPanelIcons(const std::string& path) override;
    void ApplySkin(const std::string& skinPath) override;
    void ItemsChanged() override;
    void RegisterHotkeys() override;
    bool HotkeyWorks(int id) override;
    void OpenHotkeyDialog(int id) override;
    void OpenSkinDialog() override;
    void OpenItemEditor(int rorEp) override;
    void OpenLinkPageDialog() override;
    void ReturnToOptions() override;
    void ReturnToItemEditor() override;
    void ShowCurrentSkin(const std::string& skinFile) override;

  private:
    void KeepWindowOnScreen();
    void ApplyConfiguredSkin();
    void OfferToRemoveVanishedItems();
    void ClosingSteps();
    // The strip's store or delete label changed a grid: the open dialogs show it anew.
    void StripItemsChanged();
    // Unloads every open dialog, a dialog opened from another one before its opener.
    void CloseDialogs();
    // The right click on the mode icon: the options dialog beside the strip.
    void OpenOptions();

    forms::Backend& backend_;
    platform::Platform& platform_;
    state::LauncherState s_;
    // Set by the closing steps: a dialog that goes then shows nothing again on its way out.
    bool closing_ = false;
    forms::DialogSlot<dialogs::OptF> optF_;
    forms::DialogSlot<dialogs::THotKeyOpt> hotKeyOpt_;
    // After the options dialog, so that they go before the dialog they return to.
    forms::DialogSlot<dialogs::ItemOptF> itemOptF_;
    forms::DialogSlot<dialogs::SkinForm> skinF_;
    // After the item editor, so that it goes before the editor it returns to.
    forms::DialogSlot<dialogs::HTMLGF> linkPage_;
    // Last, so that it goes first: its closing steps still use everything above.
    forms::OwnedForm<mainwindow::MainF> mainF_;
};

}  // namespace app
