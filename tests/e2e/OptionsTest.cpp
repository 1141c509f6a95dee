// The options dialog and the hotkey capture dialog of the real program: opened from the strip, changed,
// confirmed, and what reaches Tolv.ini and the system. With TOLVANE_SHOTS set (a host folder), each
// dialog is also saved as a picture of the screen for a person to look at.
#include "Harness.h"

#include <gtest/gtest.h>

#include <regex>

using namespace e2e;

namespace {

constexpr const wchar_t* kOptionsCaption = L"Tolvane Option";
constexpr const wchar_t* kHotkeyCaption = L"Tolvane HotKey Option";

::testing::AssertionResult Shows(HWND control, const std::wstring& text) {
    if (WaitUntil([&] { return TextOf(control) == text; }, kAnswerLimit))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "shows \"" << Narrow(TextOf(control)) << "\" instead of \"" << Narrow(text) << "\"";
}

HWND FirstChildOfClass(HWND parent, const wchar_t* className) {
    for (HWND child : Children(parent))
        if (ClassOf(child) == className)
            return child;
    return nullptr;
}

// The window with the keyboard focus in the program's user-interface thread.
// A key stroke as the keyboard gives it to the window with the focus.
void PostKey(HWND focus, UINT key) {
    PostMessageW(focus, WM_KEYDOWN, key, 1);
    PostMessageW(focus, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
}

void Press(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
}

// The whole screen, for a person to look at (TOLVANE_SHOTS).
void SaveShot(const std::string& name) {
    const SIZE screen = ScreenSize();
    Photograph({0, 0, screen.cx, screen.cy}, name);
}

std::vector<std::wstring> SettingsLines(const ProgramFolder& folder) {
    std::vector<std::wstring> lines;
    for (const std::string& line : SplitLines(ReadBytes(folder.File(L"Tolv.ini")).value_or("")))
        lines.push_back(FromCp932(line));
    return lines;
}

class Options : public ::testing::Test {
  protected:
    void SetUp() override {
        TOLVANE_REQUIRE_PROGRAM();
        GridFile launchers;
        launchers.Set(0, 0, PlaceRecorder(session_.folder.File(L"rec.exe")), L"rec", L"Recorder");
        ASSERT_TRUE(session_.Start(SettingsWith({}), GridFile(), launchers));
    }

    // A right click on the mode icon.
    HWND OpenOptions() {
        PostRightClick(session_.Control(7, 6, 16, 16), 8, 8);
        return WaitForWindow(kFormClass, kOptionsCaption, session_.program.Id());
    }

    StripSession session_;
};

}  // namespace

TEST_F(Options, OpensBesideTheStripAndOkStoresWhatWasChanged) {
    HWND options = OpenOptions();
    ASSERT_NE(options, nullptr) << "the options dialog did not open";
    const RECT strip = ScreenRect(session_.main);
    const RECT dialog = ScreenRect(options);
    EXPECT_NEAR(dialog.top, strip.bottom, 1) << "below the strip at the top of the screen";
    EXPECT_NEAR(dialog.left, strip.left, 1) << "left edges aligned";
    EXPECT_EQ(GetWindow(options, GW_OWNER), session_.main);
    RECT client{};
    GetClientRect(options, &client);
    const double scale = (strip.right - strip.left) / 256.0;
    EXPECT_NEAR(client.right, 397 * scale, 1);
    EXPECT_NEAR(client.bottom, 423 * scale, 1);
    EXPECT_NE(ChildByText(options, L"Ctrl + Alt + R"), nullptr);
    EXPECT_NE(ChildByText(options, L" 1"), nullptr) << "one launcher item";
    SaveShot("options");

    // The clock pattern acts at once: the caption follows while the pointer is away.
    ASSERT_TRUE(Xdotool("mousemove 700 700"));
    HWND combo = FirstChildOfClass(options, L"ComboBox");
    ASSERT_NE(combo, nullptr);
    HWND patternEdit = FindWindowExW(combo, nullptr, L"Edit", nullptr);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(patternEdit, EM_SETSEL, 0, -1, SMTO_ABORTIFHUNG, 5000, &ignored);
    for (wchar_t c : std::wstring(L"hh時nn分ss秒"))
        PostChar(patternEdit, c);
    ASSERT_TRUE(Shows(combo, L"hh時nn分ss秒"));
    Press(ChildByText(options, L"変更"));
    HWND caption = session_.Control(124, 8, 120, 14);
    const std::wregex clock(L"\\d\\d時\\d\\d分\\d\\d秒");
    EXPECT_TRUE(WaitUntil([&] { return std::regex_match(TextOf(caption), clock); }, kAnswerLimit))
        << "the caption shows " << Narrow(TextOf(caption));

    // The browser path waits for OK, which saves.
    HWND path = ChildByText(options, L"C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE");
    ASSERT_NE(path, nullptr);
    const std::wstring browser = L"C:\\ブラウザ\\browser.exe";
    SendMessageTimeoutW(path, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(browser.c_str()), SMTO_ABORTIFHUNG,
                        5000, nullptr);
    Press(ChildByText(options, L"Internet Exploreｒ を使用する "));
    Press(ChildByText(options, L"OK"));
    ASSERT_TRUE(WaitForWindowGone(options));
    const auto lines = SettingsLines(session_.folder);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[1], L"0,0,0") << "Internet Explorer no longer used";
    EXPECT_EQ(lines[2], L"C:\\ブラウザ\\browser.exe");
    EXPECT_EQ(lines[9], L"hh時nn分ss秒");

