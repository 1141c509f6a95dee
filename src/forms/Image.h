#pragma once

#include <memory>

namespace forms {

// An icon or picture loaded by the Platform. The backend that draws it knows its concrete type;
// the handle is released when the last owner lets go of it.
class Icon {
  public:
    virtual ~Icon() = default;
};

class Picture {
  public:
    virtual ~Picture() = default;
    virtual int width() const = 0;   // pixels
    virtual int height() const = 0;  // pixels
};

using IconPtr = std::shared_ptr<const Icon>;
using PicturePtr = std::shared_ptr<const Picture>;

// An icon the program drew on a form's surface; it stays until the surface is drawn anew.
struct DrawnIcon {
    int x = 0;
    int y = 0;
    IconPtr icon;
};

}  // namespace forms
