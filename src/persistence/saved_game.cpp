// Saved games, a new game, restarting and the puzzle levels.
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "app/lnf_game.h"
#include "conversation/lnf_closeup.h"
#include "persistence/save_slots.h"
#include "persistence/saved_game.h"
#include "windows/lnf_about.h"
#include "windows/lnf_saved_games.h"
#include "world/record_check.h"

namespace lnf {
namespace {
// The dialogs start in the saves folder; a saved game chosen anywhere else still opens.
std::string DialogFolder(const GameFiles& files) {
    try {
        return EnsureSavesFolder(files).string();
    } catch (const FileError&) {
        return FileDialogOptions().initialFolder;
    }
}
}  // namespace

std::vector<uint8_t> EncodeSavedGame(const GameStateRecord& state, const std::array<bool, 22>& items) {
    std::vector<uint8_t> bytes(kSavedGameSize, 0);
    std::copy(kSaveMark.begin(), kSaveMark.end(), bytes.begin());
    std::memcpy(bytes.data() + 2, state.bytes(), sizeof(state));
    for (int i = 1; i <= kItems; ++i) bytes[2 + sizeof(state) + size_t(i - 1)] = items[size_t(i)] ? 1 : 0;
    return bytes;
}

SavedGame DecodeSavedGame(const std::vector<uint8_t>& bytes) {
    SavedGame g;
    if (bytes.size() < 2 || bytes[0] != kSaveMark[0] || bytes[1] != kSaveMark[1]) {
        g.problem = SavedGame::WrongVersion;
        return g;
    }
    if (bytes.size() < 2 + sizeof(GameStateRecord)) {
        g.problem = SavedGame::Damaged;
        return g;
    }
    std::memcpy(g.state.bytes(), bytes.data() + 2, sizeof(GameStateRecord));
    if (!RecordUsable(g.state, sizeof(GameStateRecord))) {
        g.problem = SavedGame::Damaged;
        return g;
    }
    // Item bytes a short file lacks count as items not carried.
    for (int i = 1; i <= kItems; ++i) {
        size_t at = 2 + sizeof(GameStateRecord) + size_t(i - 1);
        g.items[size_t(i)] = at < bytes.size() && bytes[at] != 0;
    }
    return g;
}

SavedGame::Problem ReadSavedGameFile(const std::string& path, std::vector<uint8_t>& bytes) {
    bytes.clear();
    std::error_code ec;
    auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status)) return SavedGame::None;  // read as nothing: "Wrong version!"
    if (!std::filesystem::is_regular_file(status)) return SavedGame::Damaged;
    auto size = std::filesystem::file_size(path, ec);
    if (ec || size > kSavedGameSize) return SavedGame::Damaged;
    std::ifstream in(path, std::ios::binary);
    if (!in) return SavedGame::None;
    bytes.resize(kSavedGameSize);
    in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
    bytes.resize(size_t(std::max<std::streamsize>(0, in.gcount())));
    return SavedGame::None;
}

bool TGame::AnimationRunning() const { return XForm.Enabled() || TimeJab.Enabled() || BigTime.Enabled(); }

void TGame::SaveAs1Click() {
    GameStep step(*this, StepInput::Menu);
    if (!step) return;
    ChooseSavedGame(SavedGamesMode::Save);
}

void TGame::SaveGame() {
    if (AnimationRunning() || WaitingForContinue) {
        // A file saved in the middle of a story moment could never be won after a restore.
        app.platform.messageBox("Please wait until this moment of the story is over, then save.", "Save Game");
        return;
    }
    FileDialogOptions options;
    options.defaultExtension = ".SAV";
    options.confirmOverwrite = true;
    options.fileName = LastSaveName;
    options.initialFolder = DialogFolder(app.files);
    auto chosen = app.platform.saveFileDialog(options);
    if (!chosen) return;
    LastSaveName = *chosen;
    std::array<bool, 22> items{};
    for (int i = 1; i <= kItems; ++i) items[size_t(i)] = Vis(i);
    try {
        WriteFileAtomically(*chosen, EncodeSavedGame(GameState, items));
    } catch (const FileError&) {
        app.platform.messageBox("The game could not be saved to \"" + *chosen +
                                    "\". Your earlier saved game, if any, is unchanged.",
                                "Save Game");
    }
}

