// Design pixels on scaled screens: the mapping of rectangles, fonts and positions, several monitors of
// different scale, and the skin's optional double-size picture.
#include "LauncherFixture.h"
#include "mainwindow/Skin.h"
#include "platform/ScreenScale.h"

using headless::mouseDown;
using platform::Monitor;
using platform::Scale;
using platform::ScreenMap;

namespace {

TEST(ScaleTest, RectanglesAndFontsAtEachScale) {
    struct Case {
        int dpi;
        forms::Rect strip, pageV;  // device pixels of the collapsed strip and of PageV (25, 9, 14, 14)
        int nine, eightQuarter;    // character heights of 9 pt and 8.25 pt
    };
    const Case cases[] = {
        {96, {0, 0, 256, 28}, {25, 9, 14, 14}, 12, 11},
        {120, {0, 0, 320, 35}, {31, 11, 18, 18}, 15, 14},
        {144, {0, 0, 384, 42}, {38, 14, 21, 21}, 18, 17},
        {192, {0, 0, 512, 56}, {50, 18, 28, 28}, 24, 22},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dpi);
        const Scale scale(c.dpi);
        EXPECT_EQ(scale.toDevice(forms::Rect{0, 0, 256, 28}), c.strip);
        EXPECT_EQ(scale.toDevice(forms::Rect{25, 9, 14, 14}), c.pageV);
        EXPECT_EQ(scale.fontHeight(9), c.nine);
        EXPECT_EQ(scale.fontHeight(8.25), c.eightQuarter);
        // Every design rectangle comes back unchanged, also left of and above the primary monitor.
        for (int left = -40; left <= 300; left += 7) {
            for (int width = 0; width <= 30; ++width) {
                const forms::Rect r{left, -left, width, width + 3};
                ASSERT_EQ(scale.toDesign(scale.toDevice(r)), r);
            }
        }
    }
}

// The primary monitor at 100 %, one at 150 % to its right and one at 200 % to its left.
const ScreenMap kMixed({{{0, 0, 1920, 1080}, 96},
                        {{1920, 0, 2880, 1620}, 144},
                        {{-3840, 0, 3840, 2160}, 192}});

TEST(ScreenMapTest, EachMonitorKeepsItsCornerAndDividesItsExtentByItsScale) {
    EXPECT_EQ(kMixed.designAreas(),
              (std::vector<forms::Rect>{{0, 0, 1920, 1080}, {1920, 0, 1920, 1080}, {-3840, 0, 1920, 1080}}));
    struct Case {
        forms::Rect device, design;
    };
    const Case windows[] = {
        {{100, 100, 256, 28}, {100, 100, 256, 28}},
        {{2400, 300, 384, 42}, {2240, 200, 256, 28}},
        {{4416, 1578, 384, 42}, {3584, 1052, 256, 28}},  // the 150 % monitor's bottom right corner
        {{-3840, 100, 512, 256}, {-3840, 50, 256, 128}},
        {{-512, 0, 512, 56}, {-2176, 0, 256, 28}},  // the 200 % monitor's right edge
    };
    for (const Case& c : windows) {
        EXPECT_EQ(kMixed.toDesign(c.device), c.design);
        EXPECT_EQ(kMixed.toDevice(c.design), c.device);
    }
    // A point belongs to the monitor that holds it, also on the edge between two monitors.
    EXPECT_EQ(kMixed.pointToDesign(1919, 10), (platform::Point{1919, 10}));
    EXPECT_EQ(kMixed.pointToDesign(1920, 15), (platform::Point{1920, 10}));
    EXPECT_EQ(kMixed.pointToDesign(4799, 1619), (platform::Point{3839, 1079}));
    // A device pixel maps to the design pixel that holds it.
    EXPECT_EQ(kMixed.pointToDesign(-1, 1001), (platform::Point{-1921, 500}));
}

class ScaledMonitorsTest : public LauncherTest {
  protected:
    void SetUp() override {
        fake.monitorRects = kMixed.designAreas();
        ASSERT_TRUE(start());
    }
};

// The system's drag loop ends with the strip on another monitor, already at that monitor's scale;
// the strip is then kept inside that monitor, to its last device pixel.
TEST_F(ScaledMonitorsTest, AStripDraggedOntoAMonitorOfAnotherScaleStaysInsideIt) {
    struct Case {
        forms::Rect dropped, kept;  // device pixels
    };
    const Case cases[] = {
        {{3000, 702, 384, 42}, {3000, 702, 384, 42}},
        {{4700, 702, 384, 42}, {4416, 702, 384, 42}},    // over the 150 % monitor's right edge
        {{2502, 1600, 384, 42}, {2502, 1578, 384, 42}},  // over its bottom edge
        {{-400, -30, 512, 56}, {-512, 0, 512, 56}},      // over the 200 % monitor's top right corner
        {{1750, 40, 256, 28}, {1664, 40, 256, 28}},      // mostly on the primary, over its right edge
    };
    for (const Case& c : cases) {
        fake.dragTo = [&] { mainF().notifyBoundsChanged(kMixed.toDesign(c.dropped)); };
        mouseDown(mainF().IconV, forms::kLeftButton);
        EXPECT_EQ(kMixed.toDevice(mainF().pixelBounds()), c.kept);
        EXPECT_EQ(mainF().width(), 256 * 15);  // the strip stays 256 design pixels wide in twips
    }
}

TEST_F(LauncherTest, ASkinMayNameADoubleSizePictureOnItsFourthLine) {
    ASSERT_TRUE(start());
    const std::string skins = std::string(kFolder) + "\\skins\\";
    fake.addFile(skins + "blue@2x.bmp", "BM");
    struct Case {
        std::string lines;
        std::string doubleSize;  // the double-size picture the strip got
    };
    const Case cases[] = {
        {"Font\r\n255\r\nsoftblue.bmp\r\n", ""},
        {"Font\r\n255\r\nsoftblue.bmp\r\nblue@2x.bmp\r\n", skins + "blue@2x.bmp"},
        {"Font\r\n255\r\nsoftblue.bmp\r\nblue@2x.bmp\r\nmore\r\n", skins + "blue@2x.bmp"},
        {"Font\r\n255\r\nsoftblue.bmp\r\nmissing@2x.bmp\r\n", ""},  // left out, no message
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        fake.addFile(skins + "test.skn", c.lines);
        mainwindow::ApplySkin(mainF(), skins + "test.skn");
        const auto* picture = dynamic_cast<const fake::FakePicture*>(mainF().picture().get());
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->path, skins + "softblue.bmp");
        EXPECT_EQ(picture->doubleSizePath, c.doubleSize);
        EXPECT_EQ(mainF().PageV.foreColor(), 255u);
    }
    EXPECT_TRUE(fake.messageBoxes.empty());
}

}  // namespace
