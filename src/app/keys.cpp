// The commands that only keys and the mouse reach: quick save and load, and the Look/Do
// toggle from anywhere in the game window.
#include "app/lnf_game.h"

namespace lnf {

void TGame::QuickSaveClick() {
    GameStep step(*this, StepInput::Menu);
    if (!step) return;
    QuickSave();
}

void TGame::QuickLoadClick() {
    GameStep step(*this, StepInput::Menu);
    if (!step) return;
    QuickLoad();
}

void TGame::ToggleLookDo() {
    GameStep step(*this, StepInput::Item);
    if (!step) return;
    // As the right button on the picture: an item on the cursor gives way to Do.
    ChangeCursor(CursorMode == kDoMode ? kLookMode : kDoMode);
}

}  // namespace lnf
