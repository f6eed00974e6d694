#include "pictures/image.h"

#include <algorithm>
#include <cstring>

namespace lnf {

Image Image::toRgb() const {
    if (channels == 3) return *this;
    Image out(width, height, 3);
    for (size_t i = 0, n = size_t(width) * height; i < n; ++i) {
        uint8_t v = pixels[i];
        out.pixels[i * 3] = out.pixels[i * 3 + 1] = out.pixels[i * 3 + 2] = v;
    }
    return out;
}

void Image::draw(const Image& srcIn, int x, int y) {
    if (srcIn.empty() || empty()) return;
    const Image* src = &srcIn;
    Image converted;
    if (srcIn.channels != channels) {
        if (channels == 1) {
            *this = toRgb();
        }
        converted = srcIn.toRgb();
        src = &converted;
    }
    int x0 = std::max(0, x), y0 = std::max(0, y);
    int x1 = std::min(width, x + src->width), y1 = std::min(height, y + src->height);
    if (x0 >= x1 || y0 >= y1) return;
    size_t n = size_t(x1 - x0) * channels;
    for (int yy = y0; yy < y1; ++yy) {
        std::memcpy(row(yy) + size_t(x0) * channels, src->row(yy - y) + size_t(x0 - x) * channels, n);
    }
}

}  // namespace lnf
