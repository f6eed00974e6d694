#include "world/data_folders.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>

#include "world/game_files.h"

namespace fs = std::filesystem;

namespace lnf {

const std::vector<std::string> kComposedPictures = {
    "p1\\050.jpg", "p1\\070.jpg", "p1\\140.jpg", "p1\\150.jpg", "p1\\180.jpg",
    "p1\\230.jpg", "p2\\290.jpg", "p2\\310.jpg",
};

std::vector<std::string> PlayerFolderNames() {
    std::vector<std::string> names = kComposedPictures;
    names.push_back("2grdata.");
    return names;
}

std::vector<fs::path> GameFolderCandidates(const GameFolderSearch& search) {
    std::vector<fs::path> out;
    auto add = [&](const fs::path& p) {
        if (p.empty() || !p.is_absolute()) return;
        fs::path n = p.lexically_normal();
        if (n.has_filename() == false && n.has_parent_path()) n = n.parent_path();  // no trailing '/'
        if (std::find(out.begin(), out.end(), n) == out.end()) out.push_back(n);
    };
    const fs::path& exe = search.executableFolder;
    std::error_code ec;
    // A build tree plays the game folder it built, even with an older version installed.
    if (!exe.empty() && fs::exists(exe / "CMakeCache.txt", ec)) add(exe / "game");
    add(search.configured);
    // An unset or empty XDG_DATA_DIRS means the default pair; relative entries are ignored.
    std::string dirs = search.xdgDataDirs.empty() ? "/usr/local/share/:/usr/share/" : search.xdgDataDirs;
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t colon = dirs.find(':', start);
        if (colon == std::string::npos) colon = dirs.size();
        fs::path d = dirs.substr(start, colon - start);
        if (d.is_absolute()) {
            add(d / "lanternfall");
            add(d / "games" / "lanternfall");
        }
        start = colon + 1;
    }
    if (!exe.empty()) {
        add(exe / "game");
        add(exe.parent_path() / "share" / "lanternfall");
        add(exe.parent_path() / "share" / "games" / "lanternfall");
    }
    return out;
}

std::optional<fs::path> ChooseGameFolder(const std::vector<fs::path>& candidates) {
    std::error_code ec;
    for (const fs::path& c : candidates) {
        if (GameFiles({}, {c}).exists("data\\zerodata")) return c;
    }
    for (const fs::path& c : candidates) {
        if (fs::is_directory(c, ec)) return c;
    }
    return std::nullopt;
}

std::vector<std::string> RetireStaleComposedPictures(const fs::path& playerFolder, const std::string& version) {
    std::vector<std::string> removed;
    const fs::path stamp = playerFolder / kComposedStampName;
    std::string found;
    {
        std::ifstream in(stamp, std::ios::binary);
        if (in) found.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    const std::string wanted = version + "\n";
    if (found == wanted) return removed;
    GameFiles own(playerFolder, {});
    std::error_code ec;
    for (const std::string& name : kComposedPictures) {
        // Found without regard to case, as the game reads them.
        while (auto p = own.find(name)) {
            if (!fs::remove(*p, ec) || ec) break;
            removed.push_back(NormalizeGameName(name));
        }
    }
    try {
        WriteFileAtomically(stamp, std::vector<uint8_t>(wanted.begin(), wanted.end()));
    } catch (const FileError&) {
        // A folder that cannot be written keeps no composed pictures either.
    }
    return removed;
}

}  // namespace lnf
