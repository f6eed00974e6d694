// The developer panel: painting object codes into a room's click grid and writing the record
// back, jumping to prepared points of the story, and trying a video rectangle.
#include <cstdlib>
#include <stdexcept>

#include "app/lnf_game.h"

namespace lnf {

namespace {

// The prepared points of the story, tried in this order.
const char* const kJumpCodes[20] = {"bot", "jab", "rat", "tov", "hum", "que", "mtn", "frg", "got", "hrs",
                                    "alp", "al2", "m13", "m14", "m15", "m16", "m17", "m18", "m19", "m20"};

}  // namespace

void TGame::a_OffClick() {
    GameStep step(*this, StepInput::Menu);
    if (!step) return;
    a_Off.Tag = a_Off.Tag == 0 ? 1 : 0;
    a_Off.Caption = a_Off.Tag ? "ON" : "OFF";
}

void TGame::a_plusClick() {
    GameStep step(*this, StepInput::Menu);
    if (!step) return;
    if (a_Off.Tag == 0) return;
    AuthorCellCode++;
    if (AuthorCellCode > 8) AuthorCellCode = 1;
    int o = ObjectNumber(GameState.Room, AuthorCellCode);
    int s = o >= 0 && o < 280 ? GameState.ObjState[o] : 0;
    text1.Caption = MemoLine(8 * s + AuthorCellCode - 1);
    app.processMessages();
}

void TGame::a_SaveClick() {
    GameStep step(*this, StepInput::Menu);
    if (!step) return;
    AuthorCellCode = 0;
    int room = GameState.Room;
    if (room < 1 || room > kRooms) return;
    std::vector<uint8_t> records = app.files.readPart("2grdata.", 0, size_t(kRooms) * kCellsPerRecord);
    records.resize(size_t(kRooms) * kCellsPerRecord, 1);
    std::copy(RoomCells.begin(), RoomCells.begin() + kCellsPerRecord, records.begin() + long(room - 1) * kCellsPerRecord);
    // The record file of the game folder is never written: the painted one goes to the
    // author's own folder, where the game looks first.
    try {
        app.files.write("2grdata.", records);
    } catch (const FileError&) {
    }
}

void TGame::a_resetClick() {
    GameStep step(*this, StepInput::Menu);
    if (!step) return;
    RoomCells.fill(1);
}

void TGame::Label3Click() {
    GameStep step(*this, StepInput::Menu);
    if (!step) return;
    GameState.Progress[MainStage] = 6;
    GameState.ObjState[214] = 1;
    GameState.ExitEast[29] = 31;
    Display(13, true);
    NewRoom(28);
    for (uint8_t& c : RoomCells) {
        if (c == 0) c = 1;
    }
    Label3.Caption = std::to_string(GameState.Room);
}

void TGame::Edit1KeyDown(int key) {
    GameStep step(*this, StepInput::Menu);
    if (!step) return;
    if (key == 13) Test(Edit1.Caption);
}

void TGame::Button1Enter() { Test(Edit1.Caption); }

void TGame::Button1Click() {
    GameStep step(*this, StepInput::Menu);
    if (!step) return;
    auto number = [](const std::string& s) {
        char* end = nullptr;
        long v = std::strtol(s.c_str(), &end, 10);
        if (s.empty() || *end != '\0') throw std::invalid_argument("'" + s + "' is not a valid integer value");
        return int(v);
    };
    Rect r{number(Edit1.Caption), number(Edit2.Caption), number(Edit3.Caption), number(Edit4.Caption)};
    MP3.setDestination(r);
    MP3.Play();
}

const char* TGame::JumpCommand(int n) { return n >= 1 && n <= 20 ? kJumpCodes[n - 1] : ""; }

void TGame::Test(const std::string& code) {
    int n = 0;
    for (int i = 0; i < 20; ++i) {
        if (code == kJumpCodes[i]) {
            n = i + 1;
            break;
        }
    }
    int8_t* P = GameState.Progress;
    int8_t* S = GameState.ObjState;
    auto show = [&](std::initializer_list<int> items) {
        for (int i : items) Display(i, true);
    };
    switch (n) {
        case 1: NewRoom(23); show({18}); P[5] = 2; break;
        case 2: NewRoom(31); show({13}); break;
        case 3: NewRoom(29); show({17}); break;
        case 4: NewRoom(26); show({8}); break;
        case 5: NewRoom(3); show({16}); break;
        case 6: NewRoom(19); S[147] = 1; break;
        case 7: NewRoom(32); S[251] = 1; break;
        case 8: NewRoom(18); show({8}); break;
        case 9: NewRoom(6); show({1}); P[6] = 1; P[15] = 1; break;
        case 10: P[13] = 4; NewRoom(5); show({10}); P[12] = 2; break;
        case 11: P[13] = 1; NewRoom(17); break;
        case 12: P[13] = 2; NewRoom(17); break;
        case 13:
            show({8, 20});
            S[138] = 1;
            P[10] = 1;
            NewRoom(18);
            break;
        case 14: NewRoom(11); show({2, 3, 4}); GameState.ExitNorth[19] = 16; break;
        case 15: NewRoom(4); break;
        case 16: NewRoom(4); show({7}); P[13] = 3; break;
        case 17: NewRoom(3); show({9}); P[12] = 0; break;
        case 18: NewRoom(14); show({7}); break;
        case 19: NewRoom(1); show({19, 6, 7}); P[7] = 3; P[11] = 2; break;
        case 20: NewRoom(1); show({21}); P[7] = 4; break;
        default: break;
    }
}

}  // namespace lnf
