#include "HeadlessBackend.h"

namespace headless {
namespace {

class HeadlessControlPeer : public forms::EditPeer {
  public:
    explicit HeadlessControlPeer(forms::NativeWindow handle) : handle_(handle) {}
    // As an edit control does, new text puts the caret at its start.
    void setText(const std::string&) override { selection_ = {}; }
    void setRect(const forms::Rect&) override {}
    void setVisible(bool) override {}
    void setEnabled(bool) override {}
    void setFont(const forms::Font&) override {}
    void setForeColor(forms::Color) override {}
    void setFocus() override {}
    forms::NativeWindow handle() const override { return handle_; }
    forms::Selection selection() const override { return selection_; }
    void setSelection(const forms::Selection& selection) override { selection_ = selection; }

  private:
    forms::NativeWindow handle_;
    forms::Selection selection_;
};

class HeadlessComboPeer : public forms::ComboPeer {
  public:
    explicit HeadlessComboPeer(forms::NativeWindow handle) : edit_(handle) {}
    void setText(const std::string& text) override { edit_.setText(text); }
    void setRect(const forms::Rect& rect) override { edit_.setRect(rect); }
    void setVisible(bool visible) override { edit_.setVisible(visible); }
    void setEnabled(bool enabled) override { edit_.setEnabled(enabled); }
    void setFont(const forms::Font& font) override { edit_.setFont(font); }
    void setForeColor(forms::Color color) override { edit_.setForeColor(color); }
    void setFocus() override {}
    forms::NativeWindow handle() const override { return edit_.handle(); }
    forms::Selection selection() const override { return edit_.selection(); }
    void setSelection(const forms::Selection& selection) override { edit_.setSelection(selection); }
    void setListItems(const std::vector<std::string>&) override {}
    void setListIndex(int) override {}
    void setTopIndex(int) override {}
    void showDropDown() override {}

  private:
    HeadlessControlPeer edit_;
};

class HeadlessTimerPeer : public forms::TimerPeer {
  public:
    void setRunning(bool, int) override {}
};

}  // namespace

class HeadlessFormPeer : public forms::FormPeer {
  public:
    HeadlessFormPeer(HeadlessBackend& backend, forms::Form& form, forms::NativeWindow handle)
        : backend_(backend), form_(form), handle_(handle) {}
    void setBounds(const forms::Rect&) override {}
    void setCaption(const std::string&) override {}
    void setVisible(bool) override {}
    void setPicture(const forms::PicturePtr&) override {}
    void surfaceChanged() override { ++backend_.surfaceRepaints; }
    int clientHeight() const override { return form_.pixelBounds().height; }
    int clientWidth() const override { return form_.pixelBounds().width; }
    forms::NativeWindow handle() const override { return handle_; }
    void destroy() override {}

  private:
    HeadlessBackend& backend_;
    forms::Form& form_;
    forms::NativeWindow handle_;
};

std::unique_ptr<forms::FormPeer> HeadlessBackend::createForm(forms::Form& form) {
    createdForms.push_back(form.name());
    return std::make_unique<HeadlessFormPeer>(*this, form, nextHandle_ += 0x10);
}

std::unique_ptr<forms::ControlPeer> HeadlessBackend::createLabel(forms::Form&, forms::Control&) {
    return std::make_unique<HeadlessControlPeer>(++nextHandle_);
}

std::unique_ptr<forms::ControlPeer> HeadlessBackend::createImage(forms::Form&, forms::Control&) {
    return std::make_unique<HeadlessControlPeer>(++nextHandle_);
}

std::unique_ptr<forms::EditPeer> HeadlessBackend::createTextBox(forms::Form&, forms::TextBox&) {
    return std::make_unique<HeadlessControlPeer>(++nextHandle_);
}

std::unique_ptr<forms::ComboPeer> HeadlessBackend::createComboBox(forms::Form&, forms::ComboBox&) {
    return std::make_unique<HeadlessComboPeer>(++nextHandle_);
}

std::unique_ptr<forms::TimerPeer> HeadlessBackend::createTimer(forms::Form&, forms::Timer&) {
    return std::make_unique<HeadlessTimerPeer>();
}

void mouseDown(forms::Control& control, int button, int shift, int x, int y) {
    // A real pointer always moves over a control before it presses a button there.
    control.notifyMouseMove({0, shift, x, y});
    const forms::MouseArgs args{button, shift, x, y};
    control.notifyMouseDown(args);
    control.notifyMouseUp(args);
}

void click(forms::Control& control) {
    mouseDown(control, forms::kLeftButton);
    control.notifyClick();
}

void rightClick(forms::Control& control) {
    mouseDown(control, forms::kRightButton);
}

void doubleClick(forms::Control& control) {
    click(control);
    // As the Win32 backend reports it: the second press is DblClick alone, with no MouseDown or Click.
    control.notifyDblClick();
    control.notifyMouseUp({forms::kLeftButton, 0, 1, 1});
}

void hover(forms::Control& control, int x, int y) {
    control.notifyMouseMove({0, 0, x, y});
}

void typeChar(forms::TextBox& box, int keyAscii) {
    const int passed = box.notifyKeyPress(keyAscii);
    if (passed == 0)
        return;
    const std::string& text = box.text();
    const forms::Selection sel = box.selection();
    std::size_t from = static_cast<std::size_t>(sel.start);
    std::size_t count = static_cast<std::size_t>(sel.length);
    std::string inserted;
    if (passed == 8) {
        if (count == 0) {
            if (from == 0)
                return;
            --from;
            count = 1;
        }
    } else {
        inserted = std::string(1, static_cast<char>(passed));
    }
    const std::string next =
        forms::characterSlice(text, 0, from) + inserted + forms::characterSlice(text, from + count);
    const int caret = static_cast<int>(from + forms::characterCount(inserted));
    box.notifyEdited(next, {caret, 0});
}

void typeText(forms::TextBox& box, const std::string& asciiText) {
    for (char c : asciiText)
        typeChar(box, static_cast<unsigned char>(c));
}

void pickListEntry(forms::ComboBox& box, int index) {
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
