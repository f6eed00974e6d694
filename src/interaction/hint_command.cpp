// The Hint command: the story's next step for where the player stands, first as a nudge and,
// asked again for the same hint, as a plain pointer. It only writes the message line.
#include <cstring>

#include "app/lnf_game.h"
#include "pictures/resources.h"
#include "story/hints.h"

namespace lnf {

void TGame::HintClick() {
    // A rule waiting for "Continue" keeps its text on the line: it tells what is happening.
    if (WaitingForContinue) return;
    std::vector<std::string> errors;
    HintBook book = ParseHints(app.text(kHintsResource), errors);
    int found = book.find(HintState{GameState, [this](int n) { return Vis(n); }});
    if (found < 0) return;
    const Hint& hint = book.hints[size_t(found)];
    // Hints are told apart by name, so a rebuilt book with hints moved keeps the asking in step.
    bool again = hint.name == LastHintName;
    LastHintName = hint.name;
    SetMessage(again ? hint.pointer : hint.nudge);
}

}  // namespace lnf
