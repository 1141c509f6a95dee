#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "forms/Accessible.h"
#include "forms/Backend.h"
#include "forms/Geometry.h"
#include "forms/Image.h"

namespace forms {

class Control;
class CommandButton;
class Timer;

// The strip is a borderless window; a dialog has a caption, a close box and a fixed client area, and
// belongs to its owner form (above it, and without a taskbar button of its own). Esc in a dialog does
// what its close box does.
enum class FormStyle { Borderless, Dialog };

// Why a form unloads, as QueryUnload learns it.
enum class UnloadMode {
    CloseBox,        // the person closed the window (its close box, Alt+F4, the system menu)
    Code,            // the program called unload()
    SystemShutdown,  // Windows is ending the session
};

// A top-level window. Its position and size are in twips (1/1440 inch), converted with the backend's
// twips per pixel; the controls inside it are placed in pixels.
class Form {
  public:
    Form(Backend& backend, std::string name, FormStyle style = FormStyle::Borderless);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& name() const { return name_; }
    Backend& backend() const { return backend_; }
    FormStyle style() const { return style_; }

    // The form this one belongs to; set before loading. A dialog stays above its owner.
    Form* owner() const { return owner_; }
    void setOwner(Form* owner) { owner_ = owner; }

    // Creates the window and its controls, then runs the load handler.
    void load();
    // Asks QueryUnload, then runs the unload handler and destroys the window. Returns false when
    // QueryUnload cancelled. Unloading a form that is not loaded does nothing and returns true.
    bool unload() { return unloadFor(UnloadMode::Code); }
    bool loaded() const { return peer_ != nullptr; }

    // The window's title text; the strip shows none, but the system and tests know the window by it.
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& caption);

    void show();
    void hide();
    bool visible() const { return visible_; }
    // Shows the form and brings it to the front with the keyboard focus.
    void activate();

    // Twips.
    double left() const { return pixels_.left * twipsPerPixelX(); }
    double top() const { return pixels_.top * twipsPerPixelY(); }
    double width() const { return pixels_.width * twipsPerPixelX(); }
    double height() const { return pixels_.height * twipsPerPixelY(); }
    void setLeft(double twips) { setEdge(&Rect::left, twips, twipsPerPixelX()); }
    void setTop(double twips) { setEdge(&Rect::top, twips, twipsPerPixelY()); }
    void setWidth(double twips) { setEdge(&Rect::width, twips, twipsPerPixelX()); }
    void setHeight(double twips) { setEdge(&Rect::height, twips, twipsPerPixelY()); }
    void move(double leftTwips, double topTwips);

    // The outer rectangle in pixels (the window is borderless, so it equals the client area).
    const Rect& pixelBounds() const { return pixels_; }
    void setPixelBounds(const Rect& pixels);
    // The inner height in the form's scale unit, pixels.
    int scaleHeight() const;
    // A dialog's fixed client area in pixels; its outer size follows from the frame the system draws.
    void setClientSize(int width, int height);
    int clientWidth() const;
    int clientHeight() const;

    double twipsPerPixelX() const { return backend_.twipsPerPixelX(); }
    double twipsPerPixelY() const { return backend_.twipsPerPixelY(); }

    const PicturePtr& picture() const { return picture_; }
    void setPicture(PicturePtr picture);

    // The drawing surface above the background picture: `icons` replace what was drawn before, in one
    // step, so that only what differs is repainted. Missing icons (nullptr) are left out.
    void drawIcons(std::vector<DrawnIcon> icons);
    const std::vector<DrawnIcon>& drawnIcons() const { return drawn_; }

    NativeWindow handle() const;
    Control* focusedControl() const { return focused_; }
    // Moves the focus to the next (or previous) control of the tab order that can take it, wrapping.
    void focusNext(bool backwards = false);

    // With KeyPreview the form's key events run before those of the focused control, and a handler
    // that sets the code to 0 keeps the key from the control.
    bool keyPreview() const { return keyPreview_; }
    void setKeyPreview(bool preview) { keyPreview_ = preview; }

    // The button that Enter presses (a dialog's OK) when the control with the focus does not use Enter
    // itself. Set before loading, so that the button is drawn as the default one.
    CommandButton* defaultButton() const { return defaultButton_; }
    void setDefaultButton(CommandButton& button) { defaultButton_ = &button; }

    // A system-wide hotkey delivered to this window: onHotkey learns its id.
    bool registerHotkey(int id, Modifiers modifiers, unsigned key);
    void unregisterHotkey(int id);

