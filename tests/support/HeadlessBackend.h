#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "forms/Backend.h"
#include "forms/Control.h"
#include "forms/Form.h"

namespace headless {

class HeadlessFormPeer;

// A forms backend without windows: it keeps what a screen would show, so that tests can read it, and
// offers the person's actions (click, type, pick) as plain calls.
class HeadlessBackend : public forms::Backend {
  public:
    std::unique_ptr<forms::FormPeer> createForm(forms::Form& form) override;
    std::unique_ptr<forms::ControlPeer> createLabel(forms::Form& form, forms::Control& label) override;
    std::unique_ptr<forms::ControlPeer> createImage(forms::Form& form, forms::Control& image) override;
    std::unique_ptr<forms::EditPeer> createTextBox(forms::Form& form, forms::TextBox& textBox) override;
    std::unique_ptr<forms::ComboPeer> createComboBox(forms::Form& form, forms::ComboBox& comboBox) override;
    std::unique_ptr<forms::ControlPeer> createCommandButton(forms::Form& form,
                                                            forms::Control& button) override;
    std::unique_ptr<forms::CheckPeer> createCheckBox(forms::Form& form, forms::CheckBox& checkBox) override;
    std::unique_ptr<forms::ControlPeer> createFrame(forms::Form& form, forms::Control& frame) override;
    std::unique_ptr<forms::ListPeer> createListBox(forms::Form& form, forms::ListBox& listBox) override;
    std::unique_ptr<forms::PicturePeer> createPictureBox(forms::Form& form,
                                                         forms::PictureBox& pictureBox) override;
    std::unique_ptr<forms::TimerPeer> createTimer(forms::Form& form, forms::Timer& timer) override;
    double twipsPerPixelX() const override { return 15.0; }
    double twipsPerPixelY() const override { return 15.0; }

    // Counts of what reached the "screen", for tests that check redrawing.
    int surfaceRepaints = 0;
    // Texts set into combo boxes (each a repaint of the edit), and selections and scrolls of their lists.
    int comboTextSets = 0;
    int comboListMoves = 0;
    std::vector<std::string> createdForms;
    // The system-wide hotkeys each window holds, by id.
    struct Hotkey {
        forms::Modifiers modifiers;
        unsigned key = 0;
        bool operator==(const Hotkey&) const = default;
    };
    std::map<forms::NativeWindow, std::map<int, Hotkey>> hotkeys;
    std::optional<Hotkey> hotkeyOf(const forms::Form& form, int id) const;
    // The ids a window was asked to release, in order, whether it held them or not.
    std::vector<int> hotkeyReleases;
    // The form that was activated last.
    forms::Form* activeForm = nullptr;
    // The names of the forms whose window was shown, in order.
    std::vector<std::string> shownForms;
    // The forms that have a window now, in the order their windows were made.
    std::vector<forms::Form*> liveForms() const;

  private:
    forms::NativeWindow nextHandle_ = 0x1000;
    std::vector<HeadlessFormPeer*> formPeers_;  // the live windows
    friend class HeadlessFormPeer;
};

// The person's actions. A press is preceded by the pointer moving over the control, as with a mouse.
// A click gives a control that takes the focus the focus; on a check box it flips the value. A click on a
// control that is hidden or disabled, or inside a hidden or disabled frame, reaches nothing.
void click(forms::Control& control);
void rightClick(forms::Control& control);
void doubleClick(forms::Control& control);
void mouseDown(forms::Control& control, int button, int shift = 0, int x = 1, int y = 1);
void hover(forms::Control& control, int x = 1, int y = 1);
// The pointer moves to a screen point: over the form (its background) or away from it, which the form
// learns as the system reports it: where the pointer is, and whether it is over one of its windows.
void movePointer(forms::Form& form, int x, int y);
// The pointer's buttons as they come, on a label, image or picture box: "L" a left click, "R" a right
// click, "LL" and "RR" double clicks, "L-" a left press released outside the control.
void presses(forms::Control& control, const std::string& what);
// Types one character as an edit control does: KeyPress first, then the text and caret change.
// Backspace (8) deletes the selection or the character before the caret.
void typeChar(forms::TextBox& box, int keyAscii);
void typeText(forms::TextBox& box, const std::string& asciiText);
// Pastes text over the selection, as the edit's Paste does.
void paste(forms::TextBox& box, const std::string& text);
void pickListEntry(forms::ComboBox& box, int index);
void pickListEntry(forms::ListBox& box, int index);
// A whole key stroke on the focused control (or the form): KeyDown, then the character it types
// (letters and digits, Enter, Esc, Backspace, space) as KeyPress and into a text box, then KeyUp.
// Delete erases in a text box as the edit does, without a KeyPress.
void pressKey(forms::Form& form, int keyCode, int shift = 0);
// The close box of a dialog.
void closeBox(forms::Form& form);
// The system delivers a hotkey that the form registered; an id it does not hold is delivered too.
void deliverHotkey(forms::Form& form, int id);
// Drags shell files over a control and drops them there, as the shell's drag and drop delivers them.
void dragOver(forms::Control& control, const std::vector<std::string>& files);
void drop(forms::Control& control, const std::vector<std::string>& files);
// Drops data that offers no file list (text, for example).
void dropText(forms::Control& control);

}  // namespace headless
