#include "HeadlessBackend.h"

#include <algorithm>

namespace headless {
namespace {

// What every headless peer does: nothing on screen, a handle for the tests to tell windows apart.
template <class Base>
class BasicPeer : public Base {
  public:
    explicit BasicPeer(forms::NativeWindow handle) : handle_(handle) {}
    void setText(const std::string&) override {}
    void setRect(const forms::Rect&) override {}
    void setVisible(bool) override {}
    void setEnabled(bool) override {}
    void setFont(const forms::Font&) override {}
    void setForeColor(forms::Color) override {}
    void setFocus() override {}
    forms::NativeWindow handle() const override { return handle_; }

  private:
    forms::NativeWindow handle_;
};

class HeadlessEditPeer : public BasicPeer<forms::EditPeer> {
  public:
    using BasicPeer::BasicPeer;
    // As an edit control does, new text puts the caret at its start.
    void setText(const std::string&) override { selection_ = {}; }
    forms::Selection selection() const override { return selection_; }
    void setSelection(const forms::Selection& selection) override { selection_ = selection; }
    // The person's edits below ask the box itself whether it is locked.
    void setReadOnly(bool) override {}

  private:
    forms::Selection selection_;
};

class HeadlessComboPeer : public BasicPeer<forms::ComboPeer> {
  public:
    HeadlessComboPeer(HeadlessBackend& backend, forms::NativeWindow handle)
        : BasicPeer(handle), backend_(backend) {}
    // As the system's edit: the same text again changes nothing.
    void setText(const std::string& text) override {
        if (text == text_)
            return;
        text_ = text;
        selection_ = {};
        ++backend_.comboTextSets;
    }
    forms::Selection selection() const override { return selection_; }
    void setSelection(const forms::Selection& selection) override { selection_ = selection; }
    void setReadOnly(bool) override {}
    void setListItems(const std::vector<std::string>&) override {}
    void setListIndex(int) override { ++backend_.comboListMoves; }
    void setTopIndex(int) override { ++backend_.comboListMoves; }
    void showDropDown() override {}

  private:
    HeadlessBackend& backend_;
    std::string text_;
    forms::Selection selection_;
};

class HeadlessCheckPeer : public BasicPeer<forms::CheckPeer> {
  public:
    using BasicPeer::BasicPeer;
    void setValue(int) override {}
};

class HeadlessListPeer : public BasicPeer<forms::ListPeer> {
  public:
    using BasicPeer::BasicPeer;
    void setListItems(const std::vector<std::string>&) override { top_ = 0; }
    void setListIndex(int) override {}
    int topIndex() const override { return top_; }
    void setTopIndex(int index) override { top_ = index; }

  private:
    int top_ = 0;
};

class HeadlessPicturePeer : public BasicPeer<forms::PicturePeer> {
  public:
    HeadlessPicturePeer(HeadlessBackend& backend, forms::NativeWindow handle)
        : BasicPeer(handle), backend_(backend) {}
    void surfaceChanged() override { ++backend_.surfaceRepaints; }

  private:
    HeadlessBackend& backend_;
};

class HeadlessTimerPeer : public forms::TimerPeer {
  public:
    void setRunning(bool, int) override {}
};

}  // namespace

class HeadlessFormPeer : public forms::FormPeer {
  public:
    HeadlessFormPeer(HeadlessBackend& backend, forms::Form& form, forms::NativeWindow handle)
        : backend_(backend), form_(form), handle_(handle) {
        backend_.formPeers_.push_back(this);
    }
    ~HeadlessFormPeer() override { std::erase(backend_.formPeers_, this); }
    forms::Form& form() const { return form_; }
    void setBounds(const forms::Rect&) override {}
    // Without a frame the outer size is the client size.
    void setClientSize(int width, int height) override {
        forms::Rect bounds = form_.pixelBounds();
        bounds.width = width;
        bounds.height = height;
        form_.notifyBoundsChanged(bounds);
    }
    void setCaption(const std::string&) override {}
    // As a window shown by the system, a dialog that no control of has the focus gives it to its first
    // tab stop.
    void setVisible(bool visible) override {
        if (visible) {
            backend_.shownForms.push_back(form_.name());
            focusFirstTabStop();
        }
    }
    void activate() override {
        backend_.activeForm = &form_;
        focusFirstTabStop();
    }
    void setPicture(const forms::PicturePtr&) override {}
    void surfaceChanged(const std::vector<forms::DrawnIcon>&) override { ++backend_.surfaceRepaints; }
    int clientHeight() const override { return form_.pixelBounds().height; }
    int clientWidth() const override { return form_.pixelBounds().width; }
    forms::NativeWindow handle() const override { return handle_; }
    // As the system does: one window cannot hold a combination that any window holds already.
    bool registerHotkey(int id, forms::Modifiers modifiers, unsigned key) override {
        for (const auto& [window, hotkeys] : backend_.hotkeys) {
            for (const auto& [otherId, hotkey] : hotkeys) {
                if (hotkey.modifiers == modifiers && hotkey.key == key &&
                    !(window == handle_ && otherId == id))
                    return false;
            }
        }
        auto& mine = backend_.hotkeys[handle_];
        if (mine.count(id))
            return false;
        mine[id] = {modifiers, key};
        return true;
    }
    void unregisterHotkey(int id) override {
        backend_.hotkeyReleases.push_back(id);
        backend_.hotkeys[handle_].erase(id);
    }
    // As the system does, the windows this one owns go with it.
    void destroy() override {
        backend_.hotkeys.erase(handle_);
        if (backend_.activeForm == &form_)
            backend_.activeForm = nullptr;
        const std::vector<HeadlessFormPeer*> peers = backend_.formPeers_;
        for (HeadlessFormPeer* peer : peers) {
            const bool live = std::find(backend_.formPeers_.begin(), backend_.formPeers_.end(), peer) !=
                              backend_.formPeers_.end();
            if (live && peer->form_.owner() == &form_)
                peer->form_.notifyWindowDestroyed();
        }
    }

