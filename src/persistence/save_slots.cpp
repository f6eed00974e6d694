// The saves folder, the saved-games list, the autosave and the quick save.
#include "persistence/save_slots.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <system_error>

#include "app/lnf_game.h"

namespace fs = std::filesystem;

namespace lnf {

fs::path DefaultPlayerFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && *data && fs::path(data).is_absolute()) return fs::path(data) / "lanternfall";
    const char* home = std::getenv("HOME");
    fs::path base = home && *home ? fs::path(home) : fs::temp_directory_path();
    return base / ".local" / "share" / "lanternfall";
}

fs::path SavesFolder(const GameFiles& files) { return files.writableFolder() / "saves"; }

fs::path EnsureSavesFolder(const GameFiles& files) {
    fs::path folder = SavesFolder(files);
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec || !fs::is_directory(folder, ec)) throw FileError("Cannot make the saves folder \"" + folder.string() + "\"");
    return folder;
}

fs::path AutosavePath(const GameFiles& files) { return SavesFolder(files) / kAutosaveFile; }
fs::path QuickSavePath(const GameFiles& files) { return SavesFolder(files) / kQuickSaveFile; }

namespace {

std::string Lower(std::string s) {
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool HasSaveExtension(const fs::path& p) { return Lower(p.extension().string()) == kSavedGameExtension; }

std::string LocalTimeText(std::chrono::system_clock::time_point t) {
    std::time_t secs = std::chrono::system_clock::to_time_t(t);
    std::tm local{};
    if (!localtime_r(&secs, &local)) return std::string();
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}

// The first bytes of a file: a saved game is 471 bytes, and more are never looked at.
std::vector<uint8_t> ReadHead(const fs::path& path) {
    std::vector<uint8_t> bytes(kSavedGameSize);
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
    bytes.resize(size_t(std::max<std::streamsize>(0, in.gcount())));
    return bytes;
}

}  // namespace

SaveNameProblem CheckSaveName(const std::string& name) {
    std::string bare = name;
    if (HasSaveExtension(bare)) bare.resize(bare.size() - std::string(kSavedGameExtension).size());
    bool blank = std::all_of(bare.begin(), bare.end(), [](unsigned char c) { return std::isspace(c); });
    if (bare.empty() || blank) return SaveNameProblem::Empty;
    if (bare.size() > 80) return SaveNameProblem::TooLong;
    if (bare.front() == '.' || bare.front() == ' ' || bare.back() == ' ') return SaveNameProblem::BadCharacter;
    for (unsigned char c : bare) {
        if (c < 32 || c == 127 || c == '/' || c == '\\') return SaveNameProblem::BadCharacter;
    }
    std::string file = Lower(bare) + kSavedGameExtension;
    if (file == kAutosaveFile || file == kQuickSaveFile) return SaveNameProblem::Reserved;
    return SaveNameProblem::None;
}

std::string SaveNameProblemText(SaveNameProblem problem) {
    switch (problem) {
        case SaveNameProblem::None: return std::string();
        case SaveNameProblem::Empty: return "Please type a name for the saved game.";
        case SaveNameProblem::TooLong: return "Please choose a shorter name (at most 80 letters).";
        case SaveNameProblem::BadCharacter:
            return "A name cannot hold slashes, begin with a dot or begin or end with a space.";
        case SaveNameProblem::Reserved: return "That name belongs to the game's own autosave and quick save.";
    }
    return std::string();
}

fs::path SavedGamePath(const GameFiles& files, const std::string& name) {
    std::string file = name;
    if (!HasSaveExtension(file)) file += kSavedGameExtension;
    return SavesFolder(files) / file;
}

std::vector<SavedGameEntry> ListSavedGames(const TGame& game) {
    std::vector<SavedGameEntry> list;
    std::error_code ec;
    fs::path folder = SavesFolder(game.app.files);
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code fileEc;
        if (!it->is_regular_file(fileEc) || !HasSaveExtension(it->path())) continue;
        SavedGameEntry e;
        e.path = it->path();
        std::string file = Lower(e.path.filename().string());
        e.slot = file == kAutosaveFile    ? SavedGameEntry::Slot::Autosave
                 : file == kQuickSaveFile ? SavedGameEntry::Slot::Quick
                                          : SavedGameEntry::Slot::Named;
        e.name = e.slot == SavedGameEntry::Slot::Autosave ? "Autosave"
                 : e.slot == SavedGameEntry::Slot::Quick  ? "Quick save"
                                                           : e.path.stem().string();
        auto written = it->last_write_time(fileEc);
        if (!fileEc) e.modified = std::chrono::file_clock::to_sys(written);
        e.modifiedText = LocalTimeText(e.modified);
        SavedGame saved = DecodeSavedGame(ReadHead(e.path));
        e.problem = saved.problem;
        if (e.usable()) {
            e.score = saved.state.score();
            e.level = saved.state.Progress[LevelFlag] != 0 ? 2 : 1;
            e.room = saved.state.Room;
            try {
                e.preview = game.RestoredRoomPicture(saved.state);
            } catch (const std::exception&) {
                // A composed picture this machine has never made: the game still opens.
            }
        }
        list.push_back(std::move(e));
    }
    std::stable_sort(list.begin(), list.end(), [](const SavedGameEntry& a, const SavedGameEntry& b) {
        bool autoA = a.slot == SavedGameEntry::Slot::Autosave, autoB = b.slot == SavedGameEntry::Slot::Autosave;
        if (autoA != autoB) return autoA;
        if (a.modified != b.modified) return a.modified > b.modified;
        return a.name < b.name;
    });
    return list;
}

