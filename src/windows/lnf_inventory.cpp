#include "windows/lnf_inventory.h"

#include "app/lnf_game.h"
#include "pictures/jpeg.h"

namespace lnf {

TInventory::TInventory(Application& a) : app(a) {
    Panel2.setBounds(32, 104, 88, 86);
    ItemPic.setBounds(10, 10, 68, 66);
    Inv1.setBounds(136, 104, 250, 150);
    OK.setBounds(208, 219, 81, 24);
    OK.Caption = "OK";
    Memo1.assign(22, std::string());
    Memo1[0] = "xxx";
    for (int n = 1; n <= kItems; ++n) Memo1[size_t(n)] = n == 9 ? "note" : app.text("item" + std::to_string(n));
}

void TInventory::ShowModal() {
    FormShow();
    Showing = true;
    app.showModal(WindowId::Inventory);
    Showing = false;
}

void TInventory::FormShow() {
    const TGame& game = *app.Game;
    int n = game.CloseLookItem;
    if (n < 1 || n > kItems) n = 1;
    if (n == 9) {
        WindowHeight = 474;
        OK.Top = 393;
        Inv1.Top = 30;
    } else {
        WindowHeight = 300;
        OK.Top = 219;
        Inv1.Top = 104;
    }
    std::string name = std::string("i") + char('0' + n / 10) + char('0' + n % 10);
    ItemPic.setPicture(game.LoadResourcePicture(name));
    if (n == 9) {
        Inv1.Caption = app.text("note");
        return;
    }
    Inv1.Caption = Memo1[size_t(n)];
    if (game.CloseLookVariant < 2) {
        if (n == 18) Inv1.Caption = "This bottle was washed up in the grassy clump by the creek.";
        if (n == 7) Inv1.Caption = "You found this harp propped up against a tree in the forest alcove.";
        if (n == 8) Inv1.Caption = "You broke a chunk of cheese off the golden mountain.";
    }
}

void TInventory::OKClick() { app.platform.closeModal(WindowId::Inventory); }

}  // namespace lnf
