// One rule for an exception in any callback of the system: the first one is kept, the callback
// returns its neutral result, and the message loop throws the kept one again.
#include <functional>
#include <stdexcept>

#include "BackendTestSupport.h"

namespace backend_test {
namespace {

using CallbackGuardTest = BackendTest;

// Throws "first" on the first call and "later" after it.
struct Thrower {
    int calls = 0;
    void operator()() { throw std::runtime_error(++calls == 1 ? "first" : "later"); }
};

HWND comboEdit(HWND combo) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    ::GetComboBoxInfo(combo, &info);
    return info.hwndItem;
}

TEST_F(CallbackGuardTest, EveryKindOfCallbackKeepsTheFirstExceptionForTheMessageLoop) {
    const struct {
        const char* callback;
        std::function<void(Thrower&)> handle;  // makes a handler of the form throw
        std::function<void()> provoke;         // the person's action, twice
        std::function<bool()> neutral;         // what the failed callback left
    } cases[] = {
        {"form window procedure (label click)",
         [&](Thrower& t) { form->viewCaption.onClick = [&t] { t(); }; },
         [&] {
             HWND label = hwndOf(form->viewCaption);
             ::SendMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
             ::SendMessageW(label, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
         },
         [&] { return form->loaded(); }},
        {"text box subclass procedure (key press)",
         [&](Thrower& t) { form->titleT.onKeyPress = [&t](int&) { t(); }; },
         [&] { ::SendMessageW(hwndOf(form->titleT), WM_CHAR, L'a', 1); },
         [&] { return textOf(hwndOf(form->titleT)).empty(); }},
        {"combo box edit subclass procedure (key press)",
         [&](Thrower& t) { form->inputCom.onKeyPress = [&t](int&) { t(); }; },
         [&] { ::SendMessageW(comboEdit(hwndOf(form->inputCom)), WM_CHAR, L'a', 1); },
         [&] { return textOf(hwndOf(form->inputCom)).empty(); }},
        {"combo box subclass procedure (change)",
         [&](Thrower& t) { form->inputCom.onChange = [&t] { t(); }; },
         [&] { ::SendMessageW(comboEdit(hwndOf(form->inputCom)), WM_CHAR, L'b', 1); },
         [&] { return textOf(hwndOf(form->inputCom)) == L"bb"; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.callback);
        Thrower thrower;
        c.handle(thrower);
        c.provoke();
        c.provoke();
        EXPECT_EQ(thrower.calls, 2) << "the first exception stopped nothing after it";
        EXPECT_TRUE(c.neutral());

        ::PostMessageW(hwndOf(*form), WM_NULL, 0, 0);
        ::PostQuitMessage(0);
        std::string thrown = "nothing";
        try {
            backend.runMessageLoop();
        } catch (const std::runtime_error& error) {
            thrown = error.what();
        }
        EXPECT_EQ(thrown, "first");
        pumpMessages();
        form->viewCaption.onClick = nullptr;
        form->titleT.onKeyPress = nullptr;
        form->inputCom.onKeyPress = nullptr;
        form->inputCom.onChange = nullptr;
    }
}

}  // namespace
}  // namespace backend_test
