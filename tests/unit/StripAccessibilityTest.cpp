// The strip as a screen reader reads it: the marks in reading order with their names and roles, how
// the names follow the strip, and that pressing a mark does what the click does.
#include <functional>

#include "LauncherFixture.h"

using forms::AccessibleRole;
using headless::doubleClick;
using headless::mouseDown;
using headless::rightClick;
using Element = mainwindow::MainF::StripElement;

namespace {

constexpr AccessibleRole kButton = AccessibleRole::PushButton;
constexpr AccessibleRole kText = AccessibleRole::StaticText;

class StripAccessibilityTest : public LauncherTest {
  protected:
    void SetUp() override {
        fake.addFile("C:\\TOOLS\\EDIT.EXE", "MZ");
        writeSettings();
        writeGrid("TRUN.dat", {{0, "C:\\TOOLS\\EDIT.EXE", "ed", "エディタ"},
                               {2, "C:\\doc", "", "文書"},
                               {5, "C:\\p1.exe", "", "ページ1の先頭"}});
        writeGrid("TURL.dat", {{1, "http://example.jp/", "ex", "例"}});
        ASSERT_TRUE(start());
    }
    std::vector<forms::AccessibleElement> elements() { return mainF().accessibleView()->elements; }
};

struct Shown {
    std::string name;
    AccessibleRole role;
};

TEST_F(StripAccessibilityTest, MarksAreNamedAfterWhatTheStripShows) {
    auto& f = mainF();
    const auto view = f.accessibleView();
    ASSERT_TRUE(view);
    EXPECT_EQ(view->name, "Tolvane");
    EXPECT_EQ(view->role, AccessibleRole::ToolBar);

    // The marks always there, numbered as their ids: mode icon, page, four run buttons, caption, close
    // mark, window-order mark.
    std::vector<Shown> bar = {{"ランチャー", kButton}, {"ページ 0", kButton}, {"エディタ", kButton},
                              {"未登録", kButton},     {"文書", kButton},     {"未登録", kButton},
                              {"エディタ", kText},     {"閉じる", kButton},   {"最前面", kButton}};
    const std::vector<Shown> editing = {{"登録", kButton}, {"元に戻す", kButton}, {"削除", kButton}};
    const Shown lock{"重ね順固定", kText};
    const auto press = [&](Element e) { return [&f, e] { f.accessibleAction(static_cast<int>(e)); }; };
    struct Case {
        const char* what;
        std::function<void()> act;
        std::vector<std::pair<Element, std::string>> renamed;  // the bar's marks whose names change
        std::vector<Shown> comeAndGo;                          // the marks after the bar, once done
    };
    const Case cases[] = {
        {"start", [] {}, {}, {}},
        {"next page by the page number's action",
         press(Element::Page),
         {{Element::Page, "ページ 1"},
          {Element::Run0, "未登録"},
          {Element::Run1, "ページ1の先頭"},
          {Element::Run2, "未登録"},
          {Element::Caption, "@未登録"}},
         {}},
        {"mode switch to the URL grid",
         [&] { doubleClick(f.IconV); },
         {{Element::ModeIcon, "URL"}, {Element::Page, "ページ 0"}, {Element::Run1, "例"}},
         {}},
        {"back to the launcher grid by the mode icon's action",
         press(Element::ModeIcon),
         {{Element::ModeIcon, "ランチャー"}, {Element::Page, "ページ 1"}, {Element::Run1, "ページ1の先頭"}},
         {}},
        {"window sent to the bottom, then locked",
         [&] {
             press(Element::WindowOrder)();
             rightClick(f.zoL);
         },
         {{Element::WindowOrder, "最背面"}},
         {lock}},
        {"open for editing", [&] { rightClick(f.RUN_B[0]); }, {}, {lock, editing[0], editing[1], editing[2]}},
        {"a title stored into the empty slot",
         [&] {
             f.TitleT.setText("新しい項目");
             press(Element::Store)();
         },
         {{Element::Run0, "新しい項目"}},
         {lock}},
        {"a file dropped on an empty slot empties the caption and opens the strip",
         [&] { headless::drop(f.RUN_B[2], {"C:\\TOOLS\\EDIT.EXE"}); },
         {{Element::Caption, ""}},
         {lock, editing[0], editing[1], editing[2]}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto before = elements();
        c.act();
        const auto after = elements();
        std::vector<int> renamed;
        for (const auto& [id, name] : c.renamed) {
            bar[static_cast<std::size_t>(id)].name = name;
            renamed.push_back(static_cast<int>(id));
        }
        std::vector<Shown> shown = bar;
        shown.insert(shown.end(), c.comeAndGo.begin(), c.comeAndGo.end());
        ASSERT_EQ(after.size(), shown.size());
        for (std::size_t i = 0; i < shown.size(); ++i) {
            EXPECT_EQ(after[i].name, shown[i].name) << "element " << i;
            EXPECT_EQ(after[i].role, shown[i].role) << "element " << i;
        }
        EXPECT_EQ(forms::renamedElements(before, after), renamed);
    }
}

TEST_F(StripAccessibilityTest, RunButtonsCarryTheirPathsAndStartLikeALeftClick) {
    auto& f = mainF();
    const auto run = elements()[2];
    EXPECT_EQ(run.description, "C:\\TOOLS\\EDIT.EXE");
    EXPECT_EQ(run.defaultAction, "起動");
    EXPECT_EQ(run.rect, f.RUN_B[0].rect());
    EXPECT_EQ(elements()[3].description, "");
    f.accessibleAction(static_cast<int>(Element::Run0));
    ASSERT_EQ(fake.processes.size(), 1u);
    EXPECT_EQ(fake.processes[0].commandLine, "C:\\TOOLS\\EDIT.EXE");
    // An empty slot starts nothing, as its click does; the store label does nothing while closed.
    f.accessibleAction(static_cast<int>(Element::Run1));
    f.accessibleAction(static_cast<int>(Element::Delete));
    EXPECT_EQ(fake.processes.size(), 1u);
    EXPECT_EQ(s().RunItems(0, 0).Title, "エディタ");
}

}  // namespace
