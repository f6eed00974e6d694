#include "world/game_state.h"

#include <queue>

namespace lnf {

const ExitMap& BuiltInExits() {
    static const ExitMap map = [] {
        ExitMap m{};
        // room: north, south, east, west
        static const int8_t rows[33][4] = {
            {0, 0, 0, 0},     {0, 10, 0, 15},  {17, 0, 22, 9},  {0, 0, 21, 4},   {5, 0, 3, 0},
            {0, 4, 0, 6},     {0, 5, 0, 12},   {0, 9, 0, 0},    {0, 0, 0, 14},   {7, 0, 2, 21},
            {1, 13, 14, 0},   {0, 16, 0, 0},   {19, 0, 6, 0},   {10, 23, 0, 0},  {0, 0, 0, 10},
            {0, 0, 1, 0},     {0, 19, 0, 11},  {0, 0, 0, 2},    {0, 21, 0, 0},   {0, 12, 0, 24},
            {0, 15, 0, 0},    {18, 0, 9, 3},   {0, 0, 0, 2},    {13, 25, 0, 0},  {25, 0, 19, 0},
            {23, 24, 0, 0},   {0, 27, 0, 6},   {26, 0, 28, 0},  {30, 0, 0, 27},  {0, 32, 0, 0},
            {32, 28, 0, 0},   {0, 0, 0, 29},   {29, 30, 0, 0},
        };
        for (int r = 0; r <= 32; ++r) {
            m.north[r] = rows[r][0];
            m.south[r] = rows[r][1];
            m.east[r] = rows[r][2];
            m.west[r] = rows[r][3];
        }
        return m;
    }();
    return map;
}

void CopyBuiltInExits(GameStateRecord& s) {
    const ExitMap& m = BuiltInExits();
    std::memcpy(s.ExitNorth, m.north.data(), 33);
    std::memcpy(s.ExitSouth, m.south.data(), 33);
    std::memcpy(s.ExitEast, m.east.data(), 33);
    std::memcpy(s.ExitWest, m.west.data(), 33);
}

std::optional<ExitStep> FirstStepTowards(const GameStateRecord& s, int from, int target) {
    if (from < 1 || from > kRooms || target < 1 || target > kRooms || from == target) return std::nullopt;
    // Breadth first, so the way found is a shortest one; first[r] is the exit out of `from`
    // that leads toward r.
    std::array<std::optional<ExitStep>, kRooms + 1> first{};
    std::array<bool, kRooms + 1> seen{};
    std::queue<int> q;
    q.push(from);
    seen[size_t(from)] = true;
    const int8_t* exits[4] = {s.ExitNorth, s.ExitSouth, s.ExitEast, s.ExitWest};
    while (!q.empty()) {
        int r = q.front();
        q.pop();
        for (int d = 0; d < 4; ++d) {
            int to = exits[d][r];
            if (to < 1 || to > kRooms || seen[size_t(to)]) continue;
            seen[size_t(to)] = true;
            first[size_t(to)] = r == from ? ExitStep{d, to} : first[size_t(r)];
            if (to == target) return first[size_t(to)];
            q.push(to);
        }
    }
    return std::nullopt;
}

}  // namespace lnf
