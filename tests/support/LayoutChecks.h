#pragma once

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "forms/Form.h"

namespace checks {

// What is wrong with where a form's shown controls lie: one that leaves the client area (a control in a
// frame: its frame), and two of the same container that overlap, unless the pair is one of `meant`
// (names as "Name" or "Name(index)", in either order). The control tables let a label's last rows
// reach into the field under it and a frame pass the edge by a pixel: up to `slack` pixels are not a
// fault. Empty when the layout holds.
std::vector<std::string> LayoutProblems(const forms::Form& form,
                                        const std::set<std::pair<std::string, std::string>>& meant = {},
                                        int slack = 2);

}  // namespace checks
