// The start record "data\zerodata" from any bytes, through a new game.
#include "fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace lnf;
    fuzz::Restore();
    fuzz::Put("data/zerodata", data, size);
    fuzz::FuzzGame g;
    TGame& t = *g.app.Game;
    g.app.guard([&] { t.FormShow(); t.FormActivate(); });
    g.app.guard([&] { t.Initialize(); });
    g.app.guard([&] { t.arrowNClick(); t.arrowEClick(); });
    int room = t.GameState.Room;
    if (room < 1 || room > 32) __builtin_trap();  // a start record never puts the game outside the map
    return 0;
}
