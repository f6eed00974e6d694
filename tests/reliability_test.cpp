// What a player does in the middle of a step never breaks the story, and a saved game carries
// all it needs: one test for each way it used to go wrong.
#include <sys/stat.h>

#include <climits>
#include <fstream>

#include "game_fixture.h"
#include "persistence/saved_game.h"

using lnf::testing::Game;
using lnf::testing::ReadAll;
using lnf::testing::WriteAll;
using namespace lnf;
namespace fs = std::filesystem;

namespace {

constexpr size_t kProgressAt = 2 + 132;  // file offset of Progress[0] in a saved game
constexpr size_t kScoreAt = 2 + 160;
constexpr size_t kHeldAt = 2 + 444;

// The horse, ready for the rose petal with the egg white.
void ReadyTheHorse(Game& g) {
    g.startAndClickOnce();
    g.game.Display(10, true);
    g.P(13) = 4;
    g.P(12) = 2;
    g.game.NewRoom(5);
    g.use(10, 5);
    ASSERT_TRUE(g.game.XForm.Enabled());
}

// A saved game of the current state, as the game writes it.
fs::path SaveHere(Game& g, const std::string& name) {
    fs::path p = g.user / name;
    g.platform.fileAnswers.push_back(p.string());
    g.app.guard([&] { g.game.SaveAs1Click(); });
    return p;
}

}  // namespace

TEST(Reliability, AClickDuringTheTrainRideNeverStartsASecondRide) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    t.GameState.ExitNorth[6] = 26;
    t.NewRoom(6);
    // The click waits in the queue and arrives once the ride has landed in room 26, where it
    // lies on room 26's west exit.
    bool clicked = false;
    g.platform.onProcessMessages = [&] {
        if (clicked || t.GameState.Room != 26) return;
        clicked = true;
        g.app.guard([&] { t.arrowWClick(); });
    };
    g.app.guard([&] { t.arrowNClick(); });
    EXPECT_TRUE(clicked);
    EXPECT_EQ(t.GameState.Room, 26);
    EXPECT_EQ(g.message(), "You depart the steam engine, and start down a dirt trail on Mt Jabber.");
    EXPECT_EQ(t.RoomEntries, 2u + 1u);  // start, room 6, room 26: one ride, one landing
}

TEST(Reliability, SaveAndNewGameWaitForTheHorsesStepToEnd) {
    Game g;
    ReadyTheHorse(g);
    TGame& t = g.game;
    fs::path file = g.user / "mid.sav";
    bool fired = false;
    g.platform.onProcessMessages = [&] {
        if (fired || t.XForm.Enabled() || g.message() != g.app.text("transform")) return;
        fired = true;  // inside the horse's step, between its picture and its points
        g.platform.fileAnswers.push_back(file.string());
        g.app.guard([&] { t.SaveAs1Click(); });
        g.aboutAnswer = 0;
        g.app.guard([&] { t.New1Click(); });
    };
    int score = g.score();
    g.platform.advance(3100);
    ASSERT_TRUE(fired);
    // The step ran whole: the horse is a knight, its points counted once, no new game began.
    EXPECT_EQ(g.P(13), 5);
    EXPECT_EQ(g.P(18), 1);
    EXPECT_EQ(g.score(), score + 5);
    EXPECT_EQ(t.GameState.Room, 5);
    // A file written then would hold the half step, which can never be won after a restore.
    if (fs::exists(file)) {
        EXPECT_EQ(ReadAll(file).at(kProgressAt + 13), 5);
    }
}

TEST(Reliability, TheFirstContinueAfterARestoreOrANewGameWaits) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    t.Display(6, true);
    t.NewRoom(1);
    g.P(7) = 1;
    fs::path file = SaveHere(g, "kettle.sav");
    g.platform.fileAnswers.push_back(file.string());
    g.app.guard([&] { t.Open1Click(); });
    int pressed = g.continuesPressed;
    g.doOn(3);
    EXPECT_EQ(g.continuesPressed - pressed, 1);  // the kettle's picture waited for its press
    EXPECT_EQ(g.P(7), 2);

    // A new game with points stops the timers the same way.
    g.aboutAnswer = 0;
    g.app.guard([&] { t.New1Click(); });
    t.NewRoom(1);
    g.P(7) = 1;
    pressed = g.continuesPressed;
    g.doOn(3);
    EXPECT_EQ(g.continuesPressed - pressed, 1);
}

TEST(Reliability, EveryConversationKeepsItsExitAfterTheLastMeetingWasClosed) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    t.Display(21, true);
    t.NewRoom(1);
    g.platform.modalScripts[WindowId::CloseUp] = [&] { g.app.CloseUp->Exit1Click(); };  // the close box
    g.use(21, 1);
    ASSERT_EQ(g.app.Tag, 0);
    bool exitShown = false;
    g.platform.modalScripts[WindowId::CloseUp] = [&] {
        exitShown = g.app.CloseUp->Exit1.Visible;
        g.app.CloseUp->Exit1Click();
    };
    g.app.CloseUp->Meets(2);
    EXPECT_TRUE(exitShown);
    exitShown = false;
    g.app.CloseUp->CharacterTalks(2);
    EXPECT_TRUE(exitShown);
}

