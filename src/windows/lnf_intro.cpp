#include "windows/lnf_intro.h"

#include <cmath>

#include "app/lnf_game.h"
#include "pictures/jpeg.h"

namespace lnf {

TIntro::TIntro(Application& a) : app(a) {}

void TIntro::FormCreate() {
    int W = app.screen.width, H = app.screen.height;
    // The slide, the caption band and the buttons are drawn for 1024 x 768 and keep their
    // share of the screen: a small screen would otherwise lose the frame round the slide.
    const double u = H / 768.0;
    auto px = [u](int design) { return int(std::trunc(design * u)); };
    const int band = px(120);
    BKG.setBounds(0, 0, W, H - band);
    Image1.Width = px(500);
    Image1.Height = px(300);
    Image1.Left = (W - Image1.Width) / 2;
    Image1.Top = (H - Image1.Height) / 2 - px(90);
    Panel1.setBounds(0, H - band, W, band);
    Label1.setBounds(0, 0, px(50), band);
    Panel2.setBounds(W - px(102), 0, px(102), band);
    Introbox.setBounds(px(50), 0, W - px(152), band);
    nextbutton.setBounds(1, 1, px(100), px(52));
    exitbutton.setBounds(1, px(58), px(100), px(52));
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
    Rect area{Image1.Left, Image1.Top, Image1.Width, Image1.Height};
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
