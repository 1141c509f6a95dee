#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "state/State.h"

namespace dialogs {

// The four layout options of the link page, in the order the dialog passes them; nonzero is on.
struct LinkPageOptions {
    state::Integer linkAddress = 0;  // the address as the link text, on a line of its own
    state::Integer indentation = 0;  // each entry in a block quotation of its own
    state::Integer comment = 0;      // a placeholder comment paragraph after each entry
    state::Integer lines = 0;        // a rule under the title and another at the end of the page
};

// The lines of the link page of the URL grid, without their line ends: the fixed head, one entry per
// registered address in list order, the end. Titles and addresses stand as stored, unescaped.
std::vector<std::string> LinkPageLines(const state::Grid& urlItems, const LinkPageOptions& options);

// WriteLinkPage of HTMLMade: writes the page to `fileName` in code page 932 with CR LF after every line,
// replacing an existing file atomically. A failed outcome says why, for the person; a page that existed
// before is then left as it was. A title or address that code page 932 cannot hold is reported rather
// than written altered.
platform::Outcome<> WriteLinkPage(platform::Platform& platform, const state::Grid& urlItems,
                                  const std::string& fileName, const LinkPageOptions& options);

}  // namespace dialogs
