// Composing changed room pictures from overlay pieces, and keeping them as files so that a
// room keeps its changed look when it is entered again.
#include "app/lnf_game.h"

namespace lnf {

void TGame::UpDateJPG(std::string resourceName, int x, int y, std::string overlayFile, std::string outputFile) {
    JpegPicture = LoadResourcePicture(resourceName);
    JpegBitmap = JpegPicture.toRgb();
    Image overlay = LoadFilePicture(overlayFile);
    JpegBitmap.draw(overlay, x, y);
    if (x <= 600) SaveJpeg(JpegBitmap, outputFile);
}

void TGame::UpDateJPG2(std::string baseFile, int x, int y, std::string overlayFile, std::string outputFile) {
    JpegBitmap = LoadFilePicture(baseFile).toRgb();
    Image overlay = LoadFilePicture(overlayFile);
    JpegBitmap.draw(overlay, x, y);
    SaveJpeg(JpegBitmap, outputFile);
}

void TGame::DrawCorner(int object) {
    const int8_t* P = GameState.Progress;
    switch (object) {
        case kHarpByTree: UpDateJPG("R07", 382, 1, "p1\\071.jpg", "p1\\070.jpg"); break;
        case kStickOnGround:
            if (P[FawnMet] != 0) UpDateJPG2("p1\\140.jpg", 306, 1, "p1\\141.jpg", "p1\\140.jpg");
            else UpDateJPG("R14", 306, 1, "p1\\141.jpg", "p1\\140.jpg");
            break;
        case kFawnRest:
            if (P[StickTaken] != 0) UpDateJPG2("p1\\140.jpg", 333, 114, "p1\\142.jpg", "p1\\140.jpg");
            else UpDateJPG("R14", 333, 114, "p1\\142.jpg", "p1\\140.jpg");
            break;
        case kJubjubBird: UpDateJPG("R15", 58, 33, "p1\\151.jpg", "p1\\150.jpg"); break;
        case kDoorOfFrog: UpDateJPG("R18", 278, 46, "p1\\181.jpg", "p1\\180.jpg"); break;
        case kPool: UpDateJPG("R23", 290, 117, "p1\\231.jpg", "p1\\230.jpg"); break;
        case kRathsTrough: UpDateJPG2("p2\\29.jpg", 350, 132, "p2\\291.jpg", "p2\\290.jpg"); break;
        default: return;
    }
    Image2.setPicture(JpegBitmap);
}

void TGame::UpDateScreen(int room, int show) {
    switch (room) {
        case kHorseRoad: UpDateJPG("R05", 0, 0, "p1\\051.jpg", "p1\\050.jpg"); break;
        case kJubjubTree: UpDateJPG("R15", 58, 33, "p1\\151.jpg", "p1\\150.jpg"); break;
        case kAlpacaParlour: UpDateJPG("R17", 695, 75, "p1\\171.jpg", "p1\\170.jpg"); break;
        case kFrogDoor: UpDateJPG("R18", 278, 46, "p1\\181.jpg", "p1\\180.jpg"); break;
        default: break;
    }
    if (show != 0) Image2.setPicture(JpegBitmap);
}

bool TGame::ComposeAgain(const std::string& file) {
    std::string n = NormalizeGameName(file);
    auto same = [&](const char* name) { return NormalizeGameName(name) == n; };
    const int8_t* P = GameState.Progress;
    if (same("p1\\050.jpg")) UpDateScreen(5, 0);
    else if (same("p1\\070.jpg")) UpDateJPG("R07", 382, 1, "p1\\071.jpg", "p1\\070.jpg");
    else if (same("p1\\140.jpg")) {
        if (P[FawnMet] == 0 && P[StickTaken] == 0) return false;
        // Written first so that the second piece can be laid on it, as in play.
        DrawJpg();
    } else if (same("p1\\150.jpg")) UpDateScreen(15, 0);
    else if (same("p1\\180.jpg")) UpDateScreen(18, 0);
    else if (same("p1\\230.jpg")) UpDateJPG("R23", 290, 117, "p1\\231.jpg", "p1\\230.jpg");
    else if (same("p2\\290.jpg")) UpDateJPG2("p2\\29.jpg", 350, 132, "p2\\291.jpg", "p2\\290.jpg");
    else if (same("p2\\310.jpg")) {
        // The Jabberwock's ten frames, piled on the canyon as the animation leaves them.
        JpegBitmap = LoadFilePicture("p2\\31.jpg").toRgb();
        for (int f = 1; f <= 10; ++f) JpegBitmap.draw(LoadResourcePicture("j" + std::to_string(f)).toRgb(), 205, 0);
        SaveJpeg(JpegBitmap, "p2\\310.jpg");
    } else {
        return false;
    }
    Image2.setPicture(JpegBitmap);
    return true;
}

void TGame::DrawJpg() {
    const int8_t* P = GameState.Progress;
    if (P[StickTaken] != 0) {
        UpDateJPG("R14", 306, 1, "p1\\141.jpg", "p1\\140.jpg");
        if (P[FawnMet] != 0) UpDateJPG2("p1\\140.jpg", 333, 114, "p1\\142.jpg", "p1\\140.jpg");
    } else if (P[FawnMet] != 0) {
        UpDateJPG("R14", 333, 114, "p1\\142.jpg", "p1\\140.jpg");
    }
}

}  // namespace lnf
