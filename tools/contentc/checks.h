// Checks that a room picture draws what the game needs where the game needs it: each way out
// inside its exit area, and every object a rule acts on large enough to click.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "rooms.h"

namespace contentc {

// Every exit of the room needs a group `exit-north` (`-south`, `-east`, `-west`, any further
// suffix after a hyphen allowed) around the drawn way out; at least half of what the group
// draws must lie inside the exit area. A mark for an exit the room does not have is an error.
void CheckExitMarks(int room, const std::string& svgFile, const std::string& svgText, Diagnostics& diag);

// Every object a rule of the room acts on covers at least kMinTargetCells cells of the grid.
constexpr int kMinTargetCells = 6;
void CheckTargetSizes(int room, const std::array<uint8_t, lnf::kCellsPerRecord>& cells, const std::string& svgFile,
                      Diagnostics& diag);

// The picture checks alone, on one SVG taken as room `room` (the click grid, the exit marks and
// the target sizes); returns the number of errors. For drawing and for the compiler's tests.
int CheckRoomPicture(int room, const std::string& svgFile);

}  // namespace contentc
