// Music with its repeat guard and switch, sound effects, video clips and their ends.
#include <filesystem>

#include "game_fixture.h"
#include "media/clip_decoder.h"

using lnf::testing::Game;
using namespace lnf;

namespace {
HeadlessMedia& Music(Game& g) { return static_cast<HeadlessMedia&>(g.platform.media(PlayerId::MP1)); }
}  // namespace

TEST(Music, TheGuardKeepsOneKeyFromRestartingWithinFortySeconds) {
    Game g;
    g.start();
    TGame& t = g.game;
    t.NewRoom(18);
    EXPECT_EQ(Music(g).file, "music/frog.wma");
    EXPECT_EQ(Music(g).plays, 1);
    t.NewRoom(21);
    t.NewRoom(18);
    EXPECT_EQ(Music(g).plays, 1);  // within 40 s: nothing
    g.platform.advance(40000);
    t.NewRoom(21);
    t.NewRoom(18);
    EXPECT_EQ(Music(g).plays, 2);
    // Two tunes with different keys: the second replaces the first at once.
    t.NewRoom(22);
    EXPECT_EQ(Music(g).file, "music/alpaca.wma");
    EXPECT_EQ(t.MP1.Tag, 1);
    // The key is one letter: the flute shares "f" with the frog, so the frog waits.
    g.platform.advance(41000);
    t.Playit("music\\flute.wma");
    int plays = Music(g).plays;
    t.NewRoom(18);
    EXPECT_EQ(Music(g).plays, plays);
    EXPECT_EQ(Music(g).file, "music/flute.wma");
    // The second harp rule clears the key, so the flute plays again at once.
    t.LastTuneKey = 0;
    t.Playit("music\\flute.wma");
    EXPECT_EQ(Music(g).plays, plays + 1);
}

TEST(Music, SwitchOffAndOnAndTheEndOfATune) {
    Game g;
    g.start();
    TGame& t = g.game;
    t.NewRoom(6);
    EXPECT_EQ(Music(g).file, "music/goat.wma");
    t.MusicOFFClick();
    EXPECT_TRUE(t.menu("MusicOFF").Checked);
    EXPECT_EQ(t.MP1.Tag, 0);
    EXPECT_FALSE(Music(g).isOpen);
    int plays = Music(g).plays;
    t.NewRoom(18);  // no room starts a tune while music is off
    t.Playit("music\\roar.wma");
    EXPECT_EQ(Music(g).plays, plays);
    EXPECT_EQ(t.MP1.FileName, "music\\goat.wma");
    t.MusicOFFClick();  // on again: the last tune from its beginning
    EXPECT_EQ(Music(g).plays, plays + 1);
    EXPECT_EQ(Music(g).file, "music/goat.wma");
    EXPECT_EQ(t.MP1.Tag, 1);
    // When the tune runs out, the end notice clears the flag.
    g.platform.advance(g.platform.defaultMediaLength + 10);
    EXPECT_EQ(t.MP1.Tag, 0);
}

TEST(Music, NoSoundDeviceSwitchesMusicOffForTheRunButEffectsPlay) {
    Game g;
    g.platform.mediaFails = true;
    g.game.IntroMusic();
    EXPECT_TRUE(g.game.menu("MusicOFF").Checked);
    EXPECT_FALSE(g.game.menu("MusicOFF").Enabled);
    g.game.MusicOFFClick();  // greyed: it cannot be switched on
    EXPECT_TRUE(g.game.menu("MusicOFF").Checked);
    g.start();
    g.game.NewRoom(10);
    g.game.OpenDoor(1);
    EXPECT_EQ(g.platform.sounds.back(), "music\\door.wav");
    EXPECT_TRUE(g.platform.errors.empty());
}

TEST(Music, AMissingTuneNeitherStopsTheRoomNorReports) {
    std::filesystem::path game = lnf::testing::FreshFolder("nomusic");
    std::filesystem::copy(LNF_GAME_DIR, game, std::filesystem::copy_options::recursive);
    std::filesystem::remove(game / "music" / "frog.wma");
    Game g({1024, 768}, game);
    g.start();
    g.app.guard([&] { g.game.NewRoom(18); });
    EXPECT_EQ(g.game.GameState.Room, 18);
    EXPECT_FALSE(g.game.Memo.empty());
    EXPECT_TRUE(g.platform.errors.empty());
    std::filesystem::remove_all(game);
}

TEST(Video, ClipsPlayInTheirScaledRectanglesAndEnd) {
    Game g({1280, 1024});
    g.startAndClickOnce();
    TGame& t = g.game;
    t.NewRoom(15);
    t.Display(kClaw, true);
    g.use(kClaw, 2);
    auto& mp = static_cast<HeadlessMedia&>(g.platform.media(PlayerId::MP));
    EXPECT_EQ(mp.file, "p1/JUBJUB.AVI");
    EXPECT_EQ(mp.destination, (Rect{81, 21, 390, 197}));
    EXPECT_EQ(g.platform.sounds.back(), "music\\jubjub.wav");
    EXPECT_FALSE(t.arrowN.Visible);  // the way north shows when the bird has gone
    g.platform.advance(mp.length + 1);
    EXPECT_TRUE(t.arrowN.Visible);
    EXPECT_TRUE(g.files.exists("p1\\150.jpg"));
    // The tree: a second Do while its clip runs does nothing; 5 points only the first time.
    g.P(MainStage) = 6;
    t.NewRoom(28);
    int before = g.score();
    g.doOn(6);
    EXPECT_EQ(t.MP3.Tag, 1);
    EXPECT_EQ(g.score(), before + 5);
    std::string text = g.message();
    g.doOn(6);
    EXPECT_EQ(g.score(), before + 5);
    g.platform.advance(10000);
    EXPECT_EQ(t.MP3.Tag, 0);
    g.doOn(6);
    EXPECT_EQ(t.MP3.Tag, 1);
    EXPECT_EQ(g.score(), before + 5);
}

TEST(Video, AClipThatCannotPlayStillEnds) {
    Game g;
    g.startAndClickOnce();
    g.platform.mediaFails = true;
    g.P(MainStage) = 6;
    g.game.NewRoom(28);
    g.doOn(6);
    EXPECT_EQ(g.game.MP3.Tag, 0);  // the tree reacts again
    EXPECT_TRUE(g.platform.errors.empty());
}

TEST(Video, ShippedClipsDecodeWhole) {
    struct { const char* file; int w, h; } clips[] = {
        {"p1/JUBJUB.AVI", 312, 148}, {"p1/CATFISH.AVI", 164, 188}, {"p2/TREE.AVI", 91, 71}};
    for (auto& c : clips) {
        std::string path = std::string(LNF_GAME_DIR) + "/" + c.file;
        // Every play starts and ends: decode each clip many times over.
        for (int i = 0; i < 50; ++i) {
            Clip clip = DecodeClip(path);
            ASSERT_GE(clip.frames.size(), 12u) << c.file;
            ASSERT_EQ(clip.frames[0].width, c.w) << c.file;
            ASSERT_EQ(clip.frames[0].height, c.h) << c.file;
            ASSERT_GT(clip.durationMs(), 1500) << c.file;
        }
    }
    EXPECT_THROW(DecodeClip(std::string(LNF_GAME_DIR) + "/2grdata."), std::runtime_error);
}