TEST(Reliability, ASavedGameShowsItsPicturesInAFreshProfile) {
    fs::path file;
    Image composed;
    {
        Game g;
        ReadyTheHorse(g);
        g.platform.advance(3100);
        ASSERT_EQ(g.P(13), 5);
        composed = g.game.Image2.Picture;
        file = lnf::testing::FreshFolder("carried") / "horse.sav";
        g.platform.fileAnswers.push_back(file.string());
        g.game.SaveAs1Click();
    }
    Game h;  // another player's folder: none of the pictures the first game composed
    h.startAndClickOnce();
    h.platform.fileAnswers.push_back(file.string());
    h.app.guard([&] { h.game.Open1Click(); });
    EXPECT_TRUE(h.platform.errors.empty()) << h.platform.errors.front();
    EXPECT_EQ(h.game.GameState.Room, 5);
    ASSERT_EQ(h.game.Image2.Picture.width, composed.width);
    ASSERT_EQ(h.game.Image2.Picture.height, composed.height);
    // The same composition: the knight stands where the horse was.
    Image fresh = h.game.LoadResourcePicture("R05");
    EXPECT_NE(h.game.Image2.Picture.pixels, fresh.toRgb().pixels);
    EXPECT_TRUE(h.files.exists("p1\\050.jpg"));
    // An unreadable composed picture is composed again too.
    WriteAll(h.user / "p1" / "050.jpg", {0xFF, 0xD8, 0x00});
    h.app.guard([&] { h.game.NewRoom(4); });
    h.app.guard([&] { h.game.NewRoom(5); });
    EXPECT_TRUE(h.platform.errors.empty()) << h.platform.errors.front();
    fs::remove_all(file.parent_path());
}

TEST(Reliability, APictureThatCannotBeWrittenIsReportedOnce) {
    Game g;
    g.start();
    g.game.NewRoom(7);
    fs::remove_all(g.user);
    std::ofstream(g.user) << "not a folder";
    g.app.guard([&] { g.game.DrawCorner(50); });
    g.app.guard([&] { g.game.DrawCorner(50); });
    g.app.guard([&] { g.game.NewRoom(15); });
    EXPECT_TRUE(g.platform.errors.empty());
    ASSERT_EQ(g.platform.messages.size(), 1u);
    EXPECT_NE(g.platform.messages[0].first.find("p1/070.jpg"), std::string::npos);
    fs::remove(g.user);
}

TEST(Reliability, TheWholeRecordIsCheckedAndTheScoreCannotOverflow) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    t.NewRoom(9);
    fs::path good = SaveHere(g, "good.sav");
    std::vector<uint8_t> bytes = ReadAll(good);
    ASSERT_EQ(bytes.size(), kSavedGameSize);
    GameStateRecord before = t.GameState;
    auto damage = [&](size_t at, uint8_t value) {
        std::vector<uint8_t> b = bytes;
        b[at] = value;
        return b;
    };
    std::vector<uint8_t> hugeScore = bytes;
    int32_t s = INT32_MAX - 1;
    std::memcpy(hugeScore.data() + kScoreAt, &s, 4);
    std::vector<uint8_t> negativeScore = bytes;
    s = -4;
    std::memcpy(negativeScore.data() + kScoreAt, &s, 4);
    const std::vector<std::vector<uint8_t>> refused = {
        hugeScore, negativeScore,
        damage(kHeldAt, 22), damage(kHeldAt, 0x80),
        damage(kProgressAt + 7, 9), damage(kProgressAt + 13, 100), damage(kProgressAt + 1, 0xFF),
        damage(2 + 164 + 50, 7), damage(2 + 164 + 175, 0xF0),
    };
    for (size_t i = 0; i < refused.size(); ++i) {
        EXPECT_EQ(DecodeSavedGame(refused[i]).problem, SavedGame::Damaged) << "record " << i;
        fs::path p = g.user / "bad.sav";
        WriteAll(p, refused[i]);
        g.platform.fileAnswers.push_back(p.string());
        size_t boxes = g.platform.messages.size();
        g.app.guard([&] { t.Open1Click(); });
        EXPECT_EQ(g.platform.messages.size(), boxes + 1) << "record " << i;
        EXPECT_EQ(std::memcmp(t.GameState.bytes(), before.bytes(), sizeof before), 0) << "record " << i;
    }
    EXPECT_EQ(DecodeSavedGame(bytes).problem, SavedGame::None);
    // However the score got there, adding to it never wraps round.
    t.GameState.setScore(INT32_MAX - 1);
    t.Score(5);
    EXPECT_GT(t.GameState.score(), 0);
}

