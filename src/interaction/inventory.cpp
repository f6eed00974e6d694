// The inventory column: items shown and hidden, the clicks that combine two items, and the
// double click that opens an item's close look.
#include <cmath>

#include "app/lnf_game.h"
#include "windows/lnf_inventory.h"

namespace lnf {

int CombinationPartner(int held) {
    switch (held) {
        case kCheese: return kLeaf;
        case kThread: return kStick;
        case kEggWhite: return kRosePetal;
        case kLeaf: return kCheese;
        default: return 0;
    }
}

void TGame::itemClick(int n) {
    GameStep step(*this, StepInput::Item);
    if (!step) return;
    if (n < 1 || n > kItems) return;
    int8_t held = GameState.HeldItem;
    if ((n == kCheese && held == kLeaf) || (n == kLeaf && held == kCheese)) {
        ChangeCursor(kCheese);
        GameState.Progress[CheeseStage] = kCheeseWrappedInLeaf;
        Score(2);
        item[kLeaf].Visible = false;
        Score(2);
        text1.Caption = "You wrap the Tumtum leaf up in the cheese.";
        return;
    }
    if (n == kRosePetal && held == kEggWhite) {
        ChangeCursor(kRosePetal);
        GameState.Progress[EggWhiteStage] = kEggWhiteOnPetal;
        item[kEggWhite].Visible = false;
        Score(2);
        text1.Caption = "You put the Egg White on the Rose Petal.";
        return;
    }
    if (n == kStick && held == kThread) {
        item[kStick].Visible = false;
        item[kThread].Visible = false;
        text1.Caption = "You tie the yarn to the stick.";
        Score(2);
        Display(kFishingRod, true);
        ChangeCursor(kFishingRod);
        return;
    }
    ChangeCursor(n);
}

void TGame::itemDblClick(int n) {
    GameStep step(*this, StepInput::Item);
    if (!step) return;
    if (n < 1 || n > kItems) return;
    CloseLookItem = n;
    switch (n) {
        case kHarp: CloseLookVariant = GameState.Progress[HarpStage]; break;
        case kCheese: CloseLookVariant = GameState.Progress[CheeseStage]; break;
        case kBottle: CloseLookVariant = GameState.Progress[BottleStage]; break;
        default: CloseLookVariant = 0; break;
    }
    app.Inventory->ShowModal();
}

void TGame::Display(int n, bool shown) {
    if (n < 1 || n > kItems) return;
    PictureControl& pic = item[size_t(n)];
    if (!shown) {
        pic.Visible = false;
        ChangeCursor(kDoMode);
        return;
    }
    PlaceItem(n);
    pic.Visible = true;
    Score(2);
}

void TGame::PlaceItem(int n) {
    PictureControl& pic = item[size_t(n)];
    int column = (n - 1) % 3, row = (n - 1) / 3;
    pic.Width = int(std::trunc(37 * ScaleX));
    pic.Height = int(std::trunc(40 * ScaleY));
    pic.Left = int(std::trunc(13 * ScaleX)) + column * ItemStep;
    pic.Top = int(std::trunc(10 * ScaleY)) + row * ItemStep;
}

bool TGame::Vis(int n) const { return n >= 1 && n <= kItems && item[size_t(n)].Visible; }

}  // namespace lnf
