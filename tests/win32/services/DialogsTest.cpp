#include <gtest/gtest.h>

#include <thread>

#include "TestSupport.h"
#include "Utf16.h"
#include "platform/win32/Handles.h"
#include "platform/win32/services/OpenDialogFilter.h"
#include "platform/win32/services/Win32Platform.h"

using namespace std::string_literals;
using platform::FilterPair;

namespace {

constexpr int kFileTypeList = 0x470;
constexpr int kFileNameBox = 0x47C;

TEST(OpenDialogFilterTest, PairsAreNulSeparatedAndTheListIsTerminated) {
    EXPECT_EQ(win32::dialogFilter({{"全てのファイル(*.*)", "*.*"}}), L"全てのファイル(*.*)\0*.*\0\0"s);
    EXPECT_EQ(
        win32::dialogFilter({{"ハイパーテキスト(*.html)", "*.html"}, {"ハイパーテキスト(*.htm)", "*.htm"}}),
        L"ハイパーテキスト(*.html)\0*.html\0ハイパーテキスト(*.htm)\0*.htm\0\0"s);
    EXPECT_EQ(win32::dialogFilter({}), L"");
}

TEST(OpenDialogFilterTest, SelectedPairStaysInsideTheList) {
    EXPECT_EQ(win32::dialogFilterIndex(2, 3), 2u);
    EXPECT_EQ(win32::dialogFilterIndex(2, 1), 1u);
    EXPECT_EQ(win32::dialogFilterIndex(0, 3), 1u);
    EXPECT_EQ(win32::dialogFilterIndex(2, 0), 0u);
}

class DialogsTest : public ::testing::Test {
  protected:
    // Runs `act` on the dialog once it is shown, from another thread, while this one is in the dialog.
    template <class Act>
    void whenShown(const wchar_t* title, Act act) {
        helper = std::thread([title, act] {
            if (HWND dialog = testsupport::waitForWindow(L"#32770", title))
                act(dialog);
        });
    }
    void TearDown() override {
        if (helper.joinable())
            helper.join();
    }

    win32::Win32Platform platform;
    std::thread helper;
};

TEST_F(DialogsTest, MessageBoxIsTitledModalAndMapsTheAnswers) {
    win32::UniqueWindow strip(
        ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
    bool stripEnabled = true;
    whenShown(L"Tolvane", [&](HWND box) {
        stripEnabled = ::IsWindowEnabled(strip.get());
        testsupport::clickUntilClosed(box, IDNO);
    });
    EXPECT_EQ(platform.messageBox("登録を削除しますか？", platform::MessageButtons::YesNo),
              platform::MessageAnswer::No);
    helper.join();
    EXPECT_FALSE(stripEnabled) << "no other window of the program takes input while the box is open";
    EXPECT_TRUE(::IsWindowEnabled(strip.get()));

    whenShown(L"Tolvane", [](HWND box) { testsupport::clickUntilClosed(box, IDYES); });
    EXPECT_EQ(platform.messageBox("はい?", platform::MessageButtons::YesNo), platform::MessageAnswer::Yes);
    helper.join();

    whenShown(L"Tolvane", [](HWND box) { testsupport::clickUntilClosed(box, IDOK); });
    EXPECT_EQ(platform.messageBox("OK", platform::MessageButtons::Ok), platform::MessageAnswer::Ok);
}

platform::OpenDialogRequest htmlRequest(const std::string& folder) {
    platform::OpenDialogRequest request;
    request.filters = {{"ハイパーテキスト(*.html)", "*.html"}, {"ハイパーテキスト(*.htm)", "*.htm"}};
    request.filterIndex = 2;
    request.initialFolder = folder;
    request.title = "ファイルを開く";
    return request;
}

TEST_F(DialogsTest, OpenDialogReturnsATypedNewNameWithTheRequestedPairSelected) {
    testsupport::TempFolder folder;
    const std::wstring typed = winsupport::Widen(folder.at("新しい.htm"));
    LRESULT selectedPair = -1;
    whenShown(L"ファイルを開く", [&](HWND dialog) {
        selectedPair = ::SendDlgItemMessageW(dialog, kFileTypeList, CB_GETCURSEL, 0, 0);
        ::SetDlgItemTextW(dialog, kFileNameBox, typed.c_str());
        testsupport::clickUntilClosed(dialog, IDOK);
    });
    EXPECT_EQ(platform.openFileDialog(htmlRequest(folder.path())), folder.at("新しい.htm"));
    helper.join();
    EXPECT_EQ(selectedPair, 1);
}

TEST_F(DialogsTest, OpenDialogGivesNothingOnCancel) {
    testsupport::TempFolder folder;
    whenShown(L"ファイルを開く", [](HWND dialog) { testsupport::clickUntilClosed(dialog, IDCANCEL); });
    EXPECT_EQ(platform.openFileDialog(htmlRequest(folder.path())), "");
}

}  // namespace
