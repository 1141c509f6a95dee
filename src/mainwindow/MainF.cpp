#include "mainwindow/MainF.h"

#include "forms/NumberText.h"

namespace mainwindow {

namespace {

// The design size holds every control: the expanded strip, as the skin picture is drawn.
constexpr int kDesignWidth = 256;
constexpr int kDesignHeight = 128;
constexpr int kCollapsedHeight = 28;
constexpr int kExpandedHeight = 128;

forms::Font labelFont(double points, bool bold) {
    forms::Font font;
    font.face = "ＭＳ Ｐゴシック";
    font.points = points;
    font.bold = bold;
    return font;
}

}  // namespace

MainF::MainF(forms::Backend& backend, state::LauncherState& s, platform::Platform& platform)
    : forms::Form(backend, "MainF"), s_(s), platform_(platform) {
    setCaption(platform::kProgramTitle);
    SetDesignProperties();
    WireEvents();
}

void MainF::SetDesignProperties() {
    setPixelBounds({0, 0, kDesignWidth, kDesignHeight});
    PageV.setCaption("0");
    PageV.setFont(labelFont(9, true));
    ViewCaption.setFont(labelFont(9, false));
    zoL.setFont(labelFont(8.25, false));
    Label4.setFont(labelFont(8.25, false));
    for (auto* box : {&TitleT, &BatchT, &PathT})
        box->setFont(labelFont(9, false));
    // The fields have no captions on the strip: a screen reader learns what each holds from these.
    TitleT.setAccessibleName("登録名");
    BatchT.setAccessibleName("省略名");
    PathT.setAccessibleName("パス、URL");
    Input_Com.setAccessibleName("コマンド");
    Input_Com.setFont(labelFont(9, false));
    Input_Com.setRect({0, 0, 121, 20});
    // The command box appears only while it is in use.
    Input_Com.setVisible(false);
    Input_Com.setEnabled(false);
    // The first look at the pointer, for one that never comes near the strip; from then on the clock
    // sets its own schedule (Clock.cpp).
    Timer1.setInterval(200);
    // Placed before their windows are made, so that each window is made where it belongs and is not
    // moved there afterwards.
    PlaceControls();
}

void MainF::WireEvents() {
    End_B.onClick = [this] {
        if (onEndRequested)
            onEndRequested();
    };
    onMouseDown = [this](const forms::MouseArgs& a) { DragStrip(a); };
    onMouseMove = [this](const forms::MouseArgs&) { HideCommandBox(); };
    onHotkey = [this](int id) { MyMsg(id); };
    IconV.onDblClick = [this] { SwitchMode(); };
    IconV.onMouseDown = [this](const forms::MouseArgs& a) { DragOrOpenOptions(a); };
    PageV.onMouseDown = [this](const forms::MouseArgs& a) { TurnPage(a); };
    RUN_B.onMouseDown([this](int i, const forms::MouseArgs& a) { StartOrEditSlot(i, a); });
    RUN_B.onMouseMove([this](int i, const forms::MouseArgs& a) { ShowHoveredSlot(i, a); });
    // The slot icons lie under the run buttons and act as they do.
    IconB.onMouseDown([this](int i, const forms::MouseArgs& a) { StartOrEditSlot(i, a); });
    IconB.onMouseMove([this](int i, const forms::MouseArgs& a) { ShowHoveredSlot(i, a); });
    Label2.onClick([this](int i) { EntryCommand(i); });
    ViewCaption.onClick = [this] { OpenCommandBox(); };
    Timer1.onTimer = [this] { ClockTick(); };
    onPointer = [this](const forms::PointerArgs& p) { PointerMoved(p); };
    zoL.onMouseDown = [this](const forms::MouseArgs& a) { ToggleOrderOrLock(a); };
    TitleT.onKeyPress = [this](int& keyAscii) { TitleFieldKey(keyAscii); };
    BatchT.onKeyPress = [this](int& keyAscii) { ShortNameFieldKey(keyAscii); };
    PathT.onDblClick = [this] { BrowseForPath(); };
    // Registration by drop: the run buttons (and the icons under them), the path field, the mode icon.
    RUN_B.setAcceptsDrops(true);
    IconB.setAcceptsDrops(true);
    PathT.setAcceptsDrops(true);
    IconV.setAcceptsDrops(true);
    RUN_B.onDragOver(
        [this](int i, const forms::DropData& d, const forms::MouseArgs&) { ShowDraggedOverSlot(i, d); });
    RUN_B.onDragDrop(
        [this](int i, const forms::DropData& d, const forms::MouseArgs&) { RegisterDropOnSlot(i, d); });
    IconB.onDragOver(
        [this](int i, const forms::DropData& d, const forms::MouseArgs&) { ShowDraggedOverSlot(i, d); });
    IconB.onDragDrop(
        [this](int i, const forms::DropData& d, const forms::MouseArgs&) { RegisterDropOnSlot(i, d); });
    PathT.onDragDrop = [this](const forms::DropData& d, const forms::MouseArgs&) { TakeDroppedPath(d); };
    IconV.onDragDrop = [this](const forms::DropData& d, const forms::MouseArgs&) {
        RegisterDropInFreeSlot(d);
    };
    Input_Com.onGotFocus = [this] { Input_Com.showDropDown(); };
    Input_Com.onLostFocus = [this] { HideCommandBox(); };
    Input_Com.onKeyPress = [this](int& keyAscii) { CommandBoxKey(keyAscii); };
    Input_Com.onChange = [this] { CompleteShortName(); };
    Input_Com.onClick = [this] { StartChosenEntry(); };
}

void MainF::Form_Load() {
    Set_HK_ID();
}

void MainF::PlaceControls() {
    IconV.move(7, 6, 16, 16);
    PageV.move(25, 9, 14, 14);
    for (int i = 0; i < 4; ++i)
        IconB[i].move(44 + 18 * i, 6, 16, 16);
    for (int i = 0; i < 4; ++i)
        RUN_B[i].move(45 + 18 * i, 4, 15, 20);
    ViewCaption.move(124, 8, 120, 14);
    // Only left, top and width: a combo box keeps the height its font gives it.
    Input_Com.move(121, 4, 121, Input_Com.rect().height);
    End_B.move(242, 4, 9, 9);
    zoL.move(244, 14, 8, 8);
    Label4.move(236, 14, 8, 8);
    TitleT.move(8, 43, 210, 18);
    BatchT.move(8, 73, 210, 18);
    PathT.move(8, 103, 210, 18);
    Label2[0].move(226, 43, 24, 15);
    Label2[1].move(226, 61, 24, 15);
    Label2[2].move(226, 97, 24, 15);
}

void MainF::Form_Unload() {
    if (onClosing)
        onClosing();
}

void MainF::DrawPanelIcons(const std::string& path) {
    std::vector<forms::DrawnIcon> icons{{7, 6, platform_.smallIcon(path)}};
    if (s_.Mode == state::GridMode::Launcher && s_.ShowIcon == 1) {
        for (int slot = 0; slot < state::kSlots; ++slot) {
            const state::ItemRecord& item = s_.RunItems(s_.RunPage, slot);
            if (!item.isEmpty())
                icons.push_back({44 + 18 * slot, 6, platform_.smallIcon(item.Path)});
        }
    }
    drawIcons(std::move(icons));
}

void MainF::ToggleExpanded() {
    if (!s_.Expanded) {
        setHeight(s_.TwipsPerPixel * kExpandedHeight);
        s_.Expanded = true;
    } else {
        setHeight(s_.TwipsPerPixel * kCollapsedHeight);
        s_.Expanded = false;
    }
    UpdateEntryFields();
}

void MainF::HideCommandBox() {
    Input_Com.setVisible(false);
    Input_Com.setEnabled(false);
}

void MainF::UpdateEntryFields() {
    const bool open = s_.Expanded;
    TitleT.setEnabled(open);
    BatchT.setEnabled(open);
    PathT.setEnabled(open);
}

void MainF::ShowRecord(const state::ItemRecord& item) {
    ViewCaption.setCaption(item.Title);
    TitleT.setText(item.Title);
    BatchT.setText(item.Batch);
    PathT.setText(item.Path);
}

void MainF::ShowFirstSlotOfPage() {
    const state::ItemRecord& item = s_.currentRecord(0);
    PageV.setCaption(forms::NumberText(s_.currentPage()));
    ShowRecord(item);
}

}  // namespace mainwindow
