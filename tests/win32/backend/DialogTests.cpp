// A dialog built from every dialog control kind, as the launcher's dialogs are built: opened from a
// strip, driven with real messages. With TOLVANE_DIALOG_SHOT set to a .bmp path the test also saves a
// picture of the dialog as the screen shows it, for a person to look at:
//   TOLVANE_DIALOG_SHOT='Z:\tmp\dialog.bmp' tools/wine-env wine
//       build/windows/tests/win32/backend/tolvane_win32_backend_tests.exe --gtest_filter='DialogTest.*'
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "Utf16.h"
#include "Win32Person.h"
#include "forms/DialogSlot.h"
#include "platform/win32/backend/ControlFont.h"
#include "platform/win32/backend/Dpi.h"

namespace backend_test {
namespace {

constexpr COLORREF kPreview = RGB(0x30, 0x70, 0xB0);
constexpr COLORREF kPreviewText = RGB(0xFF, 0xFF, 0xFF);

// The files of a folder that match a pattern, sorted, as the launcher's lister gives them.
std::vector<std::string> listFiles(const std::string& folder, const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found{};
    const win32::UniqueFindHandle find(
        ::FindFirstFileW(winsupport::Widen(folder + "\\" + pattern).c_str(), &found));
    if (!find)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(winsupport::Narrow(found.cFileName));
    } while (::FindNextFileW(find.get(), &found));
    std::sort(names.begin(), names.end());
    return names;
}

class StripForm : public forms::Form {
  public:
    explicit StripForm(forms::Backend& backend) : Form(backend, "StripF") {
        setCaption("dialog test strip");
        setPixelBounds({24, 24, 256, 28});
        setPicture(solidPicture(256, 28, RGB(0x20, 0x60, 0xC0)));
    }
};

class TestDialog : public forms::Form {
  public:
    TestDialog(forms::Backend& backend, forms::Form& owner, const std::string& folder)
        : Form(backend, "TestDialogF", forms::FormStyle::Dialog) {
        setOwner(&owner);
        setCaption("テスト ダイアログ");
        setPixelBounds({40, 80, 0, 0});
        setClientSize(432, 220);
        setKeyPreview(true);
        Frame1.move(8, 6, 248, 206);
        Frame1.setCaption("表示の設定");
        for (forms::Control* c :
             std::initializer_list<forms::Control*>{&Check1, &Check2, &Label1, &List1, &File1})
            c->setContainer(Frame1);
        Check1.move(12, 22, 224, 20);
        Check1.setCaption("アイコンを表示する");
        Check2.move(12, 44, 224, 20);
        Check2.setCaption("Internet Exploreｒ を使用する ");
        Label1.move(128, 70, 100, 16);
        Label1.setCaption("スキン");
        List1.move(12, 70, 108, 126);
        for (const char* item : {"ランチャー", "ＵＲＬ", "メモ", "ツール"})
            List1.addItem(item);
        File1.move(128, 88, 108, 108);
        File1.setLister(&listFiles);
        File1.setPattern("*.skn");
        File1.setPath(folder);
        Picture1.move(264, 14, 160, 112);
        Picture1.setPicture(solidPicture(160, 96, kPreview));
        Picture1.drawText(8, 8, "スキン プレビュー", forms::Font{}, kPreviewText);
        OKButton.move(264, 186, 78, 26);
        OKButton.setCaption("OK");
        CancelButton.move(348, 186, 78, 26);
        CancelButton.setCaption("キャンセル");

        Check1.onClick = [this] { log.push_back("Check1 " + std::to_string(Check1.value())); };
        Check2.onClick = [this] { log.push_back("Check2 " + std::to_string(Check2.value())); };
        OKButton.onClick = [this] { close("ok"); };
        CancelButton.onClick = [this] { close("cancel"); };
        // As the launcher's dialogs do: Enter confirms and Esc cancels, wherever the focus is.
        onKeyDown = [this](int& key, int) {
            if (key == forms::kKeyReturn) {
                key = 0;
                OKButton.notifyClick();
            } else if (key == forms::kKeyEscape) {
                key = 0;
                CancelButton.notifyClick();
            }
        };
    }

    forms::Frame Frame1{*this, "Frame1"};
    forms::CheckBox Check1{*this, "Check1"};
    forms::CheckBox Check2{*this, "Check2"};
    forms::Label Label1{*this, "Label1"};
    forms::ListBox List1{*this, "List1"};
    forms::FileListBox File1{*this, "File1"};
    forms::PictureBox Picture1{*this, "Picture1"};
    forms::CommandButton OKButton{*this, "OKButton"};
    forms::CommandButton CancelButton{*this, "CancelButton"};

