#pragma once

#include <string>

#include "dialogs/Dialog.h"

namespace dialogs {

// What a chosen output name becomes: a name ending in "html" or ".htm" (exactly so, letter case
// included) stays as chosen, any other gets ".html" added.
std::string CompleteHtmlExtension(const std::string& fileName);

// The link page dialog: the output file and the four options, then the page of the URL grid as it stands
// in memory. Opened from the item editor, which shows again however this dialog closes.
class HTMLGF : public Dialog {
  public:
    HTMLGF(forms::Backend& backend, Host& host, state::LauncherState& s, platform::Platform& platform);

    forms::Frame Frame1{*this, "Frame1"};
    forms::Label Label1{*this, "Label1"};
    forms::TextBox FileNB{*this, "FileNB"};
    forms::CommandButton Command3{*this, "Command3"};
    forms::CheckBox Check1{*this, "Check1"};
    forms::CheckBox Check2{*this, "Check2"};
    forms::CheckBox Check3{*this, "Check3"};
    forms::CheckBox Check4{*this, "Check4"};
    forms::CommandButton Command2{*this, "Command2"};
    forms::CommandButton Command1{*this, "Command1"};

  protected:
    void Form_Load() override;
    void Form_Unload() override;

  private:
    void Browse();
    void Make();
};

}  // namespace dialogs
