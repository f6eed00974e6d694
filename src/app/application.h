// The program: its six windows, created in order and alive until exit, and the services they
// share (platform, game files, resources).
#pragma once

#include <deque>
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
class TSavedGames;

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
    std::unique_ptr<TSavedGames> SavedGames;

    // Runs one event handler: an error inside it is shown in an error box and the game goes
    // on, with the guards that the handler held released.
    void guard(const std::function<void()>& handler);

    void onTimer(TimerId id) override;
    void onMediaNotify(PlayerId id) override;

    // A story text of the program's resources ("hint", "msg43", "item7", ...).
    std::string text(const std::string& key) const;

    // Set by the backend: called after an error was shown so that windows can recover.
    std::function<void()> afterError;

    // The game's own ways of letting pending events run: the pending window messages, and a
    // modal window's nested loop. Counting them tells an event that arrives in the middle of
    // a step from a handler that the step calls itself.
    void processMessages();
    // Sleeps until something arrives, then runs it: a wait that nothing moves in costs no processor.
    void waitMessages();
    void showModal(WindowId window);
    int PumpDepth = 0;

    // Timer ticks and clip ends that arrived while a step of the game ran; they run, in the
    // order they came, once it has ended (a tick whose timer was stopped meanwhile is dropped).
    void runDeferred();
    size_t deferredCount() const { return deferred_.size(); }

private:
    struct Deferred {
        bool timer;
        TimerId timerId;
        PlayerId playerId;
    };
    std::deque<Deferred> deferred_;
    void defer(const Deferred& d);
};

}  // namespace lnf
