// A room's cell record and text from any bytes: entering the room, looking, doing, using.
#include "fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace lnf;
    if (size < 2) return 0;
    fuzz::Restore();
    // The first byte picks the room, the first half of the rest is its record, the rest its text.
    int room = data[0] % 32 + 1;
    size_t half = (size - 1) / 2;
    std::vector<uint8_t> records(32 * 645, 1);
    for (size_t i = 0; i < half && i < 645; ++i) records[size_t(room - 1) * 645 + i] = data[1 + i];
    fuzz::Put("2grdata.", records.data(), records.size());
    char name[32];
    std::snprintf(name, sizeof name, "data/grid%02d.dlg", room);
    fuzz::Put(name, data + 1 + half, size - 1 - half);
    fuzz::FuzzGame g;
    TGame& t = *g.app.Game;
    g.app.guard([&] { t.FormShow(); t.FormActivate(); t.FirstClickHint = false; });
    g.app.guard([&] { t.NewRoom(room); });
    for (int cell = 0; cell < 645; cell += 37) {
        g.app.guard([&] { t.ChangeCursor(kLookMode); t.Image2MouseDown(MouseButton::Left, (cell / 17) * 21 + 5, (cell % 17) * 24 + 5); t.Image2Click(); });
        g.app.guard([&] { t.ChangeCursor(kDoMode); t.Does(cell); });
        g.app.guard([&] { t.Display(18, true); t.ChangeCursor(18); t.Use(cell); });
    }
    g.platform.advance(1000);
    return 0;
}
