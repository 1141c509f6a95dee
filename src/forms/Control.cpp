#include "forms/Control.h"

#include <algorithm>

#include "forms/Form.h"

namespace forms {

Control::Control(Form& owner, Kind kind, std::string name, int index)
    : owner_(owner),
      kind_(kind),
      name_(std::move(name)),
      index_(index),
      tabIndex_(static_cast<int>(owner.controls().size())) {
    owner_.registerControl(*this);
    // Only the kinds that take the focus stop the tab key.
    tabStop_ = kind == Kind::TextBox || kind == Kind::ComboBox || kind == Kind::CommandButton ||
               kind == Kind::CheckBox || kind == Kind::ListBox || kind == Kind::FileListBox;
}

Control::~Control() {
    owner_.unregisterControl(*this);
}

void Control::attachPeer(ControlPeer* peer) {
    peer_ = peer;
    peer_->setRect(rect_);
    peer_->setFont(font_);
    peer_->setForeColor(foreColor_);
    peer_->setText(text_);
    peer_->setEnabled(enabled_);
    peer_->setVisible(visible_);
}

void Control::destroyPeer() {
    peer_ = nullptr;
    ownedPeer_.reset();
}

void Control::setRect(const Rect& rect) {
    rect_ = rect;
    if (peer_)
        peer_->setRect(rect);
}

void Control::setVisible(bool visible) {
    visible_ = visible;
    if (peer_)
        peer_->setVisible(visible);
}

void Control::setEnabled(bool enabled) {
    enabled_ = enabled;
    if (peer_)
        peer_->setEnabled(enabled);
}

void Control::setFont(const Font& font) {
    font_ = font;
    if (peer_)
        peer_->setFont(font);
}

void Control::setFontFace(const std::string& face) {
    Font font = font_;
    font.face = face;
    setFont(font);
}

void Control::setForeColor(Color color) {
    foreColor_ = color;
    if (peer_)
        peer_->setForeColor(color);
}

void Control::setText(const std::string& text) {
    if (text == text_)
        return;
    // Stored first, so that the native control's own change notification finds nothing new.
    text_ = text;
    if (peer_)
        peer_->setText(text);
    raise(onChange);
}

void Control::replaceTextSilently(const std::string& text) {
    text_ = text;
    if (peer_)
        peer_->setText(text);
}

void Control::notifyTextChanged(const std::string& text) {
    setText(text);
}

bool Control::hasFocus() const {
    return owner_.focusedControl() == this;
}

void Control::setFocus() {
    // A native backend reports the move itself while SetFocus runs; the runtime raises the events once.
    if (peer_)
        peer_->setFocus();
    if (!hasFocus())
        owner_.notifyFocus(this);
}

bool Control::canTakeFocus() const {
    switch (kind_) {
        case Kind::Label:
        case Kind::Image:
        case Kind::Frame:
            return false;
        default:
            break;
    }
    if (!owner_.loaded())
        return false;
    for (const Control* c = this; c; c = c->container_) {
        if (!c->visible_ || !c->enabled_)
            return false;
    }
    return true;
}

int Control::notifyKeyDown(int keyCode, int shift) {
    keyCode = owner_.previewKeyDown(keyCode, shift);
    if (keyCode == 0)
        return 0;
    if (onKeyDown)
        onKeyDown(keyCode, shift);
    if (keyCode == 0 || !owner_.loaded())
        return 0;
    return owner_.defaultKeyAction(this, keyCode, shift);
}

int Control::notifyKeyUp(int keyCode, int shift) {
    keyCode = owner_.previewKeyUp(keyCode, shift);
    if (keyCode == 0)
        return 0;
    if (onKeyUp)
        onKeyUp(keyCode, shift);
    return owner_.loaded() ? keyCode : 0;
}

int Control::notifyKeyPress(int keyAscii) {
    keyAscii = owner_.previewKeyPress(keyAscii);
    if (keyAscii == 0)
        return 0;
    if (onKeyPress)
        onKeyPress(keyAscii);
    if (keyAscii == 0 || !owner_.loaded())
        return 0;
    return owner_.defaultCharAction(this, keyAscii);
}

NativeWindow Control::handle() const {
    return peer_ ? peer_->handle() : 0;
}

void Control::notifyMouseDown(const MouseArgs& args) {
    if (onMouseDown)
        onMouseDown(args);
}
void Control::notifyMouseUp(const MouseArgs& args) {
    if (onMouseUp)
        onMouseUp(args);
}
void Control::notifyMouseMove(const MouseArgs& args) {
    if (onMouseMove)
        onMouseMove(args);
}
void Control::notifyClick() {
    raise(onClick);
}
void Control::notifyDblClick() {
    raise(onDblClick);
}

void Control::notifyButtonPressed(const MouseArgs& args, bool doubleClick) {
    const bool left = args.button == kLeftButton;
    if (left) {
        leftPressed_ = true;
        afterDoubleClick_ = doubleClick;
    }
    // The second press of a left double click is DblClick alone: no second MouseDown, so that a run
    // button, the page selector or the window-order label acts once for a double click.
    if (left && doubleClick)
        notifyDblClick();
    else
        notifyMouseDown(args);
}

void Control::notifyButtonReleased(const MouseArgs& args, bool inside) {
    bool click = false;
    if (args.button == kLeftButton) {
        click = leftPressed_ && !afterDoubleClick_ && inside;
        leftPressed_ = false;
        afterDoubleClick_ = false;
    }
    notifyMouseUp(args);
    // MouseUp may have unloaded the form.
    if (click && owner_.loaded())
        notifyClick();
}

void Control::notifyPressAbandoned() {
    leftPressed_ = false;
    afterDoubleClick_ = false;
}
void Control::notifyDragOver(const DropData& data, const MouseArgs& args) {
    if (acceptsDrops_ && onDragOver)
        onDragOver(data, args);
}
void Control::notifyDragDrop(const DropData& data, const MouseArgs& args) {
    if (acceptsDrops_ && onDragDrop)
        onDragDrop(data, args);
}

void Label::createPeer(Backend& backend) {
    ownedPeer_ = backend.createLabel(form(), *this);
    attachPeer(ownedPeer_.get());
}

void Image::createPeer(Backend& backend) {
    ownedPeer_ = backend.createImage(form(), *this);
    attachPeer(ownedPeer_.get());
}

// ---- TextBox

Selection TextBox::selection() const {
    return peer() ? editPeer()->selection() : selection_;
}

void TextBox::setSelection(const Selection& selection) {
    const int length = static_cast<int>(characterCount(text()));
    Selection clamped;
    clamped.start = std::clamp(selection.start, 0, length);
    clamped.length = std::clamp(selection.length, 0, length - clamped.start);
    selection_ = clamped;
    if (peer())
        editPeer()->setSelection(clamped);
}

void TextBox::notifyEdited(const std::string& text, const Selection& caret) {
    // A character typed over the same character leaves the text as it was, but the caret still moves
    // past it, as in a system edit; only a changed text is a Change.
    if (text == this->text()) {
        setSelection(caret);
        return;
    }
    replaceTextSilently(text);
    setSelection(caret);
    raise(onChange);
}

void TextBox::setLocked(bool locked) {
    locked_ = locked;
    if (peer())
        editPeer()->setReadOnly(locked);
}

void TextBox::createPeer(Backend& backend) {
    auto peer = backend.createTextBox(form(), *this);
    EditPeer* edit = peer.get();
    ownedPeer_ = std::move(peer);
    attachPeer(edit);
    edit->setReadOnly(locked_);
}

// ---- ComboBox

void ComboBox::clearList() {
    items_.clear();
    listIndex_ = -1;
    topIndex_ = 0;
    if (peer())
        comboPeer()->setListItems(items_);
}

void ComboBox::addItem(const std::string& item) {
    items_.push_back(item);
    if (peer())
        comboPeer()->setListItems(items_);
}

void ComboBox::setListIndex(int index) {
    if (index < -1 || index >= static_cast<int>(items_.size()))
        return;
    listIndex_ = index;
    if (peer())
        comboPeer()->setListIndex(index);
    // Picking an entry puts it into the text without a Change, as the system's combo box does.
    if (index >= 0) {
        replaceTextSilently(items_[static_cast<std::size_t>(index)]);
    }
    raise(onClick);
}

void ComboBox::setTopIndex(int index) {
    if (index < 0 || index >= static_cast<int>(items_.size()))
        return;
    topIndex_ = index;
    if (peer())
        comboPeer()->setTopIndex(index);
}

void ComboBox::showDropDown() {
    droppedDown_ = true;
    if (peer())
        comboPeer()->showDropDown();
}

int findListPrefix(const std::vector<std::string>& items, const std::string& text) {
    if (text.empty())
        return -1;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (startsWithIgnoringCase(items[i], text))
            return static_cast<int>(i);
    }
    return -1;
}

