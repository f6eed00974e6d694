// The saves folder in the player's data folder, the saved games in it (with the room picture
// each would show, composed from the file's own bytes) and the two slots the game fills by
// itself: the autosave and the quick save.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "persistence/saved_game.h"
#include "pictures/image.h"
#include "world/game_files.h"

namespace lnf {

class TGame;

// The player's data folder: $XDG_DATA_HOME/lanternfall, or ~/.local/share/lanternfall when
// XDG_DATA_HOME is unset, empty or not an absolute path.
std::filesystem::path DefaultPlayerFolder();

// "saves" in the folder the game writes into (the player's data folder).
std::filesystem::path SavesFolder(const GameFiles& files);
// The saves folder, created when missing; throws FileError when it cannot be made.
std::filesystem::path EnsureSavesFolder(const GameFiles& files);

constexpr const char* kSavedGameExtension = ".sav";
constexpr const char* kAutosaveFile = "autosave.sav";
constexpr const char* kQuickSaveFile = "quicksave.sav";
// Entering a room autosaves once this long has passed since the last autosave.
constexpr int64_t kAutosaveIntervalMs = 2 * 60 * 1000;

std::filesystem::path AutosavePath(const GameFiles& files);
std::filesystem::path QuickSavePath(const GameFiles& files);

enum class SaveNameProblem { None, Empty, TooLong, BadCharacter, Reserved };
// A name the player types for a new saved game: one file name, no folders, no hidden files,
// and not one of the two slots the game keeps for itself.
SaveNameProblem CheckSaveName(const std::string& name);
std::string SaveNameProblemText(SaveNameProblem problem);
// The file a (checked) name is saved into.
std::filesystem::path SavedGamePath(const GameFiles& files, const std::string& name);

struct SavedGameEntry {
    enum class Slot { Autosave, Quick, Named };
    std::filesystem::path path;
    std::string name;  // as the list shows it
    Slot slot = Slot::Named;
    std::chrono::system_clock::time_point modified;
    std::string modifiedText;  // local date and time, "2026-12-09 15:12"
    SavedGame::Problem problem = SavedGame::None;
    int32_t score = 0;
    int level = 1;
    int room = 0;
    Image preview;  // the room as restored; empty for a file that cannot be opened
    bool usable() const { return problem == SavedGame::None; }
};

// Every "*.sav" in the saves folder: the autosave first, then the newest first. A damaged or
// foreign file is listed with its problem and no picture.
std::vector<SavedGameEntry> ListSavedGames(const TGame& game);

// Deletes a saved game of the saves folder; false when the path lies elsewhere or the file
// cannot be removed.
bool DeleteSavedGame(const GameFiles& files, const std::filesystem::path& path);

}  // namespace lnf
