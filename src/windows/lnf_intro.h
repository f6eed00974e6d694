// The intro slideshow, and the conclusion after a won game.
#pragma once

#include <string>

#include "app/application.h"
#include "app/controls.h"

namespace lnf {

class TIntro {
public:
    explicit TIntro(Application& app);
    Application& app;

    int Tag = 1;  // the next slide
    bool ConclusionMode = false;
    bool Showing = false;
    PictureControl BKG, Image1;
    Control Panel1, Label1, Introbox, Panel2, nextbutton, exitbutton;
    std::string ExitFace = "BTNEXITINTRO";
    std::string NextFace = "BTNCONTINUE";
    int CaptionPoints = 16;

    void FormCreate();
    void ShowModal();
    void FormShow();
    void FormActivate();
    void nextbuttonClick();
    void exitbuttonClick();
    void FormClose();
    void Conclusion();
    void DrawPic(const std::string& file, int pauseMs);
    void Close();
};

}  // namespace lnf
