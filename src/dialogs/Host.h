#pragma once

#include <string>

#include "forms/Form.h"

namespace dialogs {

// What a dialog asks of the program that owns it. A dialog never reaches into the strip or into another
// dialog: it asks here, and the application does it (it owns the strip and every dialog, one instance
// of each, and shows the options dialog again when a dialog opened from it closes).
class Host {
  public:
    virtual ~Host() = default;

    // The strip: the owner of every dialog and the window they open beside.
    virtual forms::Form& Strip() = 0;

    // The strip's routines that a dialog's change needs.
    virtual void DrawPanelIcons(const std::string& path) = 0;
    virtual void FillCommandList() = 0;
    virtual void ApplySkin(const std::string& skinPath) = 0;

    // The other dialogs.
    virtual void OpenHotkeyDialog(int id) = 0;
    virtual void OpenSkinDialog() = 0;
    // rorEp 0 edits the launcher grid, 1 the URL grid.
    virtual void OpenItemEditor(int rorEp) = 0;
    virtual void OpenLinkPageDialog() = 0;
};

}  // namespace dialogs
