#include "app/application.h"

#include "app/lnf_game.h"
#include "conversation/lnf_closeup.h"
#include "windows/lnf_about.h"
#include "windows/lnf_black.h"
#include "windows/lnf_intro.h"
#include "windows/lnf_inventory.h"
#include "windows/lnf_saved_games.h"

namespace lnf {

Application::Application(Platform& p, GameFiles& f, const ResourcePack& r, ScreenSize s)
    : platform(p), files(f), resources(r), screen(s) {
    platform.setEvents(this);
    Black = std::make_unique<TBlack>(*this);
    Intro = std::make_unique<TIntro>(*this);
    Game = std::make_unique<TGame>(*this);
    About1 = std::make_unique<TAbout1>(*this);
    Inventory = std::make_unique<TInventory>(*this);
    CloseUp = std::make_unique<TCloseUp>(*this);
    SavedGames = std::make_unique<TSavedGames>(*this);
    Intro->FormCreate();
    Game->FormCreate();
}

Application::~Application() { platform.setEvents(nullptr); }

std::string Application::text(const std::string& key) const {
    auto bytes = resources.find(kTextResource, key);
    if (!bytes) return std::string();
    return std::string(reinterpret_cast<const char*>(bytes->data()), bytes->size());
}

void Application::guard(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        Game->RecoverAfterError();
        platform.showError(e.what());
        if (afterError) afterError();
        // The steps that the error cut short have ended: what waited for them runs now.
        if (!Game->Busy()) Game->StepEnded();
    }
}

namespace {
// Counts how deep the game is in its own event loops while `f` runs them.
template <class F>
void Pumping(int& depth, F f) {
    ++depth;
    struct Leave {
        int& depth;
        ~Leave() { --depth; }
    } leave{depth};
    f();
}
}  // namespace

void Application::processMessages() {
    Pumping(PumpDepth, [&] { platform.processMessages(); });
}

void Application::waitMessages() {
    Pumping(PumpDepth, [&] { platform.waitMessages(); });
}

void Application::showModal(WindowId window) {
    Pumping(PumpDepth, [&] { platform.showModal(window); });
}

void Application::defer(const Deferred& d) {
    // A timer that fired twice while it waited ticks once, as window timers do.
    for (const Deferred& e : deferred_) {
        if (e.timer == d.timer && (d.timer ? e.timerId == d.timerId : e.playerId == d.playerId)) return;
    }
    deferred_.push_back(d);
}

void Application::runDeferred() {
    while (!deferred_.empty() && !Game->Busy() && !Game->Paused && !Game->Closed) {
        Deferred d = deferred_.front();
        deferred_.pop_front();
        if (d.timer) onTimer(d.timerId);
        else onMediaNotify(d.playerId);
    }
    if (Game->Closed) deferred_.clear();
}

void Application::onTimer(TimerId id) {
    if (id == TimerId::Time1) {
        guard([&] { Black->Time1Timer(); });
        return;
    }
    if (Game->Busy() || Game->Paused) {
        defer({true, id, PlayerId::MP1});
        return;
    }
    guard([&] {
        GameStep step(*Game, StepInput::Tick);
        switch (id) {
            case TimerId::Time1: break;
            case TimerId::XForm:
                if (Game->XForm.Enabled()) Game->XFormTimer();
                break;
            case TimerId::TimeJab:
                if (Game->TimeJab.Enabled()) Game->TimeJabTimer();
                break;
            case TimerId::BigTime:
                if (Game->BigTime.Enabled()) Game->BigTimeTimer();
                break;
            case TimerId::Reappear:
                if (Game->Reappear.Enabled()) Game->ReappearTimer();
                break;
        }
    });
}

void Application::onMediaNotify(PlayerId id) {
    // The end of a tune only marks the music channel free; it runs whenever it comes.
    if (id == PlayerId::MP1) {
        guard([&] { Game->MP1Notify(); });
        return;
    }
    if (Game->Busy() || Game->Paused) {
        defer({false, TimerId::Time1, id});
        return;
    }
    guard([&] {
        GameStep step(*Game, StepInput::Tick);
        switch (id) {
            case PlayerId::MP1: break;
            case PlayerId::MP: Game->MPNotify(); break;
            case PlayerId::MP2: break;
            case PlayerId::MP3: Game->MP3Notify(); break;
        }
    });
}

}  // namespace lnf
