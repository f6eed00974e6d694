// The game window's layout, the map walked through the exit areas, the doors, room data and
// the composed pictures.
#include <fstream>

#include "game_fixture.h"
#include "interaction/tables.h"
#include "pictures/jpeg.h"
#include "world/shifted_text.h"

using lnf::testing::Game;
using namespace lnf;

TEST(Layout, FittedToTheScreenAsDesigned) {
    {
        Game g({640, 480});
        TGame& t = g.game;
        EXPECT_FLOAT_EQ(t.ScaleX, 0.625f);
        EXPECT_FLOAT_EQ(t.ScaleY, 0.625f);
        EXPECT_EQ(t.Image2.Width, 495);
        EXPECT_EQ(t.Image2.Height, 245);
        EXPECT_EQ(t.MainPanelHeight, 267);
        EXPECT_EQ(t.RightPanel.Width, 123);
        EXPECT_EQ(t.Label3.Caption, "123");
        EXPECT_EQ(t.TextPanel.Width, 517);
        EXPECT_EQ(t.TextPanel.Height, 140);
        EXPECT_FLOAT_EQ(t.CellWidth, 13.4f);
        EXPECT_FLOAT_EQ(t.CellHeight, 15.0f);
        // From the window's design width (48), then shrunk with the pictures it spaces, so
        // that the third column stays inside the 123-pixel panel.
        EXPECT_EQ(t.ItemStep, 30);
    }
    {
        Game g({1024, 768});
        TGame& t = g.game;
        EXPECT_FLOAT_EQ(t.ScaleX, 1.0f);
        EXPECT_EQ(t.Image2.Width, 792);
        EXPECT_EQ(t.Image2.Height, 392);
        EXPECT_EQ(t.MainPanelHeight, 414);
        EXPECT_EQ(t.RightPanel.Width, 210);
        EXPECT_NEAR(t.CellWidth, 21.44f, 0.001f);
        EXPECT_NEAR(t.CellHeight, 24.0f, 0.001f);
        EXPECT_EQ(t.ItemStep, 48);
        // The panels tile the window: the picture's frame and the inventory column meet.
        EXPECT_EQ(t.MainPanel.Width + t.RightPanel.Width, 1024);
    }
}

TEST(Layout, StartShowsRoomFourTheHintAndTheMenus) {
    Game g;
    g.start();
    TGame& t = g.game;
    EXPECT_EQ(t.GameState.Room, 4);
    EXPECT_EQ(t.GameState.ShownRoom, 4);
    EXPECT_EQ(t.Image2.Picture.width, 792);
    EXPECT_EQ(t.Image2.Picture.height, 392);
    EXPECT_EQ(t.CursorMode, kLookMode);
    EXPECT_TRUE(t.Look.Down);
    EXPECT_TRUE(t.menu("Level2").Enabled);
    EXPECT_TRUE(t.menu("Level1").Checked);
    EXPECT_EQ(g.message(),
              "Game Tip: Use your Right Mouse Button to change the cursor and the ACTION mode.  Now -- please click on "
              "the screen to start the game!");
    EXPECT_EQ(t.text1.FontColor, (Rgb{0, 255, 255}));  // the designed aqua until the first click
    // The start record holds the map and room 4.
    EXPECT_EQ(t.GameState.ExitSouth[1], 10);
    EXPECT_EQ(t.GameState.Room, 4);
    EXPECT_EQ(g.score(), 0);
    // The menu bar's blank gaps sit between the menus.
    std::vector<std::string> captions;
    for (const MenuItem& m : t.MainMenu1.Items) captions.push_back(m.Caption);
    EXPECT_EQ(captions, (std::vector<std::string>{"&File", "", "&Music", "", "Font Color", "", "&Help", ""}));
}

TEST(Layout, FontColourTicksOneItemAndRecolours) {
    Game g;
    g.startAndClickOnce();
    EXPECT_EQ(g.game.text1.FontColor, (Rgb{255, 255, 255}));
    g.game.FontColorClick("Red1");
    EXPECT_TRUE(g.game.menu("Red1").Checked);
    EXPECT_FALSE(g.game.menu("White1").Checked);
    EXPECT_EQ(g.game.text1.FontColor, (Rgb{255, 0, 0}));
    g.game.FontColorClick("Pink1");
    EXPECT_EQ(g.game.TextColor, (Rgb{255, 201, 254}));
}

