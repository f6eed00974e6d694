// Cursor modes and the mouse: Look, Do or an item on the cursor, and a press on the room
// picture handed to the actions as a grid cell.
#include <cmath>

#include "app/lnf_game.h"

namespace lnf {

void TGame::ChangeCursor(int mode) {
    CursorMode = mode;
    GameState.HeldItem = int8_t(uint8_t(mode));
    if (mode < kLookMode) GetCursor(mode);
    Image2.Cursor = mode == kDoMode ? int(crHandPoint) : mode;
    DoButton.Down = mode == kDoMode;
    Look.Down = mode == kLookMode;
    if (GameState.HeldItem > kItems || GameState.HeldItem < 0) GameState.HeldItem = kNoItem;
    // The inventory picture that combines with the held item shows its cursor.
    int partner = CombinationPartner(GameState.HeldItem);
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

}  // namespace lnf
