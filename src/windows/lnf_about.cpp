#include "windows/lnf_about.h"

namespace lnf {

TAbout1::TAbout1(Application& a) : app(a) {
    Label1.setBounds(11, 134, 280, 100);
    Okay1.setBounds(100, 248, 105, 25);
    No1.setBounds(159, 248, 105, 25);
    Okay1.Cursor = No1.Cursor = -21;
}

void TAbout1::ShowModal() {
    FormShow();
    FormActivate();
    Showing = true;
    app.showModal(WindowId::About1);
    Showing = false;
}

void TAbout1::FormShow() { Background = "ABOUT"; }

void TAbout1::FormActivate() {
    Caption = " ";
    if (Tag == 0) {
        Label1.Caption = "version 4.0\n\r" + app.text("about");
        No1.Visible = false;
        Okay1.Left = 100;
        Okay1.Caption = "&Okay";
    } else if (Tag == 2) {
        Label1.Caption = "Are you sure you want\n\rto restart the game?";
        No1.Visible = true;
        No1.Caption = "&No, don't restart";
        Okay1.Left = 32;
        Okay1.Caption = "&Yes";
    } else {
        Label1.Caption = "\n\rAre you sure you want to quit?";
        No1.Visible = true;
        No1.Caption = "&No, don't quit";
        Okay1.Left = 32;
        Okay1.Caption = "&Yes";
    }
}

void TAbout1::Okay1Click() {
    Tag = 0;
    app.platform.closeModal(WindowId::About1);
}

void TAbout1::No1Click() { app.platform.closeModal(WindowId::About1); }

void TAbout1::CloseBox() { app.platform.closeModal(WindowId::About1); }

}  // namespace lnf
