#include "LauncherFixture.h"
#include "app/DialogPlacement.h"

using headless::doubleClick;
using headless::mouseDown;

namespace {

class IconPanelTest : public LauncherTest {
  protected:
    void SetUp() override {
        writeSettings();
        writeGrid("TURL.dat", {{0, "http://u0/", "u", "URL page 0"}, {40, "http://u10/", "", "URL page 10"}});
        writeGrid("TRUN.dat", {{0, "C:\\Tolvane\\tolvane.exe", "self", "Run page 0"},
                               {20, "C:\\Tolvane\\skins", "", "Run page 5"},
                               {60, "C:\\Tolvane", "", "Run page 15"}});
        ASSERT_TRUE(start());
    }
    void page(int button, int shift = 0) { mouseDown(mainF().PageV, button, shift); }
};

TEST_F(IconPanelTest, PagesWrapAndShiftJumps) {
    auto& f = mainF();
    page(forms::kRightButton);
    EXPECT_EQ(f.PageV.caption(), "F");
    EXPECT_EQ(f.ViewCaption.caption(), "Run page 15");
    page(forms::kLeftButton);
    EXPECT_EQ(f.PageV.caption(), "0");
    page(forms::kRightButton, forms::kShiftMask);
    EXPECT_EQ(f.PageV.caption(), "5");
    EXPECT_EQ(f.TitleT.text(), "Run page 5");
    page(forms::kLeftButton, forms::kShiftMask);
    EXPECT_EQ(s().RunPage, 0);
    // Shift with Ctrl or Alt is a plain click.
    page(forms::kLeftButton, forms::kShiftMask | forms::kCtrlMask);
    page(forms::kLeftButton, forms::kShiftMask | forms::kAltMask);
    page(forms::kRightButton, forms::kCtrlMask);
    EXPECT_EQ(s().RunPage, 1);
    // An empty first slot shows an empty title field but the marker in the caption.
    EXPECT_EQ(f.ViewCaption.caption(), "@未登録");
    EXPECT_EQ(f.TitleT.text(), "");
    EXPECT_EQ(dynamic_cast<const fake::FakeIcon&>(*f.drawnIcons()[0].icon).path, "C:\\Tolvane\\tolvane.exe");
    page(forms::kMiddleButton);
    EXPECT_EQ(s().RunPage, 1);
}

TEST_F(IconPanelTest, EachModeKeepsItsPageAndTheSwitchWritesDecimal) {
    auto& f = mainF();
    doubleClick(f.IconV);
    for (int i = 0; i < 10; ++i)
        page(forms::kLeftButton);
    EXPECT_EQ(f.PageV.caption(), "A");
    EXPECT_EQ(f.ViewCaption.caption(), "URL page 10");
    EXPECT_TRUE(f.drawnIcons().empty());  // URL mode does not redraw on page changes

    doubleClick(f.IconV);
    EXPECT_EQ(s().Mode, state::GridMode::Launcher);
    EXPECT_EQ(f.PageV.caption(), " 0");
    EXPECT_EQ(f.ViewCaption.caption(), "Run page 0");
    EXPECT_EQ(f.Input_Com.list(), std::vector<std::string>{"self"});

    doubleClick(f.IconV);
    EXPECT_EQ(f.PageV.caption(), " 10");
    EXPECT_EQ(f.TitleT.text(), "URL page 10");
    EXPECT_EQ(f.Input_Com.list(), std::vector<std::string>{"u"});
}

TEST_F(IconPanelTest, StoreUndoAndDeleteActOnTheShownSlotAndSave) {
    auto& f = mainF();
    headless::hover(f.RUN_B[2]);
    headless::rightClick(f.RUN_B[2]);
    f.TitleT.setText("メモ帳, \"quoted\"");
    f.BatchT.setText("np");
    f.PathT.setText("C:\\Windows\\notepad.exe");
    headless::click(f.Label2[0]);
    EXPECT_FALSE(s().Expanded);
    EXPECT_EQ(s().RunItems(0, 2),
              (state::ItemRecord{"C:\\Windows\\notepad.exe", "np", "メモ帳, \"quoted\""}));
    EXPECT_EQ(f.Input_Com.list(), (std::vector<std::string>{"self", "np"}));
    EXPECT_NE(file("TRUN.dat").find(*platform::toCp932("メモ帳, \"quoted\"\r\n")), std::string::npos);

    // Undo after typing restores the stored texts; delete empties the slot in memory and on disk.
    headless::rightClick(f.RUN_B[2]);
    f.TitleT.setText("typo");
    headless::click(f.Label2[1]);
    EXPECT_EQ(f.TitleT.text(), "メモ帳, \"quoted\"");
    headless::rightClick(f.RUN_B[2]);
    headless::click(f.Label2[2]);
    EXPECT_TRUE(s().RunItems(0, 2).isEmpty());
    EXPECT_EQ(f.TitleT.text(), "メモ帳, \"quoted\"");  // the fields keep their text
    EXPECT_EQ(file("TRUN.dat").find("np\r\n"), std::string::npos);
}

TEST_F(IconPanelTest, StoreRefusesTextTheFilesCannotHoldAndAnEmptyTitle) {
    auto& f = mainF();
    headless::rightClick(f.RUN_B[1]);
    fake.writes.clear();
    const struct {
        forms::TextBox* field;
        std::string text, message;
    } cases[] = {{&f.TitleT, "emoji 😀", "保存できない文字：😀"},
                 // Pasted into a field, or set from the clipboard: the next save would lose the item.
                 {&f.PathT, "C:\\x.exe\r\n", "保存できない文字：改行"},
                 {&f.BatchT, "x\ny", "保存できない文字：改行"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        f.TitleT.setText("title");
        f.BatchT.setText("");
        f.PathT.setText("C:\\x.exe");
        c.field->setText(c.text);
        f.TitleT.setFocus();
        fake.messageBoxes.clear();
        headless::click(f.Label2[0]);
        // Said in a box that the clock cannot overwrite, with the caret in the field to mend.
        ASSERT_EQ(fake.messageBoxes.size(), 1u);
        EXPECT_EQ(fake.messageBoxes[0].text, c.message);
        EXPECT_TRUE(c.field->hasFocus());
        EXPECT_TRUE(s().Expanded);
        EXPECT_EQ(c.field->text(), c.text);
        EXPECT_TRUE(s().RunItems(0, 1).isEmpty());
        EXPECT_TRUE(fake.writes.empty());
    }

    f.TitleT.setText("");
    f.PathT.setText("C:\\x.exe");
    headless::click(f.Label2[0]);
    EXPECT_TRUE(s().RunItems(0, 1).isEmpty());
    EXPECT_EQ(f.PathT.text(), "C:\\x.exe");
    EXPECT_TRUE(fake.writes.empty());
}

TEST(PlaceBesideStrip, OpensAboveInTheLowerHalfAndAlignsRightInTheRightHalf) {
    // A 1280 x 800 screen in twips; the strip 256 x 28 pixels; a dialog 400 x 300 pixels.
    const double W = 19200, H = 12000, w = 3840, h = 420, dw = 6000, dh = 4500;
    auto lowerRight = app::PlaceBesideStrip(W - w, H - h, w, h, dw, dh, W, H);
    EXPECT_DOUBLE_EQ(lowerRight.top, H - h - dh - 1);
    EXPECT_DOUBLE_EQ(lowerRight.left, W - dw);
    auto upperLeft = app::PlaceBesideStrip(150, 300, w, h, dw, dh, W, H);
    EXPECT_DOUBLE_EQ(upperLeft.top, 300 + h);
    EXPECT_DOUBLE_EQ(upperLeft.left, 150);
}

}  // namespace
