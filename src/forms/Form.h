#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "forms/Backend.h"
#include "forms/Geometry.h"
#include "forms/Image.h"

namespace forms {

class Control;
class Timer;

// An icon the program drew on the form's surface; it stays until the surface is cleared.
struct DrawnIcon {
    int x = 0;
    int y = 0;
    IconPtr icon;
};

// A top-level window. Its position and size are in twips (1/1440 inch), converted with the backend's
// twips per pixel; the controls inside it are placed in pixels.
class Form {
  public:
    Form(Backend& backend, std::string name);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& name() const { return name_; }
    Backend& backend() const { return backend_; }

    // Creates the window and its controls, then runs the load handler.
    void load();
    // Runs the unload handler, then destroys the window. Unloading a form that is not loaded does nothing.
    void unload();
    bool loaded() const { return peer_ != nullptr; }

    // The window's title text; the strip shows none, but the system and tests know the window by it.
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& caption);

    void show();
    void hide();
    bool visible() const { return visible_; }

    // Twips.
    double left() const { return pixels_.left * twipsPerPixelX(); }
    double top() const { return pixels_.top * twipsPerPixelY(); }
    double width() const { return pixels_.width * twipsPerPixelX(); }
    double height() const { return pixels_.height * twipsPerPixelY(); }
    void setLeft(double twips);
    void setTop(double twips);
    void setWidth(double twips);
    void setHeight(double twips);
    void move(double leftTwips, double topTwips);

    // The outer rectangle in pixels (the window is borderless, so it equals the client area).
    const Rect& pixelBounds() const { return pixels_; }
    void setPixelBounds(const Rect& pixels);
    // The inner height in the form's scale unit, pixels.
    int scaleHeight() const;

    double twipsPerPixelX() const { return backend_.twipsPerPixelX(); }
    double twipsPerPixelY() const { return backend_.twipsPerPixelY(); }

    const PicturePtr& picture() const { return picture_; }
    void setPicture(PicturePtr picture);

    // The drawing surface above the background picture.
    void clearSurface();
    void drawIcon(int x, int y, IconPtr icon);
    const std::vector<DrawnIcon>& drawnIcons() const { return drawn_; }

    NativeWindow handle() const;
    Control* focusedControl() const { return focused_; }

    // The form's own mouse events (on the background, outside every control).
    std::function<void(const MouseArgs&)> onMouseDown;
    std::function<void(const MouseArgs&)> onMouseMove;

    // Backend notifications.
    void notifyMouseDown(const MouseArgs& args);
    void notifyMouseMove(const MouseArgs& args);
    // The window was moved or sized by the system (for example its drag loop).
    void notifyBoundsChanged(const Rect& pixels);
    // The focus moved to this control, or away from every control (nullptr).
    void notifyFocus(Control* control);
    // The system asks the window to close (its close command, or Windows shutting down).
    void notifyCloseRequested();

    // Used by controls and timers.
    void registerControl(Control& control);
    void unregisterControl(Control& control);
    void registerTimer(Timer& timer);
    void unregisterTimer(Timer& timer);
    const std::vector<Control*>& controls() const { return controls_; }
    Control* findControl(const std::string& name, int index = -1) const;

  protected:
    virtual void Form_Load() {}
    virtual void Form_Unload() {}

  private:
    Backend& backend_;
    std::string name_;
    Rect pixels_;
    std::string caption_;
    bool visible_ = false;
    PicturePtr picture_;
    std::vector<DrawnIcon> drawn_;
    std::vector<Control*> controls_;
    std::vector<Timer*> timers_;
    Control* focused_ = nullptr;
    std::unique_ptr<FormPeer> peer_;
};

}  // namespace forms
