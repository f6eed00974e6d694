// Question records and conversation texts from any bytes, played through both kinds of talk.
#include "fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace lnf;
    if (size < 1) return 0;
    fuzz::Restore();
    // The first byte picks the character; then a record of up to 316 bytes; the rest is text.
    int character = data[0] % 7;
    size_t recordBytes = std::min<size_t>(size - 1, 316);
    std::vector<uint8_t> level(7 * 316, 3);
    std::copy(data + 1, data + 1 + recordBytes, level.begin() + long(character) * 316);
    fuzz::Put("data/Level1.dlg", level.data(), level.size());
    static const char* files[7] = {"jabber1", "tove1", "humpty1", "queen1", "fly1", "borogove1", "frog1"};
    std::string text = std::string("data/") + files[character] + ".dlg";
    fuzz::Put(text, data + 1 + recordBytes, size - 1 - recordBytes);
    fuzz::FuzzGame g;
    g.app.guard([&] { g.app.Game->FormShow(); });
    g.app.guard([&] { g.app.CloseUp->CharacterTalks(uint8_t(character)); });
    g.app.guard([&] { g.app.CloseUp->Meets(uint8_t(data[0] % 17)); });
    return 0;
}
