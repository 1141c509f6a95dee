// The command box of the real program: opened by a click on the caption strip, it offers the short
// names of the grid in page order, completes what is typed and starts the item on Enter; Esc closes it.
#include "Harness.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

// Launcher items with short names spread over the pages; one without a short name is not offered.
struct CommandBoxSetup {
    StripSession session;
    std::wstring alpha, rx, unnamed, rec, zeta;

    bool Start() {
        alpha = PlaceRecorder(session.folder.File(L"alpha.exe"));
        rx = PlaceRecorder(session.folder.File(L"rx.exe"));
        unnamed = PlaceRecorder(session.folder.File(L"unnamed.exe"));
        rec = PlaceRecorder(session.folder.File(L"dir with blanks\\rec.exe"));
        zeta = PlaceRecorder(session.folder.File(L"zeta.exe"));
        GridFile launchers;
        launchers.Set(0, 0, alpha, L"alpha", L"Alpha");
        launchers.Set(0, 2, rx, L"rx", L"Rx");
        launchers.Set(1, 3, unnamed, L"", L"Unnamed");
        launchers.Set(2, 1, rec, L"rec", L"Recorder");
        launchers.Set(5, 0, zeta, L"zeta", L"Zeta");
        GridFile urls;
        urls.Set(0, 0, L"http://example.com/", L"web", L"Web");
        return session.Start(SettingsWith({}), urls, launchers);
    }
    std::vector<std::wstring> Recorders() const { return {alpha, rx, unnamed, rec, zeta}; }

    HWND Caption() const { return session.Control(124, 8, 120, 14); }

    // Clicks the caption strip and waits for the box to show, empty, with its list dropped down.
    bool Open() const {
        HWND box = session.CommandBox();
        PostClick(Caption(), 30, 7);
        bool open = WaitUntil([&] { return IsWindowVisible(box) && IsWindowEnabled(box); }, kAnswerLimit);
        EXPECT_TRUE(open) << "the command box did not open";
        EXPECT_TRUE(WaitUntil([&] { return ComboDroppedDown(box); }, kAnswerLimit))
            << "its list is not dropped down";
        EXPECT_EQ(TextOf(box), L"");
        return open;
    }

    // Types one character into the box and waits until the box shows the expected text.
    void Type(wchar_t character, const std::wstring& expected) const {
        HWND box = session.CommandBox();
        PostChar(session.CommandBoxEdit(), character);
        EXPECT_TRUE(WaitUntil([&] { return TextOf(box) == expected; }, kAnswerLimit))
            << "after typing " << Narrow(std::wstring(1, character)) << " the box holds "
            << Narrow(TextOf(box)) << " instead of " << Narrow(expected);
    }

    bool Closed() const {
        HWND box = session.CommandBox();
        return WaitUntil([&] { return !IsWindowVisible(box); }, kAnswerLimit);
    }
};

bool AnyRecorderLogs(const std::vector<std::wstring>& recorders) {
    for (const auto& recorder : recorders)
        if (FileExists(recorder + L".log"))
            return true;
    return false;
}

}  // namespace

TEST(CommandBox, CaptionClickOpensTheBoxWithTheShortNamesInPageOrder) {
    TOLVANE_REQUIRE_PROGRAM();
    CommandBoxSetup setup;
    ASSERT_TRUE(setup.Start());
    HWND box = setup.session.CommandBox();
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(IsWindowVisible(box)) << "hidden until used";
    RECT rect = RectInParent(box);
    EXPECT_EQ(rect.left, 121);
    EXPECT_EQ(rect.top, 4);
    EXPECT_EQ(rect.right - rect.left, 121);

    ASSERT_TRUE(setup.Open());
    EXPECT_EQ(ComboEntries(box), (std::vector<std::wstring>{L"alpha", L"rx", L"rec", L"zeta"}));
    EXPECT_FALSE(WaitUntil([&] { return AnyRecorderLogs(setup.Recorders()); }, kQuietPeriod))
        << "opening starts nothing";
    EXPECT_TRUE(IsWindowVisible(box)) << "the box stays open while nothing else happens";
}

TEST(CommandBox, TypedShortNameCompletesAndEnterStartsTheItem) {
    TOLVANE_REQUIRE_PROGRAM();
    CommandBoxSetup setup;
    ASSERT_TRUE(setup.Start());
    HWND box = setup.session.CommandBox();
    ASSERT_TRUE(setup.Open());

    // "r" completes to the first entry beginning with it, the completed tail selected; "e" replaces
    // the tail and completes to the next entry that fits.
    setup.Type(L'r', L"rx");
    EXPECT_EQ(ComboEditSelection(box), std::make_pair(1, 2));
    setup.Type(L'e', L"rec");
    EXPECT_EQ(ComboEditSelection(box), std::make_pair(2, 3));

    PostChar(setup.session.CommandBoxEdit(), L'\r');
    EXPECT_TRUE(setup.Closed()) << "Enter closes the box";
    ASSERT_TRUE(WaitUntil([&] { return RecordedStarts(setup.rec).size() == 1; }, kStartLimit))
        << "the item with the short name rec was not started";
    EXPECT_EQ(RecordedStarts(setup.rec)[0].commandLine, L"\"" + setup.rec + L"\"");
    EXPECT_FALSE(WaitUntil(
        [&] {
            return AnyRecorderLogs({setup.alpha, setup.rx, setup.unnamed, setup.zeta}) ||
                   RecordedStarts(setup.rec).size() > 1;
        },
        kQuietPeriod))
        << "only the named item starts, once";
}

TEST(CommandBox, EscClosesWithoutStartingAndAnUnknownNameStartsNothing) {
    TOLVANE_REQUIRE_PROGRAM();
    CommandBoxSetup setup;
    ASSERT_TRUE(setup.Start());
    ASSERT_TRUE(setup.Open());

    setup.Type(L'a', L"alpha");
    PostChar(setup.session.CommandBoxEdit(), 27);
    EXPECT_TRUE(setup.Closed()) << "Esc closes the box";
    EXPECT_FALSE(WaitUntil([&] { return AnyRecorderLogs(setup.Recorders()); }, kQuietPeriod))
        << "Esc starts nothing";

    // Opening again empties the text; a name that no entry continues stays as typed and starts nothing.
    ASSERT_TRUE(setup.Open());
    setup.Type(L'q', L"q");
    setup.Type(L'z', L"qz");
    PostChar(setup.session.CommandBoxEdit(), L'\r');
    EXPECT_TRUE(setup.Closed()) << "Enter closes the box";
    EXPECT_FALSE(WaitUntil([&] { return AnyRecorderLogs(setup.Recorders()); }, kQuietPeriod))
        << "no item has the short name qz";
    EXPECT_TRUE(setup.session.program.Running());
}