    std::vector<std::string>* answers = nullptr;
    std::vector<std::string> log;

  private:
    void close(const std::string& answer) {
        if (answers)
            answers->push_back(answer);
        unload();
    }
};

std::wstring classOf(HWND window) {
    wchar_t name[64]{};
    ::GetClassNameW(window, name, 64);
    return name;
}

std::wstring fontFaceOf(HWND window) {
    LOGFONTW font{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0)), sizeof(font), &font);
    return font.lfFaceName;
}

std::vector<std::wstring> entriesOf(HWND list) {
    std::vector<std::wstring> entries;
    const auto count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[128]{};
        ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        entries.emplace_back(text);
    }
    return entries;
}

// What the screen shows of the window, frame and caption included, as a 24-bit BMP file.
void saveShot(HWND window, const std::wstring& path) {
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    pumpFor(300);  // only for a person's picture: nothing is checked from it
    RECT r{};
    ::GetWindowRect(window, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    const win32::WindowDc screen(nullptr);
    win32::UniqueMemoryDc memory(::CreateCompatibleDC(screen.get()));
    win32::UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), width, height));
    {
        win32::SelectedObject selected(memory.get(), bitmap.get());
        ::BitBlt(memory.get(), 0, 0, width, height, screen.get(), r.left, r.top, SRCCOPY);
    }
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;  // bottom-up, as BMP files store rows
    info.biPlanes = 1;
    info.biBitCount = 24;
    const int stride = (width * 3 + 3) & ~3;
    std::string pixels(static_cast<std::size_t>(stride * height), '\0');
    ::GetDIBits(memory.get(), bitmap.get(), 0, static_cast<UINT>(height), pixels.data(),
                reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
}

class DialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH]{};
        ::GetTempPathW(MAX_PATH, temp);
        folder_ = std::filesystem::path(temp) / L"tolvane dialog test";
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_ / L"folder.skn");
        for (const wchar_t* name : {L"green.skn", L"blue.skn", L"赤.skn", L"readme.txt"})
            std::ofstream(folder_ / name) << "x";
        strip.load();
        strip.show();
        pumpMessages();
    }
    void TearDown() override {
        dialogs.close();
        strip.unload();
        pumpMessages();
        std::filesystem::remove_all(folder_);
    }

    TestDialog& open() {
        TestDialog& d = dialogs.open([this] {
            auto dialog = std::make_unique<TestDialog>(backend, strip, winsupport::Narrow(folder_.wstring()));
            dialog->answers = &answers;
            return dialog;
        });
        person.show(d);
        return d;
    }

    win32::Win32Backend backend;
    Win32Person person{backend};
    StripForm strip{backend};
    forms::DialogSlot<TestDialog> dialogs;
    std::vector<std::string> answers;
    std::filesystem::path folder_;
};

