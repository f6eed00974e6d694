#include "app/application.h"

#include "app/lnf_game.h"
#include "conversation/lnf_closeup.h"
#include "windows/lnf_about.h"
#include "windows/lnf_black.h"
#include "windows/lnf_intro.h"
#include "windows/lnf_inventory.h"

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
    }
}

void Application::onTimer(TimerId id) {
    guard([&] {
        switch (id) {
            case TimerId::Time1: Black->Time1Timer(); break;
            case TimerId::XForm: Game->XFormTimer(); break;
            case TimerId::TimeJab: Game->TimeJabTimer(); break;
            case TimerId::BigTime: Game->BigTimeTimer(); break;
            case TimerId::Reappear: Game->ReappearTimer(); break;
        }
    });
}

void Application::onMediaNotify(PlayerId id) {
    guard([&] {
        switch (id) {
            case PlayerId::MP1: Game->MP1Notify(); break;
            case PlayerId::MP: Game->MPNotify(); break;
            case PlayerId::MP2: break;
            case PlayerId::MP3: Game->MP3Notify(); break;
        }
    });
}

}  // namespace lnf
