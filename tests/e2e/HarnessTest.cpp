// Checks of the driver's own helpers against windows, message boxes and programs of the driver itself,
// so that a fault in the harness shows up here and not as a puzzling failure of the launcher's tests.
#include "Harness.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

using namespace e2e;

namespace {

// Runs window code on a thread of its own with a message loop, as another program would.
class UiThread {
  public:
    template <typename Setup>
    explicit UiThread(Setup setup) {
        std::promise<void> ready;
        auto started = ready.get_future();
        thread_ = std::thread([this, setup, &ready] {
            MSG msg;
            PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue exists from here on
            threadId_ = GetCurrentThreadId();
            setup();
            ready.set_value();
            while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        });
        started.wait();
    }
    ~UiThread() {
        PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }

  private:
    std::thread thread_;
    std::atomic<DWORD> threadId_{0};
};

std::atomic<int> g_clicks{0};
std::atomic<LPARAM> g_clickAt{0};

LRESULT CALLBACK ClickTargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONUP) {
        g_clickAt = lParam;
        ++g_clicks;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK SolidFormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) {
        RECT rect;
        GetClientRect(window, &rect);
        HBRUSH brush = CreateSolidBrush(RGB(0x20, 0x60, 0xC0));
        FillRect(reinterpret_cast<HDC>(wParam), &rect, brush);
        DeleteObject(brush);
        return 1;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterClassOnce(const wchar_t* name, WNDPROC procedure) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = name;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    RegisterClassW(&windowClass);
}

}  // namespace

TEST(Harness, StoredFileBuildersWriteCodePage932WithCrLf) {
    std::string grid = GridFile().Bytes();
    auto lines = SplitLines(grid);
    ASSERT_EQ(lines.size(), 192u);
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i], i % 3 == 2 ? std::string("\x40\x96\xA2\x93\x6F\x98\x5E") : std::string())
            << "line " << i + 1;
    EXPECT_EQ(grid.substr(grid.size() - 2), "\r\n");

    GridFile changed;
    changed.Set(2, 3, L"C:\\x.exe", L"x", L"エックス");
    auto changedLines = SplitLines(changed.Bytes());
    EXPECT_EQ(changedLines[1 + 12 * 2 + 3 * 3 - 1], "C:\\x.exe");
    EXPECT_EQ(FromCp932(changedLines[1 + 12 * 2 + 3 * 3 + 1]), L"エックス");

    EXPECT_EQ(Lines(DefaultSettingsLines()).substr(0, 14), "0,0,0\r\n0,0,1\r\n");
}

TEST(Harness, RecorderLogsItsCommandLineAndFolder) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = JoinPath(temp, L"recorder 記録-" + std::to_wstring(GetTickCount()));
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    std::wstring copy = JoinPath(folder, L"stub browser.exe");
    ASSERT_TRUE(CopyFileW(RecorderPath().c_str(), copy.c_str(), FALSE)) << Narrow(RecorderPath());

    const std::wstring arguments = L"\"C:\\a b\\文書.txt\" http://example.com/a%20b?x=1&y=2#top";
    Process first = Process::Start(copy, arguments, folder);
    ASSERT_EQ(first.WaitForExit(kExitLimit), 0u);
    Process second = Process::Start(copy, L"", temp);
    ASSERT_EQ(second.WaitForExit(kExitLimit), 0u);

    auto starts = RecordedStarts(copy);
    ASSERT_EQ(starts.size(), 2u);
    EXPECT_EQ(starts[0].commandLine, L"\"" + copy + L"\" " + arguments);
    EXPECT_EQ(starts[0].folder, folder);
    EXPECT_EQ(starts[1].commandLine, L"\"" + copy + L"\"");
    RemoveFolder(folder);
    EXPECT_FALSE(FolderExists(folder));
}

TEST(Harness, MessageBoxIsFoundReadAndAnswered) {
    const std::wstring text =
        L"C:\\no\\such\\file.exe\r\nは移動、または削除されています。\r\n登録から削除しますか？";
    auto answer = std::async(std::launch::async,
                             [&] { return MessageBoxW(nullptr, text.c_str(), L"Tolvane", MB_YESNO); });
    HWND box = WaitForMessageBox(GetCurrentProcessId(), kAnswerLimit);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(HasMessageBox(GetCurrentProcessId()));
    EXPECT_EQ(MessageBoxText(box), text);
    EXPECT_FALSE(AnswerMessageBox(box, IDOK));  // a Yes/No box has no OK button
    ASSERT_TRUE(AnswerMessageBox(box, IDNO));
    ASSERT_EQ(answer.wait_for(kAnswerLimit), std::future_status::ready);
    EXPECT_EQ(answer.get(), IDNO);
    EXPECT_TRUE(WaitForWindowGone(box));
    EXPECT_FALSE(HasMessageBox(GetCurrentProcessId()));
}

