// Saved games, new game, restart, the puzzle levels and the confirmation dialog.
#include <fstream>

#include "game_fixture.h"
#include "persistence/saved_game.h"

using lnf::testing::Game;
using lnf::testing::ReadAll;
using lnf::testing::WriteAll;
using namespace lnf;

TEST(SavedGame, BytesAreTheMarkTheRecordAndTheItems) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    t.Display(kWhiteKing, true);
    t.Display(kKitty, true);
    t.GameState.ExitNorth[6] = 26;
    g.P(LevelFlag) = 2;
    g.P(27) = 77;           // bytes the game never uses travel unchanged
    t.GameState.Spare = 55;
    t.NewRoom(23);
    std::filesystem::path file = g.user / "one.sav";
    g.platform.fileAnswers.push_back(file.string());
    t.SaveAs1Click();
    std::vector<uint8_t> bytes = ReadAll(file);
    // Written by hand: "v2", the record as it stands, then 21 item bytes.
    std::vector<uint8_t> expected = {'v', '2'};
    expected.insert(expected.end(), t.GameState.bytes(), t.GameState.bytes() + 448);
    for (int i = 1; i <= 21; ++i) expected.push_back(i == 3 || i == 21 ? 1 : 0);
    ASSERT_EQ(bytes.size(), 471u);
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(bytes[2 + 6], 26);
    EXPECT_EQ(bytes[162], 4);  // the score, little-endian
    EXPECT_EQ(bytes[447], 23);
    EXPECT_EQ(bytes[449], 55);
    // The dialog: the game's filter, its extension, asking before overwriting.
    ASSERT_EQ(g.platform.fileDialogs.size(), 1u);
    EXPECT_EQ(g.platform.fileDialogs[0].filter, "Saved games|*.sav");
    EXPECT_EQ(g.platform.fileDialogs[0].defaultExtension, ".SAV");
    EXPECT_TRUE(g.platform.fileDialogs[0].confirmOverwrite);
    // A cancelled save writes nothing.
    std::filesystem::remove(file);
    g.platform.fileAnswers.push_back(std::nullopt);
    t.SaveAs1Click();
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(SavedGame, RestoreBringsBackEveryFieldItemsScoreLevelAndRoom) {
    Game a;
    a.startAndClickOnce();
    TGame& t = a.game;
    for (int i : {2, 7, 13}) t.Display(i, true);
    t.ChangeCursor(kHarp);
    a.P(LevelFlag) = 2;
    a.P(FawnMet) = 1;  // room 14's fawn change, rebuilt after the restore
    t.GameState.ExitEast[29] = 31;
    for (int i = 0; i < 280; ++i) a.S(i) = int8_t(i % 3);
    t.NewRoom(29);
    int score = a.score();
    std::filesystem::path file = a.user / "full.sav";
    a.platform.fileAnswers.push_back(file.string());
    t.SaveGame();
    GameStateRecord saved = t.GameState;

    Game b;
    b.startAndClickOnce();
    b.game.Display(kClaw, true);  // carried before the restore, not in the file
    b.game.FontColorClick("Lime1");
    b.platform.fileAnswers.push_back(file.string());
    b.game.Open1Click();
    TGame& r = b.game;
    EXPECT_EQ(std::memcmp(r.GameState.bytes(), saved.bytes(), 160), 0);
    EXPECT_EQ(std::memcmp(r.GameState.ObjState, saved.ObjState, 280), 0);
    EXPECT_EQ(b.score(), score);
    EXPECT_EQ(r.ScoreLabel.Caption, "Score: " + std::to_string(score));
    EXPECT_EQ(r.GameState.Room, 29);
    EXPECT_EQ(r.CursorMode, kDoMode);
    EXPECT_EQ(r.GameState.HeldItem, 0);
    EXPECT_TRUE(r.Vis(kKitten) && r.Vis(kHarp) && r.Vis(kSword));
    EXPECT_FALSE(r.Vis(kClaw));
    EXPECT_TRUE(r.menu("Level2").Checked);
    EXPECT_FALSE(r.menu("Level1").Checked);
    EXPECT_EQ(b.app.CloseUp->PuzzleLevel, 2);
    EXPECT_TRUE(r.arrowE.Visible);  // the opened exit came back
    EXPECT_TRUE(b.files.exists("p1\\140.jpg"));
    EXPECT_EQ(r.text1.FontColor, (Rgb{0, 255, 0}));
    EXPECT_FALSE(r.FirstClickHint);
    EXPECT_EQ(b.platform.fileDialogs[0].defaultExtension, "SAV");
}

