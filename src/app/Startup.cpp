// The start-up sequence: one instance, the stored files, the main window, the skin, the page on show.
#include <cmath>

#include "app/Launcher.h"
#include "dialogs/itemeditor/LinkCheck.h"
#include "mainwindow/ScreenAreas.h"
#include "mainwindow/Skin.h"
#include "state/StoredFiles.h"

namespace app {

Launcher::Launcher(forms::Backend& backend, platform::Platform& platform)
    : backend_(backend), platform_(platform) {}

Launcher::~Launcher() = default;

bool Launcher::Main() {
    if (platform_.anotherInstanceRunning())
        return false;

    state::SetPaths(s_, platform_.programFolder(), platform_.exeBaseName());

    s_.BrowserPath = state::kDefaultBrowserPath;
    s_.ClockFormat = state::kDefaultClockFormat;
    s_.ShowIcon = 0;

    if (!platform_.listingFinds(s_.IniPath, platform::Listing::FilesOnly)) {
        s_.WindowLeft = 0;
        s_.WindowTop = 0;
        s_.ZOrderBottom = 0;
        s_.ZOrderLock = 0;
        s_.Mode = state::GridMode::Launcher;
        s_.UseInternetExplorer = 1;
        s_.SkinFile = state::kDefaultSkinFile;
        s_.UrlItems.clear();
        s_.RunItems.clear();
        state::SetDefaultHotkeys(s_);
        // Item files copied into a new folder, or kept when the settings were deleted to reset them,
        // are loaded below as they are.
        platform::Reported(platform_, state::SaveMissing(s_, platform_));
    }

    state::LoadAll(s_, platform_);

    mainF_ = forms::makeOwnedForm<mainwindow::MainF>(backend_, s_, platform_);
    mainF_->onEndRequested = [this] { End(); };
    mainF_->onClosing = [this] { ClosingSteps(); };
    mainF_->onOptionsRequested = [this] { OpenOptions(); };
    mainF_->onItemsChanged = [this] { StripItemsChanged(); };
    mainF_->load();

    KeepWindowOnScreen();

    s_.UrlPage = 0;
    s_.RunPage = 0;
    s_.CurrentSlot = 0;
    mainF_->FillCommandList();

    ApplyConfiguredSkin();

    mainF_->ShowLockMark();

    s_.Expanded = false;
    mainF_->UpdateEntryFields();
    s_.TwipsPerPixel = static_cast<state::Single>(mainF_->height() / mainF_->scaleHeight());
    mainF_->setWidth(s_.TwipsPerPixel * 256);
    mainF_->setHeight(s_.TwipsPerPixel * 28);

    mainF_->DrawPanelIcons(s_.Mode == state::GridMode::Launcher ? s_.ExePath : s_.BrowserPath);
    mainF_->ShowFirstSlotOfPage();

    // Setting the window order shows the strip. Everything above only prepares what it shows, so it
    // appears once, collapsed and with its page, instead of at its design size and then shrinking
    // while its controls repaint; the questions about vanished items come over the finished strip.
    mainF_->ApplyWindowOrder();

    OfferToRemoveVanishedItems();

    mainF_->show();
    return true;
}

void Launcher::KeepWindowOnScreen() {
    mainwindow::MainF& form = *mainF_;
    // The monitor that holds the saved top left corner, or the nearest one when that monitor is gone;
    // with one monitor, the screen.
    const mainwindow::Area screen = mainwindow::MonitorOfPoint(
        mainwindow::MonitorAreas(platform_.monitors(), form.twipsPerPixelX(), form.twipsPerPixelY()),
        s_.WindowLeft, s_.WindowTop);
    // Only a left edge beyond the screen is pulled back; a window that hangs over the right edge
    // with its left edge on the screen stays where it is.
    if (s_.WindowLeft > screen.right)
        s_.WindowLeft = static_cast<state::Single>(screen.right - form.width());
    if (s_.WindowLeft < screen.left)
        s_.WindowLeft = static_cast<state::Single>(screen.left);
    if (s_.WindowTop > screen.bottom)
        s_.WindowTop = static_cast<state::Long>(std::lround(screen.bottom - form.height()));
    if (s_.WindowTop < screen.top)
        s_.WindowTop = static_cast<state::Long>(std::lround(screen.top));
    form.move(s_.WindowLeft, s_.WindowTop);
}

void Launcher::ApplyConfiguredSkin() {
    const std::string skins = platform_.programFolder() + "\\skins\\";
    std::string skinPath = skins + s_.SkinFile;
    // When the missing skin is the default one, the message below says all there is to say.
    if (!platform_.listingFinds(skinPath, platform::Listing::FilesOnly) &&
        s_.SkinFile != state::kDefaultSkinFile) {
        platform_.messageBox(skinPath + "\r\n設定されているスキンが存在しません。",
                             platform::MessageButtons::Ok);
        // This run only: the stored name stays, in case the skin comes back.
        skinPath = skins + state::kDefaultSkinFile;
    }
    if (platform_.listingFinds(skinPath, platform::Listing::FilesOnly)) {
        mainwindow::ApplySkin(*mainF_, skinPath);
        return;
    }
    platform_.messageBox(platform_.programFolder() +
                             "\\skins　フォルダが無いか、\r\nディフォルトのスキンが存在しません。\r\n"
                             "スキンを入れなおしてください。",
                         platform::MessageButtons::Ok);
}

void Launcher::OfferToRemoveVanishedItems() {
    dialogs::AskAboutVanishedItems(s_, platform_, [this] { ItemsChanged(); });
}

}  // namespace app
