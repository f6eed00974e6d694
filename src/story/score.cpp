// The score: every point the story gives goes through here, and the label follows it.
#include "app/lnf_game.h"
#include "world/record_check.h"

namespace lnf {

void TGame::Score(int points) {
    GameState.setScore(AddPoints(GameState.score(), points));
    ScoreLabel.Caption = "Score: " + std::to_string(GameState.score());
}

}  // namespace lnf
