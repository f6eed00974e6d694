// The saved-games window behind "Save Game" and "Open Saved Game...": saving by name, the
// question before saving over a game, games that cannot be opened, "Other file...", and the
// keys' own commands.
#include <functional>

#include "game_fixture.h"
#include "persistence/save_slots.h"
#include "persistence/saved_game.h"
#include "windows/lnf_saved_games.h"

using lnf::testing::Game;
using lnf::testing::ReadAll;
using lnf::testing::WriteAll;
using namespace lnf;
namespace fs = std::filesystem;

namespace {

// Plays the window with `script` while it is open; the window must end up closed.
void WithWindow(Game& g, std::function<void(TSavedGames&)> script) {
    g.platform.modalScripts[WindowId::SavedGames] = [&g, script] {
        script(*g.app.SavedGames);
        EXPECT_FALSE(g.platform.isOpen(WindowId::SavedGames)) << "the script left the window open";
    };
}

int IndexOf(const TSavedGames& w, const std::string& name) {
    for (size_t i = 0; i < w.Entries.size(); ++i)
        if (w.Entries[i].name == name) return int(i);
    return -1;
}

}  // namespace

TEST(SavedGamesWindow, SavesUnderATypedNameThenOpensItFromTheList) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    t.Display(6, true);
    t.NewRoom(12);
    WithWindow(g, [](TSavedGames& w) {
        EXPECT_EQ(w.Mode, SavedGamesMode::Save);
        EXPECT_EQ(w.Caption, "Save Game");
        w.SetName("by the well");
        w.SaveClick();
    });
    g.app.guard([&] { t.SaveAs1Click(); });
    fs::path file = g.user / "saves" / "by the well.sav";
    ASSERT_EQ(ReadAll(file).size(), kSavedGameSize);
    EXPECT_EQ(t.text1.Caption, "Game saved as \"by the well\".");
    EXPECT_TRUE(g.platform.fileDialogs.empty()) << "saving by name asked for a file dialog";

    t.Display(6, false);
    t.NewRoom(3);
    WithWindow(g, [](TSavedGames& w) {
        EXPECT_EQ(w.Mode, SavedGamesMode::Open);
        int at = IndexOf(w, "by the well");
        ASSERT_GE(at, 0);
        EXPECT_EQ(w.Entries[size_t(at)].room, 12);
        EXPECT_GT(w.Entries[size_t(at)].preview.width, 0);
        EXPECT_EQ(w.Selected, at);  // the only game, and so the latest, is picked at once
        w.Select(at);
        EXPECT_TRUE(w.CanOpen());
        w.OpenClick();
    });
    g.app.guard([&] { t.Open1Click(); });
    EXPECT_EQ(t.GameState.Room, 12);
    EXPECT_TRUE(t.Vis(6));
    EXPECT_TRUE(g.platform.messages.empty());
}

TEST(SavedGamesWindow, ATypedNameThatIsTakenAsksFirstAndNoLeavesTheGameAsItWas) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    t.NewRoom(12);
    ASSERT_TRUE(t.SaveNamed("mine"));
    fs::path file = g.user / "saves" / "mine.sav";
    std::vector<uint8_t> before = ReadAll(file);
    t.NewRoom(3);
    // "No" and Cancel (Escape) only take the question away; the window stays.
    WithWindow(g, [&](TSavedGames& w) {
        w.SetName("mine");
        w.SaveClick();
        EXPECT_EQ(w.Asking, TSavedGames::Question::Overwrite);
        EXPECT_NE(w.QuestionText.find("mine"), std::string::npos);
        w.OpenClick();  // nothing else runs while a question waits
        w.NoClick();
        EXPECT_EQ(w.Asking, TSavedGames::Question::None);
        w.SaveClick();
        w.CancelClick();
        EXPECT_EQ(w.Asking, TSavedGames::Question::None);
        EXPECT_TRUE(g.platform.isOpen(WindowId::SavedGames)) << "Escape on the question closed the window";
        w.CancelClick();
    });
    g.app.guard([&] { t.SaveAs1Click(); });
    EXPECT_EQ(ReadAll(file), before);
    EXPECT_EQ(g.app.SavedGames->Result, TSavedGames::Outcome::Cancelled);
}

TEST(SavedGamesWindow, OverwritingReplacesThatVeryFileWhateverTheCaseOfItsExtension) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    t.NewRoom(12);
    fs::path old = g.user / "saves" / "OLD.SAV";
    WriteAll(old, t.SavedGameBytes());
    t.NewRoom(3);
    WithWindow(g, [&](TSavedGames& w) {
        w.Select(IndexOf(w, "OLD"));
        w.SaveClick();  // the name the pick offers is that file's, so saving under it asks too
        EXPECT_EQ(w.Asking, TSavedGames::Question::Overwrite);
        w.NoClick();
        w.OverwriteClick();
        w.YesClick();
    });
    g.app.guard([&] { t.SaveAs1Click(); });
    EXPECT_EQ(DecodeSavedGame(ReadAll(old)).state.Room, 3);
    size_t files = 0;
    for (auto& e : fs::directory_iterator(g.user / "saves")) files += e.is_regular_file();
    EXPECT_EQ(files, 1u) << "a second file was written beside the one overwritten";
}

