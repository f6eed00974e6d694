// The black backdrop: the main window, behind every other window for the whole run. Its
// one-shot timer runs the program's sequence of windows.
#pragma once

#include "app/application.h"
#include "app/controls.h"

namespace lnf {

class TBlack {
public:
    explicit TBlack(Application& app);
    Application& app;
    Timer Time1;
    bool Closed = false;
    void Time1Timer();
};

}  // namespace lnf
