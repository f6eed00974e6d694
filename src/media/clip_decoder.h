// Decodes a whole video clip into pictures (the game's clips are a few seconds long).
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "pictures/image.h"

namespace lnf {

struct Clip {
    std::vector<Image> frames;
    double framesPerSecond = 12.0;
    int durationMs() const { return frames.empty() ? 0 : int(frames.size() * 1000.0 / framesPerSecond + 0.5); }
};

// Throws std::runtime_error naming the file when it cannot be read as a video.
Clip DecodeClip(const std::string& path);

}  // namespace lnf
