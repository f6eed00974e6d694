// The saves folder, the saved-games list with its pictures, the autosave and the quick save.
#include <cstdlib>
#include <fstream>

#include "game_fixture.h"
#include "persistence/save_slots.h"
#include "persistence/saved_game.h"

using lnf::testing::FreshFolder;
using lnf::testing::Game;
using lnf::testing::ReadAll;
using lnf::testing::WriteAll;
using namespace lnf;
namespace fs = std::filesystem;

namespace {
void SetAge(const fs::path& p, int minutesAgo) {
    fs::last_write_time(p, fs::file_time_type::clock::now() - std::chrono::minutes(minutesAgo));
}

// Restores under an environment variable's value, whatever the test did with it.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value) ::setenv(name, value, 1);
        else ::unsetenv(name);
    }
    ~ScopedEnv() {
        if (old_) ::setenv(name_, old_->c_str(), 1);
        else ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

// The first room reachable from the current one, walked to as a player would.
int Neighbour(Game& g) {
    const GameStateRecord& s = g.game.GameState;
    int r = s.ShownRoom;
    for (int to : {int(s.ExitEast[r]), int(s.ExitWest[r]), int(s.ExitSouth[r]), int(s.ExitNorth[r])}) {
        if (to > 0 && to != 10 && to != 2 && to != 6 && to != 26) return to;  // rooms with doors or trains
    }
    return 0;
}
void WalkOnce(Game& g) {
    int to = Neighbour(g);
    ASSERT_NE(to, 0);
    g.walkTo(to);
}
}  // namespace

TEST(SavesFolder, LiesInThePlayersDataFolderAndTheDialogsStartThere) {
    fs::path data = FreshFolder("xdg");
    {
        ScopedEnv xdg("XDG_DATA_HOME", data.c_str());
        EXPECT_EQ(DefaultPlayerFolder(), data / "lanternfall");
    }
    {
        ScopedEnv xdg("XDG_DATA_HOME", "relative/place");  // not absolute: ignored
        ScopedEnv home("HOME", "/home/veska");
        EXPECT_EQ(DefaultPlayerFolder(), fs::path("/home/veska/.local/share/lanternfall"));
    }
    {
        ScopedEnv xdg("XDG_DATA_HOME", nullptr);
        ScopedEnv home("HOME", "/home/veska");
        EXPECT_EQ(DefaultPlayerFolder(), fs::path("/home/veska/.local/share/lanternfall"));
    }

    ScopedEnv xdg("XDG_DATA_HOME", data.c_str());
    Game g;
    GameFiles files(DefaultPlayerFolder(), {LNF_GAME_DIR});
    EXPECT_EQ(SavesFolder(files), data / "lanternfall" / "saves");
    EXPECT_FALSE(fs::exists(SavesFolder(files)));
    EXPECT_EQ(EnsureSavesFolder(files), data / "lanternfall" / "saves");
    EXPECT_TRUE(fs::is_directory(SavesFolder(files)));

    // The game's own dialogs: the folder is made when needed and both start in it.
    g.startAndClickOnce();
    fs::path saves = g.user / "saves";
    ASSERT_FALSE(fs::exists(saves));
    g.platform.fileAnswers.push_back((saves / "first.sav").string());
    g.game.SaveGame();
    ASSERT_EQ(g.platform.fileDialogs.size(), 1u);
    EXPECT_EQ(g.platform.fileDialogs[0].initialFolder, saves.string());
    EXPECT_EQ(ReadAll(saves / "first.sav").size(), kSavedGameSize);
    g.platform.fileAnswers.push_back(std::nullopt);
    g.game.Open1Click();
    EXPECT_EQ(g.platform.fileDialogs.back().initialFolder, saves.string());

    // A saved game anywhere else still opens.
    g.game.Display(6, true);
    g.game.NewRoom(12);
    fs::path elsewhere = data / "elsewhere.sav";
    WriteAll(elsewhere, g.game.SavedGameBytes());
    g.game.NewRoom(3);
    g.platform.fileAnswers.push_back(elsewhere.string());
    g.game.Open1Click();
    EXPECT_EQ(g.game.GameState.Room, 12);
    fs::remove_all(data);
}

