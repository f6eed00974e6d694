// The one record of all saved progress, and the working values of a running game.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include "world/vocabulary.h"

namespace lnf {

constexpr int kRooms = 32;
constexpr int kItems = 21;
constexpr int kObjects = 280;  // 8 per room
constexpr int kCellsPerRecord = 645;
constexpr int kGridColumns = 37;
constexpr int kGridRows = 17;
constexpr int kRoomTextSize = 3400;

// Byte image of a saved game's body and of the start record. Every field sits at its file
// offset; the layout is checked below and must never change.
#pragma pack(push, 1)
struct GameStateRecord {
    int8_t ExitNorth[33];
    int8_t ExitSouth[33];
    int8_t ExitEast[33];
    int8_t ExitWest[33];
    int8_t Progress[28];
    uint8_t ScoreBytes[4];  // signed 32-bit, little-endian: use score()/setScore()
    int8_t ObjState[kObjects];
    int8_t HeldItem;
    int8_t Room;
    int8_t ShownRoom;
    int8_t Spare;

    int32_t score() const {
        uint32_t v = uint32_t(ScoreBytes[0]) | uint32_t(ScoreBytes[1]) << 8 |
                     uint32_t(ScoreBytes[2]) << 16 | uint32_t(ScoreBytes[3]) << 24;
        return int32_t(v);
    }
    void setScore(int32_t s) {
        uint32_t v = uint32_t(s);
        for (int i = 0; i < 4; ++i) ScoreBytes[i] = uint8_t(v >> (8 * i));
    }
    uint8_t* bytes() { return reinterpret_cast<uint8_t*>(this); }
    const uint8_t* bytes() const { return reinterpret_cast<const uint8_t*>(this); }
    void clear() { std::memset(this, 0, sizeof(*this)); }
};
#pragma pack(pop)

// The mark in front of the record in a saved game and in the start record.
constexpr std::array<uint8_t, 2> kSaveMark = {'v', '2'};

static_assert(sizeof(GameStateRecord) == 448, "the saved record is 448 bytes");
static_assert(offsetof(GameStateRecord, ExitNorth) == 0);
static_assert(offsetof(GameStateRecord, ExitSouth) == 33);
static_assert(offsetof(GameStateRecord, ExitEast) == 66);
static_assert(offsetof(GameStateRecord, ExitWest) == 99);
static_assert(offsetof(GameStateRecord, Progress) == 132);
static_assert(offsetof(GameStateRecord, ScoreBytes) == 160);
static_assert(offsetof(GameStateRecord, ObjState) == 164);
static_assert(offsetof(GameStateRecord, HeldItem) == 444);
static_assert(offsetof(GameStateRecord, Room) == 445);
static_assert(offsetof(GameStateRecord, ShownRoom) == 446);
static_assert(offsetof(GameStateRecord, Spare) == 447);

// The built-in map: room reached by each exit of room r (index 0 unused).
struct ExitMap {
    std::array<int8_t, 33> north, south, east, west;
};
const ExitMap& BuiltInExits();
void CopyBuiltInExits(GameStateRecord& s);

// The first exit on the shortest way through the open exits of `s` from room `from` to room
// `target`: its direction (0 north, 1 south, 2 east, 3 west) and the room it leads to.
struct ExitStep {
    int direction;
    int room;
};
std::optional<ExitStep> FirstStepTowards(const GameStateRecord& s, int from, int target);

// A cell of the click grid: column * 17 + row.
constexpr int CellNumber(int column, int row) { return column * kGridRows + row; }

struct Rgb {
    uint8_t r = 255, g = 255, b = 255;
    bool operator==(const Rgb&) const = default;
};

}  // namespace lnf
