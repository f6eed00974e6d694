// The hotspot outlines against every room's cell record, and playing without a mouse through
// the real handlers on the shipped data.
#include <algorithm>
#include <set>

#include "game_fixture.h"
#include "interaction/keyboard_play.h"
#include "interaction/reveal.h"

namespace lnf {
namespace {

using testing::Game;

// An undirected side of a cell, as its two lattice corners in order.
using Side = std::pair<GridPoint, GridPoint>;
Side MakeSide(GridPoint a, GridPoint b) { return a < b ? Side{a, b} : Side{b, a}; }

bool Holds(const std::vector<uint8_t>& cells, int c, int r, int code) {
    return c >= 0 && r >= 0 && c < kGridColumns && r < kGridRows && cells[size_t(CellNumber(c, r))] == code;
}

// Every side between a cell of the object and a cell (or the edge) that is not, worked out
// straight from the cells.
std::set<Side> BoundarySides(const std::vector<uint8_t>& cells, int code) {
    std::set<Side> sides;
    for (int c = 0; c < kGridColumns; ++c) {
        for (int r = 0; r < kGridRows; ++r) {
            if (!Holds(cells, c, r, code)) continue;
            if (!Holds(cells, c, r - 1, code)) sides.insert(MakeSide({c, r}, {c + 1, r}));
            if (!Holds(cells, c, r + 1, code)) sides.insert(MakeSide({c, r + 1}, {c + 1, r + 1}));
            if (!Holds(cells, c - 1, r, code)) sides.insert(MakeSide({c, r}, {c, r + 1}));
            if (!Holds(cells, c + 1, r, code)) sides.insert(MakeSide({c + 1, r}, {c + 1, r + 1}));
        }
    }
    return sides;
}

// Checks the rings of one object against its cells; returns the number of rings.
size_t CheckOutline(const std::vector<uint8_t>& cells, int code, const std::string& where) {
    std::vector<OutlineRing> rings = OutlineOf(cells, code);
    std::set<Side> drawn;
    for (const OutlineRing& ring : rings) {
        EXPECT_GE(ring.size(), 4u) << where;
        for (size_t i = 0; i < ring.size(); ++i) {
            GridPoint a = ring[i], b = ring[(i + 1) % ring.size()];
            int dx = b.x - a.x, dy = b.y - a.y;
            EXPECT_EQ(std::abs(dx) + std::abs(dy), 1) << where << ": a ring jumps from (" << a.x << "," << a.y << ")";
            if (std::abs(dx) + std::abs(dy) != 1) continue;
            // The cell on the right of the way round is the object's, the one on the left not.
            int rightC = dx == 1 ? a.x : dx == -1 ? a.x - 1 : dy == 1 ? a.x - 1 : a.x;
            int rightR = dx == 1 ? a.y : dx == -1 ? a.y - 1 : dy == 1 ? a.y : a.y - 1;
            int leftC = rightC + (dy == 1 ? 1 : dy == -1 ? -1 : 0), leftR = rightR + (dx == 1 ? -1 : dx == -1 ? 1 : 0);
            EXPECT_TRUE(Holds(cells, rightC, rightR, code)) << where << ": outline side without the object inside";
            EXPECT_FALSE(Holds(cells, leftC, leftR, code)) << where << ": outline side inside the object";
            EXPECT_TRUE(drawn.insert(MakeSide(a, b)).second) << where << ": an outline side drawn twice";
        }
    }
    EXPECT_EQ(drawn, BoundarySides(cells, code)) << where << ": outline and cell boundary differ";
    return rings.size();
}

std::vector<uint8_t> EmptyGrid() { return std::vector<uint8_t>(size_t(kGridColumns * kGridRows), 0); }
void Put(std::vector<uint8_t>& g, int c, int r, int code) { g[size_t(CellNumber(c, r))] = uint8_t(code); }

TEST(HotspotOutline, FollowsEveryObjectOfEveryRoomAlongItsCells) {
    Game g;
    g.start();
    int objects = 0;
    for (int room = 1; room <= kRooms; ++room) {
        g.app.guard([&] { g.game.NewRoom(room); });
        ASSERT_EQ(g.game.GameState.Room, room);
        std::vector<uint8_t> cells(g.game.RoomCells.begin(), g.game.RoomCells.begin() + kGridColumns * kGridRows);
        for (int code = 1; code <= 8; ++code) {
            if (std::find(cells.begin(), cells.end(), code) == cells.end()) continue;
            ++objects;
            std::string where = "room " + std::to_string(room) + " code " + std::to_string(code);
            EXPECT_GE(CheckOutline(cells, code, where), 1u) << where;
            std::optional<int> cell = ClickCellOf(cells, code);
            ASSERT_TRUE(cell) << where;
            EXPECT_EQ(cells[size_t(*cell)], code) << where << ": the keyboard would press beside the object";
        }
    }
    EXPECT_GT(objects, 100);  // the rooms were really read
}

TEST(HotspotOutline, ShapesThatTrapASimpleTracer) {
    {  // two cells touching only at a corner are two parts with a ring each
        auto cells = EmptyGrid();
        Put(cells, 3, 3, 1);
        Put(cells, 4, 4, 1);
        EXPECT_EQ(CheckOutline(cells, 1, "diagonal pair"), 2u);
    }
    {  // a ring of cells round a hole: the outer edge and the hole's edge
        auto cells = EmptyGrid();
        for (int c = 5; c <= 7; ++c)
            for (int r = 5; r <= 7; ++r) Put(cells, c, r, 2);
        Put(cells, 6, 6, 3);
        EXPECT_EQ(CheckOutline(cells, 2, "ring"), 2u);
        EXPECT_EQ(CheckOutline(cells, 3, "hole"), 1u);
        // Pressed on the ring itself, never on the hole in its middle.
        std::optional<int> cell = ClickCellOf(cells, 2);
        ASSERT_TRUE(cell);
        EXPECT_EQ(cells[size_t(*cell)], 2);
    }
    {  // a hole whose corner touches the outside: a pinch point on the outline
        auto cells = EmptyGrid();
        for (int c = 10; c <= 12; ++c)
            for (int r = 0; r <= 2; ++r) Put(cells, c, r, 4);
        Put(cells, 11, 1, 0);
        Put(cells, 12, 2, 0);
        CheckOutline(cells, 4, "pinched hole");
    }
    {  // the picture's corners and edges close an object's outline
        auto cells = EmptyGrid();
        Put(cells, 0, 0, 5);
        for (int r = 0; r < kGridRows; ++r) Put(cells, kGridColumns - 1, r, 6);
        EXPECT_EQ(CheckOutline(cells, 5, "top-left corner"), 1u);
        EXPECT_EQ(CheckOutline(cells, 6, "right edge"), 1u);
        EXPECT_EQ(OutlineOf(cells, 6).front().size(), size_t(2 * (kGridRows + 1)));
    }
    {  // cells past the grid in the room record are never drawn
        std::vector<uint8_t> record(size_t(kCellsPerRecord), 0);
        for (size_t i = size_t(kGridColumns * kGridRows); i < record.size(); ++i) record[i] = 7;
        EXPECT_TRUE(OutlineOf(record, 7).empty());
        EXPECT_FALSE(ClickCellOf(record, 7));
    }
}

TEST(HotspotOutline, TheKeyboardPressesDeepInsideAnObject) {
    auto cells = EmptyGrid();
    for (int c = 0; c < 5; ++c)
        for (int r = 0; r < 5; ++r) Put(cells, 20 + c, 4 + r, 1);
    EXPECT_EQ(ClickCellOf(cells, 1), CellNumber(22, 6));
    // A U whose middle lies outside it: still a cell of the object.
    auto u = EmptyGrid();
    for (int r = 0; r < 6; ++r) Put(u, 1, r, 2), Put(u, 5, r, 2);
    for (int c = 1; c <= 5; ++c) Put(u, c, 5, 2);
    std::optional<int> cell = ClickCellOf(u, 2);
    ASSERT_TRUE(cell);
    EXPECT_EQ(u[size_t(*cell)], 2);
}

TEST(HotspotReveal, FollowsTheRoomsStateExitsAndRules) {
    Game g;
    g.startAndClickOnce();
    KeyboardPlay keys(g.game);
    // The flower garden at the start: its objects, and its two exits in the table.
    RoomReveal r = keys.reveal();
    EXPECT_EQ(r.objects.size() + r.exits.size(), r.order.size());
    std::set<int> dirs;
    for (const ExitReveal& e : r.exits) dirs.insert(e.direction);
    EXPECT_EQ(dirs, (std::set<int>{North, East}));
    auto live = [&](int code) {
        for (const ObjectReveal& o : keys.reveal().objects)
            if (o.code == code) return o.live;
        ADD_FAILURE() << "no object " << code;
        return false;
    };
    EXPECT_TRUE(live(2));  // the rose still has something to say
    EXPECT_TRUE(live(5));  // the leaves have nothing yet, but will once the rose has talked
    g.S(kRose) = 2;         // ... until her story is done
    EXPECT_FALSE(live(2));
    // A story exit shows only once the story opens it.
    g.walkTo(kJubjubTree);
    auto hasNorth = [&] {
        for (const ExitReveal& e : keys.reveal().exits)
            if (e.direction == North) return true;
        return false;
    };
    EXPECT_FALSE(hasNorth());
    g.game.GameState.ExitNorth[kJubjubTree] = 1;
    g.app.guard([&] { g.game.SetArrows(); });
    EXPECT_TRUE(hasNorth());
    // Reading order: row by row, left to right.
    std::vector<KeyTarget> order = keys.reveal().order;
    for (size_t i = 1; i < order.size(); ++i) {
        int ra = int(order[i - 1].y), rb = int(order[i].y);
        EXPECT_TRUE(ra < rb || (ra == rb && order[i - 1].x <= order[i].x)) << "target " << i << " is out of order";
    }
}

// The position of a target in the room's reading order.
size_t PlaceOf(KeyboardPlay& keys, KeyTarget t) {
    std::vector<KeyTarget> order = keys.reveal().order;
    return size_t(std::find(order.begin(), order.end(), t) - order.begin());
}

void HighlightObject(KeyboardPlay& keys, int code) {
    KeyTarget want{KeyTarget::Object, code, North, 0, 0};
    for (size_t i = 0; i < 40 && keys.highlighted() != want; ++i) keys.move(1);
    ASSERT_EQ(keys.highlighted(), want) << "object " << code << " is never highlighted";
}

TEST(KeyboardPlay, TheHighlightWalksRoundAndStartsAgainInANewRoom) {
    Game g;
    g.startAndClickOnce();
    KeyboardPlay keys(g.game);
    EXPECT_FALSE(keys.highlighted());
    std::vector<KeyTarget> order = keys.reveal().order;
    ASSERT_GE(order.size(), 3u);
    keys.move(-1);
    EXPECT_EQ(keys.highlighted(), order.back());  // backwards from nothing: the last
    keys.move(1);
    EXPECT_EQ(keys.highlighted(), order.front());  // round from the last to the first
    keys.move(1);
    EXPECT_EQ(keys.highlighted(), order[1]);
    // Through an exit by keys: the highlight does not follow into the next room.
    KeyTarget east{KeyTarget::Exit, 0, East, 0, 0};
    while (keys.highlighted() != east) keys.move(1);
    g.app.guard([&] { EXPECT_TRUE(keys.activate()); });
    EXPECT_EQ(g.game.GameState.Room, BuiltInExits().east[4]);
    EXPECT_FALSE(keys.highlighted());
    keys.move(1);
    EXPECT_EQ(PlaceOf(keys, *keys.highlighted()), 0u);
}

TEST(KeyboardPlay, EnterActsAsAPressInTheCurrentMode) {
    Game g;
    g.start();
    KeyboardPlay keys(g.game);
    // The first press only shows the opening narrative, whatever is highlighted.
    HighlightObject(keys, 2);
    g.app.guard([&] { EXPECT_TRUE(keys.activate()); });
    EXPECT_FALSE(g.game.FirstClickHint);
    EXPECT_EQ(g.message(), g.app.text("hint"));
    // Look: the object's look line, as a press on it gives.
    g.look(3);
    std::string byMouse = g.message();
    g.game.text1.Caption.clear();
    HighlightObject(keys, 3);
    g.app.guard([&] { keys.activate(); });
    EXPECT_EQ(g.message(), byMouse);
    EXPECT_FALSE(byMouse.empty());
    // Nothing highlighted, nothing done.
    keys.hideHighlight();
    g.app.guard([&] { EXPECT_FALSE(keys.activate()); });
}

TEST(KeyboardPlay, EnterPressesContinueWhileAPictureWaits) {
    Game g;
    g.startAndClickOnce();
    KeyboardPlay keys(g.game);
    g.app.guard([&] { g.game.NewRoom(1); });
    g.P(MainStage) = 1;
    // The kettle's picture waits for "Continue"; Enter gives it, with the kettle highlighted
    // or not, and no second Do reaches the kettle meanwhile.
    g.autoContinue = false;
    int enters = 0;
    bool pressing = false;  // the press lets pending events run, which come back here
    g.platform.onIdle = [&] {
        if (pressing || !g.game.WaitingForContinue || !g.game.Next1.Visible || g.game.Next1.Tag != 0) return;
        pressing = true;
        ++enters;
        EXPECT_TRUE(keys.activate());
        pressing = false;
    };
    g.doOn(3);
    g.platform.onIdle = nullptr;
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(g.P(MainStage), 2);
    EXPECT_FALSE(g.game.WaitingForContinue);
}

TEST(KeyboardPlay, DigitsPickCarriedItemsInTheInventorysOrder) {
    Game g;
    g.startAndClickOnce();
    KeyboardPlay keys(g.game);
    g.app.guard([&] { keys.digit(1); });
    EXPECT_EQ(g.game.CursorMode, kLookMode);  // nothing carried: nothing picked
    for (int n : {kStick, kThread, kBottle}) g.app.guard([&] { g.game.Display(n, true); });
    std::vector<int> shown;
    for (int p = 1; keys.carriedItem(p); ++p) shown.push_back(keys.carriedItem(p));
    ASSERT_EQ(shown.size(), 3u);
    g.app.guard([&] { keys.digit(2); });
    EXPECT_EQ(g.game.CursorMode, shown[1]);
    g.app.guard([&] { keys.digit(4); });  // past the carried ones: the cursor stays
    EXPECT_EQ(g.game.CursorMode, shown[1]);
    // The key pair: 0 then a digit counts from the tenth; too far picks nothing, and the pair
    // is over after its second key.
    g.app.guard([&] { keys.digit(0); });
    EXPECT_TRUE(keys.pairPending());
    g.app.guard([&] { keys.digit(1); });
    EXPECT_FALSE(keys.pairPending());
    EXPECT_EQ(g.game.CursorMode, shown[1]);
    g.app.guard([&] { keys.digit(3); });
    EXPECT_EQ(g.game.CursorMode, shown[2]);
    // Picking works as a click on the picture: the thread held, the stick's key ties them.
    int thread = int(std::find(shown.begin(), shown.end(), int(kThread)) - shown.begin()) + 1;
    int stick = int(std::find(shown.begin(), shown.end(), int(kStick)) - shown.begin()) + 1;
    g.app.guard([&] { keys.digit(thread); });
    g.app.guard([&] { keys.digit(stick); });
    EXPECT_TRUE(g.game.Vis(kFishingRod));
    EXPECT_EQ(g.game.CursorMode, kFishingRod);
}

TEST(KeyboardPlay, FromTheFirstRoomThroughTheFirstConversation) {
    Game g;
    g.start();
    KeyboardPlay keys(g.game);
    g.app.guard([&] { keys.activate(); });  // the opening narrative
    g.app.guard([&] { g.game.DoButtonClick(); });
    // As the walkthrough begins: Do on the rose, who talks.
    HighlightObject(keys, 2);
    int before = g.score();
    g.app.guard([&] { keys.activate(); });
    EXPECT_FALSE(g.shownLines.empty()) << "no conversation was held";
    EXPECT_FALSE(g.platform.isOpen(WindowId::CloseUp));
    EXPECT_NE(g.game.GameState.ObjState[kRose], 0);
    EXPECT_GE(g.score(), before);
}

}  // namespace
}  // namespace lnf
