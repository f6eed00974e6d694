// Cursor modes and the mouse: Look, Do or an item on the cursor, the combining clicks on the
// inventory, and a press on the room picture handed to the actions as a grid cell.
#include <cmath>

#include "app/lnf_game.h"
#include "windows/lnf_inventory.h"
#include "world/record_check.h"

namespace lnf {

namespace {
// The inventory picture that reacts to a held item, and shows its cursor.
int PartnerOf(int held) {
    switch (held) {
        case kCheese: return kLeaf;
        case kThread: return kStick;
        case kEggWhite: return kRosePetal;
        case kLeaf: return kCheese;
        default: return 0;
    }
}
}  // namespace

void TGame::ChangeCursor(int mode) {
    CursorMode = mode;
    GameState.HeldItem = int8_t(uint8_t(mode));
    if (mode < kLookMode) GetCursor(mode);
    Image2.Cursor = mode == kDoMode ? int(crHandPoint) : mode;
    DoButton.Down = mode == kDoMode;
    Look.Down = mode == kLookMode;
    if (GameState.HeldItem > kItems || GameState.HeldItem < 0) GameState.HeldItem = kNoItem;
    int partner = PartnerOf(GameState.HeldItem);
    for (int p : {kCheese, kRosePetal, kStick, kLeaf}) item[size_t(p)].Cursor = p == partner ? int(GameState.HeldItem) : int(crArrow);
}

void TGame::GetCursor(int n) {
    if (n < 1 || n > 33 || CursorLoaded[size_t(n)] == 1) return;
    CursorLoaded[size_t(n)] = 1;
    InstalledCursors[size_t(n)] = "ID_m" + std::to_string(n);
}

void TGame::LookClick() {
    GameStep step(*this, StepInput::Item);
    if (!step) return;
    ChangeCursor(kLookMode);
}
void TGame::DoButtonClick() {
    GameStep step(*this, StepInput::Item);
    if (!step) return;
    ChangeCursor(kDoMode);
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

void TGame::Image2Click() { Image2.Tag = 0; }
void TGame::Image2DblClick() { Image2.Tag = 1; }

void TGame::GetHint() {
    FirstClickHint = false;
    text1.FontColor = TextColor;
    text1.Caption = app.text("hint");
}

void TGame::Image2MouseDown(MouseButton button, int x, int y) {
    GameStep step(*this, StepInput::Press);
    if (!step) return;
    if (Image2.Tag != 0 || !Image2.Enabled) return;
    if (FirstClickHint) {
        GetHint();
        return;
    }
    if (button == MouseButton::Right) {
        ChangeCursor(CursorMode == kDoMode ? kLookMode : kDoMode);
        return;
    }
    if (x < 0 || y < 0) return;
    int column = int(std::trunc(float(x) / CellWidth));
    int row = int(std::trunc(float(y) / CellHeight));
    // Presses beyond the grid (possible at the right and bottom edges at some screen sizes)
    // are presses on no object.
    if (column >= kGridColumns || row >= kGridRows) return;
    ClickedCell = CellNumber(column, row);
    if (CursorMode < kFirstActionMode) {
        Use(ClickedCell);
    } else {
        if (CursorMode == kLookMode) Looks(ClickedCell);
        if (CursorMode == kDoMode) Does(ClickedCell);
    }
}

void TGame::Display(int n, bool shown) {
    if (n < 1 || n > kItems) return;
    PictureControl& pic = item[size_t(n)];
    if (!shown) {
        pic.Visible = false;
        ChangeCursor(kDoMode);
        return;
    }
    int column = (n - 1) % 3, row = (n - 1) / 3;
    pic.Width = int(std::trunc(37 * ScaleX));
    pic.Height = int(std::trunc(40 * ScaleY));
    pic.Left = 13 + column * ItemStep;
    pic.Top = 10 + row * ItemStep;
    pic.Visible = true;
    Score(2);
}

bool TGame::Vis(int n) const { return n >= 1 && n <= kItems && item[size_t(n)].Visible; }

void TGame::Score(int points) {
    GameState.setScore(AddPoints(GameState.score(), points));
    ScoreLabel.Caption = "Score: " + std::to_string(GameState.score());
}

}  // namespace lnf
