// The pause on the manual clock: every timed animation, clip and tune stands still where it is
// and goes on from that very point, the player's presses are turned away while it lasts, and
// the settings beside it (volumes, mute, reading aloud) live in the Music menu.
#include "game_fixture.h"

namespace lnf {
namespace {

using testing::Game;
using testing::ReadAll;

// Runs the clock for `ms` and records, relative to `origin`, each moment the room picture
// changes (a frame of an animation).
std::vector<int64_t> Frames(Game& g, int64_t ms, int64_t origin, int64_t step = 50) {
    std::vector<int64_t> at;
    uint64_t v = g.game.Image2.PictureVersion;
    for (int64_t t = 0; t < ms; t += step) {
        g.platform.advance(step);
        if (g.game.Image2.PictureVersion != v) {
            at.push_back(g.platform.now() - origin);
            v = g.game.Image2.PictureVersion;
        }
    }
    return at;
}

TEST(Pause, TheJabberwockStandsStillMidFrameAndTakesEveryStepAfter) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    g.P(MainStage) = kMushroomEaten;
    t.NewRoom(31);
    g.platform.advance(1100);  // frames at 200 .. 1000 ms; 100 ms into the sixth
    ASSERT_EQ(t.TimeJab.Tag, 5);
    t.PauseClick();
    EXPECT_TRUE(t.Paused);
    EXPECT_TRUE(t.menu("Pause1").Checked);
    uint64_t shown = t.Image2.PictureVersion;
    g.platform.advance(60000);
    EXPECT_EQ(t.TimeJab.Tag, 5);
    EXPECT_EQ(t.Image2.PictureVersion, shown);
    EXPECT_EQ(g.P(JabberwockCame), 0);
    t.PauseClick();
    EXPECT_FALSE(t.Paused);
    // The sixth frame comes after the 100 ms it still had, then every 200 ms as before: no
    // frame is skipped and none comes twice.
    g.platform.advance(99);
    EXPECT_EQ(t.TimeJab.Tag, 5);
    g.platform.advance(1);
    EXPECT_EQ(t.TimeJab.Tag, 6);
    g.platform.advance(800);
    EXPECT_EQ(t.TimeJab.Tag, 10);
    g.platform.advance(200);
    EXPECT_EQ(g.message(), g.app.text("jabber"));
    g.platform.advance(200);
    EXPECT_TRUE(t.arrowW.Visible);
    EXPECT_FALSE(t.TimeJab.Enabled());
}

TEST(Pause, TheMushroomTimelineIsTheSameWithAPauseCutOut) {
    // Unpaused the eyes come at 7, 8, 9, 10, 11 and 11.5 s and the room is back at 22.5 s
    // (the animation changes its own interval as it goes); a pause of 30 s at 9.5 s moves the
    // moments after it by exactly 30 s, the interval it set included.
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    g.S(214) = 1;
    t.NewRoom(27);
    int64_t start = g.platform.now();
    g.doOn(6);
    ASSERT_TRUE(t.BigTime.Enabled());
    std::vector<int64_t> before = Frames(g, 9500 - (g.platform.now() - start), start);
    t.PauseClick();
    g.platform.advance(30000);
    t.PauseClick();
    std::vector<int64_t> after = Frames(g, 14000, start);
    EXPECT_EQ(before, (std::vector<int64_t>{7000, 8000, 9000}));
    EXPECT_EQ(after, (std::vector<int64_t>{40000, 41000, 41500, 52500}));
    EXPECT_TRUE(t.arrowN.Visible);
}

TEST(Pause, OneShotTimersKeepTheTimeTheyHadLeft) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    // Room 17's picture comes back 3 s after the Do.
    t.NewRoom(17);
    g.doOn(8);
    g.platform.advance(1000);
    t.SetPaused(true);
    g.platform.advance(10000);
    EXPECT_EQ(g.P(Room17Normal), 0);
    t.SetPaused(false);
    g.platform.advance(1999);
    EXPECT_EQ(g.P(Room17Normal), 0);
    g.platform.advance(1);
    EXPECT_EQ(g.P(Room17Normal), 1);
    // A timer set while paused waits for the end of the pause, then runs its whole interval.
    t.SetPaused(true);
    t.XForm.setEnabled(true);
    g.platform.advance(5000);
    EXPECT_TRUE(t.XForm.Enabled());
    EXPECT_NE(g.message(), g.app.text("transform"));
    t.SetPaused(false);
    g.platform.advance(2999);
    EXPECT_NE(g.message(), g.app.text("transform"));
    g.platform.advance(1);
    EXPECT_EQ(g.message(), g.app.text("transform"));
}