TEST(SavedGame, ForeignShortAndDamagedFilesChangeNothing) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    t.Display(kBrownKnight, true);
    t.NewRoom(12);
    GameStateRecord before = t.GameState;
    std::vector<uint8_t> good = EncodeSavedGame(before, {});
    auto refused = [&](std::vector<uint8_t> bytes, const std::string& message) {
        std::filesystem::path file = g.user / "bad.sav";
        WriteAll(file, bytes);
        g.platform.messages.clear();
        g.platform.fileAnswers.push_back(file.string());
        t.Open1Click();
        ASSERT_EQ(g.platform.messages.size(), 1u);
        EXPECT_EQ(g.platform.messages[0].first.substr(0, message.size()), message);
        EXPECT_EQ(std::memcmp(t.GameState.bytes(), before.bytes(), 448), 0);
        EXPECT_TRUE(t.Vis(kBrownKnight));
    };
    std::vector<uint8_t> v1 = good;
    v1[1] = '1';
    refused(v1, "Wrong version!");
    std::vector<uint8_t> upper = good;
    upper[0] = 'V';
    refused(upper, "Wrong version!");
    refused({'v'}, "Wrong version!");
    refused({}, "Wrong version!");
    refused(std::vector<uint8_t>(good.begin(), good.begin() + 300), "This saved game is damaged");
    std::vector<uint8_t> badRoom = good;
    badRoom[447] = 40;
    refused(badRoom, "This saved game is damaged");
    std::vector<uint8_t> badExit = good;
    badExit[2 + 5] = 99;
    refused(badExit, "This saved game is damaged");
    EXPECT_EQ(g.platform.messages[0].second, "Open Saved Game");

    // Missing item bytes count as items not carried.
    std::filesystem::path file = g.user / "short.sav";
    WriteAll(file, std::vector<uint8_t>(good.begin(), good.begin() + 455));
    g.platform.fileAnswers.push_back(file.string());
    t.Open1Click();
    EXPECT_FALSE(t.Vis(kBrownKnight));
    EXPECT_EQ(t.GameState.Room, 12);
}

TEST(SavedGame, AFailedSaveSaysSoAndKeepsTheEarlierFile) {
    Game g;
    g.startAndClickOnce();
    std::filesystem::path file = g.user / "keep.sav";
    g.platform.fileAnswers.push_back(file.string());
    g.game.SaveGame();
    std::vector<uint8_t> first = ReadAll(file);
    ASSERT_EQ(first.size(), 471u);
    g.game.Display(kTicket, true);
    // A save into a folder that does not exist fails; so does one over a folder.
    g.platform.fileAnswers.push_back((g.user / "missing" / "deep" / "x.sav").string());
    std::filesystem::create_directories(g.user / "missing");
    std::filesystem::create_directories(g.user / "missing" / "deep" / "x.sav");
    g.game.SaveGame();
    ASSERT_EQ(g.platform.messages.size(), 1u);
    EXPECT_NE(g.platform.messages[0].first.find("could not be saved"), std::string::npos);
    EXPECT_EQ(ReadAll(file), first);
    // No temporary file is left behind beside the earlier save.
    int files = 0;
    for (auto& e : std::filesystem::directory_iterator(g.user)) files += e.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 1);
}

TEST(SavedGame, NoSaveWhileAnAnimationWouldBeCutInHalf) {
    Game g;
    g.startAndClickOnce();
    g.game.XForm.setEnabled(true);
    g.platform.fileAnswers.push_back((g.user / "mid.sav").string());
    g.game.SaveGame();
    EXPECT_FALSE(std::filesystem::exists(g.user / "mid.sav"));
    ASSERT_EQ(g.platform.messages.size(), 1u);
    EXPECT_TRUE(g.platform.fileDialogs.empty());
    g.game.XForm.setEnabled(false);
    g.game.SaveGame();
    EXPECT_TRUE(std::filesystem::exists(g.user / "mid.sav"));
}

TEST(NewGame, WithoutPointsOnlyReturnsToTheGarden) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    t.NewRoom(12);
    g.P(BottleStage) = 2;
    t.New1Click();
    EXPECT_EQ(t.GameState.Room, 4);
    EXPECT_EQ(g.P(BottleStage), 2);
    EXPECT_TRUE(g.platform.modalStack.empty() || !g.platform.isOpen(WindowId::About1));
}