int findListExact(const std::vector<std::string>& items, const std::string& text) {
    if (text.empty())
        return -1;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (equalsIgnoringCase(items[i], text))
            return static_cast<int>(i);
    }
    return -1;
}

void ComboBox::notifyListPicked(int index) {
    droppedDown_ = false;
    setListIndex(index);
}

void ComboBox::createPeer(Backend& backend) {
    auto peer = backend.createComboBox(form(), *this);
    ComboPeer* combo = peer.get();
    ownedPeer_ = std::move(peer);
    attachPeer(combo);
    combo->setReadOnly(locked());
    combo->setListItems(items_);
    combo->setListIndex(listIndex_);
}

// ---- CommandButton, CheckBox, Frame

void CommandButton::createPeer(Backend& backend) {
    ownedPeer_ = backend.createCommandButton(form(), *this);
    attachPeer(ownedPeer_.get());
}

void CheckBox::setValue(int value) {
    if (value == value_)
        return;
    value_ = value;
    if (peer())
        checkPeer()->setValue(value);
    raise(onClick);
}

void CheckBox::createPeer(Backend& backend) {
    auto peer = backend.createCheckBox(form(), *this);
    CheckPeer* check = peer.get();
    ownedPeer_ = std::move(peer);
    attachPeer(check);
    check->setValue(value_);
}

