// A decoded picture: 24-bit colour or 8-bit grey, rows top to bottom, no padding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lnf {

struct Image {
    int width = 0;
    int height = 0;
    int channels = 3;  // 3 = RGB, 1 = grey
    std::vector<uint8_t> pixels;

    Image() = default;
    Image(int w, int h, int ch = 3) : width(w), height(h), channels(ch), pixels(size_t(w) * h * ch, 0) {}
    bool empty() const { return width <= 0 || height <= 0; }
    uint8_t* row(int y) { return pixels.data() + size_t(y) * width * channels; }
    const uint8_t* row(int y) const { return pixels.data() + size_t(y) * width * channels; }

    // The same picture as RGB (grey expanded).
    Image toRgb() const;
    // Draws `src` opaque with its top-left corner at (x, y), clipped to this picture.
    void draw(const Image& src, int x, int y);
    bool operator==(const Image&) const = default;
};

}  // namespace lnf
