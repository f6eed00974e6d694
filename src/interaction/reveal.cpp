#include "interaction/reveal.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <map>

#include "interaction/tables.h"

namespace lnf {

namespace {

constexpr int kShownCells = kGridColumns * kGridRows;

bool Holds(GridCells cells, int column, int row, int code) {
    if (column < 0 || row < 0 || column >= kGridColumns || row >= kGridRows) return false;
    size_t cell = size_t(CellNumber(column, row));
    return cell < cells.size() && cells[cell] == code;
}

struct Step {
    GridPoint from, to;
};

// Right, straight on, left, as seen going along `d` on screen (y grows downwards).
std::array<GridPoint, 3> TurnsFrom(GridPoint d) {
    GridPoint right{-d.y, d.x}, left{d.y, -d.x};
    return {right, d, left};
}

}  // namespace

std::vector<OutlineRing> OutlineOf(GridCells cells, int code) {
    // Every side of an object's cell that borders a cell of something else (or the picture's
    // edge), walked clockwise so that the object is on the right.
    std::multimap<GridPoint, GridPoint> outgoing;
    for (int c = 0; c < kGridColumns; ++c) {
        for (int r = 0; r < kGridRows; ++r) {
            if (!Holds(cells, c, r, code)) continue;
            if (!Holds(cells, c, r - 1, code)) outgoing.insert({{c, r}, {c + 1, r}});
            if (!Holds(cells, c + 1, r, code)) outgoing.insert({{c + 1, r}, {c + 1, r + 1}});
            if (!Holds(cells, c, r + 1, code)) outgoing.insert({{c + 1, r + 1}, {c, r + 1}});
            if (!Holds(cells, c - 1, r, code)) outgoing.insert({{c, r + 1}, {c, r}});
        }
    }
    std::vector<OutlineRing> rings;
    auto take = [&](GridPoint from, GridPoint to) {
        auto [lo, hi] = outgoing.equal_range(from);
        for (auto it = lo; it != hi; ++it) {
            if (it->second == to) {
                outgoing.erase(it);
                return true;
            }
        }
        return false;
    };
    while (!outgoing.empty()) {
        GridPoint start = outgoing.begin()->first, next = outgoing.begin()->second;
        outgoing.erase(outgoing.begin());
        OutlineRing ring{start};
        GridPoint at = next, d{next.x - start.x, next.y - start.y};
        while (!(at == start)) {
            ring.push_back(at);
            // Where two parts meet at a corner, turning right keeps each ring round its own
            // part; an edge is always there to take, since every corner has as many sides
            // leaving as arriving.
            bool moved = false;
            for (GridPoint t : TurnsFrom(d)) {
                GridPoint to{at.x + t.x, at.y + t.y};
                if (take(at, to)) {
                    at = to;
                    d = t;
                    moved = true;
                    break;
                }
            }
            if (!moved) break;  // cannot happen on a closed boundary; never loop forever
        }
        rings.push_back(std::move(ring));
    }
    return rings;
}

std::optional<int> ClickCellOf(GridCells cells, int code) {
    // Depth: the steps from a cell to the nearest cell that is not the object's, so that a
    // press on the chosen cell is never on the object's frayed edge.
    std::array<int, kShownCells> depth;
    depth.fill(-1);
    std::deque<int> queue;
    double sumX = 0, sumY = 0;
    int count = 0;
    for (int cell = 0; cell < kShownCells; ++cell) {
        int c = cell / kGridRows, r = cell % kGridRows;
        if (!Holds(cells, c, r, code)) continue;
        sumX += c;
        sumY += r;
        ++count;
        bool edge = !Holds(cells, c - 1, r, code) || !Holds(cells, c + 1, r, code) || !Holds(cells, c, r - 1, code) ||
                    !Holds(cells, c, r + 1, code);
        if (edge) {
            depth[size_t(cell)] = 1;
            queue.push_back(cell);
        }
    }
    if (count == 0) return std::nullopt;
    while (!queue.empty()) {
        int cell = queue.front();
        queue.pop_front();
        int c = cell / kGridRows, r = cell % kGridRows;
        for (auto [dc, dr] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
            if (!Holds(cells, c + dc, r + dr, code)) continue;
            int n = CellNumber(c + dc, r + dr);
            if (depth[size_t(n)] >= 0) continue;
            depth[size_t(n)] = depth[size_t(cell)] + 1;
            queue.push_back(n);
        }
    }
    double midX = sumX / count, midY = sumY / count;
    int best = -1;
    double bestDistance = 0;
    for (int cell = 0; cell < kShownCells; ++cell) {
        if (depth[size_t(cell)] < 0) continue;
        double dx = cell / kGridRows - midX, dy = cell % kGridRows - midY, distance = dx * dx + dy * dy;
        if (best < 0 || depth[size_t(cell)] > depth[size_t(best)] ||
            (depth[size_t(cell)] == depth[size_t(best)] && distance < bestDistance)) {
            best = cell;
            bestDistance = distance;
        }
    }
    return best;
}

bool RulesStillCare(const GameStateRecord& state, int room, int code) {
    if (room < 1 || room > kRooms || code < 1 || code > 8) return false;
    int now = state.ObjState[ObjectNumber(room, code)];
    // The states still ahead of it: the present one and every later one the story gives it.
    std::vector<int> ahead{now};
    int last = now;
    for (const ObjectStates& o : RuleObjects()) {
        if (o.room != room || o.code != code) continue;
        for (int s : o.states) {
            if (s > now) ahead.push_back(s);
            last = std::max(last, s);
        }
    }
    const TableRow& doRow = DoTable(room);
    const TableRow& useRow = UseTable(room);
    const bool usable = code <= 5 && std::find(useRow.begin(), useRow.end(), code) != useRow.end();
    for (int s : ahead) {
        int line = (code - 1) + 8 * s + 24;
        if (std::find(doRow.begin(), doRow.end(), line) != doRow.end()) return true;
        // An item can still be used on it until it reaches the last state the rules give it
        // (one with a single state takes items for ever).
        if (usable && (s < last || last == 0)) return true;
    }
    return false;
}

RoomReveal RevealRoom(GridCells cells, const GameStateRecord& state, int room, std::array<bool, 4> exitOpen) {
    RoomReveal reveal;
    for (int code = 1; code <= 8; ++code) {
        std::optional<int> cell = ClickCellOf(cells, code);
        if (!cell) continue;
        reveal.objects.push_back({code, OutlineOf(cells, code), *cell, RulesStillCare(state, room, code)});
        reveal.order.push_back({KeyTarget::Object, code, North, CellMiddleX(*cell), CellMiddleY(*cell)});
    }
    if (room >= 1 && room <= kRooms) {
        for (int d = North; d <= West; ++d) {
            AreaRect a = ExitAreas()[size_t(room)][size_t(d)];
            if (!exitOpen[size_t(d)] || a.width == 0) continue;
            reveal.exits.push_back({Direction(d), a});
            double x = (a.left + a.width / 2.0) / kGrid.drawnCellWidth, y = (a.top + a.height / 2.0) / kGrid.drawnCellHeight;
            reveal.order.push_back({KeyTarget::Exit, 0, Direction(d), x, y});
        }
    }
    // Reading order: row of cells by row of cells, left to right within a row.
    std::stable_sort(reveal.order.begin(), reveal.order.end(), [](const KeyTarget& a, const KeyTarget& b) {
        int ra = int(std::floor(a.y)), rb = int(std::floor(b.y));
        if (ra != rb) return ra < rb;
        return a.x < b.x;
    });
    return reveal;
}

}  // namespace lnf