  private:
    void focusFirstTabStop() {
        if (form_.style() == forms::FormStyle::Dialog && !form_.focusedControl())
            form_.focusNext();
    }

    HeadlessBackend& backend_;
    forms::Form& form_;
    forms::NativeWindow handle_;
};

std::unique_ptr<forms::FormPeer> HeadlessBackend::createForm(forms::Form& form) {
    createdForms.push_back(form.name());
    return std::make_unique<HeadlessFormPeer>(*this, form, nextHandle_ += 0x10);
}

std::unique_ptr<forms::ControlPeer> HeadlessBackend::createLabel(forms::Form&, forms::Control&) {
    return std::make_unique<BasicPeer<forms::ControlPeer>>(++nextHandle_);
}

std::unique_ptr<forms::ControlPeer> HeadlessBackend::createImage(forms::Form&, forms::Control&) {
    return std::make_unique<BasicPeer<forms::ControlPeer>>(++nextHandle_);
}

std::unique_ptr<forms::EditPeer> HeadlessBackend::createTextBox(forms::Form&, forms::TextBox&) {
    return std::make_unique<HeadlessEditPeer>(++nextHandle_);
}

std::unique_ptr<forms::ControlPeer> HeadlessBackend::createCommandButton(forms::Form&, forms::Control&) {
    return std::make_unique<BasicPeer<forms::ControlPeer>>(++nextHandle_);
}

std::unique_ptr<forms::CheckPeer> HeadlessBackend::createCheckBox(forms::Form&, forms::CheckBox&) {
    return std::make_unique<HeadlessCheckPeer>(++nextHandle_);
}

std::unique_ptr<forms::ControlPeer> HeadlessBackend::createFrame(forms::Form&, forms::Control&) {
    return std::make_unique<BasicPeer<forms::ControlPeer>>(++nextHandle_);
}

std::unique_ptr<forms::ListPeer> HeadlessBackend::createListBox(forms::Form&, forms::ListBox&) {
    return std::make_unique<HeadlessListPeer>(++nextHandle_);
}

std::unique_ptr<forms::PicturePeer> HeadlessBackend::createPictureBox(forms::Form&, forms::PictureBox&) {
    return std::make_unique<HeadlessPicturePeer>(*this, ++nextHandle_);
}

std::unique_ptr<forms::ComboPeer> HeadlessBackend::createComboBox(forms::Form&, forms::ComboBox&) {
    return std::make_unique<HeadlessComboPeer>(*this, ++nextHandle_);
}

std::vector<forms::Form*> HeadlessBackend::liveForms() const {
    std::vector<forms::Form*> forms;
    for (const HeadlessFormPeer* peer : formPeers_)
        forms.push_back(&peer->form());
    return forms;
}

std::unique_ptr<forms::TimerPeer> HeadlessBackend::createTimer(forms::Form&, forms::Timer&) {
    return std::make_unique<HeadlessTimerPeer>();
}

namespace {

// Whether the pointer can reach the control: the system sends nothing to a hidden or disabled window, nor
// into a hidden or disabled frame.
bool reachable(const forms::Control& control) {
    for (const forms::Control* c = &control; c; c = c->container()) {
        if (!c->visible() || !c->enabled())
            return false;
    }
    return control.form().loaded();
}

// What pressing a control does, by mouse or (buttons and check boxes) the space bar: a check box flips,
// anything else clicks.
void press(forms::Control& control) {
    if (control.kind() == forms::Control::Kind::CheckBox) {
        auto& box = static_cast<forms::CheckBox&>(control);
        box.notifyValueChanged(box.value() == 0 ? 1 : 0);
    } else {
        control.notifyClick();
    }
}

// Labels, images and picture boxes report raw presses and the runtime decides their Click, as on the
// Win32 backend; for buttons, boxes and lists the system reports Click itself, and so does this backend.
bool clickDecidedByRuntime(const forms::Control& control) {
    using Kind = forms::Control::Kind;
    return control.kind() == Kind::Label || control.kind() == Kind::Image ||
           control.kind() == Kind::PictureBox;
}

}  // namespace

namespace {

// The pointer comes over a control as the system reports it to the form first: at its screen position.
void pointerOnto(forms::Control& control, int x, int y) {
    forms::Form& form = control.form();
    if (!form.loaded())
        return;
    int left = form.pixelBounds().left + control.rect().left + x;
    int top = form.pixelBounds().top + control.rect().top + y;
    for (const forms::Control* frame = control.container(); frame; frame = frame->container()) {
        left += frame->rect().left;
        top += frame->rect().top;
    }
    form.notifyPointer({left, top, true});
}

}  // namespace

void mouseDown(forms::Control& control, int button, int shift, int x, int y) {
    // A real pointer always moves over a control before it presses a button there.
    pointerOnto(control, x, y);
    control.notifyMouseMove({0, shift, x, y});
    const forms::MouseArgs args{button, shift, x, y};
    if (clickDecidedByRuntime(control)) {
        control.notifyButtonPressed(args, false);
        control.notifyButtonReleased(args, true);
        return;
    }
    control.notifyMouseDown(args);
    control.notifyMouseUp(args);
}

std::optional<HeadlessBackend::Hotkey> HeadlessBackend::hotkeyOf(const forms::Form& form, int id) const {
    const auto window = hotkeys.find(form.handle());
    if (window == hotkeys.end())
        return std::nullopt;
    const auto found = window->second.find(id);
    if (found == window->second.end())
        return std::nullopt;
    return found->second;
}

void click(forms::Control& control) {
    if (!reachable(control))
        return;
    // The system moves the focus on the press, before the button's own notification.
    if (control.canTakeFocus() && !control.hasFocus())
        control.form().notifyFocus(&control);
    mouseDown(control, forms::kLeftButton);
    if (!clickDecidedByRuntime(control))
        press(control);
}

void rightClick(forms::Control& control) {
    mouseDown(control, forms::kRightButton);
}

void doubleClick(forms::Control& control) {
    click(control);
    const forms::MouseArgs second{forms::kLeftButton, 0, 1, 1};
    if (clickDecidedByRuntime(control)) {
        control.notifyButtonPressed(second, true);
        control.notifyButtonReleased(second, true);
        return;
    }
    // As the system reports it for its own controls: DblClick on the second press, then the release.
    control.notifyDblClick();
    control.notifyMouseUp(second);
}

void presses(forms::Control& control, const std::string& what) {
    const int button = what[0] == 'R' ? forms::kRightButton : forms::kLeftButton;
    const forms::MouseArgs args{button, 0, 1, 1};
    pointerOnto(control, 1, 1);
    control.notifyMouseMove({0, 0, 1, 1});
    for (std::size_t i = 0; i < what.size(); ++i) {
        if (what[i] == '-')
            continue;
        control.notifyButtonPressed(args, i > 0);
        const bool leaves = i + 1 < what.size() && what[i + 1] == '-';
        control.notifyButtonReleased(args, !leaves);
    }
}

void hover(forms::Control& control, int x, int y) {
    pointerOnto(control, x, y);
    control.notifyMouseMove({0, 0, x, y});
}

void movePointer(forms::Form& form, int x, int y) {
    const forms::Rect& r = form.pixelBounds();
    const bool over = x >= r.left && x < r.left + r.width && y >= r.top && y < r.top + r.height;
    // Over the bare background the form's own MouseMove follows, as the system sends it.
    form.notifyPointer({x, y, over});
    if (over && form.loaded())
        form.notifyMouseMove({0, 0, x - r.left, y - r.top});
}

namespace {

constexpr int kKeyDelete = 46;

// Replaces the selection with `inserted`, as an edit control does; an empty selection with nothing to
// insert takes the character before the caret (Backspace) or after it (Delete). A locked box takes none.
void edit(forms::TextBox& box, const std::string& inserted, bool forwards = false) {
    if (box.locked())
        return;
    const std::string& text = box.text();
    const forms::Selection sel = box.selection();
    std::size_t from = static_cast<std::size_t>(sel.start);
    std::size_t count = static_cast<std::size_t>(sel.length);
    if (inserted.empty() && count == 0) {
        if (forwards ? from >= forms::characterCount(text) : from == 0)
            return;
        if (!forwards)
            --from;
        count = 1;
    }
    const std::string next =
        forms::characterSlice(text, 0, from) + inserted + forms::characterSlice(text, from + count);
    const int caret = static_cast<int>(from + forms::characterCount(inserted));
    box.notifyEdited(next, {caret, 0});
}

// What an edit control does with a character that KeyPress let through.
void editWithChar(forms::TextBox& box, int passed) {
    edit(box, passed == 8 ? std::string() : std::string(1, static_cast<char>(passed)));
}

bool isTextBox(const forms::Control& control) {
    return control.kind() == forms::Control::Kind::TextBox ||
           control.kind() == forms::Control::Kind::ComboBox;
}

// The character a key types, 0 for a key that types none.
int charOfKey(int keyCode, int shift) {
    if (keyCode >= 'A' && keyCode <= 'Z')
        return (shift & forms::kShiftMask) ? keyCode : keyCode - 'A' + 'a';
    if ((keyCode >= '0' && keyCode <= '9') || keyCode == forms::kKeyReturn || keyCode == forms::kKeyEscape ||
        keyCode == 8 || keyCode == forms::kKeySpace || keyCode == forms::kKeyTab)
        return keyCode;
    return 0;
}

}  // namespace

void typeChar(forms::TextBox& box, int keyAscii) {
    const int passed = box.notifyKeyPress(keyAscii);
    if (passed != 0)
        editWithChar(box, passed);
}

void pressKey(forms::Form& form, int keyCode, int shift) {
    forms::Control* target = form.focusedControl();
    const int down = target ? target->notifyKeyDown(keyCode, shift) : form.notifyKeyDown(keyCode, shift);
    // Delete types no character: the edit acts on the key itself.
    if (down == kKeyDelete && target && isTextBox(*target) && form.loaded())
        edit(static_cast<forms::TextBox&>(*target), "", true);
    const int typed = down == 0 ? 0 : charOfKey(down, shift);
    if (typed != 0 && form.loaded()) {
        target = form.focusedControl();
        const int passed = target ? target->notifyKeyPress(typed) : form.notifyKeyPress(typed);
        if (passed != 0 && target && form.loaded()) {
            const bool closingKey = passed == forms::kKeyReturn || passed == forms::kKeyEscape;
            if (isTextBox(*target) && !closingKey)
                editWithChar(static_cast<forms::TextBox&>(*target), passed);
            else if (closingKey && target->kind() == forms::Control::Kind::ComboBox)
                static_cast<forms::ComboBox&>(*target).notifyDropDownClosed();  // the open list closes
            else if (passed == forms::kKeySpace && (target->kind() == forms::Control::Kind::CommandButton ||
                                                    target->kind() == forms::Control::Kind::CheckBox))
                press(*target);
        }
    }
    if (!form.loaded())
        return;
    target = form.focusedControl();
    if (target)
        target->notifyKeyUp(keyCode, shift);
    else
        form.notifyKeyUp(keyCode, shift);
}

void closeBox(forms::Form& form) {
    form.notifyCloseRequested(forms::UnloadMode::CloseBox);
}

void deliverHotkey(forms::Form& form, int id) {
    form.notifyHotkey(id);
}

void paste(forms::TextBox& box, const std::string& text) {
    edit(box, text);
}

void typeText(forms::TextBox& box, const std::string& asciiText) {
    for (char c : asciiText)
        typeChar(box, static_cast<unsigned char>(c));
}

void pickListEntry(forms::ComboBox& box, int index) {
    box.notifyListPicked(index);
}

void pickListEntry(forms::ListBox& box, int index) {
    if (box.canTakeFocus() && !box.hasFocus())
        box.form().notifyFocus(&box);
    box.notifyListPicked(index);
}

void dragOver(forms::Control& control, const std::vector<std::string>& files) {
    control.notifyDragOver({true, files}, {forms::kLeftButton, 0, 1, 1});
}

void drop(forms::Control& control, const std::vector<std::string>& files) {
    dragOver(control, files);
    control.notifyDragDrop({true, files}, {forms::kLeftButton, 0, 1, 1});
}

void dropText(forms::Control& control) {
    control.notifyDragOver({}, {forms::kLeftButton, 0, 1, 1});
    control.notifyDragDrop({}, {forms::kLeftButton, 0, 1, 1});
}

}  // namespace headless
