// What each kind of registered path starts, through the command box of the real program: programs
// whose paths hold blanks or Japanese, a shortcut, a folder with and without a trailing backslash, a
// document, and an address. Each starts exactly what it names; a decoy C:\Program.exe, which is what
// Windows would start for an unquoted "C:\Program Files\..." command line, never runs.
#include "Harness.h"

#include <gtest/gtest.h>

#include <set>

using namespace e2e;

namespace {

const std::wstring kBase = L"C:\\Program Files\\Tolvane Test";
const std::wstring kDecoy = L"C:\\Program.exe";

// Documents of the extension open with the program: "program" "%1".
void RegisterDocumentType(const std::wstring& extension, const std::wstring& program) {
    const std::wstring type = L"TolvaneTest" + extension.substr(1);
    const std::wstring command = L"\"" + program + L"\" \"%1\"";
    const auto setDefault = [](const std::wstring& key, const std::wstring& value) {
        HKEY handle = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                  &handle, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(handle);
    };
    setDefault(extension, type);
    setDefault(type + L"\\shell\\open\\command", command);
}

class LaunchMatrix : public ::testing::Test {
  protected:
    void SetUp() override {
        TOLVANE_REQUIRE_PROGRAM();
        PlaceRecorder(kDecoy);
        blanks = PlaceRecorder(kBase + L"\\rec with blanks.exe");
        japanese = PlaceRecorder(L"C:\\Program Files\\日本語 テスト\\記録 する.exe");
        linked = PlaceRecorder(L"C:\\Program Files\\Link Target\\linked rec.exe");
        viewer = PlaceRecorder(L"C:\\Program Files\\Doc Viewer\\viewer.exe");
        browser = PlaceRecorder(L"C:\\Program Files\\Web Browser\\browser.exe");
        shortcut = kBase + L"\\近道 link.lnk";
        ASSERT_TRUE(ole.Ok());
        ASSERT_TRUE(MakeShortcut(shortcut, linked));
        folder = kBase + L"\\フォルダ A";
        ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
        document = kBase + L"\\メモ 1.tvdoc";
        WriteBytes(document, "memo");
        RegisterDocumentType(L".tvdoc", viewer);

        GridFile launchers;
        launchers.Set(0, 0, blanks, L"blanks", L"空白");
        launchers.Set(0, 1, japanese, L"にほん", L"日本語");
        launchers.Set(0, 2, shortcut, L"link", L"ショートカット");
        launchers.Set(0, 3, folder, L"folder", L"フォルダ");
        launchers.Set(1, 0, folder + L"\\", L"slash", L"フォルダ（\\付き）");
        launchers.Set(1, 1, document, L"doc", L"文書");
        GridFile urls;
        urls.Set(0, 0, kAddress, L"web", L"ウェブ");
        ASSERT_TRUE(session.Start(SettingsWith({{1, L"0,0,0"}, {2, browser}}), urls, launchers));
    }