    // The form's own mouse events (on the background, outside every control).
    std::function<void(const MouseArgs&)> onMouseDown;
    std::function<void(const MouseArgs&)> onMouseMove;
    // Key events: KeyDown and KeyUp with the key code and the Shift mask, KeyPress with the character.
    std::function<void(int& keyCode, int shift)> onKeyDown;
    std::function<void(int& keyCode, int shift)> onKeyUp;
    std::function<void(int& keyAscii)> onKeyPress;
    std::function<void(int id)> onHotkey;
    // The pointer moved over the form or one of its controls, or left them all. A form without this
    // handler is not told, and the system is not asked to watch the pointer for it.
    std::function<void(const PointerArgs&)> onPointer;
    // Whether the pointer was over the form or one of its controls when last reported.
    bool pointerOver() const { return pointerOver_; }
    // After the form has unloaded, whatever the cause: for whoever opened it.
    std::function<void()> onUnloaded;

    // Backend notifications.
    void notifyMouseDown(const MouseArgs& args);
    void notifyMouseMove(const MouseArgs& args);
    void notifyPointer(const PointerArgs& args);
    // The window was moved or sized by the system (for example its drag loop).
    void notifyBoundsChanged(const Rect& pixels);
    // The focus moved to this control, or away from every control (nullptr).
    void notifyFocus(Control* control);
    // The system asks the window to close (its close box, or Windows shutting down).
    void notifyCloseRequested(UnloadMode mode = UnloadMode::CloseBox);
    // The native window is gone without the runtime asking (its owner was destroyed): the form unloads.
    void notifyWindowDestroyed();
    // Keys while no control of the form has the focus. Each returns the code to pass on, 0 for none.
    int notifyKeyDown(int keyCode, int shift);
    int notifyKeyUp(int keyCode, int shift);
    int notifyKeyPress(int keyAscii);
    void notifyHotkey(int id);

    // A form that draws its own controls describes them for screen readers; a form made of the
    // system's controls alone has nothing to add (the system describes those).
    virtual std::optional<AccessibleView> accessibleView() const { return std::nullopt; }
    // A screen reader pressed the element with this id: what the person's click on it does.
    virtual void accessibleAction(int /*id*/) {}

    // Used by controls and timers.
    void registerControl(Control& control);
    void unregisterControl(Control& control);
    void registerTimer(Timer& timer);
    void unregisterTimer(Timer& timer);
    const std::vector<Control*>& controls() const { return controls_; }
    Control* findControl(const std::string& name, int index = -1) const;

    // Used by controls: the key events of the form that run before a control's, with KeyPreview.
    // Returns the code left for the control.
    int previewKeyDown(int keyCode, int shift);
    int previewKeyUp(int keyCode, int shift);
    int previewKeyPress(int keyAscii);
    // What a key that no handler swallowed does: Tab moves the focus, Enter presses a focused button.
    // Returns the code to pass on to the native control, 0 when the runtime used the key.
    int defaultKeyAction(Control* target, int keyCode, int shift);
    // What an Enter or Esc character that no KeyPress handler swallowed does: Enter presses the default
    // button, Esc closes a dialog as its close box does. An open drop-down list keeps both, to close
    // itself. Returns the code to pass on, 0 when the runtime used it.
    int defaultCharAction(Control* target, int keyAscii);

  protected:
    virtual void Form_Load() {}
    // `cancel` = true keeps the form loaded (a close by the system at shutdown cannot be cancelled).
    virtual void Form_QueryUnload(bool& /*cancel*/, UnloadMode /*mode*/) {}
    virtual void Form_Unload() {}

  private:
    // One edge or extent of the pixel rectangle from twips, rounded to the nearest pixel.
    void setEdge(int Rect::*edge, double twips, double twipsPerPixel);
    bool unloadFor(UnloadMode mode);
    // The unload handler and the controls' peers; the window itself is the caller's business.
    std::unique_ptr<FormPeer> releaseWindow();

    Backend& backend_;
    std::string name_;
    FormStyle style_;
    Form* owner_ = nullptr;
    bool keyPreview_ = false;
    CommandButton* defaultButton_ = nullptr;
    bool unloading_ = false;
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    Rect pixels_;
    std::string caption_;
    bool visible_ = false;
    bool pointerOver_ = false;
    PicturePtr picture_;
    std::vector<DrawnIcon> drawn_;
    std::vector<Control*> controls_;
    std::vector<Timer*> timers_;
    Control* focused_ = nullptr;
    std::unique_ptr<FormPeer> peer_;
};

}  // namespace forms
