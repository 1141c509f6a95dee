// Starting items with the run buttons of the real program: programs in launcher mode, addresses through
// the configured browser in URL mode, and nothing at all from an empty slot.
#include "Harness.h"

#include <gtest/gtest.h>

#include <set>

using namespace e2e;

namespace {

const std::wstring kAddress = L"http://example.com/a%20b?x=1&y=2#top";

HWND RunButton(const StripSession& session, int slot) {
    return session.Control(45 + 18 * slot, 4, 15, 20);
}

HWND Caption(const StripSession& session) {
    return session.Control(124, 8, 120, 14);
}

// Moves the (posted) pointer over a run button and waits until the caption shows that slot's title.
void HoverRunButton(const StripSession& session, int slot, const std::wstring& title) {
    PostMessageW(RunButton(session, slot), WM_MOUSEMOVE, 0, MAKELPARAM(7, 10));
    HWND caption = Caption(session);
    EXPECT_TRUE(WaitUntil([&] { return TextOf(caption) == title; }, kAnswerLimit))
        << "the caption shows " << Narrow(TextOf(caption)) << " instead of " << Narrow(title);
}

std::set<HWND> VisibleTopLevelWindows() {
    std::set<HWND> visible;
    for (HWND window : TopLevelWindows(nullptr, nullptr))
        if (IsWindowVisible(window))
            visible.insert(window);
    return visible;
}

// Watches for the quiet period that none of the recorders logs a start and no new window shows.
void ExpectNothingStarted(const std::vector<std::wstring>& recorders, const std::set<HWND>& windowsBefore) {
    bool somethingStarted = WaitUntil(
        [&] {
            for (const auto& recorder : recorders)
                if (FileExists(recorder + L".log"))
                    return true;
            return VisibleTopLevelWindows() != windowsBefore;
        },
        kQuietPeriod);
    EXPECT_FALSE(somethingStarted);
    for (const auto& recorder : recorders)
        EXPECT_FALSE(FileExists(recorder + L".log")) << Narrow(recorder) << " was started";
    for (HWND window : VisibleTopLevelWindows())
        EXPECT_TRUE(windowsBefore.count(window)) << "a new window showed: " << Narrow(ClassOf(window));
}

// Waits until the recorder has logged the given number of starts and returns what it logged.
std::vector<RecordedStart> WaitForStarts(const std::wstring& recorder, size_t count) {
    EXPECT_TRUE(WaitUntil([&] { return RecordedStarts(recorder).size() >= count; }, kStartLimit))
        << Narrow(recorder) << " was not started";
    return RecordedStarts(recorder);
}

}  // namespace

