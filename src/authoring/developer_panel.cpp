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
    int s = o >= 0 && o < kObjects ? GameState.ObjState[o] : 0;
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
    GameState.Progress[MainStage] = kJabberwockAnswered;
    GameState.ObjState[kMushrooms] = 1;
    GameState.ExitEast[kRathsHollow] = kJabberwockCanyon;
    Display(kSword, true);
    NewRoom(kAncientTree);
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
        case 1: NewRoom(kMolassesPool); show({kBottle}); P[BottleStage] = kBottleFilled; break;
        case 2: NewRoom(kJabberwockCanyon); show({kSword}); break;
        case 3: NewRoom(kRathsHollow); show({kCorn}); break;
        case 4: NewRoom(kToveBurrow); show({kCheese}); break;
        case 5: NewRoom(kHumptyWall); show({kHorseHair}); break;
        case 6: NewRoom(kQueenPath); S[kWhiteQueen] = 1; break;
        case 7: NewRoom(kGoldenMountain); S[kCheeseMountain] = 1; break;
        case 8: NewRoom(kFrogDoor); show({kCheese}); break;
        case 9: NewRoom(kGoatEngine); show({kTicket}); P[SwordGiven] = 1; P[ChessPieces] = 1; break;
        case 10:
            P[AlpacaStage] = kSunSongLearned;
            NewRoom(kHorseRoad);
            show({kRosePetal});
            P[EggWhiteStage] = kEggWhiteOnPetal;
            break;
        case 11: P[AlpacaStage] = 1; NewRoom(kAlpacaParlour); break;
        case 12: P[AlpacaStage] = kHairGiven; NewRoom(kAlpacaParlour); break;
        case 13:
            show({kCheese, kLeaf});
            S[kDoorOfFrog] = 1;
            P[ClawTaken] = 1;
            NewRoom(kFrogDoor);
            break;
        case 14:
            NewRoom(kBalcony);
            show({kKitten, kWhiteKing, kBrownKnight});
            GameState.ExitNorth[kQueenPath] = kStairToBalcony;
            break;
        case 15: NewRoom(kFlowerGarden); break;
        case 16: NewRoom(kFlowerGarden); show({kHarp}); P[AlpacaStage] = kTransformingFormulaTold; break;
        case 17: NewRoom(kHumptyWall); show({kNote}); P[EggWhiteStage] = 0; break;
        case 18: NewRoom(kFawnWood); show({kHarp}); break;
        case 19:
            NewRoom(kCabin);
            show({kWhisker, kWing, kHarp});
            P[MainStage] = kClarifyingFormulaTold;
            P[HarpStage] = kHarpOfTheWindsLearned;
            break;
        case 20: NewRoom(kCabin); show({kKitty}); P[MainStage] = kBrewComplete; break;
        default: break;
    }
}

}  // namespace lnf
