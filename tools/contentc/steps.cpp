#include "steps.h"

namespace contentc {

namespace {
void Put16(std::vector<uint8_t>& v, unsigned x) {
    v.push_back(uint8_t(x));
    v.push_back(uint8_t(x >> 8));
}
void Put32(std::vector<uint8_t>& v, unsigned x) {
    Put16(v, x & 0xFFFF);
    Put16(v, x >> 16);
}
}  // namespace

std::vector<uint8_t> BuildIco(const std::vector<std::pair<int, std::vector<uint8_t>>>& sizes) {
    std::vector<uint8_t> ico;
    Put16(ico, 0);
    Put16(ico, 1);
    Put16(ico, unsigned(sizes.size()));
    unsigned offset = 6 + 16 * unsigned(sizes.size());
    for (const auto& [s, png] : sizes) {
        ico.push_back(uint8_t(s >= 256 ? 0 : s));
        ico.push_back(uint8_t(s >= 256 ? 0 : s));
        ico.push_back(0);
        ico.push_back(0);
        Put16(ico, 1);
        Put16(ico, 32);
        Put32(ico, unsigned(png.size()));
        Put32(ico, offset);
        offset += unsigned(png.size());
    }
    for (const auto& entry : sizes) ico.insert(ico.end(), entry.second.begin(), entry.second.end());
    return ico;
}

}  // namespace contentc