TEST(Harness, ControlsAreFoundByPositionAndTextAndReceiveClicks) {
    RegisterClassOnce(L"HarnessForm", SolidFormProc);
    RegisterClassOnce(L"HarnessClickTarget", ClickTargetProc);
    HWND form = nullptr;
    UiThread ui([&] {
        form = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"HarnessForm", L"Harness", WS_POPUP, 100,
                               50, 256, 28, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        CreateWindowExW(0, L"STATIC", L" 0", WS_CHILD | WS_VISIBLE, 25, 9, 14, 14, form, nullptr, nullptr,
                        nullptr);
        CreateWindowExW(0, L"STATIC", L"@未登録", WS_CHILD | WS_VISIBLE, 124, 8, 120, 14, form, nullptr,
                        nullptr, nullptr);
        CreateWindowExW(0, L"HarnessClickTarget", L"", WS_CHILD | WS_VISIBLE, 242, 4, 9, 9, form, nullptr,
                        nullptr, nullptr);
        ShowWindow(form, SW_SHOWNOACTIVATE);
        UpdateWindow(form);
    });
    HWND found = WaitForWindow(L"HarnessForm", L"Harness", GetCurrentProcessId(), kAnswerLimit);
    ASSERT_EQ(found, form);
    EXPECT_TRUE(IsTopmost(form));
    RECT rect = ScreenRect(form);
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.right - rect.left, 256);

    HWND page = ChildAt(form, 25, 9, 14, 14);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(TextOf(page), L" 0");
    EXPECT_EQ(TextOf(ChildAt(form, 124, 8, 120, 14)), L"@未登録");
    EXPECT_EQ(ChildByText(form, L"@未登録"), ChildAt(form, 124, 8, 120, 14));
    EXPECT_EQ(ChildAt(form, 25, 9, 14, 15), nullptr);

    HWND close = ChildAt(form, 242, 4, 9, 9);
    ASSERT_NE(close, nullptr);
    g_clicks = 0;
    PostClick(close, 4, 5);
    ASSERT_TRUE(WaitUntil([] { return g_clicks == 1; }, kAnswerLimit));
    EXPECT_EQ(g_clickAt.load(), MAKELPARAM(4, 5));

    ASSERT_TRUE(MoveWindowTo(form, 300, 200));
    RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    // A point of the form that no control covers shows the form's own paint.
    EXPECT_TRUE(WaitUntil(
        [] {
            return CaptureScreen({300 + 5, 200 + 2, 300 + 6, 200 + 3}).At(0, 0) == 0x2060C0;
        },
        kAnswerLimit));
    PostMessageW(form, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitForWindowGone(form));
}

TEST(Harness, HotkeyProbeSeesACombinationThatIsTaken) {
    EXPECT_TRUE(CanRegisterHotkey(MOD_CONTROL | MOD_ALT | MOD_SHIFT, VK_F11));
    HWND holder =
        CreateWindowExW(0, L"STATIC", L"holder", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(holder, nullptr);
    ASSERT_TRUE(RegisterHotKey(holder, 1, MOD_CONTROL | MOD_ALT | MOD_SHIFT, VK_F11));
    EXPECT_FALSE(CanRegisterHotkey(MOD_CONTROL | MOD_ALT | MOD_SHIFT, VK_F11));
    UnregisterHotKey(holder, 1);
    DestroyWindow(holder);
    EXPECT_TRUE(CanRegisterHotkey(MOD_CONTROL | MOD_ALT | MOD_SHIFT, VK_F11));
}

TEST(Harness, WineRunsWithCodePage932AndTheSharedDesktop) {
    EXPECT_EQ(GetACP(), 932u) << "start Wine with LANG=ja_JP.UTF-8 (tools/wine-env does)";
    SIZE screen = ScreenSize();
    EXPECT_EQ(screen.cx, 1280);
    EXPECT_EQ(screen.cy, 800);
}
