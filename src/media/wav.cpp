#include "media/wav.h"

#include <cstring>

namespace lnf {

namespace {
uint32_t U16(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }
uint32_t U32(const uint8_t* p) { return U16(p) | U16(p + 2) << 16; }
}  // namespace

std::optional<WavSound> ReadWav(const uint8_t* data, size_t size) {
    if (!data || size < 44 || std::memcmp(data, "RIFF", 4) != 0) return std::nullopt;
    WavSound wav;
    size_t at = 12;
    while (at + 8 <= size) {
        const uint8_t* id = data + at;
        size_t room = size - at - 8;
        size_t length = U32(data + at + 4);
        if (length > room) length = room;
        const uint8_t* body = data + at + 8;
        if (std::memcmp(id, "fmt ", 4) == 0) {
            if (length >= 16) {
                wav.channels = int(U16(body + 2));
                wav.sampleRate = int(U32(body + 4) & 0x7FFFFFFFu);
                wav.bitsPerSample = int(U16(body + 14));
            }
        } else if (std::memcmp(id, "data", 4) == 0) {
            wav.pcm.assign(body, body + length);
        }
        at += 8 + length + (length & 1);
    }
    if (wav.bitsPerSample != 16 || wav.channels < 1 || wav.sampleRate <= 0 || wav.pcm.empty()) return std::nullopt;
    return wav;
}

}  // namespace lnf
