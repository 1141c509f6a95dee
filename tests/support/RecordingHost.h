#pragma once

#include <string>
#include <vector>

#include "dialogs/Host.h"
#include "mainwindow/MainF.h"
#include "mainwindow/Skin.h"

namespace fake {

// A host for a dialog tested on its own: the strip's routines run on a real strip, every request for
// another dialog is only recorded ("OpenItemEditor 1", "ReturnToOptions", "ShowCurrentSkin x.skn").
class RecordingHost : public dialogs::Host {
  public:
    explicit RecordingHost(mainwindow::MainF& strip) : strip_(strip) {}

    forms::Form& Strip() override { return strip_; }
    void DrawPanelIcons(const std::string& path) override {
        calls.push_back("DrawPanelIcons " + path);
        strip_.DrawPanelIcons(path);
    }
    void ItemsChanged() override {
        calls.push_back("ItemsChanged");
        strip_.FillCommandList();
        strip_.ShowShownSlotAgain();
    }
    void ApplySkin(const std::string& skinPath) override {
        calls.push_back("ApplySkin " + skinPath);
        mainwindow::ApplySkin(strip_, skinPath);
    }
    void RegisterHotkeys() override {
        calls.push_back("RegisterHotkeys");
        strip_.Set_HK_ID();
    }
    bool HotkeyWorks(int id) override { return strip_.HotkeyRegistered(id); }
    void OpenHotkeyDialog(int id) override { calls.push_back("OpenHotkeyDialog " + std::to_string(id)); }
    void OpenSkinDialog() override { calls.push_back("OpenSkinDialog"); }
    void OpenItemEditor(int rorEp) override { calls.push_back("OpenItemEditor " + std::to_string(rorEp)); }
    void OpenLinkPageDialog() override { calls.push_back("OpenLinkPageDialog"); }
    void ReturnToOptions() override { calls.push_back("ReturnToOptions"); }
    void ReturnToItemEditor() override { calls.push_back("ReturnToItemEditor"); }
    void ShowCurrentSkin(const std::string& skinFile) override { calls.push_back("ShowCurrentSkin " + skinFile); }

    std::vector<std::string> calls;

  private:
    mainwindow::MainF& strip_;
};

}  // namespace fake
