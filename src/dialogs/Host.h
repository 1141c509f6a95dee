#pragma once

#include <string>

#include "forms/Form.h"

namespace dialogs {

// What a dialog asks of the program that owns it. A dialog never reaches into the strip or into another
// dialog: it asks here, and the application does it (it owns the strip and every dialog, one instance
// of each).
class Host {
  public:
    virtual ~Host() = default;

    // The strip: the owner of every dialog and the window they open beside.
    virtual forms::Form& Strip() = 0;

    // The strip's routines that a dialog's change needs.
    virtual void DrawPanelIcons(const std::string& path) = 0;
    virtual void ApplySkin(const std::string& skinPath) = 0;

    // A dialog changed a grid in memory: the strip (its shown slot, panel and command box list) and
    // every other open window show the grids as they now stand.
    virtual void ItemsChanged() = 0;

    // The five hotkeys. RegisterHotkeys registers them again from the state: a combination that the
    // system refuses leaves that one hotkey without effect and never disturbs the others; the options
    // dialog, when loaded, shows them anew. HotkeyWorks tells whether hotkey `id` is registered now.
    virtual void RegisterHotkeys() = 0;
    virtual bool HotkeyWorks(int id) = 0;

    // The other dialogs. The skin dialog and the item editor open from the options dialog, which hides
    // while they are open; the link page dialog opens from the item editor, which hides likewise.
    virtual void OpenHotkeyDialog(int id) = 0;
    virtual void OpenSkinDialog() = 0;
    // rorEp 0 edits the launcher grid, 1 the URL grid.
    virtual void OpenItemEditor(int rorEp) = 0;
    virtual void OpenLinkPageDialog() = 0;

    // A dialog that hid its opener calls these as it closes, by whatever means: the opener shows again
    // where it was, as it was.
    virtual void ReturnToOptions() = 0;
    virtual void ReturnToItemEditor() = 0;

    // The skin dialog applied `skinFile` (a file name in the skins folder): the options dialog, when
    // loaded, shows it as the current skin.
    virtual void ShowCurrentSkin(const std::string& skinFile) = 0;
};

}  // namespace dialogs
