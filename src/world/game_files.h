// One resolver for every file name the game uses, in the game's own spelling.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace lnf {

class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "data\grid04.dlg", "p2//jump1" -> "data/grid04.dlg", "p2/jump1": backslashes and doubled
// separators become one '/'; a leading "./" is dropped.
std::string NormalizeGameName(const std::string& name);

class GameFiles {
public:
    // Folders are searched in order; the first is where the game writes the files it makes.
    GameFiles(std::filesystem::path writable, std::vector<std::filesystem::path> readOnly);

    std::optional<std::filesystem::path> find(const std::string& name) const;
    // The largest data file the game reads whole (a picture of the largest size the decoder
    // accepts fits many times over).
    static constexpr uint64_t kMaxReadSize = uint64_t(64) << 20;
    // Whole file, or a FileError that names the file and the folders searched; a file larger
    // than `limit` is refused without being read.
    std::vector<uint8_t> read(const std::string& name, uint64_t limit = kMaxReadSize) const;
    // At most `limit` bytes from `offset`; a missing file reads as nothing.
    std::vector<uint8_t> readPart(const std::string& name, uint64_t offset, size_t limit) const;
    bool exists(const std::string& name) const { return find(name).has_value(); }

    // Writes the file into the writable folder, replacing it through a temporary file so that
    // a failed write never leaves a half file behind. Throws FileError on failure.
    void write(const std::string& name, const std::vector<uint8_t>& bytes) const;
    std::filesystem::path writablePath(const std::string& name) const;

    // Limits what is read from the writable folder to these names (the files the game itself
    // writes there), so that game files an older version left in the player's folder never
    // stand in for the installed ones. Unset, every name is looked for there first.
    void setOwnNames(const std::vector<std::string>& names);

    const std::filesystem::path& writableFolder() const { return writable_; }
    const std::vector<std::filesystem::path>& readOnlyFolders() const { return readOnly_; }
    std::string searchedFolders() const;

private:
    bool ownsName(const std::string& normalized) const;
    std::optional<std::filesystem::path> findIn(const std::filesystem::path& root,
                                                const std::string& normalized) const;
    std::filesystem::path writable_;
    std::vector<std::filesystem::path> readOnly_;
    std::optional<std::vector<std::string>> ownNames_;  // normalized, lower case
};

// Writes bytes to a path through a temporary file and a rename, then syncs the folder, so the
// file is either the old one or the whole new one even after a crash; temporary files that an
// earlier write cut off left beside it are removed. Throws FileError.
void WriteFileAtomically(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

}  // namespace lnf
