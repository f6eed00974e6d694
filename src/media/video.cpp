// Video clips inside the room picture, and what happens when each ends.
#include <cmath>

#include "app/lnf_game.h"

namespace lnf {

void TGame::PlayVid(MediaPlayer& player, PlayerId id, int x, int y, int w, int h) {
    float sx = float(app.screen.width) / 1024.0f, sy = float(app.screen.height) / 768.0f;
    Rect r{int(std::trunc(x * sx)), int(std::trunc(y * sy)), int(std::trunc(w * sx)), int(std::trunc(h * sy))};
    Rect area{0, 0, Image2.Width, Image2.Height};
    app.platform.beginTransition(Effect::TR3, WindowId::Game, area);
    try {
        player.Open();
        player.setDestination(r);
        player.Play();
    } catch (const MediaError&) {
        // A clip that cannot be played counts as ended at once, so its end still happens.
        app.platform.endTransition(Effect::TR3);
        if (ReportOnce("play " + NormalizeGameName(player.FileName))) {
            text1.Caption += std::string(text1.Caption.empty() ? "" : "  ") + "(The clip \"" +
                             NormalizeGameName(player.FileName) + "\" could not be played.)";
        }
        if (id == PlayerId::MP) MPNotify();
        if (id == PlayerId::MP3) MP3Notify();
        return;
    }
    app.platform.playTransition(Effect::TR3);
    app.platform.endTransition(Effect::TR3);
}

void TGame::PlayClip(PlayerId id) {
    const ClipRect& clip = ClipOf(id);
    MediaPlayer& player = id == PlayerId::MP ? MP : id == PlayerId::MP2 ? MP2 : MP3;
    PlayVid(player, id, clip.x, clip.y, clip.width, clip.height);
}

void TGame::MPNotify() {
    SetArrows();
    UpDateScreen(kJubjubTree, 0);
}

void TGame::MP3Notify() {
    // The tree fades in only where the player can still see it.
    if (GameState.Room == kAncientTree) FadeOn(kTreeOverlay.name, kTreeOverlay.x, kTreeOverlay.y);
    MP3.Tag = 0;
}

}  // namespace lnf
