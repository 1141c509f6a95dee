#pragma once

#include <initializer_list>
#include <string>
#include <utility>

#include "dialogs/Host.h"
#include "forms/Control.h"
#include "forms/Form.h"
#include "platform/Platform.h"
#include "state/State.h"

namespace dialogs {

// What every dialog is: a form with a caption and a fixed client area, owned by the strip, with the
// host it reports to, the state it changes and the platform it asks.
class Dialog : public forms::Form {
  protected:
    Dialog(forms::Backend& backend, std::string name, Host& host, state::LauncherState& s,
           platform::Platform& platform, const std::string& caption, int clientWidth, int clientHeight)
        : Form(backend, std::move(name), forms::FormStyle::Dialog), host_(host), s_(s), platform_(platform) {
        setOwner(&host.Strip());
        setCaption(caption);
        setClientSize(clientWidth, clientHeight);
    }

    // Puts the controls inside the frame; the frame's window is then made before theirs.
    static void PutInFrame(forms::Frame& frame, std::initializer_list<forms::Control*> controls) {
        for (forms::Control* control : controls)
            control->setContainer(frame);
    }

    Host& host_;
    state::LauncherState& s_;
    platform::Platform& platform_;
};

}  // namespace dialogs