    // Starts the item of the current mode by its short name, as a person types it into the command box.
    void StartByShortName(const std::wstring& name) {
        HWND box = session.CommandBox();
        PostClick(session.Control(124, 8, 120, 14), 30, 7);
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(box) != FALSE; }, kAnswerLimit));
        for (wchar_t character : name)
            PostChar(session.CommandBoxEdit(), character);
        ASSERT_TRUE(WaitUntil([&] { return TextOf(box) == name; }, kAnswerLimit))
            << "the box holds " << Narrow(TextOf(box)) << " instead of " << Narrow(name);
        PostChar(session.CommandBoxEdit(), L'\r');
        ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(box); }, kAnswerLimit));
    }

    // The one start the recorder logs; nothing else of the recorders starts meanwhile.
    std::wstring OnlyStartOf(const std::wstring& recorder) {
        EXPECT_TRUE(WaitUntil([&] { return !RecordedStarts(recorder).empty(); }, kStartLimit))
            << Narrow(recorder) << " was not started";
        WaitUntil([&] { return RecordedStarts(recorder).size() > 1; }, kQuietPeriod);
        const auto starts = RecordedStarts(recorder);
        EXPECT_EQ(starts.size(), 1u) << Narrow(recorder);
        ExpectNoOtherStart(recorder);
        return starts.empty() ? L"" : starts[0].commandLine;
    }

    void ExpectNoOtherStart(const std::wstring& except = L"") {
        for (const std::wstring& recorder : {kDecoy, blanks, japanese, linked, viewer, browser}) {
            if (recorder != except) {
                EXPECT_FALSE(FileExists(recorder + L".log")) << Narrow(recorder) << " was started";
                DeleteFileW((recorder + L".log").c_str());
            }
        }
        DeleteFileW((except + L".log").c_str());
    }

    // A new window shows the folder: in its caption or in one of its controls (Explorer's address box).
    void ExpectFolderWindow(const std::set<HWND>& before) {
        const auto showsFolder = [&](HWND window) {
            if (TextOf(window).find(L"フォルダ A") != std::wstring::npos)
                return true;
            for (HWND child : Children(window))
                if (TextOf(child).find(L"フォルダ A") != std::wstring::npos)
                    return true;
            return false;
        };
        HWND shown = nullptr;
        EXPECT_TRUE(WaitUntil(
            [&] {
                for (HWND window : TopLevelWindows(nullptr, nullptr))
                    if (IsWindowVisible(window) && !before.count(window) && showsFolder(window))
                        shown = window;
                return shown != nullptr;
            },
            kStartLimit))
            << "no window shows " << Narrow(folder);
        if (shown) {
            PostMessageW(shown, WM_CLOSE, 0, 0);
            WaitForWindowGone(shown);
        }
    }

    static std::set<HWND> Windows() {
        const auto all = TopLevelWindows(nullptr, nullptr);
        return {all.begin(), all.end()};
    }

    static std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

    const std::wstring kAddress = L"http://example.com/日本語/ページ?q=a%20b&x=1#top";
    OleSession ole;
    StripSession session;
    std::wstring blanks, japanese, linked, viewer, browser, shortcut, folder, document;
};

}  // namespace

TEST_F(LaunchMatrix, EachPathStartsWhatItNamesAndTheDecoyNeverRuns) {
    StartByShortName(L"blanks");
    EXPECT_EQ(OnlyStartOf(blanks), Quoted(blanks));

    StartByShortName(L"にほん");
    EXPECT_EQ(OnlyStartOf(japanese), Quoted(japanese));

    StartByShortName(L"link");
    const std::wstring linkedLine = OnlyStartOf(linked);
    EXPECT_EQ(linkedLine.find(Quoted(linked)), 0u)
        << "the shortcut's target, by its whole path: " << Narrow(linkedLine);

    StartByShortName(L"doc");
    EXPECT_EQ(OnlyStartOf(viewer), Quoted(viewer) + L" " + Quoted(document));

    for (const std::wstring name : {L"folder", L"slash"}) {
        SCOPED_TRACE(Narrow(name));
        const std::set<HWND> before = Windows();
        StartByShortName(name);
        ExpectFolderWindow(before);
        ExpectNoOtherStart();
    }

    // The address grid: a double click on the mode icon, then the browser with the address as it stands.
    PostMessageW(session.Control(7, 6, 16, 16), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(8, 8));
    PostMessageW(session.Control(7, 6, 16, 16), WM_LBUTTONUP, 0, MAKELPARAM(8, 8));
    StartByShortName(L"web");
    EXPECT_EQ(OnlyStartOf(browser), Quoted(browser) + L" " + kAddress);

    EXPECT_FALSE(WaitUntil([&] { return FileExists(kDecoy + L".log"); }, kQuietPeriod))
        << "C:\\Program.exe ran";
}