TEST(Reliability, AnOversizedOrSpecialFileIsRefusedWithoutReadingIt) {
    Game g;
    g.startAndClickOnce();
    g.game.NewRoom(9);
    fs::path good = SaveHere(g, "good.sav");
    std::vector<uint8_t> bytes = ReadAll(good);
    bytes.resize(100000, 0xAA);
    fs::path big = g.user / "big.sav";
    WriteAll(big, bytes);
    fs::path sparse = g.user / "sparse.sav";
    WriteAll(sparse, ReadAll(good));
    fs::resize_file(sparse, uint64_t(64) << 20);
    g.game.NewRoom(10);
    for (const fs::path& p : {big, sparse, fs::path(g.user)}) {
        g.platform.fileAnswers.push_back(p.string());
        size_t boxes = g.platform.messages.size();
        g.app.guard([&] { g.game.Open1Click(); });
        EXPECT_EQ(g.platform.messages.size(), boxes + 1) << p;
        EXPECT_EQ(g.game.GameState.Room, 10) << p;
    }
    EXPECT_TRUE(g.platform.errors.empty());
    // The game's own readers stop at what their formats allow.
    WriteAll(g.user / "p1" / "huge.jpg", {0xFF, 0xD8});
    fs::resize_file(g.user / "p1" / "huge.jpg", uint64_t(1) << 31);
    EXPECT_THROW(g.files.read("p1\\huge.jpg"), FileError);
}

TEST(Reliability, ALinkToAnEndlessDeviceIsRefused) {
    Game g;
    g.startAndClickOnce();
    g.game.NewRoom(10);
    fs::path link = g.user / "zero.sav";
    fs::create_symlink("/dev/zero", link);
    g.platform.fileAnswers.push_back(link.string());
    g.app.guard([&] { g.game.Open1Click(); });
    EXPECT_EQ(g.game.GameState.Room, 10);
    EXPECT_TRUE(g.platform.errors.empty());
    EXPECT_EQ(g.platform.messages.size(), 1u);
}

TEST(Reliability, AShortRoomRecordClearsThePreviousRoomsCells) {
    Game g;
    std::vector<uint8_t> cells = ReadAll(fs::path(LNF_GAME_DIR) / "2grdata.");
    ASSERT_EQ(cells.size(), size_t(32 * kCellsPerRecord));
    cells.resize(31 * kCellsPerRecord + 100);  // room 32's record ends early
    WriteAll(g.user / "2grdata.", cells);
    g.start();
    g.game.NewRoom(31);
    bool painted = false;
    for (int i = 100; i < kCellsPerRecord; ++i) painted = painted || g.game.RoomCells[size_t(i)] != 0;
    ASSERT_TRUE(painted);
    g.game.NewRoom(32);
    for (int i = 100; i < kCellsPerRecord; ++i) ASSERT_EQ(g.game.RoomCells[size_t(i)], 0) << "cell " << i;
}

TEST(Reliability, ASaveCutOffEarlierLeavesNoTemporaryFileBehind) {
    Game g;
    g.startAndClickOnce();
    // What a save killed half-way left behind in the folder.
    WriteAll(g.user / "game.sav.tmp4242", std::vector<uint8_t>(100, 1));
    fs::path file = SaveHere(g, "game.sav");
    EXPECT_EQ(ReadAll(file).size(), kSavedGameSize);
    std::vector<std::string> names;
    for (auto& e : fs::directory_iterator(g.user))
        if (e.is_regular_file()) names.push_back(e.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"game.sav"});
}

TEST(Reliability, AMissingQuestionFileOrDamagedMediaIsReported) {
    Game g;
    WriteAll(g.user / "data" / "Level1.dlg", {});
    g.startAndClickOnce();
    std::string said;
    g.platform.modalScripts[WindowId::CloseUp] = [&] {
        said = g.app.CloseUp->Talk1.Caption;
        g.talk();
    };
    g.app.CloseUp->CharacterTalks(2);
    EXPECT_NE(said.find("data/Level1.dlg"), std::string::npos) << said;
    EXPECT_EQ(g.game.Tag, 0);

    Game f;
    f.startAndClickOnce();
    f.platform.mediaFails = true;  // the device opens nothing: a damaged clip, a damaged tune
    f.game.Display(11, true);
    f.game.NewRoom(22);
    EXPECT_NE(f.message().find("music/alpaca.wma"), std::string::npos) << f.message();
    f.use(11, 4);
    EXPECT_NE(f.message().find(f.app.text("catfish1")), std::string::npos);
    EXPECT_NE(f.message().find("p1/CATFISH.AVI"), std::string::npos) << f.message();
    f.use(11, 4);  // said once: the second try shows its own text alone
    EXPECT_EQ(f.message(), f.app.text("catfish2"));
}
