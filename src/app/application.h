// The program: its six windows, created in order and alive until exit, and the services they
// share (platform, game files, resources).
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "pictures/resources.h"
#include "platform/platform.h"
#include "world/game_files.h"

namespace lnf {

class TBlack;
class TIntro;
class TGame;
class TAbout1;
class TInventory;
class TCloseUp;

struct ScreenSize {
    int width = 1024;
    int height = 768;
};

class Application : public PlatformEvents {
public:
    Application(Platform& platform, GameFiles& files, const ResourcePack& resources, ScreenSize screen);
    ~Application() override;

    static constexpr const char* kTitle = "Lanternfall";

    // 2 = the game has been won.
    int Tag = 0;

    Platform& platform;
    GameFiles& files;
    const ResourcePack& resources;
    ScreenSize screen;

    std::unique_ptr<TBlack> Black;
    std::unique_ptr<TIntro> Intro;
    std::unique_ptr<TGame> Game;
    std::unique_ptr<TAbout1> About1;
    std::unique_ptr<TInventory> Inventory;
    std::unique_ptr<TCloseUp> CloseUp;

    // Runs one event handler: an error inside it is shown in an error box and the game goes
    // on, with the guards that the handler held released.
    void guard(const std::function<void()>& handler);

    void onTimer(TimerId id) override;
    void onMediaNotify(PlayerId id) override;

    // A story text of the program's resources ("hint", "msg43", "item7", ...).
    std::string text(const std::string& key) const;

    // Set by the backend: called after an error was shown so that windows can recover.
    std::function<void()> afterError;
};

}  // namespace lnf