TEST(SavedGamesList, NewestFirstAfterTheAutosaveWithPicturesFromTheBytes) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    fs::path saves = EnsureSavesFolder(g.files);

    // Room 7 with its changed look: the game composes its picture as the player takes the lamp.
    t.Display(2, true);
    g.P(11) = 1;
    t.DrawCorner(50);
    t.NewRoom(7);
    ASSERT_TRUE(t.SaveNamed("lamp taken"));
    // Room 14 with both of its pieces, at level 2.
    t.Display(9, true);
    g.P(19) = 1;
    g.P(20) = 1;
    g.P(3) = 2;
    t.DrawJpg();
    t.NewRoom(14);
    t.QuickSave();
    GameStateRecord both = t.GameState;
    // A plain room with a score that items do not explain.
    g.P(19) = 0;
    g.P(20) = 0;
    g.P(3) = 0;
    t.GameState.setScore(37);
    t.NewRoom(22);
    WriteAll(saves / "autosave.sav", t.SavedGameBytes());
    // The room-14 picture the game keeps now has only one piece: the list must not use it.
    g.P(20) = 1;
    t.DrawJpg();
    g.P(20) = 0;
    // Files that cannot be opened, and files that are no saved games at all.
    std::vector<uint8_t> foreign = t.SavedGameBytes();
    foreign[1] = '1';
    WriteAll(saves / "old version.SAV", foreign);
    std::vector<uint8_t> damaged = t.SavedGameBytes();
    damaged[447] = 40;  // a room that does not exist
    WriteAll(saves / "broken.sav", damaged);
    WriteAll(saves / "notes.txt", {'h', 'i'});
    fs::create_directories(saves / "folder.sav");

    SetAge(saves / "autosave.sav", 50);
    SetAge(saves / "lamp taken.sav", 30);
    SetAge(saves / "quicksave.sav", 20);
    SetAge(saves / "broken.sav", 10);
    SetAge(saves / "old version.SAV", 40);

    std::vector<SavedGameEntry> list = ListSavedGames(t);
    ASSERT_EQ(list.size(), 5u);
    EXPECT_EQ(list[0].name, "Autosave");
    EXPECT_EQ(list[1].name, "broken");
    EXPECT_EQ(list[2].name, "Quick save");
    EXPECT_EQ(list[3].name, "lamp taken");
    EXPECT_EQ(list[4].name, "old version");

    EXPECT_EQ(list[0].slot, SavedGameEntry::Slot::Autosave);
    EXPECT_EQ(list[0].score, 37);
    EXPECT_EQ(list[0].room, 22);
    EXPECT_EQ(list[0].level, 1);
    EXPECT_EQ(list[2].slot, SavedGameEntry::Slot::Quick);
    EXPECT_EQ(list[2].room, 14);
    EXPECT_EQ(list[2].level, 2);
    EXPECT_EQ(list[2].score, both.score());
    EXPECT_EQ(list[3].room, 7);
    EXPECT_EQ(list[3].modifiedText.size(), 16u);  // "2026-12-09 15:12"

    EXPECT_EQ(list[1].problem, SavedGame::Damaged);
    EXPECT_EQ(list[4].problem, SavedGame::WrongVersion);
    for (int i : {1, 4}) {
        EXPECT_FALSE(list[size_t(i)].usable());
        EXPECT_TRUE(list[size_t(i)].preview.empty());
    }

    // Each picture is the room exactly as the game shows it once that file is restored.
    EXPECT_NE(list[2].preview, t.LoadResourcePicture("R14"));
    for (int i : {0, 2, 3}) {
        const SavedGameEntry& e = list[size_t(i)];
        ASSERT_FALSE(e.preview.empty()) << e.name;
        Image before = e.preview;
        ASSERT_TRUE(t.OpenSavedGame(e.path)) << e.name;
        EXPECT_EQ(t.GameState.Room, e.room);
        EXPECT_EQ(t.GameState.score(), e.score);
        EXPECT_TRUE(t.Image2.Picture == before) << e.name;
    }

    // A damaged or foreign entry does not open; the game goes on unchanged.
    GameStateRecord now = t.GameState;
    g.platform.messages.clear();
    EXPECT_FALSE(t.OpenSavedGame(list[1].path));
    EXPECT_FALSE(t.OpenSavedGame(list[4].path));
    EXPECT_EQ(g.platform.messages.size(), 2u);
    EXPECT_EQ(std::memcmp(t.GameState.bytes(), now.bytes(), sizeof now), 0);
}

