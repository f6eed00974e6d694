// What the player can click, drawn from the click grid itself: the outline of every object
// along its cells' outer edge, the open exits, and the order in which the keyboard visits them.
// Plain data in grid units (one cell is 1 x 1), so that the window can draw it at any size.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "world/game_state.h"
#include "world/picture_tables.h"

namespace lnf {

// A corner of the grid's lattice: (0, 0) is the picture's top-left corner, (37, 17) the
// bottom-right corner of the last cell.
struct GridPoint {
    int x = 0, y = 0;
    bool operator==(const GridPoint&) const = default;
    auto operator<=>(const GridPoint&) const = default;
};

// One closed ring round a connected part of an object, one lattice step between neighbouring
// points, the object on the right of the way round (clockwise on screen). The last point
// leads back to the first.
using OutlineRing = std::vector<GridPoint>;

// The object code under every cell the grid shows (column * 17 + row); cells past the grid
// in the room record are never drawn or clicked and are left out.
using GridCells = std::span<const uint8_t>;

// The rings round every part of the cells that hold `code`. Two parts that touch only at a
// corner get a ring each.
std::vector<OutlineRing> OutlineOf(GridCells cells, int code);

// The cell a press should land on for the object: as deep inside it as a cell can be, and of
// those the nearest to its middle. Empty when no cell holds the code.
std::optional<int> ClickCellOf(GridCells cells, int code);

// Whether a Do or a Use on the object can reach a room rule in its present state or in a
// state the story can still give it; the others only ever answer with their room texts.
bool RulesStillCare(const GameStateRecord& state, int room, int code);

struct ObjectReveal {
    int code;
    std::vector<OutlineRing> rings;
    int clickCell;
    bool live;  // RulesStillCare
};

struct ExitReveal {
    Direction direction;
    AreaRect area;  // in the 1024 x 768 reference, as the exit table gives it
};

// Something the keyboard can reach: an object (by code) or an exit (by direction).
struct KeyTarget {
    enum Kind { Object, Exit } kind;
    int code;             // Object
    Direction direction;  // Exit
    double x, y;          // where it sits, in cells, for the reading order
    bool operator==(const KeyTarget& o) const {
        return kind == o.kind && (kind == Object ? code == o.code : direction == o.direction);
    }
};

// Everything the reveal shows for one room as it stands: `exitOpen` tells which of the four
// exit areas are on screen (North, South, East, West), as the room's exits and the story's
// state leave them.
struct RoomReveal {
    std::vector<ObjectReveal> objects;  // by code
    std::vector<ExitReveal> exits;
    std::vector<KeyTarget> order;  // objects and exits in reading order
};
RoomReveal RevealRoom(GridCells cells, const GameStateRecord& state, int room, std::array<bool, 4> exitOpen);

// The middle of a cell in the grid's units, and an exit area's middle in the same units.
inline double CellMiddleX(int cell) { return cell / kGridRows + 0.5; }
inline double CellMiddleY(int cell) { return cell % kGridRows + 0.5; }

}  // namespace lnf
