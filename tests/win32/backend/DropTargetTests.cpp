// Drops on a form window: which control gets them, what it is told, and what the drag source hears back.
#include <ole2.h>
#include <shlobj.h>

#include <cstring>

#include "BackendTestSupport.h"
#include "DragData.h"
#include "platform/win32/Handles.h"
#include "platform/win32/backend/DropTarget.h"

namespace backend_test {
namespace {

using win32::OleSession;

// The strip's drop places: a run button over its slot icon (the button made first, as the strip makes
// them), a path field, and a caption that takes no drops.
class DropForm : public forms::Form {
  public:
    explicit DropForm(forms::Backend& backend) : Form(backend, "DropF") {
        setCaption("backend drop test");
        setPixelBounds({100, 100, 256, 128});
        runB.move(45, 4, 15, 20);
        iconB.move(44, 6, 16, 16);
        pathT.move(8, 103, 210, 18);
        viewCaption.move(124, 8, 120, 14);
        for (forms::Control* control :
             {static_cast<forms::Control*>(&runB), static_cast<forms::Control*>(&iconB),
              static_cast<forms::Control*>(&pathT)}) {
            control->setAcceptsDrops(true);
            const std::string name = control->name();
            control->onDragOver = [this, name](const forms::DropData& data, const forms::MouseArgs& a) {
                log.push_back(name + " over " + describe(data, a));
            };
            control->onDragDrop = [this, name](const forms::DropData& data, const forms::MouseArgs& a) {
                log.push_back(name + " drop " + describe(data, a));
                dropped = data;
            };
        }
        // Handlers without acceptance must never be reached.
        viewCaption.onDragOver = [this](const forms::DropData&, const forms::MouseArgs&) {
            log.push_back("ViewCaption over");
        };
        viewCaption.onDragDrop = [this](const forms::DropData&, const forms::MouseArgs&) {
            log.push_back("ViewCaption drop");
        };
    }

    forms::Label runB{*this, "RUN_B"};
    forms::Image iconB{*this, "IconB"};
    forms::TextBox pathT{*this, "PathT"};
    forms::Label viewCaption{*this, "ViewCaption"};

    std::vector<std::string> log;
    forms::DropData dropped;

  private:
    static std::string describe(const forms::DropData& data, const forms::MouseArgs& a) {
        return std::string(data.hasFileList ? "list" : "nolist") + std::to_string(data.files.size()) + " " +
               std::to_string(a.button) + " " + std::to_string(a.shift) + " " + std::to_string(a.x) + "," +
               std::to_string(a.y);
    }
};

class DropTargetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(ole.ok());
        form = std::make_unique<DropForm>(backend);
        form->load();
        form->show();
        pumpMessages();
        *target.put() = new win32::DropTarget(backend, *form, hwndOf(*form));
    }
    void TearDown() override {
        target->detach();
        form->unload();
        form.reset();
        pumpMessages();
    }

    // A point of the form's client area on the screen.
    POINTL at(int x, int y) const {
        POINT p{x, y};
        ::ClientToScreen(hwndOf(*form), &p);
        return {p.x, p.y};
    }
    DWORD enter(IDataObject* data, POINTL point, DWORD keys = 0) {
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        EXPECT_EQ(target->DragEnter(data, keys, point, &effect), S_OK);
        return effect;
    }
    DWORD over(POINTL point, DWORD keys = 0) {
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        EXPECT_EQ(target->DragOver(keys, point, &effect), S_OK);
        return effect;
    }
    DWORD drop(IDataObject* data, POINTL point, DWORD keys = 0) {
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        EXPECT_EQ(target->Drop(data, keys, point, &effect), S_OK);
        return effect;
    }

    OleSession ole;
    win32::Win32Backend backend;
    std::unique_ptr<DropForm> form;
    win32::ComPtr<win32::DropTarget> target;
};

