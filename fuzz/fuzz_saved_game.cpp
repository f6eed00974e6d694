// Restoring a saved game from any bytes, then playing a few clicks in the restored room.
#include "fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace lnf;
    // A fresh game for every input: one kept across inputs would carry the score, the items and
    // the progress of whatever the last input restored into the next.
    fuzz::Restore();
    fuzz::FuzzGame g;
    TGame& t = *g.app.Game;
    g.app.guard([&] { t.FormShow(); t.FormActivate(); });
    std::filesystem::path file = fuzz::GameCopy() / "user" / "fuzz.sav";
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(data), std::streamsize(size));
    g.platform.fileAnswers.push_back(file.string());
    g.app.guard([&] { t.Open1Click(); });
    for (int cell : {40, 200, 400, 600}) {
        g.app.guard([&] { t.ChangeCursor(kLookMode); t.Looks(cell); });
        g.app.guard([&] { t.ChangeCursor(kDoMode); t.Does(cell); });
    }
    g.app.guard([&] { t.arrowNClick(); t.arrowEClick(); t.arrowSClick(); t.arrowWClick(); });
    g.platform.advance(500);
    return 0;
}
