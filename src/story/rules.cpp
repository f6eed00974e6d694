// The rule book: what Do and Use achieve in each room.
#include "app/lnf_game.h"

namespace lnf {

int8_t TGame::GridCondition(int) {
    Tag = 0;
    return kRuleNone;
}

}  // namespace lnf
