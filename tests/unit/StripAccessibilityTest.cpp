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

    const auto press = [&](Element e) { return [&f, e] { f.accessibleAction(static_cast<int>(e)); }; };
    const std::vector<Shown> bar = {{"ランチャー", kButton}, {"ページ 0", kButton}, {"エディタ", kButton},
                                    {"未登録", kButton},     {"文書", kButton},     {"未登録", kButton},
                                    {"エディタ", kText},     {"閉じる", kButton},   {"最前面", kButton}};
    struct Case {
        const char* what;
        std::function<void()> act;
        std::vector<Shown> shown;  // in reading order; the last elements are those that come and go
        std::vector<Element> renamed;
    };
    const auto with = [&](std::vector<std::pair<int, Shown>> changes, std::vector<Shown> extra = {}) {
        std::vector<Shown> shown = bar;
        for (auto& [i, s] : changes)
            shown[static_cast<std::size_t>(i)] = s;
        shown.insert(shown.end(), extra.begin(), extra.end());
        return shown;
    };
    const Case cases[] = {
        {"start", [] {}, bar, {}},
        {"next page by the page number's action",
         press(Element::Page),
         with({{1, {"ページ 1", kButton}},
               {2, {"未登録", kButton}},
               {3, {"ページ1の先頭", kButton}},
               {4, {"未登録", kButton}},
               {6, {"@未登録", kText}}}),
         {Element::Page, Element::Run0, Element::Run1, Element::Run2, Element::Caption}},
        {"mode switch to the URL grid",
         [&] { doubleClick(f.IconV); },
         with({{0, {"URL", kButton}},
               {2, {"未登録", kButton}},
               {3, {"例", kButton}},
               {4, {"未登録", kButton}},
               {6, {"@未登録", kText}}}),
         {Element::ModeIcon, Element::Page, Element::Run1}},
        {"back to the launcher grid by the mode icon's action",
         press(Element::ModeIcon),
         with({{1, {"ページ 1", kButton}},
               {2, {"未登録", kButton}},
               {3, {"ページ1の先頭", kButton}},
               {4, {"未登録", kButton}},
               {6, {"@未登録", kText}}}),
         {Element::ModeIcon, Element::Page, Element::Run1}},
        {"window sent to the bottom, then locked",
         [&] {
             press(Element::WindowOrder)();
             rightClick(f.zoL);
         },
         with({{1, {"ページ 1", kButton}},
               {2, {"未登録", kButton}},
               {3, {"ページ1の先頭", kButton}},
               {4, {"未登録", kButton}},
               {6, {"@未登録", kText}},
               {8, {"最背面", kButton}}},
              {{"重ね順固定", kText}}),
         {Element::WindowOrder}},
        {"open for editing: store, undo and delete",
         [&] { rightClick(f.RUN_B[0]); },
         with({{1, {"ページ 1", kButton}},
               {2, {"未登録", kButton}},
               {3, {"ページ1の先頭", kButton}},
               {4, {"未登録", kButton}},
               {6, {"@未登録", kText}},
               {8, {"最背面", kButton}}},
              {{"重ね順固定", kText}, {"登録", kButton}, {"元に戻す", kButton}, {"削除", kButton}}),
         {}},
        {"a title stored into the empty slot",
         [&] {
             f.TitleT.setText("新しい項目");
             press(Element::Store)();
         },
         with({{1, {"ページ 1", kButton}},
               {2, {"新しい項目", kButton}},
               {3, {"ページ1の先頭", kButton}},
               {4, {"未登録", kButton}},
               {6, {"@未登録", kText}},
               {8, {"最背面", kButton}}},
              {{"重ね順固定", kText}}),
         {Element::Run0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto before = elements();
        c.act();
        const auto after = elements();
        std::vector<Shown> shown;
        for (const auto& e : after)
            shown.push_back({e.name, e.role});
        ASSERT_EQ(shown.size(), c.shown.size());
        for (std::size_t i = 0; i < shown.size(); ++i) {
            EXPECT_EQ(shown[i].name, c.shown[i].name) << "element " << i;
            EXPECT_EQ(shown[i].role, c.shown[i].role) << "element " << i;
        }
        std::vector<int> renamed;
        for (Element e : c.renamed)
            renamed.push_back(static_cast<int>(e));
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
