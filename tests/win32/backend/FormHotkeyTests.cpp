// A form's system-wide hotkeys on real windows: the system refuses a combination that is taken, and
// WM_HOTKEY reaches the form as the hotkey's id alone.
#include "BackendTestSupport.h"

namespace backend_test {
namespace {

using FormHotkeyTest = BackendTest;

TEST_F(FormHotkeyTest, FormHoldsItsCombinationUntilReleasedAndHearsTheId) {
    const forms::Modifiers ctrlAltShift{.shift = true, .ctrl = true, .alt = true};
    std::vector<int> heard;
    form->onHotkey = [&](int id) { heard.push_back(id); };

    ASSERT_TRUE(form->registerHotkey(1, ctrlAltShift, 'Q'));
    EXPECT_FALSE(form->registerHotkey(2, ctrlAltShift, 'Q')) << "the combination is taken";
    ::PostMessageW(hwndOf(*form), WM_HOTKEY, 1, MAKELPARAM(MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'Q'));
    ::PostMessageW(hwndOf(*form), WM_HOTKEY, 7, 0);
    pumpMessages();
    EXPECT_EQ(heard, (std::vector<int>{1, 7}));

    form->unregisterHotkey(1);
    EXPECT_TRUE(form->registerHotkey(2, ctrlAltShift, 'Q')) << "released with its id";
    form->unregisterHotkey(2);
}

}  // namespace
}  // namespace backend_test
