// A game on the headless platform over a private copy of the game folder, into which a fuzz
// input is written as one of the game's files.
//
// Every input starts from the same place: Restore() puts back each game file an earlier input
// replaced and empties the player's folder (saved games, autosaves, composed pictures), and
// each input plays a game built afresh. A finding then depends on its own bytes only, so the
// reproducer libFuzzer writes replays it.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/lnf_game.h"
#include "conversation/lnf_closeup.h"
#include "pictures/jpeg.h"
#include "pictures/resources.h"
#include "platform/headless_platform.h"
#include "windows/lnf_black.h"
#include "windows/lnf_saved_games.h"
#include "world/data_folders.h"

namespace lnf::fuzz {

// Built once per process. Memory-backed when the machine offers it: the game syncs every file
// it saves, which on a disk costs more than the whole of a short input.
inline std::filesystem::path GameCopy() {
    // Never destroyed: the exit handler that removes the copy runs after static destructors.
    static const std::filesystem::path* copy = [] {
        std::filesystem::path base = std::filesystem::is_directory("/dev/shm") ? std::filesystem::path("/dev/shm")
                                                                               : std::filesystem::temp_directory_path();
        std::filesystem::path p = base / ("lnf_fuzz_" + std::to_string(::getpid()));
        std::filesystem::remove_all(p);
        std::filesystem::create_directories(p);
        std::filesystem::copy(LNF_GAME_DIR, p / "game", std::filesystem::copy_options::recursive);
        std::filesystem::create_directories(p / "user");
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(GameCopy(), ec);
        });
        return new std::filesystem::path(p);
    }();
    return *copy;
}

inline std::vector<uint8_t> ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The shipped bytes of every game file an input has replaced (none if it was not shipped), and
// the files replaced since the last Restore().
struct Replaced {
    std::map<std::string, std::optional<std::vector<uint8_t>>> shipped;
    std::set<std::string> sinceRestore;
};
inline Replaced& Replacements() {
    static Replaced r;
    return r;
}

inline void Put(const std::string& relative, const uint8_t* data, size_t size) {
    std::filesystem::path file = GameCopy() / "game" / relative;
    Replaced& r = Replacements();
    if (!r.shipped.count(relative)) {
        r.shipped[relative] = std::filesystem::exists(file) ? std::optional(ReadAll(file)) : std::nullopt;
    }
    r.sinceRestore.insert(relative);
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(data), std::streamsize(size));
}

// The game folder as shipped and an empty player's folder.
inline void Restore() {
    Replaced& r = Replacements();
    for (const std::string& relative : r.sinceRestore) {
        std::filesystem::path file = GameCopy() / "game" / relative;
        const auto& shipped = r.shipped.at(relative);
        if (shipped) {
            std::ofstream(file, std::ios::binary)
                .write(reinterpret_cast<const char*>(shipped->data()), std::streamsize(shipped->size()));
        } else {
            std::filesystem::remove(file);
        }
    }
    r.sinceRestore.clear();
    std::filesystem::path user = GameCopy() / "user";
    for (const auto& entry : std::filesystem::directory_iterator(user)) std::filesystem::remove_all(entry.path());
}

struct FuzzGame {
    GameFiles files = [] {
        GameFiles f(GameCopy() / "user", {GameCopy() / "game"});
        f.setOwnNames(PlayerFolderNames());  // as the game itself reads the player's folder
        return f;
    }();
    HeadlessPlatform platform{&files};
    Application app{platform, files, EmbeddedResources(), {1024, 768}};
    bool pressing = false;  // "Continue" lets events run itself: one press at a time
    FuzzGame() {
        SetPicturesHeaderOnly(true);  // nothing the story does depends on a picture's pixels
        app.Black->Time1.setEnabled(false);
        // A picture that waits for "Continue" gets its press once nothing else is pending, as the
        // player would give it: unpressed, the wait would spin until the platform gives up on it,
        // and the rest of the step would never run.
        platform.onIdle = [this] {
            TGame& t = *app.Game;
            if (pressing || !t.WaitingForContinue || !t.Next1.Visible || t.Next1.Tag != 0) return;
            pressing = true;
            t.Next1Click();
            pressing = false;
        };
        // Save and Open go on to the file dialogs, whose answers the input gives.
        platform.modalScripts[WindowId::SavedGames] = [this] { app.SavedGames->OtherFileClick(); };
        // Any conversation is played by pressing Next until it ends.
        platform.modalScripts[WindowId::CloseUp] = [this] {
            for (int i = 0; i < 300 && platform.isOpen(WindowId::CloseUp); ++i) {
                if (app.CloseUp->APanel.Visible) app.CloseUp->Answer.Caption = "CAT";
                app.CloseUp->Next1Click();
            }
            if (platform.isOpen(WindowId::CloseUp)) app.CloseUp->Exit1Click();
        };
    }
};

}  // namespace lnf::fuzz
