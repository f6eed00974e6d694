// Moving between rooms: the exit areas, the room pictures chosen by progress, the two doors
// and the start state.
#include <cmath>
#include <cstring>
#include <string>

#include "app/lnf_game.h"
#include "world/picture_tables.h"
#include "world/record_check.h"
#include "world/shifted_text.h"

namespace lnf {
namespace {

void PlaceArea(Control& area, const AreaRect& r, float sx, float sy) {
    if (r.width == 0) {
        area.Visible = false;
        return;
    }
    area.Width = int(std::trunc(r.width * sx));
    area.Height = int(std::trunc(r.height * sy));
    area.Left = int(std::trunc(r.left * sx));
    area.Top = int(std::trunc(r.top * sy));
    area.Visible = true;
}

bool ValidRoom(int room) { return room >= 1 && room <= kRooms; }

}  // namespace

void TGame::SetArrows() {
    int room = GameState.Room;
    AreaRect none{0, 0, 0, 0};
    auto rect = [&](Direction d) -> AreaRect {
        if (!ValidRoom(room)) return none;
        AreaRect r = ExitAreas()[size_t(room)][d];
        // The areas that the story opens are shown only while their exit is open.
        const int8_t* exits[4] = {GameState.ExitNorth, GameState.ExitSouth, GameState.ExitEast, GameState.ExitWest};
        if (IsStoryExit(room, d) && exits[d][room] == 0) return none;
        return r;
    };
    PlaceArea(arrowE, rect(East), ScaleX, ScaleY);
    PlaceArea(arrowW, rect(West), ScaleX, ScaleY);
    PlaceArea(arrowS, rect(South), ScaleX, ScaleY);
    PlaceArea(arrowN, rect(North), ScaleX, ScaleY);
}

void TGame::ScaleArrows() {
    int room = GameState.Room;
    if (!ValidRoom(room)) return;
    Control* areas[4] = {&arrowN, &arrowS, &arrowE, &arrowW};
    for (Direction d : {North, South, East, West}) {
        // Every area of the room, a closed story exit's too: the story may show it later
        // without placing it again.
        bool shown = areas[d]->Visible;
        PlaceArea(*areas[d], ExitAreas()[size_t(room)][d], ScaleX, ScaleY);
        areas[d]->Visible = shown;
    }
}

void TGame::Special() { RoomPicture = RoomPictureFor(GameState); }

std::string TGame::RoomPictureFor(const GameStateRecord& state) {
    const int8_t* P = state.Progress;
    auto pick = [](bool changed, const char* file) { return std::string(changed ? file : "0"); };
    switch (state.Room) {
        case kHorseRoad: return pick(P[HorseTransformed] != 0, "p1\\050.jpg");
        case kForestAlcove: return pick(P[HarpStage] != 0, "p1\\070.jpg");
        case kFawnWood: return pick(P[StickTaken] != 0 || P[FawnMet] != 0, "p1\\140.jpg");
        case kJubjubTree: return pick(P[BirdStage] != 0, "p1\\150.jpg");
        case kFrogDoor: return pick(P[ClawTaken] != 0, "p1\\180.jpg");
        case kMolassesPool: return pick(P[DragonflyFreed] != 0, "p1\\230.jpg");
        case kToveBurrow: return "p2\\26.jpg";
        case kMushroomRing: return "p2\\27.jpg";
        case kAncientTree: return "p2\\28.jpg";
        case kRathsHollow: return P[RathsFed] != 0 ? "p2\\290.jpg" : "p2\\29.jpg";
        case kWindyLedge: return "p2\\30.jpg";
        case kJabberwockCanyon: return P[JabberwockCame] != 0 ? "p2\\310.jpg" : "p2\\31.jpg";
        case kGoldenMountain: return "p2\\32.jpg";
        default: return "0";
    }
}

void TGame::NewRoom(int roomArg) {
    int room = int8_t(uint8_t(roomArg));
    if (!ValidRoom(room)) return;  // a damaged record never enters a room that does not exist
    GameState.Room = int8_t(room);
    ++RoomEntries;
    SetArrows();
    text1.Caption.clear();
    Special();
    // The room is entered even if its picture fails: the error is reported once the entry
    // has finished, so that the exits, the record and the text are in place.
    std::string pictureError;
    try {
        try {
            Image2.setPicture(RoomImage(room, RoomPicture));
        } catch (const std::exception&) {
            // A composed picture that is missing or unreadable (a saved game opened in
            // another profile) is composed again from the progress bytes.
            if (RoomPicture.size() < 3 || !ComposeAgain(RoomPicture)) throw;
        }
    } catch (const std::exception& e) {
        pictureError = e.what();
    }
    GameState.ShownRoom = GameState.Room;
    ReadMessages();
    if (GameState.Room == kAlpacaParlour) {
        GameState.Progress[Room17Normal] = 1;
    } else {
        GameState.Progress[Room17Normal] = 0;
        if (GameState.Room == kFrogDoor) Playit("music\\frog.wma");
        if (GameState.Room == kStream) Playit("music\\alpaca.wma");
        if (GameState.Room == kGoatEngine) Playit("music\\goat.wma");
        if (GameState.Progress[MainStage] == kMushroomEaten && GameState.Room == kJabberwockCanyon &&
            TimeJab.Tag == 0) {
            arrowW.Visible = false;
            TimeJab.setEnabled(true);
        }
    }
    AutosaveOnEntry();
    if (!pictureError.empty()) throw std::runtime_error(pictureError);
}

Image TGame::RoomImage(int room, const std::string& picture) const {
    if (picture.size() >= 3) return LoadFilePicture(picture);
    return LoadResourcePicture((room < 10 ? "R0" : "R") + std::to_string(room));
}

void TGame::Door(bool open) {
    if (open) app.platform.playSound("music\\door.wav");
}

void TGame::OpenDoor(int room) {
    Door(true);
    text1.Caption = "The door is ajar, so you cautiously open it, and go inside.";
    ChangeCursor(kLookMode);
    GameState.Room = int8_t(room);
    SetArrows();
    if (room == kAlpacaParlour) {
        Image2.setPicture(LoadResourcePicture("R17"));
        GameState.Progress[Room17Normal] = 1;
    } else {
        Image2.setPicture(LoadResourcePicture("R01"));
    }
    GameState.ShownRoom = GameState.Room;
    ReadMessages();
}

void TGame::GetDirections() {
    CopyBuiltInExits(GameState);
    std::vector<uint8_t> bytes = app.files.readPart("data\\zerodata", 2, sizeof(GameStateRecord));
    GameStateRecord loaded = GameState;
    if (!bytes.empty()) std::memcpy(loaded.bytes(), bytes.data(), bytes.size());
    if (RecordUsable(loaded, bytes.size())) GameState = loaded;
}

namespace {
int ExitOf(const int8_t* table, int shownRoom) {
    if (!ValidRoom(shownRoom)) return 0;
    return table[shownRoom];
}
}  // namespace

void TGame::arrowEClick() {
    GameStep step(*this, StepInput::Exit);
    if (!step) return;
    if (!NavigationAllowed()) return;
    int to = ExitOf(GameState.ExitEast, GameState.ShownRoom);
    if (to != 0) NewRoom(to);
}

void TGame::arrowSClick() {
    GameStep step(*this, StepInput::Exit);
    if (!step) return;
    if (!NavigationAllowed()) return;
    int to = ExitOf(GameState.ExitSouth, GameState.ShownRoom);
    if (to != 0) NewRoom(to);
}

void TGame::arrowWClick() {
    GameStep step(*this, StepInput::Exit);
    if (!step) return;
    if (!NavigationAllowed()) return;
    int to = ExitOf(GameState.ExitWest, GameState.ShownRoom);
    if (to == 0) return;
    if (GameState.Room == kToveBurrow) {
        Bridge(GameState.ShownRoom, 2);
    } else {
        NewRoom(to);
    }
}

void TGame::arrowNClick() {
    GameStep step(*this, StepInput::Exit);
    if (!step) return;
    if (!NavigationAllowed()) return;
    int to = ExitOf(GameState.ExitNorth, GameState.ShownRoom);
    if (to == 0) return;
    if (GameState.Room == kOutsideCabin) {
        OpenDoor(kCabin);
    } else if (GameState.Room == kLane) {
        OpenDoor(kAlpacaParlour);
    } else if (GameState.Room == kGoatEngine) {
        Bridge(GameState.ShownRoom, 1);
    } else {
        NewRoom(to);
    }
}

void TGame::ReadMessages() {
    int room = GameState.Room;
    if (!ValidRoom(room)) return;
    std::string name = "data\\grid00.dlg";
    name[9] = char('0' + room / 10);
    name[10] = char('0' + room % 10);
    std::vector<uint8_t> cells = app.files.readPart("2grdata.", uint64_t(room - 1) * kCellsPerRecord, kCellsPerRecord);
    // A short record leaves the rest of the grid empty, never the previous room's cells.
    RoomCells.fill(0);
    std::copy(cells.begin(), cells.end(), RoomCells.begin());
    // The buffer is cleared before each read, so that a shorter or missing text never shows
    // the end of the previous room's.
    RoomText.fill(0);
    std::vector<uint8_t> stored = app.files.readPart(name, 0, kRoomTextSize);
    std::string text = DecodeShifted(stored, kRoomTextSize - 1);
    std::memcpy(RoomText.data(), text.data(), text.size());
    RoomText[text.size()] = 0;
    Memo = SplitLines(text);
    app.processMessages();
}

std::string TGame::MemoLine(int index) const {
    if (index < 0 || index >= int(Memo.size())) return std::string();
    return Memo[size_t(index)];
}

}  // namespace lnf
