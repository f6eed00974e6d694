// Composing changed room pictures from overlay pieces, and keeping them as files so that a
// room keeps its changed look when it is entered again.
#include "app/lnf_game.h"
#include "pictures/jpeg.h"

namespace lnf {
namespace {
// Room 14's two pieces, pasted by the rules, by the rebuild after a restore and by the
// saved-games preview.
struct Piece {
    int x, y;
    const char* file;
};
constexpr Piece kRoom14First{306, 1, "p1\\141.jpg"};
constexpr Piece kRoom14Second{333, 114, "p1\\142.jpg"};
}  // namespace

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
        case 50: UpDateJPG("R07", 382, 1, "p1\\071.jpg", "p1\\070.jpg"); break;
        case 109: {
            const Piece& c = kRoom14First;
            if (P[19] != 0) UpDateJPG2("p1\\140.jpg", c.x, c.y, c.file, "p1\\140.jpg");
            else UpDateJPG("R14", c.x, c.y, c.file, "p1\\140.jpg");
            break;
        }
        case 110: {
            const Piece& c = kRoom14Second;
            if (P[20] != 0) UpDateJPG2("p1\\140.jpg", c.x, c.y, c.file, "p1\\140.jpg");
            else UpDateJPG("R14", c.x, c.y, c.file, "p1\\140.jpg");
            break;
        }
        case 114: UpDateJPG("R15", 58, 33, "p1\\151.jpg", "p1\\150.jpg"); break;
        case 138: UpDateJPG("R18", 278, 46, "p1\\181.jpg", "p1\\180.jpg"); break;
        case 178: UpDateJPG("R23", 290, 117, "p1\\231.jpg", "p1\\230.jpg"); break;
        case 228: UpDateJPG2("p2\\29.jpg", 350, 132, "p2\\291.jpg", "p2\\290.jpg"); break;
        default: return;
    }
    Image2.setPicture(JpegBitmap);
}

void TGame::UpDateScreen(int room, int show) {
    switch (room) {
        case 5: UpDateJPG("R05", 0, 0, "p1\\051.jpg", "p1\\050.jpg"); break;
        case 15: UpDateJPG("R15", 58, 33, "p1\\151.jpg", "p1\\150.jpg"); break;
        case 17: UpDateJPG("R17", 695, 75, "p1\\171.jpg", "p1\\170.jpg"); break;
        case 18: UpDateJPG("R18", 278, 46, "p1\\181.jpg", "p1\\180.jpg"); break;
        default: break;
    }
    if (show != 0) Image2.setPicture(JpegBitmap);
}

void TGame::DrawJpg() {
    const int8_t* P = GameState.Progress;
    const Piece& a = kRoom14First;
    const Piece& b = kRoom14Second;
    if (P[20] != 0) {
        UpDateJPG("R14", a.x, a.y, a.file, "p1\\140.jpg");
        if (P[19] != 0) UpDateJPG2("p1\\140.jpg", b.x, b.y, b.file, "p1\\140.jpg");
    } else if (P[19] != 0) {
        UpDateJPG("R14", b.x, b.y, b.file, "p1\\140.jpg");
    }
}

Image TGame::Room14Picture(const GameStateRecord& state) const {
    // As DrawJpg leaves "p1\\140.jpg": each step is stored as a JPEG before the next one
    // builds on it, and the room shows what was stored.
    auto paste = [this](Image base, const Piece& piece) {
        base = base.toRgb();
        base.draw(LoadFilePicture(piece.file), piece.x, piece.y);
        return DecodeJpeg(EncodeJpeg(base)).image;
    };
    const int8_t* P = state.Progress;
    if (P[20] != 0) {
        Image first = paste(LoadResourcePicture("R14"), kRoom14First);
        return P[19] != 0 ? paste(std::move(first), kRoom14Second) : first;
    }
    if (P[19] != 0) return paste(LoadResourcePicture("R14"), kRoom14Second);
    return LoadResourcePicture("R14");
}

Image TGame::RestoredRoomPicture(const GameStateRecord& state) const {
    // A restore rebuilds room 14 from the record; every other composed picture is the same
    // whatever the order of events, so the one the game keeps is the one it would show.
    if (state.Room == 14) return Room14Picture(state);
    return RoomImage(state.Room, RoomPictureFor(state));
}

}  // namespace lnf
