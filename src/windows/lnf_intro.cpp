#include "windows/lnf_intro.h"

#include "app/lnf_game.h"
#include "pictures/jpeg.h"

namespace lnf {

TIntro::TIntro(Application& a) : app(a) {}

void TIntro::FormCreate() {
    int W = app.screen.width, H = app.screen.height;
    BKG.setBounds(0, 0, W, H - 120);
    Image1.Left = (W - 500) / 2;
    Image1.Top = (H - 300) / 2 - 90;
    Panel1.setBounds(0, H - 120, W, 120);
    Label1.setBounds(0, 0, 50, 120);
    Panel2.setBounds(W - 102, 0, 102, 120);
    Introbox.setBounds(50, 0, W - 152, 120);
    nextbutton.setBounds(1, 1, 100, 52);
    exitbutton.setBounds(1, 58, 100, 52);
    CaptionPoints = W > 800 ? 16 : (W <= 640 ? 12 : 14);
}

void TIntro::ShowModal() {
    FormShow();
    Showing = true;
    FormActivate();
    app.showModal(WindowId::Intro);
    Showing = false;
}

void TIntro::FormShow() {
    Tag = 1;
    Introbox.Caption.clear();
    BKG.setPicture(DecodeJpeg(app.files.read("intro\\bkgd.jpg")).image);
    if (!ConclusionMode) ExitFace = "BTNEXITINTRO";
    NextFace = "BTNCONTINUE";
}

void TIntro::FormActivate() {
    Image1.setPicture(DecodeJpeg(app.files.read(ConclusionMode ? "p1\\conclusion.jpg" : "intro\\intro.jpg")).image);
    Image1.Visible = true;
    // The conclusion's one caption: what the player scored.
    if (ConclusionMode) Introbox.Caption = app.Game->FinalScoreText();
}

void TIntro::DrawPic(const std::string& file, int pauseMs) {
    Rect area{Image1.Left, Image1.Top, Image1.Picture.width, Image1.Picture.height};
    app.platform.beginTransition(Effect::TR1, WindowId::Intro, area);
    Image1.setPicture(DecodeJpeg(app.files.read(file)).image);
    app.processMessages();
    app.platform.playTransition(Effect::TR1);
    app.platform.endTransition(Effect::TR1);
    if (pauseMs != 0) {
        app.processMessages();
        app.platform.sleep(pauseMs);
    }
}

void TIntro::nextbuttonClick() {
    if (ConclusionMode) return;
    int s = Tag;
    if (s == 1) {
        DrawPic("intro\\intro1.jpg", 200);
        Introbox.Caption = app.text("intro1");
        nextbutton.Enabled = true;
        Tag = 2;
        return;
    }
    Tag = s + 1;
    if (s >= 2 && s <= 9) {
        DrawPic("intro\\intro" + std::to_string(s) + ".jpg", 0);
        Introbox.Caption = app.text("intro" + std::to_string(s));
    } else if (s == 10) {
        Introbox.Caption.clear();
        Close();
    } else {
        nextbutton.Enabled = true;
    }
}

void TIntro::exitbuttonClick() {
    Image1.Visible = false;
    Close();
}

void TIntro::Close() {
    FormClose();
    app.platform.closeModal(WindowId::Intro);
}

void TIntro::FormClose() {
    Tag = 1;
    try {
        Image1.setPicture(DecodeJpeg(app.files.read("p1\\black.jpg")).image);
    } catch (const std::exception&) {
        Image1.setPicture(Image());
    }
    app.processMessages();
}

void TIntro::Conclusion() {
    ConclusionMode = true;
    ExitFace = "BTNEXIT";
    NextFace = "BTNCONTINUE";
}

}  // namespace lnf
