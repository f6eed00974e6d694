// The base of every window's view: one road for each thing the player does.
#pragma once

#include <functional>

#include "qt/qt_platform.h"

namespace lnf {

class Application;

class View : public WindowView {
public:
    View(Application& app, QtPlatform& platform) : app_(app), platform_(platform) {}

protected:
    // What the player does goes this way and no other: the guard (nothing while the view
    // mirrors the models, since a widget being set may report a change), the game's handler
    // under the application's error boundary, then every window brought up to date.
    void act(const std::function<void()>& handler);

    Application& app_;
    QtPlatform& platform_;
    bool syncing_ = false;  // set by a view's sync while it runs
};

}  // namespace lnf