bool DeleteSavedGame(const GameFiles& files, const fs::path& path) {
    std::error_code ec;
    fs::path folder = fs::weakly_canonical(SavesFolder(files), ec);
    if (ec) return false;
    fs::path target = fs::weakly_canonical(path, ec);
    if (ec || target.parent_path() != folder || !HasSaveExtension(target)) return false;
    if (!fs::is_regular_file(target, ec)) return false;
    return fs::remove(target, ec) && !ec;
}

// ----- the game's side -----

std::vector<uint8_t> TGame::SavedGameBytes() const {
    std::array<bool, 22> items{};
    for (int i = 1; i <= kItems; ++i) items[size_t(i)] = Vis(i);
    return EncodeSavedGame(GameState, items);
}

bool TGame::InMiddleOfStep() const {
    return RuleBusy || WaitingForContinue || AnimationRunning() || Restoring > 0;
}

bool TGame::OpenSavedGame(const fs::path& path) {
    if (!NavigationAllowed() || RuleBusy) return false;
    FirstClickHint = false;
    return RestoreSavedGame(path.string());
}

bool TGame::SaveNamed(const std::string& name) {
    const char* caption = "Save Game";
    if (InMiddleOfStep()) {
        app.platform.messageBox("Please wait until this moment of the story is over, then save.", caption);
        return false;
    }
    SaveNameProblem problem = CheckSaveName(name);
    if (problem != SaveNameProblem::None) {
        app.platform.messageBox(SaveNameProblemText(problem), caption);
        return false;
    }
    fs::path path = SavedGamePath(app.files, name);
    try {
        EnsureSavesFolder(app.files);
        WriteFileAtomically(path, SavedGameBytes());
    } catch (const FileError&) {
        app.platform.messageBox("The game could not be saved to \"" + path.string() +
                                    "\". Your earlier saved game, if any, is unchanged.",
                                caption);
        return false;
    }
    LastSaveName = path.string();
    return true;
}

void TGame::AutosaveOnEntry() {
    int64_t now = app.platform.monotonicMs();
    // The first room of the run starts the clock, so that starting the game never replaces
    // the autosave of an earlier run before the player could open it.
    if (!LastAutosaveMs) {
        LastAutosaveMs = now;
        return;
    }
    if (now - *LastAutosaveMs < kAutosaveIntervalMs) return;
    Autosave();
}

bool TGame::Autosave() {
    // A game without a point is the starting game: nothing in it is worth an earlier autosave.
    if (InMiddleOfStep() || GameState.score() == 0) return false;
    LastAutosaveMs = app.platform.monotonicMs();
    try {
        EnsureSavesFolder(app.files);
        WriteFileAtomically(AutosavePath(app.files), SavedGameBytes());
    } catch (const FileError&) {
        text1.Caption = "The game could not be saved automatically.";
        return false;
    }
    return true;
}

void TGame::QuickSave() {
    if (InMiddleOfStep()) {
        text1.Caption = "Please wait until this moment of the story is over, then save.";
        return;
    }
    try {
        EnsureSavesFolder(app.files);
        WriteFileAtomically(QuickSavePath(app.files), SavedGameBytes());
    } catch (const FileError&) {
        text1.Caption = "The quick save could not be written. Your earlier quick save, if any, is unchanged.";
        return;
    }
    text1.Caption = "Game saved in the quick slot. F9 brings it back.";
}

void TGame::QuickLoad() {
    if (!NavigationAllowed() || RuleBusy) {
        text1.Caption = "Please wait until this moment of the story is over.";
        return;
    }
    fs::path path = QuickSavePath(app.files);
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) {
        text1.Caption = "There is no quick save yet. F5 makes one.";
        return;
    }
    FirstClickHint = false;
    if (RestoreSavedGame(path.string())) text1.Caption = "Quick save loaded.";
}

}  // namespace lnf