TEST(Launch, ProgramsStartByTheirOwnPathAndAnEmptySlotStartsNothing) {
    TOLVANE_REQUIRE_PROGRAM();
    StripSession session;
    const std::wstring program = PlaceRecorder(session.folder.File(L"dir with blanks\\rec.exe"));
    // What an unquoted command line of the path above would start instead.
    const std::wstring besideIt = PlaceRecorder(session.folder.File(L"dir.exe"));
    const std::wstring capitals = PlaceRecorder(session.folder.File(L"TOOLS\\REC2.EXE"));
    // A launcher path taken for an address would go to the browser.
    const std::wstring browser = PlaceRecorder(session.folder.File(L"browser.exe"));
    GridFile launchers;
    launchers.Set(0, 1, program, L"rec", L"Recorder");
    launchers.Set(0, 2, capitals, L"", L"Capitals");
    ASSERT_TRUE(session.Start(SettingsWith({{1, L"0,0,0"}, {2, browser}}), GridFile(), launchers));
    const std::set<HWND> windowsBefore = VisibleTopLevelWindows();

    HoverRunButton(session, 1, L"Recorder");
    PostClick(RunButton(session, 0), 7, 10);
    // The hover that comes with the click shows the empty slot: the click has been handled after it.
    ASSERT_TRUE(WaitUntil([&] { return TextOf(Caption(session)) == kEmptyMarker; }, kAnswerLimit));
    ExpectNothingStarted({program, besideIt, capitals, browser}, windowsBefore);

    PostClick(RunButton(session, 1), 7, 10);
    auto starts = WaitForStarts(program, 1);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].commandLine, L"\"" + program + L"\"")
        << "the path holds blanks: quoted, no arguments";

    PostClick(RunButton(session, 2), 7, 10);
    auto capitalStarts = WaitForStarts(capitals, 1);
    ASSERT_EQ(capitalStarts.size(), 1u);
    EXPECT_EQ(capitalStarts[0].commandLine, capitals) << "an upper-case .EXE is a program too";

    // Nothing else was started along the way, and each click started its program once.
    EXPECT_FALSE(WaitUntil(
        [&] {
            return FileExists(besideIt + L".log") || FileExists(browser + L".log") ||
                   RecordedStarts(program).size() > 1 || RecordedStarts(capitals).size() > 1;
        },
        kQuietPeriod));
    EXPECT_FALSE(FileExists(besideIt + L".log")) << "the program beside the folder with blanks was started";
    EXPECT_FALSE(FileExists(browser + L".log"));
    EXPECT_EQ(RecordedStarts(program).size(), 1u);
    EXPECT_EQ(RecordedStarts(capitals).size(), 1u);
}

TEST(Launch, AddressGoesToTheBrowserIntactAndAnEmptyUrlSlotOpensNothing) {
    TOLVANE_REQUIRE_PROGRAM();
    StripSession session;
    const std::wstring browser = PlaceRecorder(session.folder.File(L"browser dir\\web view.exe"));
    const std::wstring besideIt = PlaceRecorder(session.folder.File(L"browser.exe"));
    // The launcher grid's item of the same slot must stay out of URL mode.
    const std::wstring launcherItem = PlaceRecorder(session.folder.File(L"launcher.exe"));
    GridFile urls;
    urls.Set(0, 1, kAddress, L"ex", L"Example");
    urls.Set(0, 3, L"", L"none", L"No address");
    GridFile launchers;
    launchers.Set(0, 0, launcherItem, L"li", L"Launcher item");
    // Line 2: window order not locked, URL mode, the browser program rather than the automation object.
    ASSERT_TRUE(session.Start(SettingsWith({{1, L"0,1,0"}, {2, browser}}), urls, launchers));
    EXPECT_EQ(TextOf(session.Control(25, 9, 14, 14)), L" 0");
    const std::set<HWND> windowsBefore = VisibleTopLevelWindows();

    HoverRunButton(session, 1, L"Example");
    PostClick(RunButton(session, 0), 7, 10);
    ASSERT_TRUE(WaitUntil([&] { return TextOf(Caption(session)) == kEmptyMarker; }, kAnswerLimit));
    ExpectNothingStarted({browser, besideIt, launcherItem}, windowsBefore);

    PostClick(RunButton(session, 3), 7, 10);
    ASSERT_TRUE(WaitUntil([&] { return TextOf(Caption(session)) == L"No address"; }, kAnswerLimit));
    ExpectNothingStarted({browser, besideIt, launcherItem}, windowsBefore);

    PostClick(RunButton(session, 1), 7, 10);
    auto starts = WaitForStarts(browser, 1);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].commandLine, L"\"" + browser + L"\" " + kAddress)
        << "the browser path, one blank and the address as registered";

    EXPECT_FALSE(WaitUntil(
        [&] {
            return FileExists(besideIt + L".log") || FileExists(launcherItem + L".log") ||
                   RecordedStarts(browser).size() > 1;
        },
        kQuietPeriod));
    EXPECT_FALSE(FileExists(besideIt + L".log")) << "the program beside the browser's folder was started";
    EXPECT_FALSE(FileExists(launcherItem + L".log"));
    EXPECT_EQ(RecordedStarts(browser).size(), 1u);
}