TEST(Pause, AClipAndTheTuneStandStillAndPlayOnlyTheirRest) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    t.NewRoom(15);
    t.Display(kClaw, true);
    g.use(kClaw, 2);
    t.Playit("music\\frog.wma");
    auto& clip = static_cast<HeadlessMedia&>(g.platform.media(PlayerId::MP));
    auto& tune = static_cast<HeadlessMedia&>(g.platform.media(PlayerId::MP1));
    ASSERT_TRUE(clip.playing);
    ASSERT_GT(clip.length, 1000);
    g.platform.advance(1000);
    int64_t tuneAt = t.MP1.Position();
    t.PauseClick();
    g.platform.advance(clip.length * 5);
    EXPECT_EQ(t.MP.Position(), 1000);
    EXPECT_EQ(t.MP1.Position(), tuneAt);
    EXPECT_TRUE(clip.playing);
    EXPECT_FALSE(t.arrowN.Visible);  // the clip's end has not come
    t.PauseClick();
    g.platform.advance(clip.length - 1000 - 1);
    EXPECT_TRUE(clip.playing);
    EXPECT_FALSE(t.arrowN.Visible);
    g.platform.advance(1);
    EXPECT_FALSE(clip.playing);
    EXPECT_TRUE(t.arrowN.Visible);
    EXPECT_EQ(clip.plays, 1);  // it went on; it did not start again
    EXPECT_GT(tune.plays, 0);
}

TEST(Pause, PressesExitsAndItemsAreTurnedAwayAndTheMenuStillSaves) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    t.Display(kTicket, true);
    g.platform.advance(100);
    std::string said = g.message();
    int room = t.GameState.Room;
    t.SetPaused(true);
    uint64_t refused = t.StepsRefused;
    g.pressAt(200, 150);
    g.app.guard([&] { t.itemClick(kTicket); });
    g.app.guard([&] { t.arrowNClick(); });
    g.app.guard([&] { t.arrowSClick(); });
    EXPECT_EQ(g.message(), said);  // no word on the line: the room itself says "Paused"
    EXPECT_EQ(t.GameState.Room, room);
    EXPECT_EQ(t.CursorMode, kLookMode);  // the ticket was not taken onto the cursor
    EXPECT_GE(t.StepsRefused, refused + 4);
    // A save while paused keeps the game as it stands, and the game stays paused.
    std::filesystem::path paused = g.user / "paused.sav", unpaused = g.user / "unpaused.sav";
    g.platform.fileAnswers.push_back(paused.string());
    t.SaveAs1Click();
    EXPECT_TRUE(t.Paused);
    t.SetPaused(false);
    g.platform.fileAnswers.push_back(unpaused.string());
    t.SaveAs1Click();
    ASSERT_EQ(ReadAll(paused).size(), 471u);
    EXPECT_EQ(ReadAll(paused), ReadAll(unpaused));
    // After the pause the same presses work again.
    g.app.guard([&] { t.itemClick(kTicket); });
    EXPECT_NE(t.CursorMode, kLookMode);
}