TEST_F(DropTargetTest, FileListIsReadInOrderAsUtf8AndOtherDataHasNone) {
    auto files = winsupport::FileListData({L"C:\\メモ\\予定 表.txt", L"D:\\b.exe", L"E:\\c d\\e.lnk"});
    const forms::DropData data = win32::readDropData(files.get());
    EXPECT_TRUE(data.hasFileList);
    EXPECT_EQ(data.files, (std::vector<std::string>{"C:\\メモ\\予定 表.txt", "D:\\b.exe", "E:\\c d\\e.lnk"}));

    auto text = winsupport::TextData(L"C:\\not a file list.txt");
    const forms::DropData none = win32::readDropData(text.get());
    EXPECT_FALSE(none.hasFileList);
    EXPECT_TRUE(none.files.empty());
    EXPECT_FALSE(win32::readDropData(nullptr).hasFileList);
}

TEST_F(DropTargetTest, KeyStateBecomesButtonAndShift) {
    const forms::MouseArgs left = win32::dragArgs(MK_LBUTTON | MK_SHIFT, {3, 4});
    EXPECT_EQ(left.button, forms::kLeftButton);
    EXPECT_EQ(left.shift, forms::kShiftMask);
    EXPECT_EQ(left.x, 3);
    EXPECT_EQ(left.y, 4);
    const forms::MouseArgs right = win32::dragArgs(MK_RBUTTON | MK_CONTROL | MK_ALT, {0, 0});
    EXPECT_EQ(right.button, forms::kRightButton);
    EXPECT_EQ(right.shift, forms::kCtrlMask | forms::kAltMask);
    const forms::MouseArgs none = win32::dragArgs(0, {0, 0});
    EXPECT_EQ(none.button, 0);
    EXPECT_EQ(none.shift, 0);
}

TEST_F(DropTargetTest, FormWindowIsRegisteredWhileLoaded) {
    // A second registration is refused while the form's own is in place.
    EXPECT_EQ(::RegisterDragDrop(hwndOf(*form), target.get()), DRAGDROP_E_ALREADYREGISTERED);
}

