// The sound effects' wave files: plain 16-bit PCM, read from memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace lnf {

struct WavSound {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    std::vector<uint8_t> pcm;  // the samples as stored, little-endian
};

// Finds "fmt " and "data" in a RIFF wave file. A chunk that claims more than the file holds
// ends at the file's end. Anything other than non-empty 16-bit PCM gives nothing: the effect
// is not played.
std::optional<WavSound> ReadWav(const uint8_t* data, size_t size);

}  // namespace lnf
