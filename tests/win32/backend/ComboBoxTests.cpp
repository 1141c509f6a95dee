#include <algorithm>

#include "BackendTestSupport.h"

namespace backend_test {
namespace {

class ComboBoxTest : public BackendTest {
  protected:
    void SetUp() override {
        BackendTest::SetUp();
        for (const char* item : {"notepad", "Notes", "エディタ", "ed"})
            form->inputCom.addItem(item);
        combo = hwndOf(form->inputCom);
        COMBOBOXINFO info{};
        info.cbSize = sizeof(info);
        ::GetComboBoxInfo(combo, &info);
        edit = info.hwndItem;
        list = info.hwndList;
        form->log.clear();
    }

    // The person clicks entry `index` in the dropped list.
    void clickEntry(int index) {
        form->inputCom.showDropDown();
        pumpMessages();
        RECT item{};
        ::SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        const LPARAM at = MAKELPARAM(item.left + 2, item.top + 2);
        ::SendMessageW(list, WM_MOUSEMOVE, 0, at);
        ::SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageW(list, WM_LBUTTONUP, 0, at);
        pumpMessages();
    }

    int changes() const {
        return static_cast<int>(
            std::count_if(form->log.begin(), form->log.end(),
                          [](const std::string& entry) { return entry.starts_with("Input_Com change"); }));
    }

    HWND combo = nullptr;
    HWND edit = nullptr;
    HWND list = nullptr;
};

TEST_F(ComboBoxTest, ListPickRaisesClickOnceAndNoChange) {
    clickEntry(2);
    EXPECT_EQ(form->count("Input_Com click"), 1);
    EXPECT_EQ(changes(), 0);
    EXPECT_EQ(form->inputCom.listIndex(), 2);
    EXPECT_EQ(form->inputCom.text(), "エディタ");
    EXPECT_EQ(textOf(combo), L"エディタ");
    EXPECT_FALSE(form->inputCom.droppedDown());
}

TEST_F(ComboBoxTest, TextSetByAClickHandlerStaysAfterThePick) {
    form->inputCom.onClick = [this] { form->inputCom.setText(""); };
    clickEntry(1);
    EXPECT_EQ(changes(), 1);
    EXPECT_EQ(form->count("Input_Com change "), 1);
    EXPECT_EQ(textOf(combo), L"");
}

TEST_F(ComboBoxTest, TypingRaisesChangeAndEnterAndEscOnlyKeyPress) {
    std::vector<int> seen;
    form->inputCom.onKeyPress = [&](int& key) { seen.push_back(key); };
    for (wchar_t key : std::wstring(L"z\r\x1b"))
        ::SendMessageW(edit, WM_CHAR, key, 1);
    EXPECT_EQ(seen, (std::vector<int>{'z', 13, 27}));
    EXPECT_EQ(form->log, (std::vector<std::string>{"Input_Com change z"}));
    EXPECT_EQ(textOf(combo), L"z");
}

// The command box completes the typed text from its list inside its Change handler.
TEST_F(ComboBoxTest, CompletionInsideChangeSelectsTheCompletedTail) {
    forms::ComboBox& box = form->inputCom;
    box.onChange = [&box] {
        const int caret = box.selStart();
        const int typed = static_cast<int>(forms::characterCount(box.text()));
        const int found = box.findPrefix(box.text());
        if (found < 0)
            return;
        box.setTopIndex(found);
        box.setListIndex(found);
        const std::string entry = box.list()[static_cast<std::size_t>(found)];
        box.setText(entry);
        box.setSelection({caret, static_cast<int>(forms::characterCount(entry)) - typed});
    };
    ::SendMessageW(edit, WM_CHAR, L'N', 1);
    EXPECT_EQ(box.text(), "notepad");
    EXPECT_EQ(textOf(combo), L"notepad");
    EXPECT_EQ(box.selection(), (forms::Selection{1, 6}));
    ::SendMessageW(edit, WM_CHAR, L'o', 1);  // replaces the selected tail and completes again
    EXPECT_EQ(box.text(), "notepad");
    EXPECT_EQ(box.selection(), (forms::Selection{2, 5}));
}

TEST_F(ComboBoxTest, RefillingTheListKeepsTextAndSelection) {
    form->inputCom.setText("メモ帳");
    form->inputCom.setSelection({1, 2});
    form->inputCom.clearList();
    form->inputCom.addItem("calc");
    EXPECT_EQ(textOf(combo), L"メモ帳");
    EXPECT_EQ(form->inputCom.selection(), (forms::Selection{1, 2}));
    EXPECT_EQ(::SendMessageW(combo, CB_GETCOUNT, 0, 0), 1);
    form->inputCom.setListIndex(-1);
    EXPECT_EQ(textOf(combo), L"メモ帳");
}

TEST_F(ComboBoxTest, DroppedListShowsSeveralEntriesAndReportsClosing) {
    for (int i = 0; i < 10; ++i)
        form->inputCom.addItem("item" + std::to_string(i));
    form->inputCom.showDropDown();
    pumpMessages();
    EXPECT_TRUE(::IsWindowVisible(list));
    RECT r{};
    ::GetClientRect(list, &r);
    const auto entry = ::SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0);
    EXPECT_GE(r.bottom - r.top, 8 * entry);
    ::SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
    pumpMessages();
    EXPECT_FALSE(form->inputCom.droppedDown());
}

}  // namespace
}  // namespace backend_test
