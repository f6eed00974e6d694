#include "world/record_check.h"

#include <algorithm>

namespace lnf {

namespace {
// By progress byte: the knock counter counts to 127; the others are stages the rules set.
constexpr int8_t kProgressLimits[28] = {
    127, 2, 1, 2, 1, 2, 1, 7, 2, 2,  // 0..9
    1,   3, 2, 5, 2, 4, 1, 1, 1, 1,  // 10..19
    1,   2, 1, 1, 1, 0, 0, 0,        // 20..27 (the last three are never written)
};
constexpr int kGrassyClump = 175;  // its byte counts the times it was searched
}  // namespace

int8_t ProgressLimit(int index) { return index >= 0 && index < 28 ? kProgressLimits[index] : 0; }

int8_t ObjectStateLimit(int object) { return object == kGrassyClump ? 127 : 2; }

bool RecordUsable(const GameStateRecord& record, size_t bytesRead) {
    if (bytesRead == 0) return false;
    auto roomOk = [](int r) { return r >= 1 && r <= kRooms; };
    if (!roomOk(record.Room) || !roomOk(record.ShownRoom)) return false;
    for (int r = 0; r <= kRooms; ++r) {
        for (int8_t e : {record.ExitNorth[r], record.ExitSouth[r], record.ExitEast[r], record.ExitWest[r]}) {
            if (e < 0 || e > kRooms) return false;
        }
    }
    for (int i = 0; i < 28; ++i) {
        if (record.Progress[i] < 0 || record.Progress[i] > ProgressLimit(i)) return false;
    }
    for (int o = 0; o < 280; ++o) {
        if (record.ObjState[o] < 0 || record.ObjState[o] > ObjectStateLimit(o)) return false;
    }
    int32_t score = record.score();
    if (score < 0 || score > kMaxScore) return false;
    return record.HeldItem >= 0 && record.HeldItem <= kItems;
}

int32_t AddPoints(int32_t score, int points) {
    int64_t sum = int64_t(score) + points;
    return int32_t(std::clamp<int64_t>(sum, 0, kMaxScore));
}

}  // namespace lnf
