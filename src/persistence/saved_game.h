// The saved-game file: "v2", the 448-byte record, one byte per item (471 bytes).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "world/game_state.h"

namespace lnf {

constexpr size_t kSavedGameSize = 471;

struct SavedGame {
    enum Problem { None, WrongVersion, Damaged } problem = None;
    GameStateRecord state{};
    std::array<bool, 22> items{};  // [1..21]
};

std::vector<uint8_t> EncodeSavedGame(const GameStateRecord& state, const std::array<bool, 22>& items);
// Reads a whole file's bytes: a foreign mark is WrongVersion; a file shorter than the record,
// or one whose rooms or exits cannot exist, is Damaged.
SavedGame DecodeSavedGame(const std::vector<uint8_t>& bytes);
// Reads a saved-game file into `bytes`, at most kSavedGameSize of them: Damaged, without
// reading, for anything but a regular file of at most that size.
SavedGame::Problem ReadSavedGameFile(const std::string& path, std::vector<uint8_t>& bytes);

}  // namespace lnf
