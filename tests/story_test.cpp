// Room rules that catch real faults, the events and the timed animations on the manual clock,
// the intro and the developer panel.
#include "game_fixture.h"

using lnf::testing::Game;
using namespace lnf;

TEST(Rules, OrderTrapsHoldTheStoryBack) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    // The Jabberwock does not talk before the mushroom.
    t.Display(kSword, true);
    t.NewRoom(31);
    g.use(kSword, 2);
    EXPECT_EQ(g.S(251), 0);
    EXPECT_NE(g.message(), "The Jabberwock told you to talk to the tove.");
    // The mountain gives no cheese before the Jabberwock has spoken: Veska eats it.
    t.NewRoom(32);
    g.use(kSword, 3);
    EXPECT_EQ(g.message(), "You slice off a piece of cheese and eat it.  Mmmmm!  Delicious!");
    EXPECT_FALSE(t.Vis(kCheese));
    // The petal alone does not wake the horse: the egg white must be on it.
    t.Display(kRosePetal, true);
    g.P(AlpacaStage) = 4;
    t.NewRoom(5);
    g.use(kRosePetal, 5);
    EXPECT_FALSE(t.Vis(kBrownKnight));
    EXPECT_FALSE(t.XForm.Enabled());
    g.P(EggWhiteStage) = 2;
    g.use(kRosePetal, 5);
    EXPECT_TRUE(t.Vis(kBrownKnight));
    // Nothing goes in the kettle before the formula is known.
    t.Display(kWhisker, true);
    t.NewRoom(1);
    g.use(kWhisker, 3);
    EXPECT_EQ(g.message(), "Without knowing the proper formula, you hesitate to put anything in the kettle.");
    EXPECT_TRUE(t.Vis(kWhisker));
}

TEST(Rules, KettleHarpAndDoorman) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    t.Display(kHarp, true);
    g.P(MainStage) = 3;
    g.P(HarpStage) = 2;
    t.NewRoom(1);
    int score = g.score();
    g.use(kHarp, 3);  // before whisker and wing: message 39, nothing changes
    EXPECT_EQ(g.message(), "You play the song you learned from the Harp of the Winds.");
    EXPECT_EQ(g.P(HarpStage), 2);
    EXPECT_EQ(g.score(), score);
    g.P(WhiskerStage) = 2;
    g.P(WingStage) = 2;
    g.use(kHarp, 3);
    EXPECT_EQ(g.P(HarpStage), 3);
    EXPECT_EQ(g.score(), score + 2);
    g.use(kHarp, 3);
    EXPECT_EQ(g.score(), score + 2);  // only while it was 2

    // The doorman only answers the tenth knock.
    t.NewRoom(18);
    for (int i = 1; i < 10; ++i) g.doOn(2);
    EXPECT_EQ(g.P(ClawTaken), 0);
    g.leaveConversation = true;  // Exit in his questions: no claw, try again later
    g.doOn(2);
    EXPECT_EQ(g.P(ClawTaken), 0);
    EXPECT_FALSE(t.Vis(kClaw));
    g.leaveConversation = false;
    g.doOn(2);
    EXPECT_EQ(g.P(ClawTaken), 1);
    EXPECT_TRUE(t.Vis(kClaw));
}

TEST(Rules, BringingKittyWinsOnlyWhenTheLastMeetingEnds) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    t.Display(kKitty, true);
    t.NewRoom(1);
    int score = g.score();
    g.leaveConversation = true;
    g.platform.modalScripts[WindowId::CloseUp] = [&] {
        // Exit is hidden in the last meeting; closing the window is the only way out early.
        EXPECT_FALSE(g.app.CloseUp->Exit1.Visible);
        g.app.CloseUp->Exit1Click();
    };
    g.use(kKitty, 1);
    EXPECT_EQ(g.app.Tag, 0);
    EXPECT_EQ(g.score(), score);
    g.platform.modalScripts[WindowId::CloseUp] = [&] { g.leaveConversation = false; g.talk(); };
    g.use(kKitty, 1);
    EXPECT_EQ(g.app.Tag, 2);
    EXPECT_EQ(g.score(), score + 4);
    EXPECT_TRUE(t.Closed);
}

