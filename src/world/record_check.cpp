#include "world/record_check.h"

#include <algorithm>
#include <array>

namespace lnf {

namespace {
// By progress byte, the last stage the rules set (the knock counter counts on to 127); the
// bytes after the Jabberwock's are never written.
constexpr std::array<int8_t, 28> kProgressLimits = [] {
    std::array<int8_t, 28> l{};
    l[KnockCount] = 127;
    l[CatfishStage] = kWhiskerCaught;
    l[Room17Normal] = 1;
    l[LevelFlag] = 2;
    l[ToveFed] = 1;
    l[BottleStage] = kBottleFilled;
    l[SwordGiven] = 1;
    l[MainStage] = kTreeSeen;
    l[WhiskerStage] = kInKettle;
    l[WingStage] = kInKettle;
    l[ClawTaken] = 1;
    l[HarpStage] = kHarpPlayedAtKettle;
    l[EggWhiteStage] = kEggWhiteOnPetal;
    l[AlpacaStage] = kHorseGone;
    l[CheeseStage] = kCheeseWrappedInLeaf;
    l[ChessPieces] = kTicketTaken;
    l[KingFound] = 1;
    l[KittenFound] = 1;
    l[HorseTransformed] = 1;
    l[FawnMet] = 1;
    l[StickTaken] = 1;
    l[BirdStage] = kLeafReceived;
    l[DragonflyFreed] = 1;
    l[RathsFed] = 1;
    l[JabberwockCame] = 1;
    return l;
}();
}  // namespace

int8_t ProgressLimit(int index) { return index >= 0 && index < 28 ? kProgressLimits[size_t(index)] : 0; }

// The grassy clump's byte counts the times it was searched.
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
