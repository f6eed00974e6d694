// The about box, and the questions before quitting and before restarting.
#pragma once

#include <string>

#include "app/application.h"
#include "app/controls.h"

namespace lnf {

class TAbout1 {
public:
    explicit TAbout1(Application& app);
    Application& app;

    int Tag = 0;  // on entry: 0 about, 1 quit, 2 restart; on return: 0 = confirmed
    std::string Caption;
    Control Label1, Okay1, No1;
    std::string Background = "ABOUT";
    bool Showing = false;

    void ShowModal();
    void FormShow();
    void FormActivate();
    void Okay1Click();
    void No1Click();
    void CloseBox();  // the window's close box: the answer stays as it was
};

}  // namespace lnf