TEST(Events, KettlePicturesCatfishAndTheContinueWait) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    t.NewRoom(1);
    g.P(MainStage) = 1;
    int pressed = g.continuesPressed;
    g.doOn(3);
    EXPECT_EQ(g.continuesPressed - pressed, 1);  // one picture before the brew is complete
    EXPECT_EQ(g.P(MainStage), 2);
    EXPECT_TRUE(t.Image2.Enabled);
    EXPECT_FALSE(t.Next1.Visible);
    EXPECT_EQ(t.Next1.Left, 182);
    g.doOn(3);
    EXPECT_EQ(g.P(MainStage), 2);  // later views change nothing

    // While a picture waits for "Continue" the exits and the File commands wait too, and
    // closing the window ends the wait.
    g.autoContinue = false;
    bool checked = false;
    g.platform.onIdle = [&] {
        if (!t.WaitingForContinue || checked) return;
        checked = true;
        int room = t.GameState.Room;
        t.arrowSClick();
        t.New1Click();
        EXPECT_EQ(t.GameState.Room, room);
        EXPECT_FALSE(t.Image2.Enabled);
        g.aboutAnswer = 0;
        t.Close();
    };
    g.doOn(3);
    EXPECT_TRUE(checked);
    EXPECT_TRUE(t.Closed);

    Game f;
    f.startAndClickOnce();
    f.game.Display(kFishingRod, true);
    f.game.NewRoom(22);
    f.use(kFishingRod, 4);
    EXPECT_EQ(f.message(), f.app.text("catfish1"));
    EXPECT_EQ(f.S(175), 1);
    f.use(kFishingRod, 4);
    EXPECT_EQ(f.message(), f.app.text("catfish2"));
    EXPECT_TRUE(f.game.Vis(kWhisker));
    int score = f.score();
    f.use(kFishingRod, 4);
    EXPECT_EQ(f.message(), "It's fun to make the fish jump up, but it serves no further purpose.");
    EXPECT_EQ(f.score(), score);
    EXPECT_EQ(static_cast<HeadlessMedia&>(f.platform.media(PlayerId::MP2)).plays, 3);
}

TEST(Animations, TimelinesOnTheManualClock) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    // The mushroom: eyes at 7, 8, 9, 10, 11 and 11.5 s, back to normal at 22.5 s.
    g.S(214) = 1;
    t.NewRoom(27);
    int64_t start = g.platform.now();
    g.doOn(6);
    EXPECT_FALSE(t.arrowN.Visible);
    EXPECT_EQ(t.Image2.Cursor, crHourGlass);
    uint64_t v = t.Image2.PictureVersion;
    std::vector<int64_t> changes;
    for (int i = 0; i < 240; ++i) {
        g.platform.advance(100);
        if (t.Image2.PictureVersion != v) {
            changes.push_back(g.platform.now() - start);
            v = t.Image2.PictureVersion;
        }
    }
    ASSERT_EQ(changes.size(), 7u);
    EXPECT_EQ(changes, (std::vector<int64_t>{7000, 8000, 9000, 10000, 11000, 11500, 22500}));
    EXPECT_TRUE(t.arrowN.Visible);
    EXPECT_EQ(t.CursorMode, kDoMode);

    // The Jabberwock: ten frames at 200 ms, the arrival text, the west arrow back; once only.
    t.NewRoom(31);
    EXPECT_FALSE(t.arrowW.Visible);
    g.platform.advance(2000);
    EXPECT_EQ(t.TimeJab.Tag, 10);
    EXPECT_TRUE(g.files.exists("p2\\310.jpg"));
    g.platform.advance(200);
    EXPECT_EQ(g.message(), g.app.text("jabber"));
    EXPECT_EQ(g.P(JabberwockCame), 1);
    g.platform.advance(200);
    EXPECT_TRUE(t.arrowW.Visible);
    EXPECT_FALSE(t.TimeJab.Enabled());
    t.NewRoom(29);
    t.NewRoom(31);
    EXPECT_FALSE(t.TimeJab.Enabled());
    EXPECT_TRUE(t.arrowW.Visible);

    // Room 17's picture comes back after three seconds, only if the player stayed.
    t.NewRoom(17);
    g.doOn(8);
    EXPECT_EQ(g.P(Room17Normal), 0);
    g.platform.advance(3000);
    EXPECT_EQ(g.P(Room17Normal), 1);
    g.doOn(8);
    t.NewRoom(2);
    g.platform.advance(3000);
    EXPECT_EQ(g.P(Room17Normal), 0);
}

TEST(Animations, ANewGameStopsThemAll) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    g.S(214) = 1;
    t.NewRoom(27);
    g.doOn(6);
    ASSERT_TRUE(t.BigTime.Enabled());
    t.New1Click();
    EXPECT_FALSE(t.BigTime.Enabled());
    EXPECT_EQ(t.BigTime.Tag, 0);
    g.platform.advance(30000);
    EXPECT_EQ(t.GameState.Room, 4);
    EXPECT_EQ(g.score(), 0);
}