TEST_F(DropTargetTest, DragOverAButtonTellsItOncePerPlaceAndAnswersCopy) {
    auto files = winsupport::FileListData({L"C:\\a.txt"});
    EXPECT_EQ(enter(files.get(), at(50, 5), MK_LBUTTON), static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(over(at(50, 5), MK_LBUTTON), static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(over(at(50, 5), MK_LBUTTON), static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(over(at(51, 22), MK_LBUTTON | MK_SHIFT), static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(form->log, (std::vector<std::string>{"RUN_B over list1 1 0 5,1", "RUN_B over list1 1 1 6,18"}));
}

TEST_F(DropTargetTest, TopmostControlUnderThePointIsTheOneAClickWouldReach) {
    // Inside both the button and the icon below it.
    const POINTL point = at(52, 12);
    HWND clicked = ::WindowFromPoint({point.x, point.y});
    ASSERT_TRUE(clicked == hwndOf(form->runB) || clicked == hwndOf(form->iconB));
    const std::string name = clicked == hwndOf(form->runB) ? "RUN_B" : "IconB";
    auto files = winsupport::FileListData({L"C:\\a.txt"});
    enter(files.get(), point);
    EXPECT_EQ(drop(files.get(), point), static_cast<DWORD>(DROPEFFECT_COPY));
    ASSERT_EQ(form->log.size(), 2u);
    EXPECT_EQ(form->log[0].substr(0, name.size() + 5), name + " over");
    EXPECT_EQ(form->log[1].substr(0, name.size() + 5), name + " drop");
}

TEST_F(DropTargetTest, BackgroundAndControlsWithoutDropsRefuseAndHearNothing) {
    auto files = winsupport::FileListData({L"C:\\a.txt"});
    EXPECT_EQ(enter(files.get(), at(100, 60)), static_cast<DWORD>(DROPEFFECT_NONE));  // the background
    EXPECT_EQ(over(at(130, 10)), static_cast<DWORD>(DROPEFFECT_NONE));                // ViewCaption
    EXPECT_EQ(over(at(400, 10)), static_cast<DWORD>(DROPEFFECT_NONE));                // outside the form
    EXPECT_EQ(drop(files.get(), at(130, 10)), static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_TRUE(form->log.empty());
}

TEST_F(DropTargetTest, DataWithoutFileListIsShownButRefused) {
    auto text = winsupport::TextData(L"hello");
    EXPECT_EQ(enter(text.get(), at(50, 5)), static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(drop(text.get(), at(50, 5)), static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(form->log,
              (std::vector<std::string>{"RUN_B over nolist0 0 0 5,1", "RUN_B drop nolist0 0 0 5,1"}));
}

TEST_F(DropTargetTest, DropOnThePathFieldDeliversEveryFile) {
    auto files = winsupport::FileListData({L"C:\\一.txt", L"C:\\二.txt", L"C:\\三.txt"});
    enter(files.get(), at(20, 110));
    EXPECT_EQ(drop(files.get(), at(20, 110)), static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(form->log,
              (std::vector<std::string>{"PathT over list3 0 0 10,5", "PathT drop list3 0 0 10,5"}));
    EXPECT_EQ(form->dropped.files, (std::vector<std::string>{"C:\\一.txt", "C:\\二.txt", "C:\\三.txt"}));
}

TEST_F(DropTargetTest, LeavingAndComingBackTellsTheControlAgain) {
    auto files = winsupport::FileListData({L"C:\\a.txt"});
    enter(files.get(), at(50, 5));
    over(at(130, 10));
    over(at(50, 5));
    EXPECT_EQ(target->DragLeave(), S_OK);
    enter(files.get(), at(50, 5));
    EXPECT_EQ(form->log, (std::vector<std::string>{"RUN_B over list1 0 0 5,1", "RUN_B over list1 0 0 5,1",
                                                   "RUN_B over list1 0 0 5,1"}));
}

TEST_F(DropTargetTest, CopyIsOfferedOnlyWhenTheSourceAllowsIt) {
    auto files = winsupport::FileListData({L"C:\\a.txt"});
    DWORD effect = DROPEFFECT_MOVE;
    EXPECT_EQ(target->DragEnter(files.get(), 0, at(50, 5), &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
}

TEST_F(DropTargetTest, DisabledControlTakesNoDrop) {
    form->runB.setEnabled(false);
    auto files = winsupport::FileListData({L"C:\\a.txt"});
    EXPECT_EQ(enter(files.get(), at(50, 5)), static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(drop(files.get(), at(50, 5)), static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_TRUE(form->log.empty());
}

TEST_F(DropTargetTest, DetachedTargetReachesNoForm) {
    target->detach();
    auto files = winsupport::FileListData({L"C:\\a.txt"});
    EXPECT_EQ(enter(files.get(), at(50, 5)), static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(drop(files.get(), at(50, 5)), static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_TRUE(form->log.empty());
}

TEST_F(DropTargetTest, ExceptionFromAHandlerStaysInsideTheCall) {
    form->runB.onDragDrop = [](const forms::DropData&, const forms::MouseArgs&) {
        throw std::runtime_error("handler failed");
    };
    auto files = winsupport::FileListData({L"C:\\a.txt"});
    enter(files.get(), at(50, 5));
    EXPECT_EQ(drop(files.get(), at(50, 5)), static_cast<DWORD>(DROPEFFECT_COPY));
    // The message loop throws it again, where the program can report it.
    ::PostMessageW(hwndOf(*form), WM_NULL, 0, 0);
    EXPECT_THROW(
        {
            ::PostQuitMessage(0);
            backend.runMessageLoop();
        },
        std::runtime_error);
}

}  // namespace
}  // namespace backend_test
