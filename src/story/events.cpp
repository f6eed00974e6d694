// The larger story events that the room rules hand on: pictures that wait for "Continue",
// the kettle, the cat-fish, the steam-engine jump, the ancient tree and the horse.
#include "app/lnf_game.h"
#include "conversation/lnf_closeup.h"

namespace lnf {

void TGame::Next1Click() {
    // Only a picture that waits takes the press; a stray one never skips the next picture.
    if (!WaitingForContinue || Paused) return;
    app.processMessages();
    Next1.Tag = 1;
}

void TGame::DrawPic(const std::string& name, int x, int y, bool noWait) {
    LayOver(name, x, y);
    app.processMessages();
    if (noWait) return;
    Image2.Enabled = false;
    Next1.Visible = true;
    Next1.Tag = 0;
    WaitingForContinue = true;
    app.processMessages();
    app.platform.sleep(1000);
    // The wait ends when the player presses "Continue", or agrees to quit.
    while (Next1.Tag == 0 && !Closed && !QuitRequested) app.waitMessages();
    WaitingForContinue = false;
    Next1.Visible = false;
    Next1.Tag = 0;
}

bool TGame::MeetThem(int n) {
    app.CloseUp->Meets(uint8_t(n));
    return (Tag & 0xFF) != 0;
}

bool TGame::Puzzle(int n) {
    app.CloseUp->CharacterTalks(uint8_t(n));
    text1.Caption = "  ";
    return (Tag & 0xFF) != 0;
}

void TGame::Cauldron(bool complete) {
    Next1.Left = 80;
    if (!complete) {
        DrawPic("cauldx", 0, 0, false);
    } else {
        DrawPic("cauld2", 0, 0, false);
        if (!Closed && !QuitRequested) DrawPic("cauld3", 0, 0, false);
        if (!Closed && !QuitRequested) DrawPic("cauld4", 0, 0, false);
    }
    Image2.setPicture(LoadResourcePicture("R01"));
    Image2.Enabled = true;
    app.processMessages();
    if (GameState.Progress[MainStage] == kCuriousThingTouched) GameState.Progress[MainStage] = kKettleSeen;
    Next1.Left = 182;
}

void TGame::Catfish() {
    switch (GameState.Progress[CatfishStage]) {
        case 0:
            text1.Caption = app.text("catfish1");
            GameState.Progress[CatfishStage] = kFishJumped;
            GameState.ObjState[kGrassyClump] = 1;
            break;
        case kFishJumped:
            GameState.Progress[CatfishStage] = kWhiskerCaught;
            Display(kWhisker, true);
            text1.Caption = app.text("catfish2");
            break;
        default: break;
    }
    PlayClip(PlayerId::MP2);
    Image2.Enabled = true;
    app.processMessages();
}

bool TGame::Bridge(int fromRoom, int picture) {
    text1.Caption = app.text("engineer");
    Image2.setPicture(LoadFilePicture(picture == 1 ? "p2//jump1" : "p2//jump2"));
    app.processMessages();
    app.platform.sleep(2000);
    Image2.Enabled = true;
    if (fromRoom == kToveBurrow) {
        NewRoom(kGoatEngine);
        text1.Caption = "The Goat Engineer turns the steam engine around, so it's ready to make the trip back.";
    } else {
        NewRoom(kToveBurrow);
        text1.Caption = "You depart the steam engine, and start down a dirt trail on Mt Jabber.";
    }
    return true;
}

void TGame::Tree() {
    MP3.Tag = 1;
    PlayClip(PlayerId::MP3);
    if (GameState.Progress[MainStage] < kTreeSeen) Score(5);
    GameState.Progress[MainStage] = kTreeSeen;
}

void TGame::Transforms() {
    ChangeCursor(kDoMode);
    arrowW.Visible = false;
    arrowS.Visible = false;
    FadeOn(kKnightOverlay.name, kKnightOverlay.x, kKnightOverlay.y);
    XForm.setEnabled(true);
}

void TGame::RecoverAfterError() {
    Image2.Enabled = true;
    Image2.Cursor = CursorMode == kDoMode ? crHandPoint : CursorMode;
    RuleBusy = false;
    WaitingForContinue = false;
    Next1.Visible = false;
    Next1.Tag = 0;
    Next1.Left = 182;
    bool animating = XForm.Enabled() || TimeJab.Enabled() || BigTime.Enabled();
    if (!animating) SetArrows();
}

}  // namespace lnf
