// The item close-look window.
#pragma once

#include <string>
#include <vector>

#include "app/application.h"
#include "app/controls.h"

namespace lnf {

class TInventory {
public:
    explicit TInventory(Application& app);
    Application& app;

    int WindowHeight = 300;
    PictureControl ItemPic;
    Control Panel2, Inv1, OK;
    std::vector<std::string> Memo1;  // the description table, line n = item n
    std::string Background = "INVBK";
    bool Showing = false;

    void ShowModal();
    void FormShow();
    void OKClick();
};

}  // namespace lnf
