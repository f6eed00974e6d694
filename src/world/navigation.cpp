// Moving between rooms: the exit areas, the room pictures chosen by progress, the two doors
// and the start state.
#include <cmath>
#include <string>

#include "app/lnf_game.h"
#include "world/shifted_text.h"

namespace lnf {
namespace {

struct AreaRect {
    int16_t left, top, width, height;
};

// Exit areas in the 1024 x 768 reference, per room: north, south, east, west.
constexpr AreaRect kAreas[33][4] = {
    {},
    {{0, 0, 0, 0}, {488, 345, 210, 55}, {0, 0, 0, 0}, {1, 274, 35, 126}},
    {{594, 209, 80, 46}, {0, 0, 0, 0}, {716, 316, 83, 82}, {1, 344, 100, 54}},
    {{0, 0, 0, 0}, {0, 0, 0, 0}, {736, 290, 64, 109}, {1, 272, 87, 130}},
    {{230, 0, 360, 60}, {0, 0, 0, 0}, {737, 297, 64, 103}, {0, 0, 0, 0}},
    {{0, 0, 0, 0}, {297, 339, 260, 63}, {0, 0, 0, 0}, {288, 16, 172, 75}},
    {{430, 177, 75, 70}, {125, 360, 200, 50}, {0, 0, 0, 0}, {0, 200, 80, 250}},
    {{0, 0, 0, 0}, {325, 310, 300, 85}, {0, 0, 0, 0}, {0, 0, 0, 0}},
    {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {1, 229, 38, 171}},
    {{380, 120, 100, 100}, {0, 0, 0, 0}, {730, 290, 70, 80}, {1, 272, 95, 103}},
    {{688, 92, 60, 103}, {250, 360, 102, 37}, {763, 248, 38, 135}, {0, 0, 0, 0}},
    {{0, 0, 0, 0}, {327, 337, 188, 55}, {0, 0, 0, 0}, {0, 0, 0, 0}},
    {{290, 110, 60, 60}, {0, 0, 0, 0}, {748, 280, 50, 100}, {0, 0, 0, 0}},
    {{246, 118, 32, 24}, {160, 355, 190, 40}, {0, 0, 0, 0}, {0, 0, 0, 0}},
    {{0, 0, 0, 0}, {0, 0, 0, 0}, {750, 150, 50, 240}, {1, 150, 50, 240}},
    {{603, 4, 102, 243}, {0, 0, 0, 0}, {695, 326, 105, 74}, {0, 0, 0, 0}},
    {{0, 0, 0, 0}, {600, 67, 143, 204}, {0, 0, 0, 0}, {429, 2, 193, 106}},
    {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {236, 121, 102, 167}},
    {{0, 0, 0, 0}, {296, 346, 210, 53}, {0, 0, 0, 0}, {0, 0, 0, 0}},
    {{650, 84, 120, 152}, {60, 340, 265, 50}, {0, 0, 0, 0}, {1, 240, 70, 60}},
    {{0, 0, 0, 0}, {315, 366, 200, 36}, {0, 0, 0, 0}, {0, 0, 0, 0}},
    {{77, 252, 78, 62}, {0, 0, 0, 0}, {762, 329, 33, 52}, {1, 330, 27, 43}},
    {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {1, 325, 105, 70}},
    {{115, 150, 60, 40}, {100, 350, 270, 50}, {0, 0, 0, 0}, {0, 0, 0, 0}},
    {{240, 250, 80, 53}, {0, 0, 0, 0}, {772, 245, 27, 81}, {0, 0, 0, 0}},
    {{400, 250, 70, 14}, {430, 375, 122, 25}, {0, 0, 0, 0}, {0, 0, 0, 0}},
    {{0, 0, 0, 0}, {140, 370, 76, 28}, {0, 0, 0, 0}, {1, 225, 23, 119}},
    {{333, 230, 70, 32}, {0, 0, 0, 0}, {740, 270, 50, 100}, {0, 0, 0, 0}},
    {{375, 230, 105, 50}, {0, 0, 0, 0}, {0, 0, 0, 0}, {10, 350, 50, 40}},
    {{0, 0, 0, 0}, {150, 342, 200, 46}, {720, 80, 70, 64}, {0, 0, 0, 0}},
    {{85, 163, 40, 34}, {165, 360, 185, 30}, {0, 0, 0, 0}, {0, 0, 0, 0}},
    {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {1, 340, 70, 60}},
    {{10, 210, 60, 60}, {94, 370, 152, 31}, {0, 0, 0, 0}, {0, 0, 0, 0}},
};

enum Direction { North = 0, South = 1, East = 2, West = 3 };

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
        AreaRect r = kAreas[room][d];
        // The five areas that the story opens are shown only while their exit is open.
        if (room == 6 && d == North && GameState.ExitNorth[6] == 0) return none;
        if (room == 15 && d == North && GameState.ExitNorth[15] == 0) return none;
        if (room == 19 && d == North && GameState.ExitNorth[19] == 0) return none;
        if (room == 14 && d == East && GameState.ExitEast[14] == 0) return none;
        if (room == 29 && d == East && GameState.ExitEast[29] == 0) return none;
        return r;
    };
    PlaceArea(arrowE, rect(East), ScaleX, ScaleY);
    PlaceArea(arrowW, rect(West), ScaleX, ScaleY);
    PlaceArea(arrowS, rect(South), ScaleX, ScaleY);
    PlaceArea(arrowN, rect(North), ScaleX, ScaleY);
}

