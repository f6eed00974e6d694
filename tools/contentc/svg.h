// Rendering SVG sources with librsvg.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace contentc {

// Premultiplied-free RGBA, rows top to bottom.
struct Rgba {
    int width = 0, height = 0;
    std::vector<uint8_t> px;  // r, g, b, a
    uint8_t alpha(int x, int y) const { return px[(size_t(y) * width + x) * 4 + 3]; }
};

// Renders `file` at width x height with an optional user stylesheet. Throws std::runtime_error.
Rgba RenderSvg(const std::string& file, int width, int height, const std::string& css = "");
// PNG bytes of an RGBA picture (transparency kept).
std::vector<uint8_t> EncodePng(const Rgba& image);

}  // namespace contentc
