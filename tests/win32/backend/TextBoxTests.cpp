#include "BackendTestSupport.h"

namespace backend_test {
namespace {

using TextBoxTest = BackendTest;

void type(HWND edit, const std::wstring& keys) {
    for (wchar_t key : keys)
        ::SendMessageW(edit, WM_CHAR, key, 1);
}

TEST_F(TextBoxTest, KeyPressCanChangeOrSwallowTheKey) {
    std::vector<int> seen;
    form->titleT.onKeyPress = [&](int& key) {
        seen.push_back(key);
        if (key == 'a')
            key = 'b';
        if (key == 'x')
            key = 0;
    };
    HWND edit = hwndOf(form->titleT);
    type(edit, L"axc");
    EXPECT_EQ(seen, (std::vector<int>{'a', 'x', 'c'}));
    EXPECT_EQ(form->titleT.text(), "bc");
    EXPECT_EQ(textOf(edit), L"bc");
    EXPECT_EQ(form->log, (std::vector<std::string>{"TitleT change b", "TitleT change bc"}));
}

TEST_F(TextBoxTest, EnterAndEscReachKeyPressAndLeaveTheText) {
    std::vector<int> seen;
    form->titleT.onKeyPress = [&](int& key) { seen.push_back(key); };
    HWND edit = hwndOf(form->titleT);
    type(edit, L"a\r\x1b");
    EXPECT_EQ(seen, (std::vector<int>{'a', 13, 27}));
    EXPECT_EQ(textOf(edit), L"a");
}

TEST_F(TextBoxTest, ADoubleClickRaisesDblClickAfterTheEditSelectedTheWord) {
    int dblClicks = 0;
    form->titleT.onDblClick = [&] { ++dblClicks; };
    form->titleT.setText("C:\\tools");
    HWND edit = hwndOf(form->titleT);
    ::SendMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    ::SendMessageW(edit, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    EXPECT_EQ(dblClicks, 0);
    ::SendMessageW(edit, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(4, 4));
    ::SendMessageW(edit, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    EXPECT_EQ(dblClicks, 1);
}

TEST_F(TextBoxTest, ProgramSetTextRaisesChangeOnce) {
    form->titleT.setText("C:\\ツール\\run.exe");
    pumpMessages();
    EXPECT_EQ(form->log, (std::vector<std::string>{"TitleT change C:\\ツール\\run.exe"}));
    EXPECT_EQ(textOf(hwndOf(form->titleT)), L"C:\\ツール\\run.exe");
}

TEST_F(TextBoxTest, TypingInTheMiddleKeepsTheCaretWhereItWas) {
    HWND edit = hwndOf(form->titleT);
    form->titleT.setText("ace");
    form->titleT.setSelection({1, 0});
    type(edit, L"b");
    EXPECT_EQ(form->titleT.text(), "abce");
    EXPECT_EQ(form->titleT.selection(), (forms::Selection{2, 0}));
}

TEST_F(TextBoxTest, SelectionCountsCharactersNotUtf16Units) {
    form->titleT.setText("日本語𠮷テキスト");  // 𠮷 is a surrogate pair
    form->titleT.setSelection({3, 2});
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageW(hwndOf(form->titleT), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 3u);
    EXPECT_EQ(end, 6u);
    ::SendMessageW(hwndOf(form->titleT), EM_SETSEL, 5, 9);
    EXPECT_EQ(form->titleT.selection(), (forms::Selection{4, 4}));
}

TEST_F(TextBoxTest, FocusMovesRaiseGotAndLostFocusOnceEach) {
    form->titleT.setFocus();
    EXPECT_EQ(::GetFocus(), hwndOf(form->titleT));
    form->inputCom.setFocus();
    ::SetFocus(hwndOf(*form));  // the person clicks the background
    ::SetFocus(hwndOf(form->titleT));
    pumpMessages();
    EXPECT_EQ(form->log, (std::vector<std::string>{"TitleT got", "TitleT lost", "Input_Com got",
                                                   "Input_Com lost", "TitleT got"}));
    EXPECT_EQ(form->focusedControl(), &form->titleT);
}

}  // namespace
}  // namespace backend_test
