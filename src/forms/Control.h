#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "forms/Backend.h"
#include "forms/Geometry.h"
#include "forms/Utf8.h"

namespace forms {

class Form;
class Frame;

// What every visible control has: a name, an index when it belongs to a control array, a pixel
// rectangle, a caption or text, a font and colour, enabled, visible and focus, and its events.
// Program code and the person's actions go through the same setters, so each change raises its event
// exactly once, whatever the backend.
class Control {
  public:
    enum class Kind {
        Label,
        Image,
        TextBox,
        ComboBox,
        CommandButton,
        CheckBox,
        Frame,
        ListBox,
        FileListBox,
        PictureBox
    };

    Control(Form& owner, Kind kind, std::string name, int index = -1);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Kind kind() const { return kind_; }
    const std::string& name() const { return name_; }
    int index() const { return index_; }  // -1 outside a control array
    Form& form() const { return owner_; }

    // The frame that holds this control, or nullptr when it lies on the form. Set before loading; the
    // rectangle is then relative to the frame.
    Frame* container() const { return container_; }
    void setContainer(Frame& frame) { container_ = &frame; }

    const Rect& rect() const { return rect_; }
    void setRect(const Rect& rect);
    // Places the control; returns it, so that a caption can follow on the same line.
    Control& move(int left, int top, int width, int height) {
        setRect({left, top, width, height});
        return *this;
    }

    bool visible() const { return visible_; }
    void setVisible(bool visible);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);

    const Font& font() const { return font_; }
    void setFont(const Font& font);
    void setFontFace(const std::string& face);
    Color foreColor() const { return foreColor_; }
    void setForeColor(Color color);

    // The caption of a label, button, check box or frame; the text of a text or combo box.
    const std::string& text() const { return text_; }
    void setText(const std::string& text);
    const std::string& caption() const { return text_; }
    void setCaption(const std::string& caption) { setText(caption); }

    bool hasFocus() const;
    void setFocus();
    // Whether the control can take the focus now: a kind that takes it, visible and enabled, and so is
    // every frame around it.
    bool canTakeFocus() const;

    // The tab order: by tabIndex (the order of creation unless set), over the controls with a tab stop.
    int tabIndex() const { return tabIndex_; }
    void setTabIndex(int index) { tabIndex_ = index; }
    bool tabStop() const { return tabStop_; }
    void setTabStop(bool stop) { tabStop_ = stop; }

    NativeWindow handle() const;

    // What a screen reader calls the control, for one that has no caption saying what it is (a text
    // box, a list); empty leaves it to the system, which reads a caption.
    const std::string& accessibleName() const { return accessibleName_; }
    Control& setAccessibleName(std::string name) {
        accessibleName_ = std::move(name);
        return *this;
    }

    std::function<void(const MouseArgs&)> onMouseDown;
    std::function<void(const MouseArgs&)> onMouseUp;
    std::function<void(const MouseArgs&)> onMouseMove;
    std::function<void()> onClick;
    std::function<void()> onDblClick;
    std::function<void()> onGotFocus;
    std::function<void()> onLostFocus;
    std::function<void()> onChange;
    // KeyDown and KeyUp: the key code and the Shift mask (1 Shift, 2 Ctrl, 4 Alt). KeyPress: the
    // character code. A handler may change the code, and 0 swallows the key.
    std::function<void(int& keyCode, int shift)> onKeyDown;
    std::function<void(int& keyCode, int shift)> onKeyUp;
    std::function<void(int& keyAscii)> onKeyPress;
    // Drops from the shell reach only controls that accept them.
    std::function<void(const DropData&, const MouseArgs&)> onDragOver;
    std::function<void(const DropData&, const MouseArgs&)> onDragDrop;
    bool acceptsDrops() const { return acceptsDrops_; }
    void setAcceptsDrops(bool accepts) { acceptsDrops_ = accepts; }

    // Backend notifications: what the person did.
    void notifyMouseDown(const MouseArgs& args);
    void notifyMouseUp(const MouseArgs& args);
    void notifyMouseMove(const MouseArgs& args);
    void notifyClick();
    void notifyDblClick();
    // The pointer's buttons as they are pressed, for the controls whose Click the runtime decides
    // (labels, images, picture boxes; the system decides it for buttons, boxes and lists): a press
    // (`doubleClick` for the system's double-click message, the second press of a double click), a
    // release (`inside` the control or not), and the capture lost between press and release.
    void notifyButtonPressed(const MouseArgs& args, bool doubleClick);
    void notifyButtonReleased(const MouseArgs& args, bool inside);
    void notifyPressAbandoned();
    void notifyDragOver(const DropData& data, const MouseArgs& args);
    void notifyDragDrop(const DropData& data, const MouseArgs& args);
    // The native text changed; raises Change unless the runtime already holds this text.
    void notifyTextChanged(const std::string& text);
    // Keys, while this control has the focus: the form's preview, the control's handler, then the
    // runtime's own use of the key. Each returns the code to pass on to the native control, 0 for none.
    int notifyKeyDown(int keyCode, int shift);
    int notifyKeyUp(int keyCode, int shift);
    int notifyKeyPress(int keyAscii);