void Frame::createPeer(Backend& backend) {
    ownedPeer_ = backend.createFrame(form(), *this);
    attachPeer(ownedPeer_.get());
}

// ---- ListBox, FileListBox

void ListBox::replaceList(std::vector<std::string> items) {
    items_ = std::move(items);
    listIndex_ = -1;
    topIndex_ = 0;
    if (peer())
        listPeer()->setListItems(items_);
}

void ListBox::clearList() {
    replaceList({});
}

void ListBox::addItem(const std::string& item) {
    items_.push_back(item);
    if (peer())
        listPeer()->setListItems(items_);
    // The native list forgets its selection when refilled: give it back.
    if (peer() && listIndex_ >= 0)
        listPeer()->setListIndex(listIndex_);
}

void ListBox::setItem(int index, const std::string& item) {
    if (index < 0 || index >= listCount())
        return;
    items_[static_cast<std::size_t>(index)] = item;
    if (!peer())
        return;
    const int top = listPeer()->topIndex();
    listPeer()->setListItems(items_);
    listPeer()->setListIndex(listIndex_);
    listPeer()->setTopIndex(top);
}

void ListBox::setListIndex(int index) {
    if (index < -1 || index >= listCount() || index == listIndex_)
        return;
    listIndex_ = index;
    if (peer())
        listPeer()->setListIndex(index);
    raise(onClick);
}

int ListBox::topIndex() const {
    return peer() ? listPeer()->topIndex() : topIndex_;
}

void ListBox::setTopIndex(int index) {
    if (index < 0 || index >= listCount())
        return;
    topIndex_ = index;
    if (peer())
        listPeer()->setTopIndex(index);
}

void ListBox::createPeer(Backend& backend) {
    auto peer = backend.createListBox(form(), *this);
    ListPeer* list = peer.get();
    ownedPeer_ = std::move(peer);
    attachPeer(list);
    list->setListItems(items_);
    list->setListIndex(listIndex_);
    list->setTopIndex(topIndex_);
}

void FileListBox::setPath(const std::string& folder) {
    path_ = folder;
    refresh();
}

void FileListBox::setPattern(const std::string& pattern) {
    pattern_ = pattern;
    refresh();
}

void FileListBox::refresh() {
    replaceList(lister_ && !path_.empty() ? lister_(path_, pattern_) : std::vector<std::string>{});
}

std::string FileListBox::fileName() const {
    return listIndex() >= 0 ? list()[static_cast<std::size_t>(listIndex())] : std::string();
}

// ---- PictureBox

void PictureBox::setPicture(PicturePtr picture) {
    picture_ = std::move(picture);
    repaint();
}

void PictureBox::drawText(int x, int y, const std::string& text, const Font& font, Color color) {
    texts_.push_back({x, y, text, font, color});
    repaint();
}

void PictureBox::clearDrawing() {
    texts_.clear();
    repaint();
}

void PictureBox::repaint() const {
    if (peer())
        static_cast<PicturePeer*>(peer())->surfaceChanged();
}

void PictureBox::destroyPeer() {
    Control::destroyPeer();
    picture_.reset();
    texts_.clear();
}

void PictureBox::createPeer(Backend& backend) {
    ownedPeer_ = backend.createPictureBox(form(), *this);
    attachPeer(ownedPeer_.get());
}

// ---- Timer

Timer::Timer(Form& owner, std::string name) : owner_(owner), name_(std::move(name)) {
    owner_.registerTimer(*this);
}

Timer::~Timer() {
    owner_.unregisterTimer(*this);
}

void Timer::setInterval(int ms) {
    interval_ = ms;
    update();
}

void Timer::setEnabled(bool enabled) {
    enabled_ = enabled;
    update();
}

void Timer::notifyTick() {
    if (enabled_ && interval_ > 0 && onTimer)
        onTimer();
}

void Timer::createPeer(Backend& backend) {
    peer_ = backend.createTimer(owner_, *this);
    update();
}

void Timer::update() {
    if (peer_)
        peer_->setRunning(enabled_ && interval_ > 0, interval_);
}

}  // namespace forms
