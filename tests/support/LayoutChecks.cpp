#include "LayoutChecks.h"

#include <algorithm>

#include "forms/Control.h"

namespace checks {
namespace {

std::string nameOf(const forms::Control& control) {
    return control.index() < 0 ? control.name()
                               : control.name() + "(" + std::to_string(control.index()) + ")";
}

std::string text(const forms::Rect& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.width) +
           ", " + std::to_string(r.height) + ")";
}

// Overlapping by more than `slack` pixels both across and down.
bool overlap(const forms::Rect& a, const forms::Rect& b, int slack) {
    const int across = std::min(a.left + a.width, b.left + b.width) - std::max(a.left, b.left);
    const int down = std::min(a.top + a.height, b.top + b.height) - std::max(a.top, b.top);
    return across > slack && down > slack;
}

}  // namespace

std::vector<std::string> LayoutProblems(const forms::Form& form,
                                        const std::set<std::pair<std::string, std::string>>& meant,
                                        int slack) {
    std::vector<std::string> problems;
    std::vector<const forms::Control*> shown;
    for (const forms::Control* control : form.controls()) {
        if (control->visible())
            shown.push_back(control);
    }
    for (const forms::Control* control : shown) {
        const forms::Rect& r = control->rect();
        const forms::Control* frame = control->container();
        const int width = frame ? frame->rect().width : form.clientWidth();
        const int height = frame ? frame->rect().height : form.clientHeight();
        if (r.left < -slack || r.top < -slack || r.left + r.width > width + slack ||
            r.top + r.height > height + slack)
            problems.push_back(nameOf(*control) + " " + text(r) + " leaves " +
                               (frame ? nameOf(*frame) : std::string("the client area")) + " of " +
                               std::to_string(width) + " x " + std::to_string(height));
    }
    for (std::size_t i = 0; i < shown.size(); ++i) {
        for (std::size_t j = i + 1; j < shown.size(); ++j) {
            const forms::Control& a = *shown[i];
            const forms::Control& b = *shown[j];
            if (a.container() != b.container() || !overlap(a.rect(), b.rect(), slack) ||
                meant.count({nameOf(a), nameOf(b)}) || meant.count({nameOf(b), nameOf(a)}))
                continue;
            problems.push_back(nameOf(a) + " " + text(a.rect()) + " overlaps " + nameOf(b) + " " +
                               text(b.rect()));
        }
    }
    return problems;
}

}  // namespace checks