TEST(SavedGamesWindow, DamagedAndForeignFilesShowAsSuchAndCannotBeOpened) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    fs::path saves = EnsureSavesFolder(g.files);
    std::vector<uint8_t> bytes = t.SavedGameBytes();
    std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + 100);
    WriteAll(saves / "cut short.sav", cut);
    WriteAll(saves / "letter.sav", std::vector<uint8_t>{'D', 'e', 'a', 'r', ' ', 'V'});
    t.NewRoom(12);
    WithWindow(g, [&](TSavedGames& w) {
        EXPECT_EQ(w.Selected, -1);  // nothing that opens, so nothing is picked
        for (const char* name : {"cut short", "letter"}) {
            int at = IndexOf(w, name);
            ASSERT_GE(at, 0) << name;
            const SavedGameEntry& e = w.Entries[size_t(at)];
            EXPECT_FALSE(e.usable()) << name;
            EXPECT_EQ(e.preview.width, 0) << name;
            EXPECT_FALSE(SavedGameProblemText(e.problem).empty()) << name;
            w.Select(at);
            EXPECT_FALSE(w.CanOpen()) << name;
            EXPECT_TRUE(w.CanDelete()) << name;  // a broken file can still be cleared away
            w.OpenClick();
            EXPECT_TRUE(g.platform.isOpen(WindowId::SavedGames)) << name;
            EXPECT_FALSE(w.Note.empty()) << name;
        }
        w.CancelClick();
    });
    g.app.guard([&] { t.Open1Click(); });
    EXPECT_EQ(t.GameState.Room, 12);
    EXPECT_TRUE(g.platform.messages.empty());
}

TEST(SavedGamesWindow, TheGamesOwnSlotsAndBadNamesAreNotSavedOverByHand) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    t.QuickSave();
    fs::path quick = QuickSavePath(g.files);
    std::vector<uint8_t> before = ReadAll(quick);
    t.NewRoom(12);
    WithWindow(g, [&](TSavedGames& w) {
        w.Select(IndexOf(w, "Quick save"));
        EXPECT_FALSE(w.CanOverwrite());
        EXPECT_EQ(w.Name, "");  // the slot's shown name is not offered as a file name
        w.OverwriteClick();
        EXPECT_EQ(w.Asking, TSavedGames::Question::None);
        for (const char* bad : {"", "quicksave", "a/b", ".hidden"}) {
            w.SetName(bad);
            w.SaveClick();
            EXPECT_FALSE(w.Note.empty()) << '"' << bad << '"';
            EXPECT_TRUE(g.platform.isOpen(WindowId::SavedGames)) << '"' << bad << '"';
        }
        w.CancelClick();
    });
    g.app.guard([&] { t.SaveAs1Click(); });
    EXPECT_EQ(ReadAll(quick), before);
    EXPECT_TRUE(g.platform.messages.empty());
}

TEST(SavedGamesWindow, OtherFileLeadsToTheFileDialogsAndAStoryMomentKeepsTheWindowShut) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    fs::path elsewhere = g.user / "elsewhere.sav";
    WithWindow(g, [](TSavedGames& w) { w.OtherFileClick(); });
    g.platform.fileAnswers.push_back(elsewhere.string());
    g.app.guard([&] { t.SaveAs1Click(); });
    ASSERT_EQ(g.platform.fileDialogs.size(), 1u);
    EXPECT_TRUE(g.platform.fileDialogs[0].confirmOverwrite);
    EXPECT_EQ(ReadAll(elsewhere).size(), kSavedGameSize);

    // While the story waits for "Continue" there is nothing to save, and no window opens.
    int opened = 0;
    g.platform.modalScripts[WindowId::SavedGames] = [&] {
        ++opened;
        g.app.SavedGames->CancelClick();
    };
    t.WaitingForContinue = true;
    g.app.guard([&] { t.SaveAs1Click(); });
    g.app.guard([&] { t.Open1Click(); });
    t.WaitingForContinue = false;
    EXPECT_EQ(opened, 0);
    ASSERT_EQ(g.platform.messages.size(), 1u);
    EXPECT_EQ(g.platform.messages[0].second, "Save Game");
    // Cancelled: the message line and the game stay as they were.
    t.text1.Caption = "as it was";
    g.app.guard([&] { t.Open1Click(); });
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(t.text1.Caption, "as it was");
}

TEST(KeyCommands, TheToggleSwapsLookAndDoAndAnItemOnTheCursorGivesWayToDo) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    ASSERT_EQ(t.CursorMode, kLookMode);
    t.ToggleLookDo();
    EXPECT_EQ(t.CursorMode, kDoMode);
    EXPECT_TRUE(t.DoButton.Down);
    EXPECT_FALSE(t.Look.Down);
    t.ToggleLookDo();
    EXPECT_EQ(t.CursorMode, kLookMode);
    t.Display(2, true);
    t.itemClick(2);
    ASSERT_EQ(t.CursorMode, 2);
    t.ToggleLookDo();
    EXPECT_EQ(t.CursorMode, kDoMode);
}

TEST(KeyCommands, QuickSaveAndLoadFromTheKeysWaitForTheStepInProgress) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    t.NewRoom(12);
    // F5 and F9 pressed while a step runs (from the events it lets run) are turned away.
    g.platform.inject([&] { t.QuickSaveClick(); });
    g.app.guard([&] {
        GameStep step(t, StepInput::Press);
        g.app.processMessages();
    });
    EXPECT_FALSE(fs::exists(QuickSavePath(g.files)));
    EXPECT_EQ(t.text1.Caption.find("Game saved"), std::string::npos);
    g.app.guard([&] { t.QuickSaveClick(); });
    EXPECT_TRUE(fs::exists(QuickSavePath(g.files)));
    EXPECT_EQ(t.text1.Caption, "Game saved in the quick slot. F9 brings it back.");
    t.NewRoom(3);
    g.app.guard([&] { t.QuickLoadClick(); });
    EXPECT_EQ(t.GameState.Room, 12);
    EXPECT_EQ(t.text1.Caption, "Quick save loaded.");
}
