#include "forms/Accessible.h"

#include <algorithm>

namespace forms {

std::vector<int> renamedElements(const std::vector<AccessibleElement>& before,
                                 const std::vector<AccessibleElement>& after) {
    std::vector<int> renamed;
    for (const AccessibleElement& now : after) {
        const auto was = std::find_if(before.begin(), before.end(),
                                      [&](const AccessibleElement& e) { return e.id == now.id; });
        if (was != before.end() && was->name != now.name)
            renamed.push_back(now.id);
    }
    return renamed;
}

}  // namespace forms