TEST(NewGame, WithPointsAsksAndRestartsOrKeepsTheGame) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    t.Display(kStick, true);
    t.GameState.ExitNorth[6] = 26;
    t.NewRoom(6);
    g.game.TimeJab.Tag = 7;
    g.aboutAnswer = 1;  // "No, don't restart"
    t.New1Click();
    EXPECT_EQ(t.GameState.Room, 6);
    EXPECT_TRUE(t.Vis(kStick));
    EXPECT_EQ(g.app.About1->No1.Caption, "&No, don't restart");
    g.aboutAnswer = 2;  // the close box
    t.New1Click();
    EXPECT_EQ(g.app.About1->Tag, 2);
    EXPECT_EQ(t.GameState.Room, 6);
    g.aboutAnswer = 0;
    t.New1Click();
    EXPECT_EQ(t.GameState.Room, 4);
    EXPECT_FALSE(t.Vis(kStick));
    EXPECT_EQ(t.CursorMode, kLookMode);
    EXPECT_EQ(g.score(), 0);
    EXPECT_EQ(t.ScoreLabel.Caption, "Score: 0");
    EXPECT_EQ(t.GameState.ExitNorth[6], 0);
    EXPECT_EQ(t.TimeJab.Tag, 0);
}

TEST(Levels, ChangingTheLevelRestartsAndIsStored) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    t.Level2Click();  // score 0: no question
    EXPECT_TRUE(t.menu("Level2").Checked);
    EXPECT_FALSE(t.menu("Level1").Checked);
    EXPECT_EQ(g.app.CloseUp->PuzzleLevel, 2);
    EXPECT_EQ(g.P(LevelFlag), 2);
    ASSERT_EQ(g.platform.messages.size(), 1u);
    EXPECT_EQ(g.platform.messages[0], (std::pair<std::string, std::string>{"Puzzles set to Level 2!", "New Level"}));
    // Clicking the marked item only removes its mark.
    t.Level2Click();
    EXPECT_FALSE(t.menu("Level2").Checked);
    EXPECT_FALSE(t.menu("Level1").Checked);
    EXPECT_EQ(g.app.CloseUp->PuzzleLevel, 2);
    // With points: declining keeps the game and the level, with the item marked.
    t.Display(kKitten, true);
    g.aboutAnswer = 1;
    t.Level1Click();
    EXPECT_TRUE(t.menu("Level1").Checked);
    EXPECT_EQ(g.app.CloseUp->PuzzleLevel, 2);
    EXPECT_TRUE(t.Vis(kKitten));
    // A new game keeps the stored level in step with the level in force.
    g.aboutAnswer = 0;
    t.New1Click();
    EXPECT_EQ(g.P(LevelFlag), 2);
}

TEST(About, ThreeModesAndTheirAnswers) {
    Game g;
    g.start();
    TAbout1& a = *g.app.About1;
    g.game.AboutClick();
    EXPECT_FALSE(a.No1.Visible);
    EXPECT_EQ(a.Okay1.Left, 100);
    EXPECT_EQ(a.Okay1.Caption, "&Okay");
    EXPECT_EQ(a.Label1.Caption.rfind("version 4.0\n\r", 0), 0u);
    EXPECT_EQ(a.Caption, " ");
    EXPECT_EQ(a.Tag, 0);
    // The quit question: "No" keeps the game, "Yes" closes it without the conclusion.
    g.aboutAnswer = 1;
    g.game.Exit1Click();
    EXPECT_FALSE(g.game.Closed);
    EXPECT_EQ(a.Label1.Caption, "\n\rAre you sure you want to quit?");
    EXPECT_EQ(a.No1.Caption, "&No, don't quit");
    EXPECT_EQ(a.Okay1.Left, 32);
    g.game.AboutClick();
    EXPECT_FALSE(a.No1.Visible);
    EXPECT_EQ(a.Okay1.Left, 100);
    g.aboutAnswer = 0;
    g.game.Exit1Click();
    EXPECT_TRUE(g.game.Closed);
    EXPECT_EQ(g.app.Tag, 0);
}

TEST(Program, TheBackdropRunsIntroGameAndConclusionOnce) {
    Game g;
    std::vector<std::string> order;
    g.platform.modalScripts[WindowId::Intro] = [&] {
        order.push_back(g.app.Intro->ConclusionMode ? "conclusion" : "intro");
        if (!g.app.Intro->ConclusionMode) {
            for (int i = 0; i < 10; ++i) g.app.Intro->nextbuttonClick();
        } else {
            g.app.Intro->nextbuttonClick();  // nothing but the exit button acts
            EXPECT_TRUE(g.platform.isOpen(WindowId::Intro));
            g.app.Intro->exitbuttonClick();
        }
    };
    g.platform.modalScripts[WindowId::Game] = [&] {
        order.push_back("game");
        g.app.Tag = 2;
        g.game.Close();
    };
    g.app.Black->Time1.setEnabled(true);
    g.platform.advance(1000);
    EXPECT_EQ(order, (std::vector<std::string>{"intro", "game", "conclusion"}));
    EXPECT_TRUE(g.app.Black->Closed);
    g.platform.advance(5000);
    EXPECT_EQ(order.size(), 3u);  // the timer fired once
    EXPECT_EQ(g.app.Intro->Image1.Picture.width, 500);
}