TEST(Pause, ContinueWaitsForTheEndOfAPauseTakenDuringItsPicture) {
    // The kettle's pictures wait for "Continue"; the player pauses while one is up. A press on
    // "Continue" during the pause does nothing; after it the picture goes on as before.
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    g.autoContinue = false;
    int pressesInPause = 0, idle = 0;
    bool pressing = false;  // a press lets events run, which come back here
    g.platform.onIdle = [&] {
        if (!t.WaitingForContinue || pressing) return;
        struct Pressing {
            bool& on;
            explicit Pressing(bool& b) : on(b) { on = true; }
            ~Pressing() { on = false; }
        } hold(pressing);
        if (!t.Paused && pressesInPause == 0) {
            t.PauseClick();  // the pause is no step: it works in the middle of one
            return;
        }
        if (t.Paused) {
            t.Next1Click();
            ++pressesInPause;
            EXPECT_EQ(t.Next1.Tag, 0);
            if (++idle == 5) t.PauseClick();
            return;
        }
        t.Next1Click();
    };
    t.Cauldron(false);
    EXPECT_EQ(pressesInPause, 5);
    EXPECT_FALSE(t.Paused);
    EXPECT_FALSE(t.WaitingForContinue);
}

TEST(Pause, ATickThatArrivesDuringAPauseRunsAfterIt) {
    // A tick already on its way when the pause began (as a window system may deliver one)
    // waits like a tick during a step, and runs when the pause ends.
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    g.P(MainStage) = kMushroomEaten;
    t.NewRoom(31);
    t.SetPaused(true);
    g.app.onTimer(TimerId::TimeJab);
    EXPECT_EQ(t.TimeJab.Tag, 0);
    EXPECT_EQ(g.app.deferredCount(), 1u);
    t.SetPaused(false);
    EXPECT_EQ(t.TimeJab.Tag, 1);
    EXPECT_EQ(g.app.deferredCount(), 0u);
}

TEST(Pause, ANewGameOrTheIntroductionEndsIt) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    t.NewRoom(31);
    t.SetPaused(true);
    t.New1Click();
    EXPECT_FALSE(t.Paused);
    EXPECT_FALSE(g.platform.paused());
    EXPECT_FALSE(t.menu("Pause1").Checked);
    EXPECT_EQ(t.GameState.Room, 4);
    t.SetPaused(true);
    t.Introduction1Click();
    EXPECT_FALSE(g.platform.paused());
    // Closing the window ends it too, and still saves the game in its autosave slot.
    t.SetPaused(true);
    t.FormClose();
    EXPECT_FALSE(g.platform.paused());
}

TEST(Comforts, TheMusicMenuHoldsThemAfterMusicOffAndTheyKeepTheirRanges) {
    Game g;
    TGame& t = g.game;
    const MenuItem& music = t.menu("MusicOptions1");
    std::vector<std::string> names;
    for (const MenuItem& m : music.Items) names.push_back(m.Name);
    EXPECT_EQ(names, (std::vector<std::string>{"MusicOFF", "N6", "MusicVolume1", "EffectsVolume1", "Mute1", "N7",
                                               "Pause1", "ReadAloud1"}));
    EXPECT_EQ(t.MusicVolume(), 100);
    EXPECT_EQ(t.EffectsVolume(), 100);
    t.VolumeChange("MusicVolume1", 35);
    t.VolumeChange("EffectsVolume1", -4);
    EXPECT_EQ(t.MusicVolume(), 35);
    EXPECT_EQ(t.EffectsVolume(), 0);
    t.VolumeChange("EffectsVolume1", 250);
    EXPECT_EQ(t.EffectsVolume(), 100);
    t.VolumeChange("MusicOFF", 10);  // not a slider
    EXPECT_EQ(t.menu("MusicOFF").Value, -1);
    t.MuteClick();
    EXPECT_TRUE(t.Muted());
    EXPECT_EQ(t.MusicVolume(), 35);  // mute keeps the levels for when it is lifted
    t.MuteClick();
    EXPECT_FALSE(t.Muted());
    // Reading aloud: off at first; where the machine has no voice the item cannot be ticked.
    EXPECT_FALSE(t.ReadingAloud());
    t.ReadAloudClick();
    EXPECT_TRUE(t.ReadingAloud());
    t.ReadAloudClick();
    t.menu("ReadAloud1").Enabled = false;
    t.ReadAloudClick();
    EXPECT_FALSE(t.ReadingAloud());
}

}  // namespace
}  // namespace lnf
