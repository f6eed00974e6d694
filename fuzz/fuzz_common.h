// A game on the headless platform over a private copy of the game folder, into which a fuzz
// input is written as one of the game's files.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "app/application.h"
#include "app/lnf_game.h"
#include "conversation/lnf_closeup.h"
#include "pictures/jpeg.h"
#include "pictures/resources.h"
#include "platform/headless_platform.h"
#include "windows/lnf_black.h"

namespace lnf::fuzz {

inline std::filesystem::path GameCopy() {
    static std::filesystem::path copy = [] {
        std::filesystem::path p = std::filesystem::temp_directory_path() / ("lnf_fuzz_" + std::to_string(::getpid()));
        std::filesystem::remove_all(p);
        std::filesystem::create_directories(p);
        std::filesystem::copy(LNF_GAME_DIR, p / "game", std::filesystem::copy_options::recursive);
        std::filesystem::create_directories(p / "user");
        return p;
    }();
    return copy;
}

inline void Put(const std::string& relative, const uint8_t* data, size_t size) {
    std::ofstream(GameCopy() / "game" / relative, std::ios::binary).write(reinterpret_cast<const char*>(data), std::streamsize(size));
}

struct FuzzGame {
    GameFiles files{GameCopy() / "user", {GameCopy() / "game"}};
    HeadlessPlatform platform{&files};
    Application app{platform, files, EmbeddedResources(), {1024, 768}};
    FuzzGame() {
        SetPicturesHeaderOnly(true);  // nothing the story does depends on a picture's pixels
        app.Black->Time1.setEnabled(false);
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