TEST(Navigation, EveryExitOfTheMapLeadsToItsRoomThroughItsArea) {
    Game g;
    g.start();
    TGame& t = g.game;
    const ExitMap& map = BuiltInExits();
    const std::array<int8_t, 33>* tables[4] = {&map.north, &map.south, &map.east, &map.west};
    Control* areas[4] = {&t.arrowN, &t.arrowS, &t.arrowE, &t.arrowW};
    for (int room = 1; room <= 32; ++room) {
        for (int d = 0; d < 4; ++d) {
            int to = (*tables[d])[size_t(room)];
            t.NewRoom(room);
            EXPECT_EQ(areas[d]->Visible, to != 0) << "room " << room << " direction " << d;
            if (to == 0) continue;
            if ((room == 6 && d == 0) || (room == 26 && d == 3)) continue;  // the train, tested below
            g.app.guard([&] {
                if (d == 0) t.arrowNClick();
                if (d == 1) t.arrowSClick();
                if (d == 2) t.arrowEClick();
                if (d == 3) t.arrowWClick();
            });
            EXPECT_EQ(t.GameState.Room, to) << "from room " << room;
            EXPECT_EQ(t.GameState.ShownRoom, to);
            EXPECT_EQ(t.Image2.Picture.width, 792) << "room " << to << " shows no picture";
            EXPECT_FALSE(t.Memo.empty()) << "room " << to << " has no text";
        }
    }
    EXPECT_TRUE(g.platform.errors.empty()) << g.platform.errors.front();
}

TEST(Navigation, ConditionalAreasAppearOnlyWithTheirExit) {
    Game g;
    g.start();
    TGame& t = g.game;
    struct Case {
        int room;
        int8_t* exitByte;
        Control* area;
        int value;
    } cases[] = {
        {6, &t.GameState.ExitNorth[6], &t.arrowN, 26},   {15, &t.GameState.ExitNorth[15], &t.arrowN, 20},
        {19, &t.GameState.ExitNorth[19], &t.arrowN, 16}, {14, &t.GameState.ExitEast[14], &t.arrowE, 8},
        {29, &t.GameState.ExitEast[29], &t.arrowE, 31},
    };
    for (Case& c : cases) {
        t.NewRoom(c.room);
        EXPECT_FALSE(c.area->Visible) << "room " << c.room;
        *c.exitByte = int8_t(c.value);
        t.SetArrows();
        EXPECT_TRUE(c.area->Visible) << "room " << c.room;
    }
    // Room 1's areas at 1024 x 768 and at 640 x 480.
    t.NewRoom(1);
    EXPECT_EQ(t.arrowS.bounds(), (Rect{488, 345, 210, 55}));
    EXPECT_EQ(t.arrowW.bounds(), (Rect{1, 274, 35, 126}));
    Game small({640, 480});
    small.start();
    small.game.NewRoom(1);
    EXPECT_EQ(small.game.arrowS.bounds(), (Rect{305, 215, 131, 34}));
}

TEST(Navigation, DoorsTrainAndRoomSeventeen) {
    Game g;
    g.start();
    TGame& t = g.game;
    t.NewRoom(10);
    t.arrowNClick();
    EXPECT_EQ(t.GameState.Room, 1);
    EXPECT_EQ(g.message(), "The door is ajar, so you cautiously open it, and go inside.");
    EXPECT_EQ(g.platform.sounds.back(), "music\\door.wav");
    EXPECT_EQ(t.CursorMode, kLookMode);
    t.NewRoom(2);
    t.arrowNClick();
    EXPECT_EQ(t.GameState.Room, 17);
    EXPECT_EQ(g.P(Room17Normal), 1);
    t.arrowWClick();
    EXPECT_EQ(t.GameState.Room, 2);
    EXPECT_EQ(g.P(Room17Normal), 0);  // any other room clears it

    // The train: out and back, with the engineer's call and the two landings.
    t.GameState.ExitNorth[6] = 26;
    t.NewRoom(6);
    int64_t before = g.platform.now();
    t.arrowNClick();
    EXPECT_EQ(t.GameState.Room, 26);
    EXPECT_GE(g.platform.now() - before, 2000);
    EXPECT_EQ(g.message(), "You depart the steam engine, and start down a dirt trail on Mt Jabber.");
    t.arrowWClick();
    EXPECT_EQ(t.GameState.Room, 6);
    EXPECT_EQ(g.message(), "The Goat Engineer turns the steam engine around, so it's ready to make the trip back.");
}

TEST(Navigation, BadBytesNeverEnterARoomThatDoesNotExist) {
    Game g;
    g.start();
    TGame& t = g.game;
    t.NewRoom(40);
    EXPECT_EQ(t.GameState.Room, 4);
    t.NewRoom(0);
    EXPECT_EQ(t.GameState.Room, 4);
    t.GameState.ShownRoom = 99;
    t.arrowNClick();  // no exit is looked up outside the map
    EXPECT_EQ(t.GameState.Room, 4);
    // Clicks outside the grid and on codes outside 1..8 hit no object.
    t.RoomCells[0] = 0;
    t.RoomCells[1] = 200;
    EXPECT_EQ(t.CellCode(0), 0);
    EXPECT_EQ(t.CellCode(1), 0);
    EXPECT_EQ(t.CellCode(700), 0);
}