TEST(SavedGamesList, NamesOverwritingAndDeleting) {
    for (const char* bad : {"", "   ", "a/b", "..", ".hidden", "back\\slash", " padded", "autosave", "QuickSave.sav"})
        EXPECT_NE(CheckSaveName(bad), SaveNameProblem::None) << bad;
    EXPECT_EQ(CheckSaveName(std::string(81, 'x')), SaveNameProblem::TooLong);
    for (const char* good : {"Veska at the pond", "2nd try", "über.sav"})
        EXPECT_EQ(CheckSaveName(good), SaveNameProblem::None) << good;

    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    t.Display(5, true);
    ASSERT_TRUE(t.SaveNamed("pond"));
    fs::path file = g.user / "saves" / "pond.sav";
    std::vector<uint8_t> first = ReadAll(file);
    ASSERT_EQ(first.size(), 471u);
    EXPECT_EQ(first[0], 'v');
    EXPECT_EQ(first[1], '2');
    EXPECT_EQ(first, t.SavedGameBytes());
    // Overwriting (the window has asked) replaces the file in place.
    t.Display(8, true);
    ASSERT_TRUE(t.SaveNamed("pond.sav"));
    EXPECT_EQ(ReadAll(file), t.SavedGameBytes());
    EXPECT_NE(ReadAll(file), first);
    // A bad name or a moment of the story writes nothing and says why.
    g.platform.messages.clear();
    EXPECT_FALSE(t.SaveNamed("../escape"));
    EXPECT_FALSE(fs::exists(g.user / "escape.sav"));
    t.WaitingForContinue = true;
    EXPECT_FALSE(t.SaveNamed("waiting"));
    t.WaitingForContinue = false;
    EXPECT_FALSE(fs::exists(g.user / "saves" / "waiting.sav"));
    EXPECT_EQ(g.platform.messages.size(), 2u);

    // Deleting: only saved games of the saves folder.
    fs::path outside = g.user / "outside.sav";
    WriteAll(outside, first);
    EXPECT_FALSE(DeleteSavedGame(g.files, outside));
    EXPECT_FALSE(DeleteSavedGame(g.files, g.user / "saves" / ".." / "outside.sav"));
    EXPECT_TRUE(fs::exists(outside));
    EXPECT_TRUE(DeleteSavedGame(g.files, file));
    EXPECT_FALSE(fs::exists(file));
    EXPECT_FALSE(DeleteSavedGame(g.files, file));
    EXPECT_TRUE(ListSavedGames(t).empty());
}

TEST(Autosave, OnEnteringARoomEveryTwoMinutesAndOnClosing) {
    Game g;
    g.platform.sleep(10 * 60 * 1000);  // the monotonic clock of a machine that has been up a while
    g.startAndClickOnce();
    TGame& t = g.game;
    fs::path autosave = g.user / "saves" / "autosave.sav";
    t.Display(3, true);  // points: a game worth keeping

    g.platform.sleep(119 * 1000);
    WalkOnce(g);
    EXPECT_FALSE(fs::exists(autosave)) << "saved before two minutes had passed";
    g.platform.sleep(1000);
    WalkOnce(g);
    ASSERT_TRUE(fs::exists(autosave));
    std::vector<uint8_t> bytes = ReadAll(autosave);
    EXPECT_EQ(bytes.size(), 471u);
    EXPECT_EQ(bytes, t.SavedGameBytes());
    EXPECT_EQ(bytes[447], t.GameState.Room);

    // The clock starts again at each autosave.
    fs::remove(autosave);
    g.platform.sleep(60 * 1000);
    WalkOnce(g);
    EXPECT_FALSE(fs::exists(autosave));
    g.platform.sleep(60 * 1000);

    // Never in the middle of a step: a rule at work, a wait for "Continue", an animation.
    t.RuleBusy = true;
    t.NewRoom(t.GameState.Room);
    t.RuleBusy = false;
    t.WaitingForContinue = true;
    t.NewRoom(t.GameState.Room);
    t.WaitingForContinue = false;
    t.BigTime.setEnabled(true);
    t.NewRoom(t.GameState.Room);
    t.BigTime.setEnabled(false);
    EXPECT_FALSE(fs::exists(autosave));
    WalkOnce(g);
    EXPECT_TRUE(fs::exists(autosave));

    // A restore enters its room without autosaving over it.
    fs::path other = g.user / "other.sav";
    t.Display(11, true);
    WriteAll(other, t.SavedGameBytes());
    fs::remove(autosave);
    g.platform.sleep(5 * 60 * 1000);
    ASSERT_TRUE(t.RestoreSavedGame(other.string()));
    EXPECT_FALSE(fs::exists(autosave));

    // Closing the window saves, unless a step is under way.
    t.WaitingForContinue = true;
    t.FormClose();
    EXPECT_FALSE(fs::exists(autosave));
    t.WaitingForContinue = false;
    t.Closed = false;
    g.aboutAnswer = 0;  // "yes, quit"
    t.Close();
    EXPECT_TRUE(t.Closed);
    EXPECT_EQ(ReadAll(autosave), t.SavedGameBytes());
}

