// The strip as a screen reader reads it: each mark the skin draws, named after what it shows or
// does, in the order a person reads the strip from left to right.
#include "mainwindow/MainF.h"

namespace mainwindow {

namespace {

constexpr const char* kUnregistered = "未登録";

forms::MouseArgs leftClick() {
    forms::MouseArgs args;
    args.button = forms::kLeftButton;
    return args;
}

}  // namespace

std::optional<forms::AccessibleView> MainF::accessibleView() const {
    using forms::AccessibleRole;
    forms::AccessibleView view;
    view.role = AccessibleRole::ToolBar;
    view.name = caption();
    auto add = [&](StripElement id, AccessibleRole role, std::string name, const forms::Control& control,
                   std::string action = {}, std::string description = {}) {
        view.elements.push_back({static_cast<int>(id), role, std::move(name), std::move(description),
                                 std::move(action), control.rect()});
    };
    const bool url = s_.Mode == state::GridMode::Url;
    add(StripElement::ModeIcon, AccessibleRole::PushButton, url ? "URL" : "ランチャー", IconV, "モード切替");
    add(StripElement::Page, AccessibleRole::PushButton, "ページ " + std::to_string(s_.currentPage()), PageV,
        "次のページ");
    for (int slot = 0; slot < state::kSlots; ++slot) {
        const state::ItemRecord& item = s_.currentRecord(slot);
        add(static_cast<StripElement>(static_cast<int>(StripElement::Run0) + slot),
            AccessibleRole::PushButton, item.isEmpty() ? kUnregistered : item.Title, RUN_B[slot], "起動",
            item.Path);
    }
    // The caption's click opens the command box.
    add(StripElement::Caption, AccessibleRole::StaticText, ViewCaption.caption(), ViewCaption,
        "コマンド入力");
    add(StripElement::Close, AccessibleRole::PushButton, "閉じる", End_B, "閉じる");
    add(StripElement::WindowOrder, AccessibleRole::PushButton, s_.ZOrderBottom != 0 ? "最背面" : "最前面",
        zoL, "切り替え");
    // The marks that come and go are last, so that the others keep their places.
    if (s_.ZOrderLock == 1)
        add(StripElement::Lock, AccessibleRole::StaticText, "重ね順固定", Label4);
    if (s_.Expanded) {
        add(StripElement::Store, AccessibleRole::PushButton, "登録", Label2[0], "登録");
        add(StripElement::Undo, AccessibleRole::PushButton, "元に戻す", Label2[1], "元に戻す");
        add(StripElement::Delete, AccessibleRole::PushButton, "削除", Label2[2], "削除");
    }
    return view;
}

void MainF::accessibleAction(int id) {
    switch (static_cast<StripElement>(id)) {
        case StripElement::ModeIcon:
            SwitchMode();
            break;
        case StripElement::Page:
            TurnPage(leftClick());
            break;
        case StripElement::Run0:
        case StripElement::Run1:
        case StripElement::Run2:
        case StripElement::Run3:
            StartOrEditSlot(id - static_cast<int>(StripElement::Run0), leftClick());
            break;
        case StripElement::Caption:
            OpenCommandBox();
            break;
        case StripElement::Close:
            if (onEndRequested)
                onEndRequested();
            break;
        case StripElement::WindowOrder:
            ToggleOrderOrLock(leftClick());
            break;
        case StripElement::Store:
        case StripElement::Undo:
        case StripElement::Delete:
            // Only while the strip is open, as their labels can be clicked only then.
            if (s_.Expanded)
                EntryCommand(id - static_cast<int>(StripElement::Store));
            break;
        case StripElement::Lock:
            break;
    }
}

}  // namespace mainwindow