    // Called by the form while it loads and unloads.
    virtual void createPeer(Backend& backend) = 0;
    virtual void destroyPeer();

  protected:
    void attachPeer(ControlPeer* peer);
    ControlPeer* peer() const { return peer_; }
    void raise(const std::function<void()>& handler) const {
        if (handler)
            handler();
    }
    // Replaces the text without raising Change (a list pick in a combo box).
    void replaceTextSilently(const std::string& text);
    std::unique_ptr<ControlPeer> ownedPeer_;

  private:
    Form& owner_;
    Kind kind_;
    std::string name_;
    int index_;
    Frame* container_ = nullptr;
    int tabIndex_;
    bool tabStop_ = true;
    Rect rect_;
    bool visible_ = true;
    bool enabled_ = true;
    Font font_;
    Color foreColor_ = 0;
    bool acceptsDrops_ = false;
    std::string text_;
    std::string accessibleName_;
    ControlPeer* peer_ = nullptr;
    bool leftPressed_ = false;       // a left release inside is a Click only after a left press here
    bool afterDoubleClick_ = false;  // the release that ends a double click is no second Click
};

class Label : public Control {
  public:
    Label(Form& owner, std::string name, int index = -1)
        : Control(owner, Kind::Label, std::move(name), index) {}
    void createPeer(Backend& backend) override;
};

// A placeholder that marks where the form draws an icon; it only receives mouse events.
class Image : public Control {
  public:
    Image(Form& owner, std::string name, int index = -1)
        : Control(owner, Kind::Image, std::move(name), index) {}
    void createPeer(Backend& backend) override;
};

class TextBox : public Control {
  public:
    TextBox(Form& owner, std::string name, int index = -1)
        : TextBox(owner, Kind::TextBox, std::move(name), index) {}

    Selection selection() const;
    void setSelection(const Selection& selection);
    int selStart() const { return selection().start; }

    // A locked box takes no typing, deleting or pasting (its KeyPress still runs); program code still
    // sets its text.
    bool locked() const { return locked_; }
    void setLocked(bool locked);

    // Backend notification: the person edited the text and the caret now stands at `caret`.
    void notifyEdited(const std::string& text, const Selection& caret);

    void createPeer(Backend& backend) override;

  protected:
    TextBox(Form& owner, Kind kind, std::string name, int index)
        : Control(owner, kind, std::move(name), index) {}
    EditPeer* editPeer() const { return static_cast<EditPeer*>(peer()); }

  private:
    Selection selection_;  // what a backend without a native caret keeps
    bool locked_ = false;
};

// The list searches of combo and list boxes: the first entry that begins with (or equals) the text,
// letter case ignored, as the system's controls search; -1 when none. An empty text finds nothing.
int findListPrefix(const std::vector<std::string>& items, const std::string& text);
int findListExact(const std::vector<std::string>& items, const std::string& text);

// An editable text with a drop-down list. Searches ignore letter case, as the system's combo box does.
class ComboBox : public TextBox {
  public:
    ComboBox(Form& owner, std::string name, int index = -1)
        : TextBox(owner, Kind::ComboBox, std::move(name), index) {}

    const std::vector<std::string>& list() const { return items_; }
    void clearList();
    void addItem(const std::string& item);

    int listIndex() const { return listIndex_; }
    // Selects an entry (or none with -1); the text takes the entry and Click is raised.
    void setListIndex(int index);
    int topIndex() const { return topIndex_; }
    void setTopIndex(int index);

    void showDropDown();
    bool droppedDown() const { return droppedDown_; }

    // The first entry that begins with (or equals) the text, letter case ignored; -1 when none.
    // An empty text finds nothing.
    int findPrefix(const std::string& text) const { return findListPrefix(items_, text); }
    int findExact(const std::string& text) const { return findListExact(items_, text); }

    // Backend notifications.
    void notifyListPicked(int index);
    void notifyDroppedDown() { droppedDown_ = true; }
    void notifyDropDownClosed() { droppedDown_ = false; }

    void createPeer(Backend& backend) override;

  private:
    ComboPeer* comboPeer() const { return static_cast<ComboPeer*>(peer()); }
    std::vector<std::string> items_;
    int listIndex_ = -1;
    int topIndex_ = 0;
    bool droppedDown_ = false;
};

// A push button: Click when pressed with the mouse, the space bar, or Enter while it has the focus.
class CommandButton : public Control {
  public:
    CommandButton(Form& owner, std::string name, int index = -1)
        : Control(owner, Kind::CommandButton, std::move(name), index) {}
    void createPeer(Backend& backend) override;
};