    // Esc leaves as the close box does: the typed path is dropped. Enter in the path field is OK.
    const std::wstring other = L"C:\\other\\browser.exe";
    for (const UINT key : {VK_ESCAPE, VK_RETURN}) {
        options = OpenOptions();
        ASSERT_NE(options, nullptr);
        path = ChildByText(options, browser);
        ASSERT_NE(path, nullptr) << "the stored path is not shown";
        PostClick(path, 4, 4);
        ASSERT_TRUE(WaitUntil([&] { return FocusOf(options) == path; }, kAnswerLimit));
        SendMessageTimeoutW(path, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(other.c_str()), SMTO_ABORTIFHUNG,
                            5000, nullptr);
        PostKey(path, key);
        ASSERT_TRUE(WaitForWindowGone(options)) << "key " << key << " left the dialog open";
        EXPECT_EQ(SettingsLines(session_.folder).at(2), key == VK_ESCAPE ? browser : other);
    }
}

TEST_F(Options, HotkeyCaptureReassignsHotkeyTwo) {
    HWND options = OpenOptions();
    ASSERT_NE(options, nullptr);
    PostClick(ChildByText(options, L"Ctrl + Alt + C"), 4, 4);
    HWND capture = WaitForWindow(kFormClass, kHotkeyCaption, session_.program.Id());
    ASSERT_NE(capture, nullptr) << "the capture dialog did not open";
    EXPECT_NE(ChildByText(capture, L"省略起動（共通）："), nullptr);
    HWND key = FirstChildOfClass(capture, L"Edit");
    EXPECT_EQ(TextOf(key), L"C");

    // Tab walks from OK, which has the focus.
    std::vector<std::wstring> order;
    for (int i = 0; i < 7; ++i) {
        HWND focus = nullptr;
        WaitUntil([&] { return (focus = FocusOf(capture)) != nullptr; }, kAnswerLimit);
        order.push_back(focus == key ? L"(key)" : TextOf(focus));
        PostKey(focus, VK_TAB);
        WaitUntil([&] { return FocusOf(capture) != focus; }, kAnswerLimit);
    }
    EXPECT_EQ(order,
              (std::vector<std::wstring>{L"OK", L"ｷｬﾝｾﾙ", L"Ctrl", L"Alt", L"Shift", L"(key)", L"OK"}));
    SaveShot("hotkey");

    // Typing and pasting leave the key; the key stroke sets it.
    PostMessageW(key, WM_CHAR, 'x', 1);
    PostMessageW(key, WM_PASTE, 0, 0);
    Press(ChildByText(capture, L"Ctrl"));
    Press(ChildByText(capture, L"Shift"));
    PostKey(FocusOf(capture), 'K');
    EXPECT_TRUE(Shows(key, L"K"));
    Press(ChildByText(capture, L"OK"));
    ASSERT_TRUE(WaitForWindowGone(capture));
    EXPECT_NE(ChildByText(options, L"Alt + Shift + K"), nullptr);
    EXPECT_FALSE(HasMessageBox(session_.program.Id()));

    // Pressed on the real keyboard in another program, it opens the command box.
    Process other = Process::Start(L"C:\\windows\\notepad.exe", L"", L"");
    HWND notepad = WaitForWindow(L"Notepad", nullptr, other.Id());
    ASSERT_NE(notepad, nullptr);
    ASSERT_TRUE(MoveWindowTo(notepad, 400, 300));
    ASSERT_TRUE(Xdotool("mousemove 600 450"));
    SetForegroundWindow(notepad);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == notepad; }, kAnswerLimit));
    ASSERT_TRUE(Xdotool("key alt+shift+k"));
    HWND box = session_.CommandBox();
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(box) != FALSE; }, kAnswerLimit))
        << "Alt + Shift + K did not open the command box";

    Press(ChildByText(options, L"OK"));
    ASSERT_TRUE(WaitForWindowGone(options));
    EXPECT_EQ(SettingsLines(session_.folder).at(6), L"0,1,1,\"K\"");

    // Hotkey 0's combination for hotkey 2: stored, but refused and said so; hotkey 0 keeps working.
    options = OpenOptions();
    ASSERT_NE(options, nullptr);
    PostClick(ChildByText(options, L"Alt + Shift + K"), 4, 4);
    capture = WaitForWindow(kFormClass, kHotkeyCaption, session_.program.Id());
    ASSERT_NE(capture, nullptr);
    Press(ChildByText(capture, L"Ctrl"));
    Press(ChildByText(capture, L"Shift"));
    PostKey(FocusOf(capture), 'T');
    ASSERT_TRUE(Shows(FirstChildOfClass(capture, L"Edit"), L"T"));
    Press(ChildByText(capture, L"OK"));
    HWND message = WaitForMessageBox(session_.program.Id(), kAnswerLimit);
    ASSERT_NE(message, nullptr) << "the refused combination was not reported";
    EXPECT_EQ(MessageBoxText(message).substr(0, MessageBoxText(message).find(L'\r')),
              L"Ctrl + Alt + T は登録できませんでした。");
    SaveShot("hotkey-refused");
    AnswerMessageBox(message, IDOK);
    ASSERT_TRUE(WaitForWindowGone(capture));
    EXPECT_NE(ChildByText(options, L"Ctrl + Alt + T ×"), nullptr);
    SaveShot("options-refused");
    ASSERT_TRUE(Xdotool("mousemove 600 450"));
    SetForegroundWindow(notepad);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == notepad; }, kAnswerLimit));
    ASSERT_TRUE(Xdotool("key ctrl+alt+t"));
    EXPECT_TRUE(Shows(session_.Control(244, 14, 8, 8), L"B")) << "hotkey 0 still works";
    PostMessageW(notepad, WM_CLOSE, 0, 0);
    if (!other.WaitForExit(kExitLimit))
        other.Kill();
}
