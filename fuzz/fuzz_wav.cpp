// The sound effects' wave reader on any bytes.
#include "media/wav.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto wav = lnf::ReadWav(data, size);
    if (wav && (wav->pcm.empty() || wav->pcm.size() > size || wav->bitsPerSample != 16 || wav->channels < 1))
        __builtin_trap();
    return 0;
}