// A check box: Value 0 clear, 1 ticked. A value set by program code raises Click, as the person's
// click does, once.
class CheckBox : public Control {
  public:
    CheckBox(Form& owner, std::string name, int index = -1)
        : Control(owner, Kind::CheckBox, std::move(name), index) {}
    int value() const { return value_; }
    void setValue(int value);
    // Backend notification: the person's click left the box with this value.
    void notifyValueChanged(int value) { setValue(value); }
    void createPeer(Backend& backend) override;

  private:
    CheckPeer* checkPeer() const { return static_cast<CheckPeer*>(peer()); }
    int value_ = 0;
};

// A frame with a caption around a group of controls, which lie inside it (Control::setContainer).
class Frame : public Control {
  public:
    Frame(Form& owner, std::string name, int index = -1)
        : Control(owner, Kind::Frame, std::move(name), index) {}
    void createPeer(Backend& backend) override;
};

// A list with a single selection. A selection set by program code raises Click, as the person's does,
// once; setting the selection it already has raises nothing.
class ListBox : public Control {
  public:
    ListBox(Form& owner, std::string name, int index = -1)
        : ListBox(owner, Kind::ListBox, std::move(name), index) {}

    const std::vector<std::string>& list() const { return items_; }
    int listCount() const { return static_cast<int>(items_.size()); }
    void clearList();
    void addItem(const std::string& item);
    // Replaces the text of one entry; the selection stays.
    void setItem(int index, const std::string& item);

    int listIndex() const { return listIndex_; }
    // Selects an entry, or none with -1; an index outside the list changes nothing.
    void setListIndex(int index);
    int topIndex() const;
    void setTopIndex(int index);

    int findPrefix(const std::string& text) const { return findListPrefix(items_, text); }
    int findExact(const std::string& text) const { return findListExact(items_, text); }

    // Backend notification: the person selected an entry.
    void notifyListPicked(int index) { setListIndex(index); }

    void createPeer(Backend& backend) override;

  protected:
    ListBox(Form& owner, Kind kind, std::string name, int index)
        : Control(owner, kind, std::move(name), index) {}
    void replaceList(std::vector<std::string> items);

  private:
    ListPeer* listPeer() const { return static_cast<ListPeer*>(peer()); }
    std::vector<std::string> items_;
    int listIndex_ = -1;
    int topIndex_ = 0;
};

// The names of the files in a folder that match a pattern, as the system lists them.
using FileLister =
    std::function<std::vector<std::string>(const std::string& folder, const std::string& pattern)>;

// A list box of the files of one folder that match a pattern ("*.*" unless set), listed through the
// lister the window supplies. Changing the folder or the pattern lists again; so does refresh().
class FileListBox : public ListBox {
  public:
    FileListBox(Form& owner, std::string name, int index = -1)
        : ListBox(owner, Kind::FileListBox, std::move(name), index) {}

    void setLister(FileLister lister) { lister_ = std::move(lister); }
    const std::string& path() const { return path_; }
    void setPath(const std::string& folder);
    const std::string& pattern() const { return pattern_; }
    void setPattern(const std::string& pattern);
    // Lists the folder again; nothing stays selected.
    void refresh();
    // The selected file's name; empty when none is selected.
    std::string fileName() const;

  private:
    FileLister lister_;
    std::string path_;
    std::string pattern_ = "*.*";
};

// Text drawn on a picture box: where, in which face and colour.
struct DrawnText {
    int x = 0;
    int y = 0;
    std::string text;
    Font font;
    Color color = 0;
};

// A box that shows its own picture at its top left corner, with texts drawn over it until cleared.
class PictureBox : public Control {
  public:
    PictureBox(Form& owner, std::string name, int index = -1)
        : Control(owner, Kind::PictureBox, std::move(name), index) {
        setTabStop(false);
    }
    const PicturePtr& picture() const { return picture_; }
    void setPicture(PicturePtr picture);
    void drawText(int x, int y, const std::string& text, const Font& font, Color color);
    // Removes the drawn texts; the picture stays.
    void clearDrawing();
    const std::vector<DrawnText>& drawnTexts() const { return texts_; }
    void createPeer(Backend& backend) override;
    // Unloading gives back the picture and the drawing: a dialog's object may outlive its window for a
    // while (forms::DialogSlot), and the picture's memory and handles belong to the window.
    void destroyPeer() override;

  private:
    void repaint() const;
    PicturePtr picture_;
    std::vector<DrawnText> texts_;
};

class Timer {
  public:
    Timer(Form& owner, std::string name);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    const std::string& name() const { return name_; }
    int interval() const { return interval_; }
    void setInterval(int ms);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);

    std::function<void()> onTimer;
    void notifyTick();

    void createPeer(Backend& backend);
    void destroyPeer() { peer_.reset(); }

  private:
    void update();
    Form& owner_;
    std::string name_;
    int interval_ = 0;
    bool enabled_ = true;
    std::unique_ptr<TimerPeer> peer_;
};

}  // namespace forms
