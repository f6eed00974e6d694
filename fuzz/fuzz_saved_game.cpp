// Restoring a saved game from any bytes, then playing a few clicks in the restored room.
#include "fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace lnf;
    static fuzz::FuzzGame* g = [] {
        auto* game = new fuzz::FuzzGame();
        game->app.Game->FormShow();
        game->app.Game->FormActivate();
        return game;
    }();
    std::filesystem::path file = fuzz::GameCopy() / "user" / "fuzz.sav";
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(data), std::streamsize(size));
    g->platform.fileAnswers.push_back(file.string());
    TGame& t = *g->app.Game;
    g->app.guard([&] { t.Open1Click(); });
    for (int cell : {40, 200, 400, 600}) {
        g->app.guard([&] { t.ChangeCursor(kLookMode); t.Looks(cell); });
        g->app.guard([&] { t.ChangeCursor(kDoMode); t.Does(cell); });
    }
    g->app.guard([&] { t.arrowNClick(); t.arrowEClick(); t.arrowSClick(); t.arrowWClick(); });
    g->platform.advance(500);
    // Back to a known game for the next input.
    g->app.guard([&] { t.GetDirections(); t.StopTimers(); t.NewRoom(4); });
    g->platform.errors.clear();
    g->platform.messages.clear();
    return 0;
}
