#include "svg.h"

#include <stdexcept>

#include <cairo.h>
#include <librsvg/rsvg.h>

namespace contentc {

Rgba RenderSvg(const std::string& file, int width, int height, const std::string& css) {
    GError* err = nullptr;
    RsvgHandle* handle = rsvg_handle_new_from_file(file.c_str(), &err);
    if (!handle) {
        std::string msg = err ? err->message : "unknown error";
        if (err) g_error_free(err);
        throw std::runtime_error(file + ": " + msg);
    }
    if (!css.empty()) {
        if (!rsvg_handle_set_stylesheet(handle, reinterpret_cast<const guint8*>(css.data()), css.size(), &err)) {
            std::string msg = err ? err->message : "bad stylesheet";
            if (err) g_error_free(err);
            g_object_unref(handle);
            throw std::runtime_error(file + ": " + msg);
        }
    }
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(surface);
    RsvgRectangle viewport{0, 0, double(width), double(height)};
    gboolean ok = rsvg_handle_render_document(handle, cr, &viewport, &err);
    cairo_destroy(cr);
    g_object_unref(handle);
    if (!ok) {
        std::string msg = err ? err->message : "render failed";
        if (err) g_error_free(err);
        cairo_surface_destroy(surface);
        throw std::runtime_error(file + ": " + msg);
    }
    cairo_surface_flush(surface);
    Rgba out;
    out.width = width;
    out.height = height;
    out.px.resize(size_t(width) * height * 4);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
        for (int x = 0; x < width; ++x) {
            uint32_t p = row[x];
            uint8_t a = uint8_t(p >> 24), r = uint8_t(p >> 16), g = uint8_t(p >> 8), b = uint8_t(p);
            uint8_t* o = &out.px[(size_t(y) * width + x) * 4];
            if (a == 0) {
                o[0] = o[1] = o[2] = o[3] = 0;
            } else {
                o[0] = uint8_t(std::min(255, r * 255 / a));
                o[1] = uint8_t(std::min(255, g * 255 / a));
                o[2] = uint8_t(std::min(255, b * 255 / a));
                o[3] = a;
            }
        }
    }
    cairo_surface_destroy(surface);
    return out;
}

}  // namespace contentc

namespace contentc {

namespace {
cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
    auto* out = static_cast<std::vector<uint8_t>*>(closure);
    out->insert(out->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}
}  // namespace

std::vector<uint8_t> EncodePng(const Rgba& image) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.width, image.height);
    unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < image.height; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(y) * stride);
        for (int x = 0; x < image.width; ++x) {
            const uint8_t* p = &image.px[(size_t(y) * image.width + x) * 4];
            uint32_t a = p[3];
            uint32_t r = p[0] * a / 255, g = p[1] * a / 255, b = p[2] * a / 255;
            row[x] = a << 24 | r << 16 | g << 8 | b;
        }
    }
    cairo_surface_mark_dirty(surface);
    std::vector<uint8_t> out;
    cairo_surface_write_to_png_stream(surface, AppendBytes, &out);
    cairo_surface_destroy(surface);
    return out;
}

}  // namespace contentc