void TGame::Open1Click() {
    GameStep step(*this, StepInput::Menu);
    if (!step) return;
    if (!NavigationAllowed()) return;
    ChooseSavedGame(SavedGamesMode::Open);
}

void TGame::OpenOtherFile() {
    FirstClickHint = false;
    text1.Caption.clear();
    text1.FontColor = TextColor;
    FileDialogOptions options;
    options.defaultExtension = "SAV";
    options.initialFolder = DialogFolder(app.files);
    auto chosen = app.platform.openFileDialog(options);
    if (!chosen) return;
    RestoreSavedGame(*chosen);
}

bool TGame::RestoreSavedGame(const std::string& path) {
    std::vector<uint8_t> bytes;
    // Only a regular file no longer than a saved game is read at all: anything else (a huge
    // file, a device, a folder) is refused at once.
    if (ReadSavedGameFile(path, bytes) == SavedGame::Damaged) {
        app.platform.messageBox("This saved game is damaged and cannot be restored. Your game goes on as it was.",
                                "Open Saved Game");
        return false;
    }
    SavedGame saved = DecodeSavedGame(bytes);
    if (saved.problem == SavedGame::WrongVersion) {
        app.platform.messageBox("Wrong version!", "");
        return false;
    }
    if (saved.problem == SavedGame::Damaged) {
        app.platform.messageBox("This saved game is damaged and cannot be restored. Your game goes on as it was.",
                                "Open Saved Game");
        return false;
    }
    ++Restoring;  // the saved room is entered as part of the restore, never autosaved
    StopTimers();
    BigTime.Tag = 0;
    TimeJab.Tag = 0;
    GameState = saved.state;
    int32_t savedScore = GameState.score();
    for (int i = 1; i <= kItems; ++i) Display(i, saved.items[size_t(i)]);
    Tag = 0;
    text1.Caption = "Please Wait... restoring game";
    app.platform.setDrawingFrozen(WindowId::Game, true);
    try {
        DrawJpg();
        ChangeCursor(kDoMode);
        GameState.setScore(0);
        Score(savedScore);
        bool level2 = GameState.Progress[LevelFlag] != 0;
        menu("Level2").Checked = level2;
        menu("Level1").Checked = !level2;
        app.CloseUp->SetLevel(level2 ? 2 : 1);
        NewRoom(GameState.Room);
    } catch (...) {
        --Restoring;
        app.platform.setDrawingFrozen(WindowId::Game, false);
        throw;
    }
    --Restoring;
    app.platform.setDrawingFrozen(WindowId::Game, false);
    app.processMessages();
    return true;
}

void TGame::RestoreItems() {
    for (int i = 1; i <= kItems; ++i) item[size_t(i)].Visible = false;
    ChangeCursor(kLookMode);
}

void TGame::New1Click() {
    GameStep step(*this, StepInput::Menu);
    if (!step) return;
    if (!NavigationAllowed()) return;
    Restart();
}

bool TGame::Restart() {
    if (GameState.score() != 0) {
        app.About1->Tag = 2;
        app.About1->ShowModal();
        if (app.About1->Tag != 0) return false;
        StopTimers();
        RestoreItems();
        Initialize();
        // The stored level follows the level in force, so a later save keeps it.
        GameState.Progress[LevelFlag] = int8_t(app.CloseUp->PuzzleLevel == 2 ? 2 : 0);
        return true;
    }
    SetPaused(false);  // the fresh game starts moving
    GameState.Room = 4;
    NewRoom(4);
    return true;
}

void TGame::LevelClick(int level) {
    GameStep step(*this, StepInput::Menu);
    if (!step) return;
    if (!NavigationAllowed()) return;
    MenuItem& clicked = menu(level == 1 ? "Level1" : "Level2");
    MenuItem& other = menu(level == 1 ? "Level2" : "Level1");
    clicked.Checked = !clicked.Checked;
    if (clicked.Checked) other.Checked = false;
    if (!clicked.Checked) return;
    if (!Restart()) return;
    app.CloseUp->SetLevel(level);
    GameState.Progress[LevelFlag] = int8_t(level == 1 ? 0 : 2);
    app.platform.messageBox(level == 1 ? "Puzzles set to Level 1!" : "Puzzles set to Level 2!", "New Level");
}

void TGame::Level1Click() { LevelClick(1); }
void TGame::Level2Click() { LevelClick(2); }

}  // namespace lnf
