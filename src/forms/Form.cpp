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

Form::Form(Backend& backend, std::string name) : backend_(backend), name_(std::move(name)) {}

Form::~Form() = default;

void Form::load() {
    if (peer_)
        return;
    peer_ = backend_.createForm(*this);
    peer_->setCaption(caption_);
    peer_->setPicture(picture_);
    peer_->setBounds(pixels_);
    for (Control* control : controls_)
        control->createPeer(backend_);
    for (Timer* timer : timers_)
        timer->createPeer(backend_);
    Form_Load();
}

void Form::unload() {
    if (!peer_)
        return;
    Form_Unload();
    for (Timer* timer : timers_)
        timer->destroyPeer();
    for (Control* control : controls_)
        control->destroyPeer();
    focused_ = nullptr;
    visible_ = false;
    auto peer = std::move(peer_);
    peer->destroy();
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

void Form::setLeft(double twips) {
    Rect r = pixels_;
    r.left = toPixels(twips, twipsPerPixelX());
    setPixelBounds(r);
}

void Form::setTop(double twips) {
    Rect r = pixels_;
    r.top = toPixels(twips, twipsPerPixelY());
    setPixelBounds(r);
}

void Form::setWidth(double twips) {
    Rect r = pixels_;
    r.width = toPixels(twips, twipsPerPixelX());
    setPixelBounds(r);
}

void Form::setHeight(double twips) {
    Rect r = pixels_;
    r.height = toPixels(twips, twipsPerPixelY());
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

void Form::setPicture(PicturePtr picture) {
    picture_ = std::move(picture);
    if (peer_)
        peer_->setPicture(picture_);
}

void Form::clearSurface() {
    drawn_.clear();
    if (peer_)
        peer_->surfaceChanged();
}

void Form::drawIcon(int x, int y, IconPtr icon) {
    if (!icon)
        return;
    drawn_.push_back({x, y, std::move(icon)});
    if (peer_)
        peer_->surfaceChanged();
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

void Form::notifyCloseRequested() {
    unload();
}

void Form::registerControl(Control& control) {
    controls_.push_back(&control);
}

void Form::unregisterControl(Control& control) {
    std::erase(controls_, &control);
    if (focused_ == &control)
        focused_ = nullptr;
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
