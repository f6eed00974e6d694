// The numbers that a picture and the code share, each kept in one table here: the game looks
// them up, and the content compiler draws and checks the pictures from the same rows
// (`contentc --print-table NAME` prints them for the scripts).
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "platform/platform.h"
#include "world/game_state.h"

namespace lnf {

// ----- the click grid over a room picture -----
struct GridGeometry {
    int columns, rows;
    float cellWidth, cellHeight;  // in the 640 x 480 design, scaled by the screen at start
    int pictureWidth, pictureHeight;  // a room picture as drawn, in pixels
    double drawnCellWidth, drawnCellHeight;  // one cell on the drawn picture
};
constexpr GridGeometry kGrid{
    //  columns  rows  cellWidth  cellHeight  pictureWidth  pictureHeight  drawnCellWidth  drawnCellHeight
    kGridColumns, kGridRows, 13.4f, 15.0f, 792, 392, 21.44, 24.0,
};
// A drawn cell is the design cell at the 1024 x 768 reference.
static_assert(kGrid.drawnCellWidth > kGrid.cellWidth * 1.6 - 1e-4 && kGrid.drawnCellWidth < kGrid.cellWidth * 1.6 + 1e-4);
static_assert(kGrid.drawnCellHeight > kGrid.cellHeight * 1.6 - 1e-4 && kGrid.drawnCellHeight < kGrid.cellHeight * 1.6 + 1e-4);
// Part of the object that must lie over a cell for the cell to belong to it.
constexpr double kCellCoverage = 0.35;

// ----- exit areas, in the 1024 x 768 reference -----
struct AreaRect {
    int16_t left, top, width, height;
    bool operator==(const AreaRect&) const = default;
};
enum Direction { North = 0, South = 1, East = 2, West = 3 };
constexpr const char* kDirectionNames[4] = {"north", "south", "east", "west"};
// Per room (index 0 unused), the area of each direction; a zero width means no exit there.
const std::array<std::array<AreaRect, 4>, kRooms + 1>& ExitAreas();
// The exits that the story opens: their area shows only while their exit byte is not 0.
struct StoryExit {
    int room;
    Direction direction;
};
constexpr StoryExit kStoryExits[] = {
    // room          direction
    {kGoatEngine,  North},
    {kJubjubTree,  North},
    {kQueenPath,   North},
    {kFawnWood,    East},
    {kRathsHollow, East},
};
bool IsStoryExit(int room, Direction direction);

// ----- overlay pieces: the changed looks of rooms -----
// A piece is cut from the room's drawing with its changed look (the SVG group `look`) and laid
// at (x, y) over the room's picture; the composed picture is kept as `composed` for the next
// entry. A room with two pieces keeps both on one composed picture.
struct OverlayPiece {
    int room;
    const char* look;      // the SVG group that draws the changed look
    const char* piece;     // the piece's file in the game folder
    int x, y;              // where it lies, in picture pixels
    const char* composed;  // the composed picture
    int object;            // the object whose change DrawCorner draws with it (0: none)
    int shownBy;           // the progress byte that is set while the piece is shown (-1: never kept)
    bool event;            // UpDateScreen composes it as the room's event picture
};
std::span<const OverlayPiece> OverlayPieces();
// The piece that object o's change draws, or null.
const OverlayPiece* PieceOfObject(int object);
// The room's event picture for UpDateScreen, or null.
const OverlayPiece* EventPieceOfRoom(int room);

// ----- story pictures laid over a room's picture by the events and animations -----
struct EventOverlay {
    const char* name;  // the picture resource (the Jabberwock's frames add 1..10)
    int room;          // the room whose drawing it is cut from
    int x, y;          // where it lies, in picture pixels
};
//                                           name      room                x    y
constexpr EventOverlay kKnightOverlay{"knight", kHorseRoad, 0, 0};
constexpr EventOverlay kTreeOverlay{"tree", kAncientTree, 543, 45};
constexpr EventOverlay kEyesOverlay{"eyes", kMushroomRing, 362, 1};  // eyes1 and eyes2
constexpr EventOverlay kJabberwockOverlay{"j", kJabberwockCanyon, 205, 0};

// ----- video clips, drawn over their room's picture -----
struct ClipRect {
    PlayerId player;
    const char* name;  // its frame generator, content/clips/NAME.py
    int room;
    const char* look;  // the room's look under the clip ("-" for the plain picture)
    int x, y, width, height;  // in the 1024 x 768 reference, as on the picture
    const char* file;         // the clip in the game folder
};
std::span<const ClipRect> Clips();
const ClipRect& ClipOf(PlayerId player);

// The game's own spelling of a file name ("p1\\141.jpg") as a path inside the game folder.
std::string FolderPath(const std::string& gameName);

}  // namespace lnf
