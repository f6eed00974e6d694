// Where the game folder is looked for, and how the player's own folder is kept in step with
// the installed game.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace lnf {

struct GameFolderSearch {
    std::filesystem::path executableFolder;  // the folder of the running program
    std::filesystem::path configured;        // where the build installs the game folder (may be empty)
    std::string xdgDataDirs;                 // XDG_DATA_DIRS as found in the environment
};

// Every folder that may be the game folder, in the order they are tried, without repeats:
// a build tree's own game folder (the program sits beside CMakeCache.txt), the folder the
// build configured, "lanternfall" and "games/lanternfall" under each XDG data folder, and
// the folders beside the program for an installation moved after it was built.
std::vector<std::filesystem::path> GameFolderCandidates(const GameFolderSearch& search);

// The first candidate that holds the start record; failing that the first folder that
// exists (so that its missing files can be named); nothing if none exists.
std::optional<std::filesystem::path> ChooseGameFolder(const std::vector<std::filesystem::path>& candidates);

// The pictures the game composes and keeps in the player's folder, as the game names them.
extern const std::vector<std::string> kComposedPictures;

// Every file the game writes into the player's folder by name: the composed pictures and the
// developer panel's room records. Only these are read from there (GameFiles::setOwnNames).
std::vector<std::string> PlayerFolderNames();

// The name of the stamp in the player's folder that says which game version composed the
// pictures there.
inline constexpr const char* kComposedStampName = "composed-pictures.version";

// Composed pictures are made from the installed game's pieces: those left by another version
// would show its pictures. When the stamp names another version (or there is none) they are
// removed, to be composed again from this version's pieces when they are next needed, and the
// stamp is renewed. Saved games, the developer panel's records and every other file stay.
// Returns the names of the pictures removed. Failures to remove or stamp are not fatal: the
// game runs as before.
std::vector<std::string> RetireStaleComposedPictures(const std::filesystem::path& playerFolder,
                                                     const std::string& version);

}  // namespace lnf
