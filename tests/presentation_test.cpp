// The game laid out again for another screen area (a window resized, full screen switched):
// the same layout as a game started at that size, the game itself untouched, and every click
// on the picture landing on the object the room record puts there.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "game_fixture.h"
#include "world/picture_tables.h"

namespace lnf::testing {
namespace {

// The areas the game is shown at: the smallest screen, the design, a 1920 x 1080 screen's
// 4:3 area, a 21:9 screen's (3440 x 1440) and a 4K screen's.
const ScreenSize kAreas[] = {{640, 480}, {1024, 768}, {1440, 1080}, {1920, 1440}, {2880, 2160}};
constexpr int kMenu = 22;

void ExpectSameLayout(const TGame& a, const TGame& b, const char* where) {
    SCOPED_TRACE(where);
    EXPECT_FLOAT_EQ(a.CellWidth, b.CellWidth);
    EXPECT_FLOAT_EQ(a.CellHeight, b.CellHeight);
    EXPECT_FLOAT_EQ(a.ScaleX, b.ScaleX);
    EXPECT_EQ(a.ItemStep, b.ItemStep);
    EXPECT_EQ(a.MainPanelHeight, b.MainPanelHeight);
    EXPECT_EQ(a.Image2.bounds(), b.Image2.bounds());
    const Control* pairs[][2] = {{&a.RightPanel, &b.RightPanel}, {&a.TextPanel, &b.TextPanel},
                                 {&a.ControlPanel, &b.ControlPanel}, {&a.PanelControl, &b.PanelControl},
                                 {&a.Panel3, &b.Panel3}, {&a.Look, &b.Look}, {&a.DoButton, &b.DoButton},
                                 {&a.text1, &b.text1}};
    for (auto& p : pairs) EXPECT_EQ(p[0]->bounds(), p[1]->bounds());
    const Control* arrows[][2] = {{&a.arrowN, &b.arrowN}, {&a.arrowS, &b.arrowS}, {&a.arrowE, &b.arrowE},
                                  {&a.arrowW, &b.arrowW}};
    for (auto& p : arrows) {
        EXPECT_EQ(p[0]->Visible, p[1]->Visible);
        if (p[0]->Visible) {
            EXPECT_EQ(p[0]->bounds(), p[1]->bounds());
        }
    }
    for (int n = 1; n <= kItems; ++n) {
        EXPECT_EQ(a.item[size_t(n)].Visible, b.item[size_t(n)].Visible) << "item " << n;
        if (a.item[size_t(n)].Visible) {
            EXPECT_EQ(a.item[size_t(n)].bounds(), b.item[size_t(n)].bounds()) << "item " << n;
        }
    }
}

// A game in room 1 carrying three items, the way a player has it after a while.
void Prepare(Game& g) {
    g.startAndClickOnce();
    g.game.NewRoom(1);
    for (int n : {int(kWhiteKing), 5, 12}) g.game.Display(n, true);
}

TEST(Relayout, GivesTheLayoutOfAGameStartedAtThatSize) {
    Game moved;
    Prepare(moved);
    // Round the sizes twice: a layout that scaled the cells in place again would drift.
    for (int round = 0; round < 2; ++round) {
        for (ScreenSize area : kAreas) {
            moved.game.Relayout(area, kMenu);
            Game fresh(area);
            Prepare(fresh);
            fresh.game.ArrangeControls(area.width, area.height - kMenu);
            std::string where = std::to_string(area.width) + "x" + std::to_string(area.height);
            ExpectSameLayout(moved.game, fresh.game, where.c_str());
            EXPECT_EQ(moved.app.screen.width, area.width);
        }
    }
}

TEST(Relayout, LeavesTheGameAsItWas) {
    Game g;
    Prepare(g);
    TGame& t = g.game;
    g.look(1);
    t.ChangeCursor(kDoMode);
    // A story exit that the story keeps hidden stays hidden at the new size.
    t.arrowN.Visible = false;
    const std::string message = t.text1.Caption;
    const auto state = t.GameState;
    const int mode = t.CursorMode;
    t.Relayout({1440, 1080}, kMenu);
    EXPECT_EQ(t.text1.Caption, message);
    EXPECT_EQ(t.CursorMode, mode);
    EXPECT_EQ(0, std::memcmp(&t.GameState, &state, sizeof state));
    EXPECT_FALSE(t.arrowN.Visible);
    EXPECT_GT(t.arrowN.Width, 0);  // placed all the same, for when the story shows it
    EXPECT_EQ(g.score(), state.score());  // re-placing the items scores nothing
}

TEST(Relayout, FixedPartsKeepTheirShareOfTheArea) {
    Game g;
    Prepare(g);
    TGame& t = g.game;
    t.Relayout({1440, 1080}, kMenu);
    EXPECT_DOUBLE_EQ(t.UiScale(), 1.40625);
    EXPECT_EQ(t.Look.bounds(), (Rect{0, 0, 140, 84}));
    EXPECT_EQ(t.DoButton.bounds(), (Rect{140, 0, 140, 84}));
    EXPECT_EQ(t.PanelControl.Height, 84);
    EXPECT_EQ(t.Panel3.Width, 284);
    // The picture keeps the room picture's proportions (792 x 392).
    EXPECT_NEAR(double(t.Image2.Width) / t.Image2.Height, 792.0 / 392.0, 0.01);
    // The inventory: inside its column, side by side without overlapping, at every size.
    for (ScreenSize area : kAreas) {
        t.Relayout(area, kMenu);
        std::string where = std::to_string(area.width) + "x" + std::to_string(area.height);
        for (int n : {int(kWhiteKing), 5, 12}) {
            const PictureControl& pic = t.item[size_t(n)];
            EXPECT_LE(pic.Left + pic.Width, t.RightPanel.Width) << where << " item " << n;
            EXPECT_LE(pic.Width, t.ItemStep) << where;
            EXPECT_LE(pic.Height, t.ItemStep) << where;
        }
    }
}

TEST(Relayout, IntroKeepsTheDesignsProportions) {
    for (ScreenSize area : {ScreenSize{640, 480}, ScreenSize{1440, 1080}}) {
        Game g(area);
        TIntro& in = *g.app.Intro;
        // The backdrop picture (1024 x 648) is neither squeezed nor cut, the slide sits on it.
        EXPECT_NEAR(double(in.BKG.Width) / in.BKG.Height, 1024.0 / 648.0, 0.01) << area.width;
        EXPECT_NEAR(double(in.Image1.Width) / in.Image1.Height, 500.0 / 300.0, 0.01);
        EXPECT_NEAR(double(in.Image1.Width) / area.width, 500.0 / 1024.0, 0.01);
        EXPECT_GE(in.Image1.Top, 0);
        EXPECT_LE(in.Image1.Top + in.Image1.Height, in.BKG.Height);
        EXPECT_EQ(in.Panel1.Top + in.Panel1.Height, area.height);
        EXPECT_LE(in.Panel2.Width, area.width / 4);
    }
}

// Every cell of every room, clicked at the centre of where it is drawn on the picture at
// each size, names the object the room record puts under that cell.
TEST(Relayout, ClicksLandOnTheRecordedObjectAtEverySize) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    std::vector<uint8_t> records = g.files.readPart("2grdata.", 0, size_t(kRooms) * kCellsPerRecord);
    ASSERT_EQ(records.size(), size_t(kRooms) * kCellsPerRecord);
    for (ScreenSize area : {ScreenSize{640, 480}, ScreenSize{1024, 768}, ScreenSize{1440, 1080}, ScreenSize{1920, 1440}}) {
        t.Relayout(area, kMenu);
        // The picture's pixels per drawn cell at this size.
        const double cellW = kGrid.drawnCellWidth * t.Image2.Width / kGrid.pictureWidth;
        const double cellH = kGrid.drawnCellHeight * t.Image2.Height / kGrid.pictureHeight;
        int wrong = 0;
        for (int room = 1; room <= kRooms; ++room) {
            t.NewRoom(room);
            t.ChangeCursor(kLookMode);
            for (int col = 0; col < kGridColumns; ++col) {
                for (int row = 0; row < kGridRows; ++row) {
                    const int cell = CellNumber(col, row);
                    // The middle of the part of the cell that is on the picture: the last
                    // row and column reach past its edge.
                    const double right = std::min((col + 1) * cellW, double(t.Image2.Width));
                    const double bottom = std::min((row + 1) * cellH, double(t.Image2.Height));
                    const int x = int((col * cellW + right) / 2), y = int((row * cellH + bottom) / 2);
                    ASSERT_LT(x, t.Image2.Width);
                    ASSERT_LT(y, t.Image2.Height);
                    t.ClickedCell = -1;
                    t.text1.Caption = "-";
                    g.pressAt(x, y);
                    const int code = records[size_t(room - 1) * kCellsPerRecord + size_t(cell)];
                    std::string expected = "-";
                    if (code >= 1 && code <= 8) {
                        int o = ObjectNumber(room, code);
                        expected = t.MemoLine((code - 1) + 8 * t.GameState.ObjState[size_t(o)]);
                    }
                    if (t.ClickedCell != cell || t.text1.Caption != expected) {
                        if (++wrong <= 5)
                            ADD_FAILURE() << area.width << "x" << area.height << " room " << room << " cell " << cell
                                          << " (" << x << ", " << y << ") hit cell " << t.ClickedCell;
                    }
                }
            }
        }
        EXPECT_EQ(wrong, 0) << area.width << "x" << area.height;
    }
}

}  // namespace
}  // namespace lnf::testing