TEST(Intro, SlidesStepAndTheTenthPressCloses) {
    Game g;
    TIntro& in = *g.app.Intro;
    std::vector<std::string> captions;
    g.platform.modalScripts[WindowId::Intro] = [&] {
        EXPECT_EQ(in.Image1.Picture.width, 500);
        for (int press = 1; press <= 10 && g.platform.isOpen(WindowId::Intro); ++press) {
            int64_t before = g.platform.now();
            in.nextbuttonClick();
            captions.push_back(in.Introbox.Caption);
            if (press == 1) {
                EXPECT_GE(g.platform.now() - before, 1200);  // the blend and the pause
            }
        }
    };
    in.ShowModal();
    ASSERT_EQ(captions.size(), 10u);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(captions[size_t(i)], g.app.text("intro" + std::to_string(i + 1)));
    EXPECT_EQ(captions[9], "");
    EXPECT_EQ(in.Tag, 1);
    EXPECT_EQ(in.CaptionPoints, 16);
    EXPECT_EQ(in.Image1.Left, 262);
    EXPECT_EQ(in.Image1.Top, 144);
    // From the menu: the intro tune starts again and the game goes on where it was.
    g.start();
    g.game.NewRoom(12);
    g.platform.modalScripts[WindowId::Intro] = [&] { in.exitbuttonClick(); };
    g.game.Introduction1Click();
    EXPECT_EQ(g.game.GameState.Room, 12);
    EXPECT_EQ(static_cast<HeadlessMedia&>(g.platform.media(PlayerId::MP1)).file, "music/intro.wma");
    Game small({640, 480});
    EXPECT_EQ(small.app.Intro->CaptionPoints, 12);
}

TEST(DeveloperPanel, PaintSaveAndReadBack) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    t.NewRoom(12);
    t.a_plusClick();  // off: nothing
    EXPECT_EQ(t.AuthorCellCode, 0);
    t.a_OffClick();
    EXPECT_EQ(t.a_Off.Caption, "ON");
    for (int i = 0; i < 9; ++i) t.a_plusClick();
    EXPECT_EQ(t.AuthorCellCode, 1);
    t.a_plusClick();
    t.a_plusClick();  // code 3
    t.ChangeCursor(kLookMode);
    g.pressAt(5, 5);
    EXPECT_EQ(t.RoomCells[0], 3);
    t.a_SaveClick();
    EXPECT_EQ(t.AuthorCellCode, 0);
    t.a_OffClick();
    t.NewRoom(6);
    t.NewRoom(12);
    EXPECT_EQ(t.RoomCells[0], 3);  // read back from the record file
    EXPECT_TRUE(std::filesystem::exists(g.user / "2grdata."));
    t.a_resetClick();
    EXPECT_EQ(t.RoomCells[644], 1);
}

TEST(DeveloperPanel, JumpCommandsPrepareTheirStoryPoints) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    int score = g.score();
    t.Edit1.Caption = TGame::JumpCommand(1);
    t.Edit1KeyDown(13);
    EXPECT_EQ(t.GameState.Room, 23);
    EXPECT_TRUE(t.Vis(kBottle));
    EXPECT_EQ(g.P(BottleStage), 2);
    EXPECT_EQ(g.score(), score + 2);
    g.app.guard([&] { t.Test(TGame::JumpCommand(13)); });  // the door's changed picture is not made yet
    EXPECT_EQ(t.GameState.Room, 18);
    EXPECT_TRUE(t.Vis(kCheese) && t.Vis(kLeaf));
    EXPECT_EQ(g.P(ClawTaken), 1);
    EXPECT_EQ(t.RoomPicture, "p1\\180.jpg");  // set before entering, so the changed picture shows
    t.Test(TGame::JumpCommand(14));
    EXPECT_EQ(t.GameState.Room, 11);
    EXPECT_EQ(t.GameState.ExitNorth[19], 16);
    t.Test("BOT");  // case matters
    EXPECT_EQ(t.GameState.Room, 11);
    t.Label3Click();
    EXPECT_EQ(t.GameState.Room, 28);
    EXPECT_EQ(g.P(MainStage), 6);
    EXPECT_EQ(t.Label3.Caption, "28");
    std::set<std::string> codes;
    for (int n = 1; n <= 20; ++n) codes.insert(TGame::JumpCommand(n));
    EXPECT_EQ(codes.size(), 20u);
    t.Edit1.Caption = "x";
    EXPECT_THROW(t.Button1Click(), std::invalid_argument);
}
