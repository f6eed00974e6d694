// Composing changed room pictures from overlay pieces, and keeping them as files so that a
// room keeps its changed look when it is entered again.
#include "app/lnf_game.h"
#include "pictures/jpeg.h"
#include "world/picture_tables.h"

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

void TGame::LayOver(const std::string& name, int x, int y) {
    JpegPicture = LoadResourcePicture(name);
    JpegBitmap = JpegPicture.toRgb();
    Image shown = Image2.Picture.empty() ? JpegBitmap : Image2.Picture.toRgb();
    shown.draw(JpegBitmap, x, y);
    Image2.setPicture(std::move(shown));
}

namespace {
// The room's own picture: a resource up to room 25, a file after it.
std::string RoomResource(int room) { return (room < 10 ? "R0" : "R") + std::to_string(room); }
std::string RoomFile(int room) { return "p2\\" + std::to_string(room) + ".jpg"; }
constexpr int kLastResourceRoom = 25;
}  // namespace

void TGame::ComposePiece(const OverlayPiece& p, bool onComposed) {
    if (onComposed) UpDateJPG2(p.composed, p.x, p.y, p.piece, p.composed);
    else if (p.room > kLastResourceRoom) UpDateJPG2(RoomFile(p.room), p.x, p.y, p.piece, p.composed);
    else UpDateJPG(RoomResource(p.room), p.x, p.y, p.piece, p.composed);
}

// Another piece of the same room is already on the kept picture.
bool TGame::OtherPieceShown(const OverlayPiece& p) const {
    for (const OverlayPiece& other : OverlayPieces()) {
        if (&other != &p && other.room == p.room && other.shownBy >= 0 && GameState.Progress[other.shownBy] != 0)
            return true;
    }
    return false;
}

void TGame::DrawCorner(int object) {
    const OverlayPiece* p = PieceOfObject(object);
    if (!p) return;
    ComposePiece(*p, OtherPieceShown(*p));
    Image2.setPicture(JpegBitmap);
}

void TGame::UpDateScreen(int room, int show) {
    if (const OverlayPiece* p = EventPieceOfRoom(room)) ComposePiece(*p, false);
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
    // After a restore: the fawn's wood is composed again from the pieces its progress shows.
    bool first = true;
    for (const OverlayPiece& p : OverlayPieces()) {
        if (p.room != kFawnWood || GameState.Progress[p.shownBy] == 0) continue;
        ComposePiece(p, !first);
        first = false;
    }
}

Image TGame::Room14Picture(const GameStateRecord& state) const {
    // As DrawJpg leaves the kept picture: each piece is stored as a JPEG before the next one
    // builds on it, and the room shows what was stored.
    Image shown = LoadResourcePicture(RoomResource(kFawnWood));
    for (const OverlayPiece& p : OverlayPieces()) {
        if (p.room != kFawnWood || state.Progress[p.shownBy] == 0) continue;
        Image base = shown.toRgb();
        base.draw(LoadFilePicture(p.piece), p.x, p.y);
        shown = DecodeJpeg(EncodeJpeg(base)).image;
    }
    return shown;
}

Image TGame::RestoredRoomPicture(const GameStateRecord& state) const {
    // A restore rebuilds room 14 from the record; every other composed picture is the same
    // whatever the order of events, so the one the game keeps is the one it would show.
    if (state.Room == kFawnWood) return Room14Picture(state);
    return RoomImage(state.Room, RoomPictureFor(state));
}

}  // namespace lnf
