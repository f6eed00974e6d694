// A decoded picture: 24-bit colour or 8-bit grey, rows top to bottom, no padding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace lnf {

// Pixels are written whole by whoever makes a picture, so they are not cleared first.
template <class T>
struct UninitializedAllocator : std::allocator<T> {
    template <class U>
    struct rebind {
        using other = UninitializedAllocator<U>;
    };
    UninitializedAllocator() = default;
    template <class U>
    UninitializedAllocator(const UninitializedAllocator<U>&) {}
    template <class U>
    void construct(U* p) noexcept {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

using PixelBuffer = std::vector<uint8_t, UninitializedAllocator<uint8_t>>;

struct Image {
    int width = 0;
    int height = 0;
    int channels = 3;  // 3 = RGB, 1 = grey
    PixelBuffer pixels;

    Image() = default;
    // The pixels start undefined: the maker of the picture writes every one.
    Image(int w, int h, int ch = 3) : width(w), height(h), channels(ch), pixels(size_t(w) * h * ch) {}
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
