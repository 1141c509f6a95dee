#pragma once

#include <memory>
#include <string>
#include <vector>

#include "forms/Geometry.h"
#include "forms/Image.h"

namespace forms {

class Form;
class Control;
class TextBox;
class ComboBox;
class CheckBox;
class ListBox;
class PictureBox;
class Timer;

// The backend's side of one control. The runtime keeps every property and tells the peer about
// changes; the peer only mirrors them on screen. The peer reports what the person does through the
// control's notify* methods and never raises an event itself.
class ControlPeer {
  public:
    virtual ~ControlPeer() = default;
    virtual void setText(const std::string& text) = 0;
    virtual void setRect(const Rect& rect) = 0;
    virtual void setVisible(bool visible) = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual void setFont(const Font& font) = 0;
    virtual void setForeColor(Color color) = 0;
    virtual void setFocus() = 0;
    virtual NativeWindow handle() const = 0;
};

// Text boxes and the edit part of combo boxes: the caret and selection live in the native control,
// because the person moves them.
class EditPeer : public ControlPeer {
  public:
    virtual Selection selection() const = 0;
    virtual void setSelection(const Selection& selection) = 0;
    // A read-only field shows its text and lets the person select it, but takes no edit.
    virtual void setReadOnly(bool readOnly) = 0;
};

class ComboPeer : public EditPeer {
  public:
    virtual void setListItems(const std::vector<std::string>& items) = 0;
    virtual void setListIndex(int index) = 0;
    virtual void setTopIndex(int index) = 0;
    virtual void showDropDown() = 0;
};

class CheckPeer : public ControlPeer {
  public:
    virtual void setValue(int value) = 0;
};

// List boxes and file list boxes. The top index lives in the native control, because the person scrolls.
class ListPeer : public ControlPeer {
  public:
    virtual void setListItems(const std::vector<std::string>& items) = 0;
    virtual void setListIndex(int index) = 0;
    virtual int topIndex() const = 0;
    virtual void setTopIndex(int index) = 0;
};

// A picture box: its picture and the texts drawn on it live in the control; the peer repaints them.
class PicturePeer : public ControlPeer {
  public:
    virtual void surfaceChanged() = 0;
};

class TimerPeer {
  public:
    virtual ~TimerPeer() = default;
    virtual void setRunning(bool running, int intervalMs) = 0;
};

// The backend's side of a form: one top-level window.
class FormPeer {
  public:
    virtual ~FormPeer() = default;
    // The outer rectangle, pixels.
    virtual void setBounds(const Rect& pixels) = 0;
    // A dialog's client area, pixels; the window keeps its top left corner and reports its new outer
    // rectangle through Form::notifyBoundsChanged.
    virtual void setClientSize(int width, int height) = 0;
    virtual void setCaption(const std::string& caption) = 0;
    virtual void setVisible(bool visible) = 0;
    // Brings a shown window to the front with the keyboard focus.
    virtual void activate() = 0;
    virtual void setPicture(const PicturePtr& picture) = 0;
    // The form's drawn icons replaced `before`: repaint what differs.
    virtual void surfaceChanged(const std::vector<DrawnIcon>& before) = 0;
    virtual int clientHeight() const = 0;  // pixels
    virtual int clientWidth() const = 0;   // pixels
    virtual NativeWindow handle() const = 0;
    // A system-wide hotkey for this window; key a virtual-key code. It arrives through
    // Form::notifyHotkey. False when the system refuses the combination.
    virtual bool registerHotkey(int id, Modifiers modifiers, unsigned key) = 0;
    virtual void unregisterHotkey(int id) = 0;
    // Destroys the native window; no notification comes back after this.
    virtual void destroy() = 0;
};

class Backend {
  public:
    virtual ~Backend() = default;
    virtual std::unique_ptr<FormPeer> createForm(Form& form) = 0;
    virtual std::unique_ptr<ControlPeer> createLabel(Form& form, Control& label) = 0;
    virtual std::unique_ptr<ControlPeer> createImage(Form& form, Control& image) = 0;
    virtual std::unique_ptr<EditPeer> createTextBox(Form& form, TextBox& textBox) = 0;
    virtual std::unique_ptr<ComboPeer> createComboBox(Form& form, ComboBox& comboBox) = 0;
    virtual std::unique_ptr<ControlPeer> createCommandButton(Form& form, Control& button) = 0;
    virtual std::unique_ptr<CheckPeer> createCheckBox(Form& form, CheckBox& checkBox) = 0;
    // A frame is a container: the controls inside it are created as its children.
    virtual std::unique_ptr<ControlPeer> createFrame(Form& form, Control& frame) = 0;
    // List boxes and file list boxes.
    virtual std::unique_ptr<ListPeer> createListBox(Form& form, ListBox& listBox) = 0;
    virtual std::unique_ptr<PicturePeer> createPictureBox(Form& form, PictureBox& pictureBox) = 0;
    virtual std::unique_ptr<TimerPeer> createTimer(Form& form, Timer& timer) = 0;
    // Twips per pixel of the screen, horizontally and vertically (15 at 96 dots per inch).
    virtual double twipsPerPixelX() const = 0;
    virtual double twipsPerPixelY() const = 0;
};

}  // namespace forms
