// The four timed animations: the horse's transformation, the Jabberwock sweeping in, the
// mushroom, and the room-17 picture that comes back.
#include "app/lnf_game.h"

namespace lnf {

void TGame::FadeOn(const std::string& name, int x, int y) {
    Rect area{0, 0, Image2.Width, Image2.Height};
    app.platform.beginTransition(Effect::TR1, WindowId::Game, area);
    LayOver(name, x, y);
    app.processMessages();
    app.platform.playTransition(Effect::TR1);
    app.platform.endTransition(Effect::TR1);
}

void TGame::Draws(const std::string& name, int x, int y) {
    Image frame = LoadResourcePicture(name).toRgb();
    JpegBitmap = Image2.Picture.toRgb();
    JpegBitmap.draw(frame, x, y);
    Image2.setPicture(JpegBitmap);
    if (name.size() >= 3) SaveJpeg(JpegBitmap, "p2\\310.jpg");
}

void TGame::XFormTimer() {
    XForm.setEnabled(false);
    text1.Caption = app.text("transform");
    UpDateScreen(kHorseRoad, 1);
    app.processMessages();
    arrowW.Visible = true;
    arrowS.Visible = true;
    GameState.Progress[AlpacaStage] = kHorseGone;
    Score(5);
}

void TGame::TimeJabTimer() {
    TimeJab.Tag++;
    int step = TimeJab.Tag;
    if (step == 1) {
        Playit("music\\roar.wma");
        Draws(kJabberwockOverlay.name + std::string("1"), kJabberwockOverlay.x, kJabberwockOverlay.y);
    } else if (step >= 2 && step <= 10) {
        Draws(kJabberwockOverlay.name + std::to_string(step), kJabberwockOverlay.x, kJabberwockOverlay.y);
    } else if (step == 11) {
        GameState.Progress[JabberwockCame] = 1;
        text1.Caption = app.text("jabber");
    } else {
        TimeJab.setEnabled(false);
        arrowW.Visible = true;
    }
}

void TGame::Big() {
    GameState.Progress[MainStage] = kMushroomEaten;
    for (int o = kJabberwockFirst; o <= kJabberwockLast; ++o) GameState.ObjState[o] = 1;
    Score(5);
    Image2.Cursor = crHourGlass;
    Image2.Enabled = false;
    arrowN.Visible = false;
    arrowE.Visible = false;
    BigTime.setInterval(7000);
    BigTime.setEnabled(true);
    Rect area{0, 0, Image2.Width, Image2.Height};
    app.platform.beginTransition(Effect::TR1, WindowId::Game, area);
    Image2.setPicture(LoadResourcePicture("big"));
    app.processMessages();
    app.platform.playTransition(Effect::TR1);
    app.platform.endTransition(Effect::TR1);
}

void TGame::BigTimeTimer() {
    BigTime.Tag++;
    switch (BigTime.Tag) {
        case 1:
            BigTime.setInterval(1000);
            DrawPic(kEyesOverlay.name + std::string("2"), kEyesOverlay.x, kEyesOverlay.y, true);
            return;
        case 2: DrawPic(kEyesOverlay.name + std::string("1"), kEyesOverlay.x, kEyesOverlay.y, true); return;
        case 3: DrawPic(kEyesOverlay.name + std::string("2"), kEyesOverlay.x, kEyesOverlay.y, true); return;
        case 4:
            DrawPic(kEyesOverlay.name + std::string("1"), kEyesOverlay.x, kEyesOverlay.y, true);
            text1.Caption = app.text("kitty");
            return;
        case 5:
            BigTime.setInterval(500);
            DrawPic(kEyesOverlay.name + std::string("2"), kEyesOverlay.x, kEyesOverlay.y, true);
            return;
        case 6:
            BigTime.setInterval(1000);
            DrawPic(kEyesOverlay.name + std::string("1"), kEyesOverlay.x, kEyesOverlay.y, true);
            return;
        case 7: BigTime.setInterval(10000); return;
        default: break;
    }
    text1.Caption = "You start to feel the effects wearing off, and return to normal size.";
    Rect area{0, 0, Image2.Width, Image2.Height};
    app.platform.beginTransition(Effect::TR1, WindowId::Game, area);
    Image2.setPicture(LoadFilePicture("p2\\27.jpg"));
    ChangeCursor(kDoMode);
    app.processMessages();
    app.platform.playTransition(Effect::TR1);
    app.platform.endTransition(Effect::TR1);
    BigTime.setEnabled(false);
    arrowN.Visible = true;
    arrowE.Visible = true;
    Image2.Enabled = true;
}

void TGame::ReappearTimer() {
    Reappear.setEnabled(false);
    if (GameState.Room == kAlpacaParlour) {
        Image2.setPicture(LoadResourcePicture("R17"));
        GameState.Progress[Room17Normal] = 1;
    }
}

}  // namespace lnf
