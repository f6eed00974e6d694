#include "world/picture_tables.h"

#include <stdexcept>

namespace lnf {

const std::array<std::array<AreaRect, 4>, kRooms + 1>& ExitAreas() {
    static constexpr std::array<std::array<AreaRect, 4>, kRooms + 1> kAreas = {{
        //  north               south                east                 west
        {},
        {{{0, 0, 0, 0}, {488, 345, 210, 55}, {0, 0, 0, 0}, {1, 274, 35, 126}}},        // 1
        {{{594, 209, 80, 46}, {0, 0, 0, 0}, {716, 316, 83, 82}, {1, 344, 100, 54}}},   // 2
        {{{0, 0, 0, 0}, {0, 0, 0, 0}, {736, 290, 64, 109}, {1, 272, 87, 130}}},        // 3
        {{{230, 0, 360, 60}, {0, 0, 0, 0}, {737, 297, 64, 103}, {0, 0, 0, 0}}},        // 4
        {{{0, 0, 0, 0}, {297, 339, 260, 63}, {0, 0, 0, 0}, {288, 16, 172, 75}}},       // 5
        {{{430, 177, 75, 70}, {125, 360, 200, 50}, {0, 0, 0, 0}, {0, 200, 80, 250}}},  // 6
        {{{0, 0, 0, 0}, {325, 310, 300, 85}, {0, 0, 0, 0}, {0, 0, 0, 0}}},             // 7
        {{{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {1, 229, 38, 171}}},               // 8
        {{{380, 120, 100, 100}, {0, 0, 0, 0}, {730, 290, 70, 80}, {1, 272, 95, 103}}}, // 9
        {{{688, 92, 60, 103}, {250, 360, 102, 37}, {763, 248, 38, 135}, {0, 0, 0, 0}}}, // 10
        {{{0, 0, 0, 0}, {327, 337, 188, 55}, {0, 0, 0, 0}, {0, 0, 0, 0}}},             // 11
        {{{290, 110, 60, 60}, {0, 0, 0, 0}, {748, 280, 50, 100}, {0, 0, 0, 0}}},       // 12
        {{{246, 118, 32, 24}, {160, 355, 190, 40}, {0, 0, 0, 0}, {0, 0, 0, 0}}},       // 13
        {{{0, 0, 0, 0}, {0, 0, 0, 0}, {750, 150, 50, 240}, {1, 150, 50, 240}}},        // 14
        {{{603, 4, 102, 243}, {0, 0, 0, 0}, {695, 326, 105, 74}, {0, 0, 0, 0}}},       // 15
        {{{0, 0, 0, 0}, {600, 67, 143, 204}, {0, 0, 0, 0}, {429, 2, 193, 106}}},       // 16
        {{{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {236, 121, 102, 167}}},            // 17
        {{{0, 0, 0, 0}, {296, 346, 210, 53}, {0, 0, 0, 0}, {0, 0, 0, 0}}},             // 18
        {{{650, 84, 120, 152}, {60, 340, 265, 50}, {0, 0, 0, 0}, {1, 240, 70, 60}}},   // 19
        {{{0, 0, 0, 0}, {315, 366, 200, 36}, {0, 0, 0, 0}, {0, 0, 0, 0}}},             // 20
        {{{77, 252, 78, 62}, {0, 0, 0, 0}, {762, 329, 33, 52}, {1, 330, 27, 43}}},     // 21
        {{{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {1, 325, 105, 70}}},               // 22
        {{{115, 150, 60, 40}, {100, 350, 270, 50}, {0, 0, 0, 0}, {0, 0, 0, 0}}},       // 23
        {{{240, 250, 80, 53}, {0, 0, 0, 0}, {772, 245, 27, 81}, {0, 0, 0, 0}}},        // 24
        {{{400, 250, 70, 14}, {430, 375, 122, 25}, {0, 0, 0, 0}, {0, 0, 0, 0}}},       // 25
        {{{0, 0, 0, 0}, {140, 370, 76, 28}, {0, 0, 0, 0}, {1, 225, 23, 119}}},         // 26
        {{{333, 230, 70, 32}, {0, 0, 0, 0}, {740, 270, 50, 100}, {0, 0, 0, 0}}},       // 27
        {{{375, 230, 105, 50}, {0, 0, 0, 0}, {0, 0, 0, 0}, {10, 350, 50, 40}}},        // 28
        {{{0, 0, 0, 0}, {150, 342, 200, 46}, {720, 80, 70, 64}, {0, 0, 0, 0}}},        // 29
        {{{85, 163, 40, 34}, {165, 360, 185, 30}, {0, 0, 0, 0}, {0, 0, 0, 0}}},        // 30
        {{{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {1, 340, 70, 60}}},                // 31
        {{{10, 210, 60, 60}, {94, 370, 152, 31}, {0, 0, 0, 0}, {0, 0, 0, 0}}},         // 32
    }};
    return kAreas;
}

bool IsStoryExit(int room, Direction direction) {
    for (const StoryExit& e : kStoryExits) {
        if (e.room == room && e.direction == direction) return true;
    }
    return false;
}

namespace {
constexpr OverlayPiece kPieces[] = {
    // room           look         piece          x    y    composed       object          shownBy           event
    {kHorseRoad,      "changed",   "p1\\051.jpg", 0,   0,   "p1\\050.jpg", 0,              HorseTransformed, true},
    {kForestAlcove,   "changed",   "p1\\071.jpg", 382, 1,   "p1\\070.jpg", kHarpByTree,    HarpStage,        false},
    {kFawnWood,       "changed-a", "p1\\141.jpg", 306, 1,   "p1\\140.jpg", kStickOnGround, StickTaken,       false},
    {kFawnWood,       "changed-b", "p1\\142.jpg", 333, 114, "p1\\140.jpg", kFawnRest,      FawnMet,          false},
    {kJubjubTree,     "changed",   "p1\\151.jpg", 58,  33,  "p1\\150.jpg", kJubjubBird,    BirdStage,        true},
    {kAlpacaParlour,  "changed",   "p1\\171.jpg", 695, 75,  "p1\\170.jpg", 0,              -1,               true},
    {kFrogDoor,       "changed",   "p1\\181.jpg", 278, 46,  "p1\\180.jpg", kDoorOfFrog,    ClawTaken,        true},
    {kMolassesPool,   "changed",   "p1\\231.jpg", 290, 117, "p1\\230.jpg", kPool,          DragonflyFreed,   false},
    {kRathsHollow,    "changed",   "p2\\291.jpg", 350, 132, "p2\\290.jpg", kRathsTrough,   RathsFed,         false},
};

constexpr ClipRect kClips[] = {
    // player       name       room         look       x    y    width  height  file
    {PlayerId::MP,  "jubjub",  kJubjubTree, "changed", 65,  16,  312,   148,    "p1\\JUBJUB.AVI"},
    {PlayerId::MP2, "catfish", kStream,     "-",       629, 212, 164,   188,    "p1\\CATFISH.AVI"},
    {PlayerId::MP3, "tree",    kAncientTree, "-",      544, 77,  91,    71,     "p2\\TREE.AVI"},
};
}  // namespace

std::span<const OverlayPiece> OverlayPieces() { return kPieces; }

const OverlayPiece* PieceOfObject(int object) {
    if (object == 0) return nullptr;
    for (const OverlayPiece& p : kPieces) {
        if (p.object == object) return &p;
    }
    return nullptr;
}

const OverlayPiece* EventPieceOfRoom(int room) {
    for (const OverlayPiece& p : kPieces) {
        if (p.room == room && p.event) return &p;
    }
    return nullptr;
}

std::span<const ClipRect> Clips() { return kClips; }

const ClipRect& ClipOf(PlayerId player) {
    for (const ClipRect& c : kClips) {
        if (c.player == player) return c;
    }
    throw std::invalid_argument("no clip plays on that player");
}

std::string FolderPath(const std::string& gameName) {
    std::string path = gameName;
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    return path;
}

}  // namespace lnf
