// JPEG decoding and encoding through libjpeg.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <vector>

#include "pictures/image.h"

namespace lnf {

class JpegError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Where compressed bytes come from: fills `buffer` with up to `size` bytes, returns the count
// (0 at the end). The decoder asks for 4096 bytes at a time.
using ByteReader = std::function<size_t(uint8_t* buffer, size_t size)>;

struct DecodeResult {
    Image image;
    int warnings = 0;  // e.g. a stream that ended early
};

constexpr size_t kJpegChunk = 4096;
constexpr unsigned kMaxPictureSide = 8192;
constexpr uint64_t kMaxPicturePixels = 16u * 1024u * 1024u;

// Accurate integer IDCT, fancy upsampling, block smoothing; 24-bit colour, or 8-bit grey for a
// one-component picture. A corrupt stream throws JpegError with libjpeg's message; a stream
// that ends early completes with a warning.
DecodeResult DecodeJpeg(const ByteReader& reader);
DecodeResult DecodeJpeg(const uint8_t* data, size_t size);
inline DecodeResult DecodeJpeg(const std::vector<uint8_t>& bytes) { return DecodeJpeg(bytes.data(), bytes.size()); }

// Fuzz runs of the story read only each picture's header and make a tiny blank picture of
// its shape: nothing the story does depends on the pixels, and decoding them is most of the
// time of such a run. The player's game and the tests always decode whole pictures.
void SetPicturesHeaderOnly(bool on);

// Baseline JFIF: accurate integer DCT, no progressive mode, no optimised coding, no restart
// markers, no smoothing, density unit 0 with densities 1 x 1.
std::vector<uint8_t> EncodeJpeg(const Image& image, int quality = 90);

}  // namespace lnf
