// The picture loader on any bytes.
#include "pictures/jpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        lnf::DecodeResult r = lnf::DecodeJpeg(data, size);
        if (r.image.pixels.size() != size_t(r.image.width) * r.image.height * r.image.channels) __builtin_trap();
    } catch (const lnf::JpegError&) {
    }
    return 0;
}
