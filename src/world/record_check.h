// What a game record may hold: the values the rules write, and nothing else. A saved game or a
// start record outside them is refused as damaged, so play never starts from a state the story
// cannot reach (or cannot leave).
#pragma once

#include <cstddef>
#include <cstdint>

#include "world/game_state.h"

namespace lnf {

// Far above the points of a whole game (122), so every game reached by play fits, and far
// enough below the top of a 32-bit score that adding to it can never wrap round.
constexpr int32_t kMaxScore = 100000;

// The largest value the rules ever write into each progress byte.
int8_t ProgressLimit(int index);
// The largest value the rules ever write into an object's state byte.
int8_t ObjectStateLimit(int object);

// True if `bytesRead` bytes were read and every field of the record lies within what the
// rules write: rooms, exits, progress, score, object states and the held item.
bool RecordUsable(const GameStateRecord& record, size_t bytesRead);

// The score after `points` more, held within 0..kMaxScore.
int32_t AddPoints(int32_t score, int points);

}  // namespace lnf