TEST(Autosave, TheStartingGameNeverReplacesAnEarlierAutosave) {
    Game g;
    fs::path saves = EnsureSavesFolder(g.files);
    std::vector<uint8_t> earlier(kSavedGameSize, 7);
    earlier[0] = 'v';
    earlier[1] = '2';
    WriteAll(saves / "autosave.sav", earlier);
    g.platform.sleep(10 * 60 * 1000);  // the clock of a machine that has been up a while
    g.startAndClickOnce();
    WalkOnce(g);
    g.platform.sleep(3 * 60 * 1000);
    WalkOnce(g);  // no points yet: nothing to keep
    g.aboutAnswer = 0;
    g.game.Close();
    EXPECT_EQ(ReadAll(saves / "autosave.sav"), earlier);
}

TEST(QuickSave, F5SavesF9BringsItBackAndBothSaySo) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    t.QuickLoad();
    EXPECT_EQ(g.message(), "There is no quick save yet. F5 makes one.");

    t.Display(4, true);
    t.Display(12, true);
    g.P(3) = 2;
    WalkOnce(g);
    GameStateRecord saved = t.GameState;
    t.QuickSave();
    EXPECT_EQ(g.message(), "Game saved in the quick slot. F9 brings it back.");
    fs::path quick = g.user / "saves" / "quicksave.sav";
    std::vector<uint8_t> bytes = ReadAll(quick);
    ASSERT_EQ(bytes.size(), 471u);
    EXPECT_EQ(std::memcmp(bytes.data() + 2, saved.bytes(), 448), 0);
    EXPECT_EQ(bytes[0], 'v');
    EXPECT_EQ(bytes[1], '2');
    EXPECT_EQ(bytes[450 + 3], 1);   // item 4
    EXPECT_EQ(bytes[450 + 11], 1);  // item 12
    EXPECT_EQ(bytes[450 + 4], 0);

    // Play on, then come back.
    t.Display(4, false);
    t.Display(17, true);
    g.P(3) = 0;
    WalkOnce(g);
    t.QuickLoad();
    EXPECT_EQ(g.message(), "Quick save loaded.");
    EXPECT_EQ(std::memcmp(t.GameState.bytes(), saved.bytes(), 448), 0);
    EXPECT_TRUE(t.Vis(4));
    EXPECT_TRUE(t.Vis(12));
    EXPECT_FALSE(t.Vis(17));
    EXPECT_TRUE(g.game.menu("Level2").Checked);

    // Not in the middle of a step: the earlier quick save stays.
    t.Display(17, true);
    t.WaitingForContinue = true;
    t.QuickSave();
    EXPECT_EQ(g.message(), "Please wait until this moment of the story is over, then save.");
    t.QuickLoad();
    EXPECT_EQ(g.message(), "Please wait until this moment of the story is over.");
    EXPECT_TRUE(t.Vis(17));
    t.WaitingForContinue = false;
    EXPECT_EQ(ReadAll(quick), bytes);

    // A damaged quick save is refused like any other file.
    std::vector<uint8_t> broken = bytes;
    broken[0] = 'x';
    WriteAll(quick, broken);
    g.platform.messages.clear();
    t.QuickLoad();
    ASSERT_EQ(g.platform.messages.size(), 1u);
    EXPECT_EQ(g.platform.messages[0].first, "Wrong version!");
    EXPECT_TRUE(t.Vis(17));
}
