#pragma once

#include <string>

namespace mainwindow {

class MainF;

// Reads the skin file at `skinPath` into the skin values of the state and applies them to the
// strip: the picture as its background, the font face and colour on PageV, ViewCaption, zoL and Label4.
void ApplySkin(MainF& form, const std::string& skinPath);

}  // namespace mainwindow
