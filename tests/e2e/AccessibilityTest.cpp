// The program as a screen reader meets it, read by tolvane-reader in a process of its own: the strip's
// marks with their names, roles and places on the screen (at whatever scale the prefix runs), pressed
// through the reader, and a name for every control window of the strip and of every dialog.
#include <map>
#include <set>

#include "Harness.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

constexpr long kToolBar = 22;     // ROLE_SYSTEM_TOOLBAR
constexpr long kPushButton = 43;  // ROLE_SYSTEM_PUSHBUTTON
constexpr long kStaticText = 41;  // ROLE_SYSTEM_STATICTEXT

using Fields = std::vector<std::wstring>;

std::wstring ReaderPath() {
    std::wstring path = Widen(TOLVANE_E2E_READER);
    if (!path.empty() && path[0] == L'/') {
        std::replace(path.begin(), path.end(), L'/', L'\\');
        path = L"Z:" + path;
    }
    return path;
}

// Runs the reader with the arguments; its lines, split into fields. A failed step fails the test.
std::vector<Fields> Read(const ProgramFolder& folder, const std::wstring& arguments) {
    const std::wstring outFile = folder.File(L"reader.txt");
    DeleteFileW(outFile.c_str());
    Process reader = Process::Start(ReaderPath(), L"\"" + outFile + L"\" " + arguments, folder.Path());
    const auto code = reader.WaitForExit(kAnswerLimit);
    EXPECT_EQ(code, std::optional<DWORD>(0)) << "tolvane-reader " << Narrow(arguments);
    std::vector<Fields> lines;
    const std::wstring text = Widen(ReadBytes(outFile).value_or(""));
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find(L'\n', start);
        const std::wstring line = text.substr(start, end - start);
        start = end == std::wstring::npos ? text.size() : end + 1;
        Fields fields;
        size_t from = 0;
        for (size_t tab; (tab = line.find(L'\t', from)) != std::wstring::npos; from = tab + 1)
            fields.push_back(line.substr(from, tab - from));
        fields.push_back(line.substr(from));
        lines.push_back(fields);
    }
    return lines;
}

std::wstring Handle(HWND window) {
    return std::to_wstring(reinterpret_cast<INT_PTR>(window));
}

struct Mark {
    std::wstring name;
    long role;
    int left, top, width, height;  // the control table's rectangle
    std::wstring description;
    std::wstring action;
};

// The strip's tree as the reader reads it, checked against the marks: names, roles, places on the
// screen, hit testing, navigation and the object found under the pointer.
void ExpectTree(const StripSession& session, const std::vector<Mark>& marks) {
    const std::vector<Fields> lines = Read(session.folder, L"tree " + Handle(session.main));
    ASSERT_EQ(lines.size(), marks.size() + 1);
    const RECT strip = ScreenRect(session.main);
    const Fields& self = lines[0];
    ASSERT_EQ(self.size(), 8u);
    EXPECT_EQ(self[0], L"self");
    EXPECT_EQ(std::stol(self[1]), kToolBar);
    EXPECT_EQ(self[2] + L"," + self[3], std::to_wstring(strip.left) + L"," + std::to_wstring(strip.top));
    EXPECT_EQ(self[6], std::to_wstring(marks.size()));
    EXPECT_EQ(self[7], L"Tolvane");
    for (size_t i = 0; i < marks.size(); ++i) {
        const Mark& m = marks[i];
        const Fields& f = lines[i + 1];
        SCOPED_TRACE(Narrow(m.name));
        ASSERT_EQ(f.size(), 13u);
        const int id = static_cast<int>(i + 1);
        EXPECT_EQ(f[1], std::to_wstring(id));
        EXPECT_EQ(std::stol(f[2]), m.role);
        const RECT r = ScaledRect(m.left, m.top, m.width, m.height);
        const std::wstring expected =
            std::to_wstring(strip.left + r.left) + L"," + std::to_wstring(strip.top + r.top) + L"," +
            std::to_wstring(r.right - r.left) + L"," + std::to_wstring(r.bottom - r.top);
        EXPECT_EQ(f[3] + L"," + f[4] + L"," + f[5] + L"," + f[6], expected) << "location";
        EXPECT_EQ(f[7], std::to_wstring(id)) << "hit test at its centre";
        EXPECT_EQ(f[8], std::to_wstring(i + 1 < marks.size() ? id + 1 : 0)) << "next";
        EXPECT_EQ(f[9], m.name) << "found under the pointer";
        EXPECT_EQ(f[10], m.name);
        EXPECT_EQ(f[11], m.description);
        EXPECT_EQ(f[12], m.action);
    }
}