void TGame::Special() { RoomPicture = RoomPictureFor(GameState); }

std::string TGame::RoomPictureFor(const GameStateRecord& state) {
    const int8_t* P = state.Progress;
    auto pick = [](bool changed, const char* file) { return std::string(changed ? file : "0"); };
    switch (state.Room) {
        case 5: return pick(P[18] != 0, "p1\\050.jpg");
        case 7: return pick(P[11] != 0, "p1\\070.jpg");
        case 14: return pick(P[20] != 0 || P[19] != 0, "p1\\140.jpg");
        case 15: return pick(P[21] != 0, "p1\\150.jpg");
        case 18: return pick(P[10] != 0, "p1\\180.jpg");
        case 23: return pick(P[22] != 0, "p1\\230.jpg");
        case 26: return "p2\\26.jpg";
        case 27: return "p2\\27.jpg";
        case 28: return "p2\\28.jpg";
        case 29: return P[23] != 0 ? "p2\\290.jpg" : "p2\\29.jpg";
        case 30: return "p2\\30.jpg";
        case 31: return P[24] != 0 ? "p2\\310.jpg" : "p2\\31.jpg";
        case 32: return "p2\\32.jpg";
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
        Image2.setPicture(RoomImage(room, RoomPicture));
    } catch (const std::exception& e) {
        pictureError = e.what();
    }
    GameState.ShownRoom = GameState.Room;
    ReadMessages();
    if (GameState.Room == 17) {
        GameState.Progress[Room17Normal] = 1;
    } else {
        GameState.Progress[Room17Normal] = 0;
        if (GameState.Room == 18) Playit("music\\frog.wma");
        if (GameState.Room == 22) Playit("music\\alpaca.wma");
        if (GameState.Room == 6) Playit("music\\goat.wma");
        if (GameState.Progress[MainStage] == 5 && GameState.Room == 31 && TimeJab.Tag == 0) {
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
    if (room == 17) {
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
    if (StartRecordUsable(loaded, bytes.size())) GameState = loaded;
}

namespace {
int ExitOf(const int8_t* table, int shownRoom) {
    if (!ValidRoom(shownRoom)) return 0;
    return table[shownRoom];
}
}  // namespace

void TGame::arrowEClick() {
    if (!NavigationAllowed()) return;
    int to = ExitOf(GameState.ExitEast, GameState.ShownRoom);
    if (to != 0) NewRoom(to);
}

void TGame::arrowSClick() {
    if (!NavigationAllowed()) return;
    int to = ExitOf(GameState.ExitSouth, GameState.ShownRoom);
    if (to != 0) NewRoom(to);
}

void TGame::arrowWClick() {
    if (!NavigationAllowed()) return;
    int to = ExitOf(GameState.ExitWest, GameState.ShownRoom);
    if (to == 0) return;
    if (GameState.Room == 26) {
        Bridge(GameState.ShownRoom, 2);
    } else {
        NewRoom(to);
    }
}

void TGame::arrowNClick() {
    if (!NavigationAllowed()) return;
    int to = ExitOf(GameState.ExitNorth, GameState.ShownRoom);
    if (to == 0) return;
    if (GameState.Room == 10) {
        OpenDoor(1);
    } else if (GameState.Room == 2) {
        OpenDoor(17);
    } else if (GameState.Room == 6) {
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
    std::copy(cells.begin(), cells.end(), RoomCells.begin());
    // The buffer is cleared before each read, so that a shorter or missing text never shows
    // the end of the previous room's.
    RoomText.fill(0);
    std::vector<uint8_t> stored = app.files.readPart(name, 0, kRoomTextSize);
    std::string text = DecodeShifted(stored, kRoomTextSize - 1);
    for (size_t i = 0; i < text.size(); ++i) RoomText[i] = uint8_t(text[i]);
    RoomText[text.size()] = 0;
    Memo = SplitLines(text);
    app.platform.processMessages();
}

std::string TGame::MemoLine(int index) const {
    if (index < 0 || index >= int(Memo.size())) return std::string();
    return Memo[size_t(index)];
}

}  // namespace lnf
