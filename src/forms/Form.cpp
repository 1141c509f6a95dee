#include "forms/Form.h"

#include <algorithm>
#include <cmath>

#include "forms/Control.h"

namespace forms {
namespace {
int toPixels(double twips, double twipsPerPixel) {
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}
}  // namespace

Form::Form(Backend& backend, std::string name, FormStyle style)
    : backend_(backend), name_(std::move(name)), style_(style) {}

Form::~Form() = default;

void Form::load() {
    if (peer_)
        return;
    peer_ = backend_.createForm(*this);
    peer_->setCaption(caption_);
    peer_->setPicture(picture_);
    peer_->setBounds(pixels_);
    if (style_ == FormStyle::Dialog)
        peer_->setClientSize(clientWidth_, clientHeight_);
    // A frame's window must exist before the controls inside it: each pass creates the controls whose
    // container is already there.
    std::vector<Control*> pending = controls_;
    std::vector<const Control*> created;
    while (!pending.empty()) {
        const auto ready = [&](Control* c) {
            return !c->container() ||
                   std::find(created.begin(), created.end(), c->container()) != created.end();
        };
        const auto next = std::find_if(pending.begin(), pending.end(), ready);
        if (next == pending.end())
            break;  // a frame that is not a control of this form: nothing more can be placed
        (*next)->createPeer(backend_);
        created.push_back(*next);
        pending.erase(next);
    }
    for (Timer* timer : timers_)
        timer->createPeer(backend_);
    Form_Load();
}

bool Form::unloadFor(UnloadMode mode) {
    if (!peer_ || unloading_)
        return true;
    bool cancel = false;
    Form_QueryUnload(cancel, mode);
    if (cancel && mode != UnloadMode::SystemShutdown)
        return false;
    // QueryUnload may have unloaded the form itself.
    if (!peer_)
        return true;
    auto peer = releaseWindow();
    peer->destroy();
    if (onUnloaded)
        onUnloaded();
    return true;
}

std::unique_ptr<FormPeer> Form::releaseWindow() {
    unloading_ = true;
    Form_Unload();
    for (Timer* timer : timers_)
        timer->destroyPeer();
    for (Control* control : controls_)
        control->destroyPeer();
    focused_ = nullptr;
    visible_ = false;
    pointerOver_ = false;
    unloading_ = false;
    return std::move(peer_);
}

void Form::setCaption(const std::string& caption) {
    caption_ = caption;
    if (peer_)
        peer_->setCaption(caption);
}

void Form::show() {
    visible_ = true;
    if (peer_)
        peer_->setVisible(true);
}

void Form::hide() {
    visible_ = false;
    if (peer_)
        peer_->setVisible(false);
}

void Form::activate() {
    show();
    if (peer_)
        peer_->activate();
}

void Form::setEdge(int Rect::*edge, double twips, double twipsPerPixel) {
    Rect r = pixels_;
    r.*edge = toPixels(twips, twipsPerPixel);
    setPixelBounds(r);
}

void Form::move(double leftTwips, double topTwips) {
    Rect r = pixels_;
    r.left = toPixels(leftTwips, twipsPerPixelX());
    r.top = toPixels(topTwips, twipsPerPixelY());
    setPixelBounds(r);
}

void Form::setPixelBounds(const Rect& pixels) {
    pixels_ = pixels;
    if (peer_)
        peer_->setBounds(pixels);
}

int Form::scaleHeight() const {
    return peer_ ? peer_->clientHeight() : pixels_.height;
}

void Form::setClientSize(int width, int height) {
    clientWidth_ = width;
    clientHeight_ = height;
    if (peer_) {
        peer_->setClientSize(width, height);
    } else {
        pixels_.width = width;
        pixels_.height = height;
    }
}

int Form::clientWidth() const {
    return peer_ ? peer_->clientWidth() : pixels_.width;
}

int Form::clientHeight() const {
    return peer_ ? peer_->clientHeight() : pixels_.height;
}

void Form::setPicture(PicturePtr picture) {
    picture_ = std::move(picture);
    if (peer_)
        peer_->setPicture(picture_);
}

void Form::drawIcons(std::vector<DrawnIcon> icons) {
    std::erase_if(icons, [](const DrawnIcon& drawn) { return !drawn.icon; });
    std::swap(drawn_, icons);
    if (peer_)
        peer_->surfaceChanged(icons);
}

NativeWindow Form::handle() const {
    return peer_ ? peer_->handle() : 0;
}

void Form::notifyMouseDown(const MouseArgs& args) {
    if (onMouseDown)
        onMouseDown(args);
}

void Form::notifyMouseMove(const MouseArgs& args) {
    if (onMouseMove)
        onMouseMove(args);
}

void Form::notifyPointer(const PointerArgs& args) {
    pointerOver_ = args.over;
    if (onPointer)
        onPointer(args);
}

void Form::notifyBoundsChanged(const Rect& pixels) {
    pixels_ = pixels;
}

void Form::notifyFocus(Control* control) {
    if (control == focused_)
        return;
    Control* previous = focused_;
    focused_ = control;
    if (previous && previous->onLostFocus)
        previous->onLostFocus();
    // A LostFocus handler may have moved the focus on already.
    if (focused_ == control && control && control->onGotFocus)
        control->onGotFocus();
}

void Form::focusNext(bool backwards) {
    std::vector<Control*> order;
    for (Control* control : controls_) {
        if (control->tabStop() && control->canTakeFocus())
            order.push_back(control);
    }
    if (order.empty())
        return;
    std::stable_sort(order.begin(), order.end(),
                     [](const Control* a, const Control* b) { return a->tabIndex() < b->tabIndex(); });
    const auto count = static_cast<std::ptrdiff_t>(order.size());
    const auto at = std::find(order.begin(), order.end(), focused_);
    std::ptrdiff_t next = 0;
    if (at == order.end())
        next = backwards ? count - 1 : 0;
    else
        next = ((at - order.begin()) + (backwards ? count - 1 : 1)) % count;
    order[static_cast<std::size_t>(next)]->setFocus();
}

bool Form::registerHotkey(int id, Modifiers modifiers, unsigned key) {
    return peer_ && peer_->registerHotkey(id, modifiers, key);
}

void Form::unregisterHotkey(int id) {
    if (peer_)
        peer_->unregisterHotkey(id);
}

int Form::previewKeyDown(int keyCode, int shift) {
    if (keyPreview_ && onKeyDown)
        onKeyDown(keyCode, shift);
    return loaded() ? keyCode : 0;
}

int Form::previewKeyUp(int keyCode, int shift) {
    if (keyPreview_ && onKeyUp)
        onKeyUp(keyCode, shift);
    return loaded() ? keyCode : 0;
}

int Form::previewKeyPress(int keyAscii) {
    if (keyPreview_ && onKeyPress)
        onKeyPress(keyAscii);
    return loaded() ? keyAscii : 0;
}

int Form::defaultKeyAction(Control* target, int keyCode, int shift) {
    if (keyCode == kKeyTab && (shift & (kCtrlMask | kAltMask)) == 0) {
        focusNext((shift & kShiftMask) != 0);
        return 0;
    }
    if (keyCode == kKeyReturn && shift == 0 && target && target->kind() == Control::Kind::CommandButton) {
        target->notifyClick();
        return 0;
    }
    return keyCode;
}

int Form::defaultCharAction(Control* target, int keyAscii) {
    if (keyAscii != kKeyReturn && keyAscii != kKeyEscape)
        return keyAscii;
    if (target && target->kind() == Control::Kind::ComboBox && static_cast<ComboBox*>(target)->droppedDown())
        return keyAscii;
    if (keyAscii == kKeyReturn) {
        // A default button that cannot be pressed now (disabled, hidden) takes no Enter either.
        if (!defaultButton_ || !defaultButton_->canTakeFocus())
            return keyAscii;
        defaultButton_->notifyClick();
        return 0;
    }
    if (style_ != FormStyle::Dialog)
        return keyAscii;
    notifyCloseRequested(UnloadMode::CloseBox);
    return 0;
}

int Form::notifyKeyDown(int keyCode, int shift) {
    if (onKeyDown)
        onKeyDown(keyCode, shift);
    if (keyCode == 0 || !loaded())
        return 0;
    return defaultKeyAction(nullptr, keyCode, shift);
}

int Form::notifyKeyUp(int keyCode, int shift) {
    if (onKeyUp)
        onKeyUp(keyCode, shift);
    return loaded() ? keyCode : 0;
}

int Form::notifyKeyPress(int keyAscii) {
    if (onKeyPress)
        onKeyPress(keyAscii);
    if (keyAscii == 0 || !loaded())
        return 0;
    return defaultCharAction(nullptr, keyAscii);
}

void Form::notifyHotkey(int id) {
    if (onHotkey)
        onHotkey(id);
}

void Form::notifyCloseRequested(UnloadMode mode) {
    unloadFor(mode);
}

void Form::notifyWindowDestroyed() {
    if (!peer_ || unloading_)
        return;
    // The window is gone already: the peer only lets go of it.
    releaseWindow();
    if (onUnloaded)
        onUnloaded();
}

void Form::registerControl(Control& control) {
    controls_.push_back(&control);
}

void Form::unregisterControl(Control& control) {
    std::erase(controls_, &control);
    if (focused_ == &control)
        focused_ = nullptr;
    if (defaultButton_ == &control)
        defaultButton_ = nullptr;
}

void Form::registerTimer(Timer& timer) {
    timers_.push_back(&timer);
}

void Form::unregisterTimer(Timer& timer) {
    std::erase(timers_, &timer);
}

Control* Form::findControl(const std::string& name, int index) const {
    for (Control* control : controls_) {
        if (control->name() == name && control->index() == index)
            return control;
    }
    return nullptr;
}

}  // namespace forms