TEST(RoomData, RecordAndTextOfEveryRoomAreWhereTheGameReadsThem) {
    Game g;
    g.start();
    TGame& t = g.game;
    std::vector<uint8_t> records = g.files.read("2grdata.");
    ASSERT_EQ(records.size(), 32u * 645u);
    for (int room = 1; room <= 32; ++room) {
        t.NewRoom(room);
        for (int i = 0; i < 645; ++i) {
            ASSERT_EQ(t.RoomCells[size_t(i)], records[size_t(room - 1) * 645 + size_t(i)]);
            ASSERT_GE(t.RoomCells[size_t(i)], 1);
            ASSERT_LE(t.RoomCells[size_t(i)], 8);
        }
        char name[32];
        std::snprintf(name, sizeof name, "data\\grid%02d.dlg", room);
        std::string text = DecodeShifted(g.files.read(name), 3399);
        EXPECT_EQ(t.Memo, SplitLines(text));
        // Every code a player can click has a look line for its first state.
        for (int i = 0; i < 629; ++i) EXPECT_FALSE(t.MemoLine(t.RoomCells[size_t(i)] - 1).empty()) << "room " << room;
    }
}

TEST(RoomData, ShorterOrMissingTextNeverShowsTheLastRoomsLines) {
    std::filesystem::path game = lnf::testing::FreshFolder("game");
    std::filesystem::copy(LNF_GAME_DIR, game, std::filesystem::copy_options::recursive);
    std::filesystem::remove(game / "data" / "grid09.dlg");
    {
        std::vector<uint8_t> shortText = EncodeShifted("Just one line");
        std::ofstream(game / "data" / "grid02.dlg", std::ios::binary)
            .write(reinterpret_cast<const char*>(shortText.data()), std::streamsize(shortText.size()));
    }
    Game g({1024, 768}, game);
    g.start();
    g.game.NewRoom(1);
    g.game.NewRoom(2);
    ASSERT_EQ(g.game.Memo.size(), 1u);
    EXPECT_EQ(g.game.RoomText[13], 0);
    g.game.NewRoom(9);
    EXPECT_TRUE(g.game.Memo.empty());
    std::filesystem::remove_all(game);
}

TEST(Scene, RoomFourteenComposesBothChangesInEitherOrder) {
    Game a, b;
    a.start();
    b.start();
    a.game.NewRoom(14);
    b.game.NewRoom(14);
    // Stick first, then the fawn's change.
    a.P(StickTaken) = 1;
    a.game.DrawCorner(109);
    a.P(FawnMet) = 1;
    a.game.DrawCorner(110);
    // The other order.
    b.P(FawnMet) = 1;
    b.game.DrawCorner(110);
    b.P(StickTaken) = 1;
    b.game.DrawCorner(109);
    Image ia = DecodeJpeg(a.files.read("p1\\140.jpg")).image;
    Image ib = DecodeJpeg(b.files.read("p1\\140.jpg")).image;
    ASSERT_EQ(ia.width, 792);
    double diff = 0;
    for (size_t i = 0; i < ia.pixels.size(); ++i) diff += std::abs(int(ia.pixels[i]) - int(ib.pixels[i]));
    EXPECT_LT(diff / double(ia.pixels.size()), 3.0);  // only the re-encoding differs
    // The composed file goes to the player's folder, never the game folder.
    EXPECT_TRUE(std::filesystem::exists(a.user / "p1" / "140.jpg"));
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(LNF_GAME_DIR) / "p1" / "140.jpg"));

    // After a restore with only the fawn's change, DrawJpg rebuilds the picture with that piece alone.
    Game c;
    c.start();
    c.P(FawnMet) = 1;
    c.game.DrawJpg();
    Image onlyB = DecodeJpeg(c.files.read("p1\\140.jpg")).image;
    Image base = c.game.LoadResourcePicture("R14");
    Image piece = DecodeJpeg(c.files.read("p1\\142.jpg")).image;
    // Left of the fawn's piece the picture is the plain room.
    double left = 0;
    int n = 0;
    for (int y = 0; y < 392; ++y)
        for (int x = 0; x < 300; ++x, ++n) left += std::abs(int(onlyB.row(y)[x * 3]) - int(base.row(y)[x * 3]));
    EXPECT_LT(left / n, 3.0);
    EXPECT_GT(piece.width, 0);
}

TEST(Scene, RoomSeventeensChangeIsShownButNeverKept) {
    Game g;
    g.start();
    g.game.NewRoom(17);
    uint64_t v = g.game.Image2.PictureVersion;
    g.game.UpDateScreen(17, 3);
    EXPECT_GT(g.game.Image2.PictureVersion, v);
    EXPECT_FALSE(g.files.exists("p1\\170.jpg"));
    // An object without a change leaves the picture alone.
    v = g.game.Image2.PictureVersion;
    g.game.DrawCorner(29);
    EXPECT_EQ(g.game.Image2.PictureVersion, v);
}

TEST(Scene, ComposedWriteThatFailsDoesNotStopTheRule) {
    Game g;
    g.start();
    g.game.NewRoom(7);
    // The player's folder cannot be written (a file stands where the folder should be).
    std::filesystem::remove_all(g.user);
    std::ofstream(g.user) << "not a folder";
    uint64_t v = g.game.Image2.PictureVersion;
    g.game.DrawCorner(50);  // the picture changes on screen even if it cannot be kept
    EXPECT_GT(g.game.Image2.PictureVersion, v);
    EXPECT_FALSE(g.files.exists("p1\\070.jpg"));
    std::filesystem::remove(g.user);
}
