#include "forms/NumberText.h"

namespace forms {

std::string NumberText(int number) {
    std::string text = number < 0 ? "" : " ";
    text += std::to_string(number);
    return text;
}

}  // namespace forms
