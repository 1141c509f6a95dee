#pragma once

#include "forms/Backend.h"
#include "forms/OwnedForm.h"
#include "mainwindow/MainF.h"
#include "platform/Platform.h"
#include "state/State.h"

namespace app {

// The whole program: its state, its main window and dialogs, its start and its end.
class Launcher {
  public:
    Launcher(forms::Backend& backend, platform::Platform& platform);
    ~Launcher();
    Launcher(const Launcher&) = delete;
    Launcher& operator=(const Launcher&) = delete;

    // The start-up sequence. Returns false when another instance already runs: this one then ends
    // at once, before touching any file or window.
    bool Main();

    // The close label: unloads the main window, whose closing steps save everything.
    void End();

    state::LauncherState& state() { return s_; }
    mainwindow::MainF& mainForm() { return *mainF_; }

  private:
    void KeepWindowOnScreen();
    void ApplyConfiguredSkin();
    void OfferToRemoveVanishedItems();
    void ClosingSteps();

    forms::Backend& backend_;
    platform::Platform& platform_;
    state::LauncherState s_;
    // Last, so that it goes first: its closing steps still use everything above.
    forms::OwnedForm<mainwindow::MainF> mainF_;
};

}  // namespace app
