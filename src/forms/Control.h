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

// What every visible control has: a name, an index when it belongs to a control array, a pixel
// rectangle, a caption or text, a font and colour, enabled, visible and focus, and its events.
// Program code and the person's actions go through the same setters, so each change raises its event
// exactly once, whatever the backend.
class Control {
  public:
    enum class Kind { Label, Image, TextBox, ComboBox };

    Control(Form& owner, Kind kind, std::string name, int index = -1);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Kind kind() const { return kind_; }
    const std::string& name() const { return name_; }
    int index() const { return index_; }  // -1 outside a control array
    Form& form() const { return owner_; }

    const Rect& rect() const { return rect_; }
    void setRect(const Rect& rect);
    void move(int left, int top, int width, int height) { setRect({left, top, width, height}); }

    bool visible() const { return visible_; }
    void setVisible(bool visible);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);

    const Font& font() const { return font_; }
    void setFont(const Font& font);
    void setFontFace(const std::string& face);
    Color foreColor() const { return foreColor_; }
    void setForeColor(Color color);

    // The caption of a label, the text of a text or combo box.
    const std::string& text() const { return text_; }
    void setText(const std::string& text);

    bool hasFocus() const;
    void setFocus();

    NativeWindow handle() const;

    std::function<void(const MouseArgs&)> onMouseDown;
    std::function<void(const MouseArgs&)> onMouseUp;
    std::function<void(const MouseArgs&)> onMouseMove;
    std::function<void()> onClick;
    std::function<void()> onDblClick;
    std::function<void()> onGotFocus;
    std::function<void()> onLostFocus;
    std::function<void()> onChange;
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
    void notifyDragOver(const DropData& data, const MouseArgs& args);
    void notifyDragDrop(const DropData& data, const MouseArgs& args);
    // The native text changed; raises Change unless the runtime already holds this text.
    void notifyTextChanged(const std::string& text);

    // Called by the form while it loads and unloads.
    virtual void createPeer(Backend& backend) = 0;
    void destroyPeer();

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
    Rect rect_;
    bool visible_ = true;
    bool enabled_ = true;
    Font font_;
    Color foreColor_ = 0;
    bool acceptsDrops_ = false;
    std::string text_;
    ControlPeer* peer_ = nullptr;
};

class Label : public Control {
  public:
    Label(Form& owner, std::string name, int index = -1)
        : Control(owner, Kind::Label, std::move(name), index) {}
    const std::string& caption() const { return text(); }
    void setCaption(const std::string& caption) { setText(caption); }
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
    int selLength() const { return selection().length; }

    // KeyAscii is the character code; a handler may change it, and 0 swallows the key.
    std::function<void(int& keyAscii)> onKeyPress;

    // Backend notification: a key that delivers a character. Returns the code to pass on, 0 for none.
    int notifyKeyPress(int keyAscii);
    // Backend notification: the person edited the text and the caret now stands at `caret`.
    void notifyEdited(const std::string& text, const Selection& caret);

    void createPeer(Backend& backend) override;

  protected:
    TextBox(Form& owner, Kind kind, std::string name, int index)
        : Control(owner, kind, std::move(name), index) {}
    EditPeer* editPeer() const { return static_cast<EditPeer*>(peer()); }

  private:
    Selection selection_;  // what a backend without a native caret keeps
};

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
    int findPrefix(const std::string& text) const;
    int findExact(const std::string& text) const;

    // Backend notifications.
    void notifyListPicked(int index);
    void notifyDropDownClosed() { droppedDown_ = false; }

    void createPeer(Backend& backend) override;

  private:
    ComboPeer* comboPeer() const { return static_cast<ComboPeer*>(peer()); }
    std::vector<std::string> items_;
    int listIndex_ = -1;
    int topIndex_ = 0;
    bool droppedDown_ = false;
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