TEST_F(DialogTest, NativeOwnedDialogAnswersTabSpaceClicksEnterEscAndTheCloseBox) {
    TestDialog& d = open();
    HWND window = hwndOf(d);
    // A dialog window: caption and close box, fixed size, above the strip that owns it, no taskbar button.
    EXPECT_EQ(::GetWindow(window, GW_OWNER), hwndOf(strip));
    const auto style = ::GetWindowLongPtrW(window, GWL_STYLE);
    const auto exStyle = ::GetWindowLongPtrW(window, GWL_EXSTYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX), WS_CAPTION | WS_SYSMENU);
    EXPECT_FALSE(exStyle & (WS_EX_APPWINDOW | WS_EX_TOOLWINDOW));
    EXPECT_EQ(textOf(window), L"テスト ダイアログ");
    RECT client{};
    ::GetClientRect(window, &client);
    const win32::Scale scale = win32::scaleOf(window);
    EXPECT_EQ(client.right, scale.toDevice(432));
    EXPECT_EQ(client.bottom, scale.toDevice(220));

    // Real controls of the standard classes, inside the frame's window, in the system's message font.
    HWND frame = hwndOf(d.Frame1);
    HWND check1 = hwndOf(d.Check1);
    EXPECT_EQ(textOf(frame), L"表示の設定");
    EXPECT_EQ(classOf(check1), L"Button");
    EXPECT_EQ(::GetWindowLongPtrW(check1, GWL_STYLE) & BS_TYPEMASK, BS_AUTOCHECKBOX);
    EXPECT_EQ(textOf(check1), L"アイコンを表示する");
    EXPECT_EQ(classOf(hwndOf(d.List1)), L"ListBox");
    for (HWND inside : {check1, hwndOf(d.List1), hwndOf(d.File1), hwndOf(d.Label1)})
        EXPECT_EQ(::GetParent(inside), frame);
    win32::UniqueFont messageFont = win32::createMessageFont(scale.dpi());
    LOGFONTW expected{};
    ::GetObjectW(messageFont.get(), sizeof(expected), &expected);
    EXPECT_EQ(fontFaceOf(check1), expected.lfFaceName);
    EXPECT_EQ(fontFaceOf(hwndOf(d.OKButton)), expected.lfFaceName);
    EXPECT_EQ(::SendMessageW(check1, WM_GETFONT, 0, 0), ::SendMessageW(hwndOf(d.OKButton), WM_GETFONT, 0, 0))
        << "controls in the same font share one";
    EXPECT_EQ(entriesOf(hwndOf(d.File1)), (std::vector<std::wstring>{L"blue.skn", L"green.skn", L"赤.skn"}));

    // The picture at the top left, the text over it, the dialog face beside it.
    HWND picture = hwndOf(d.Picture1);
    EXPECT_EQ(pixelAt(picture, scale.toDevice(150), scale.toDevice(90)), kPreview);
    EXPECT_EQ(pixelAt(picture, scale.toDevice(150), scale.toDevice(104)), ::GetSysColor(COLOR_BTNFACE));
    int textPixels = 0;
    for (int y = 0; y < scale.toDevice(30); ++y) {
        for (int x = 0; x < scale.toDevice(150); ++x)
            textPixels += pixelAt(picture, x, y) == kPreviewText;
    }
    EXPECT_GT(textPixels, 20);

    if (const char* shot = std::getenv("TOLVANE_DIALOG_SHOT"))
        saveShot(window, winsupport::Widen(shot));

    // The first tab stop has the focus; Tab, the space bar and clicks work the controls.
    EXPECT_EQ(d.focusedControl(), &d.Check1);
    person.pressKey(d, forms::kKeyTab);
    EXPECT_EQ(d.focusedControl(), &d.Check2);
    person.pressKey(d, forms::kKeySpace);
    person.click(d.Check1);
    EXPECT_EQ(d.log, (std::vector<std::string>{"Check2 1", "Check1 1"}));
    EXPECT_EQ(::SendMessageW(hwndOf(d.Check2), BM_GETCHECK, 0, 0), BST_CHECKED);
    person.pickListEntry(d.List1, 2);
    person.pickListEntry(d.File1, 1);
    EXPECT_EQ(d.List1.listIndex(), 2);
    EXPECT_EQ(d.File1.fileName(), "green.skn");

    // Esc and Enter answer from any control; so do the buttons and the close box.
    person.pressKey(d, forms::kKeyEscape);
    EXPECT_EQ(dialogs.get(), nullptr);
    person.pressKey(open(), forms::kKeyReturn);
    person.click(open().OKButton);
    person.closeBox(open());
    EXPECT_EQ(dialogs.get(), nullptr);
    EXPECT_EQ(answers, (std::vector<std::string>{"cancel", "ok", "ok"}));
    EXPECT_TRUE(strip.loaded());
}

TEST_F(DialogTest, OpeningPaintingAndClosingLeavesNoWindowOrObjectBehind) {
    const auto cycle = [this] {
        TestDialog& d = open();
        d.Check1.setValue(1 - d.Check1.value());
        d.Frame1.setEnabled(!d.Frame1.enabled());
        d.Picture1.drawText(8, 30, "もう一行", forms::Font{"Arial", 10.0, true}, RGB(0, 0, 0));
        ::RedrawWindow(hwndOf(d), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        pumpMessages();
        dialogs.close();
        pumpMessages();
    };
    // Once first, so that what the system creates once for good is not counted.
    cycle();
    const DWORD gdi = liveGdiObjects();
    const DWORD user = liveUserObjects();
    for (int i = 0; i < 20; ++i)
        cycle();
    EXPECT_EQ(liveGdiObjects(), gdi);
    EXPECT_EQ(liveUserObjects(), user);
}

}  // namespace
}  // namespace backend_test