TEST(Accessibility, StripReadAndPressedByAReader) {
    TOLVANE_REQUIRE_PROGRAM();
    RecordProperty("dpi", ScreenDpi());
    StripSession session;
    const std::wstring recorder = PlaceRecorder(session.folder.File(L"apps\\rec.exe"));
    GridFile launchers;
    launchers.Set(0, 0, recorder, L"rec", L"記録");
    // Paths that exist: a vanished one would be offered for removal at start.
    const std::wstring documents = session.folder.Path();
    const std::wstring next = session.folder.File(L"skins");
    launchers.Set(0, 2, documents, L"", L"文書");
    launchers.Set(1, 1, next, L"", L"次の頁");
    ASSERT_TRUE(session.Start(SettingsWith({}), GridFile(), launchers));
    // The pointer on the strip: the caption shows a slot's title, not the clock.
    const RECT strip = ScreenRect(session.main);
    const RECT caption = ScaledRect(124, 8, 120, 14);
    const POINT onCaption{strip.left + (caption.left + caption.right) / 2,
                          strip.top + (caption.top + caption.bottom) / 2};
    SetCursorPos(onCaption.x, onCaption.y);
    ASSERT_TRUE(WaitUntil(
        [&] {
            POINT at{};
            return GetCursorPos(&at) && at.x == onCaption.x && at.y == onCaption.y;
        },
        kAnswerLimit));
    // On its way there the pointer may have crossed another run button (where it starts depends on
    // the scale), and that hover may still arrive: hover the first run button until its title stays.
    HWND viewCaption = session.Control(124, 8, 120, 14);
    ASSERT_TRUE(WaitUntil(
        [&] {
            PostMessageW(session.Control(45, 4, 15, 20), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
            Sleep(300);
            return TextOf(viewCaption) == L"記録";
        },
        kAnswerLimit))
        << "the caption shows " << Narrow(TextOf(viewCaption));

    const auto run = [](int slot, const std::wstring& name, const std::wstring& path) {
        return Mark{name, kPushButton, 45 + 18 * slot, 4, 15, 20, path, L"起動"};
    };
    std::vector<Mark> marks = {
        {L"ランチャー", kPushButton, 7, 6, 16, 16, L"", L"モード切替"},
        {L"ページ 0", kPushButton, 25, 9, 14, 14, L"", L"次のページ"},
        run(0, L"記録", recorder),
        run(1, L"未登録", L""),
        run(2, L"文書", documents),
        run(3, L"未登録", L""),
        {L"記録", kStaticText, 124, 8, 120, 14, L"", L"コマンド入力"},
        {L"閉じる", kPushButton, 242, 4, 9, 9, L"", L"閉じる"},
        {L"最前面", kPushButton, 244, 14, 8, 8, L"", L"切り替え"},
    };
    ExpectTree(session, marks);

    // Run button 1 starts its item as a click does.
    Read(session.folder, L"do " + Handle(session.main) + L" 3 0");
    EXPECT_TRUE(WaitUntil([&] { return RecordedStarts(recorder).size() == 1; }, kAnswerLimit))
        << "the recorder did not start";

    // The page number's action turns the page; the reader hears which names changed.
    const std::vector<Fields> events = Read(session.folder, L"do " + Handle(session.main) + L" 2 2000");
    std::set<std::wstring> renamed;
    for (const Fields& f : events)
        if (f.size() == 3 && f[0] == L"event" && f[1] == L"name")
            renamed.insert(f[2]);
    for (const wchar_t* child : {L"2", L"3", L"4", L"5", L"7"})
        EXPECT_TRUE(renamed.count(child)) << "no name change for child " << Narrow(child);
    EXPECT_FALSE(renamed.count(L"1")) << "the mode icon kept its name";
    HWND pageV = session.Control(25, 9, 14, 14);
    ASSERT_TRUE(WaitUntil([&] { return TextOf(pageV) == L"1"; }, kAnswerLimit));
    marks[1].name = L"ページ 1";
    marks[2] = run(0, L"未登録", L"");
    marks[3] = run(1, L"次の頁", next);
    marks[4] = run(2, L"未登録", L"");
    marks[6].name = L"@未登録";
    ExpectTree(session, marks);
}

// Every window of the program that a reader can meet names itself: each control of the strip and of
// every dialog, and the fields that have no caption of their own by what they hold.
TEST(Accessibility, EveryControlWindowHasAName) {
    TOLVANE_REQUIRE_PROGRAM();
    GridFile urls;
    urls.Set(0, 0, L"http://example.jp/", L"ex", L"例");
    StripSession session;
    ASSERT_TRUE(session.Start(SettingsWith({}), urls, GridFile()));
    const DWORD pid = session.program.Id();
    std::map<std::wstring, std::multiset<std::wstring>> names;  // by the window's caption
    const auto readNames = [&] {
        for (const Fields& f : Read(session.folder, L"names " + std::to_wstring(pid))) {
            ASSERT_EQ(f.size(), 4u);
            EXPECT_NE(f[3], L"") << "a window of class " << Narrow(f[2]) << " in " << Narrow(f[1])
                                 << " has no name";
            names[f[1]].insert(f[3]);
        }
    };
    const auto press = [](HWND button) {
        ASSERT_NE(button, nullptr);
        PostMessageW(button, BM_CLICK, 0, 0);
    };
    const auto closeAndWait = [&](HWND dialog) {
        PostMessageW(dialog, WM_CLOSE, 0, 0);
        ASSERT_TRUE(WaitForWindowGone(dialog));
    };

    // The strip open for editing, with the command box on show.
    PostRightClick(session.Control(45, 4, 15, 20), 2, 2);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(session.Control(8, 43, 210, 18)); }, kAnswerLimit));
    PostClick(session.Control(124, 8, 120, 14), 4, 4);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(session.CommandBox()); }, kAnswerLimit));
    readNames();

    PostRightClick(session.Control(7, 6, 16, 16), 2, 2);
    HWND options = WaitForWindow(kFormClass, L"Tolvane Option", pid);
    ASSERT_NE(options, nullptr);
    readNames();
    PostClick(ChildByText(options, L"Ctrl + Alt + C"), 4, 4);
    HWND hotkey = WaitForWindow(kFormClass, L"Tolvane HotKey Option", pid);
    ASSERT_NE(hotkey, nullptr);
    readNames();
    closeAndWait(hotkey);
    press(PushButton(options, L"スキンの変更"));
    HWND skins = WaitForWindow(kFormClass, L"Tolvane Skin option", pid);
    ASSERT_NE(skins, nullptr);
    readNames();
    closeAndWait(skins);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(options); }, kAnswerLimit));
    press(ChildByText(options, L"ＵＲＬ編集"));
    HWND editor = WaitForWindow(kFormClass, L"Tolvane registered Item option", pid);
    ASSERT_NE(editor, nullptr);
    readNames();
    press(ChildByText(editor, L"作成"));
    ASSERT_NE(WaitForWindow(kFormClass, L"Tolvane Link HTML File Generator", pid), nullptr);
    readNames();

    const std::map<std::wstring, std::vector<std::wstring>> expected = {
        {L"Tolvane", {L"登録名", L"省略名", L"パス、URL", L"コマンド"}},
        {L"Tolvane Option", {L"その他のブラウザ", L"時計の書式"}},
        {L"Tolvane HotKey Option", {L"キー"}},
        {L"Tolvane Skin option", {L"スキン", L"スキンの見本"}},
        {L"Tolvane registered Item option", {L"登録項目の一覧", L"登録名", L"省略名", L"パス、URL"}},
        {L"Tolvane Link HTML File Generator", {L"ファイル名"}},
    };
    for (const auto& [caption, wanted] : expected) {
        ASSERT_TRUE(names.count(caption)) << "no windows read in " << Narrow(caption);
        for (const std::wstring& name : wanted)
            EXPECT_TRUE(names[caption].count(name))
                << Narrow(caption) << " has nothing named " << Narrow(name);
    }
    // The command box's edit, where the person types, says it is the command box too.
    EXPECT_GE(names[L"Tolvane"].count(L"コマンド"), 2u);
}

}  // namespace
