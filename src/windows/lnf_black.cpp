#include "windows/lnf_black.h"

#include "app/lnf_game.h"
#include "windows/lnf_intro.h"

namespace lnf {

TBlack::TBlack(Application& a) : app(a), Time1(a.platform, TimerId::Time1, 1000) { Time1.setEnabled(true); }

void TBlack::Time1Timer() {
    if (!Time1.Enabled()) return;  // fires once: a late tick never restarts the sequence
    Time1.setEnabled(false);
    app.Game->IntroMusic();
    app.Intro->ShowModal();
    app.Game->ShowModal();
    if (app.Tag != 0) {
        app.Intro->Conclusion();
        app.Intro->ShowModal();
    }
    Closed = true;
    app.platform.closeModal(WindowId::Black);
}

}  // namespace lnf
